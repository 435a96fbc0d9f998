#!/usr/bin/env python3
"""Writes a few small, valid logs per reader as starting points for the
fuzz targets: OUT_DIR/<target>/start-N. The race of the targets starts on
2024-05-12 02:00:00 UTC (see reader_fuzz.h)."""
import os
import struct
import sys

START = 1715479200  # 2024-05-12 02:00:00 UTC
LAT, LON = 35.27, 139.48


def fixes(n=40, step=5, first=-400):
    for k in range(n):
        yield START + first + k * step, LAT + k * 1e-4, LON - k * 1e-4


def hms(t):
    t %= 86400
    return t // 3600, t // 60 % 60, t % 60


def gpx():
    pts = "".join(
        f'<trkpt lat="{la:.6f}" lon="{lo:.6f}"><ele>1</ele><time>2024-05-12T{"%02d:%02d:%02d" % hms(t)}Z</time></trkpt>\n'
        for t, la, lo in fixes())
    return ('<?xml version="1.0"?>\n<gpx version="1.1"><trk><trkseg>\n' + pts +
            '</trkseg></trk></gpx>\n').encode()


def dm(value, pos, neg, width):
    d = int(abs(value))
    m = (abs(value) - d) * 60
    return f"{d:0{width}d}{m:07.4f}", pos if value >= 0 else neg


def nmea():
    out = []
    for t, la, lo in fixes():
        a, ah = dm(la, "N", "S", 2)
        b, bh = dm(lo, "E", "W", 3)
        out.append("$GPRMC,%02d%02d%02d.00,A,%s,%s,%s,%s,5.2,90.0,120524,,,A*00" % (*hms(t), a, ah, b, bh))
        out.append("$GPGGA,%02d%02d%02d,%s,%s,%s,%s,1,08,0.9,1.0,M,,M,," % (*hms(t), a, ah, b, bh))
    return ("\r\n".join(out) + "\r\n").encode()


def tline(form):
    lines = ["HEADER DEG"] if form == 1 else ["HEADER DMS"] if form == 3 else ["HEADER"]
    for t, la, lo in fixes():
        if form == 1:
            a, b = f"N{la:.6f}", f"E{lo:.6f}"
        elif form == 2:
            a, b = "N" + dm(la, "N", "S", 2)[0], "E" + dm(lo, "E", "W", 3)[0]
        else:
            def dms(v, w):
                d = int(v); m = int((v - d) * 60); s = ((v - d) * 60 - m) * 60
                return f"{d:0{w}d}{m:02d}{s:05.2f}"
            a, b = "N" + dms(la, 2), "E" + dms(lo, 3)
        lines.append("T %s %s 2024-05-12 %02d:%02d:%02d 0" % (a, b, *hms(t)))
    return ("\r\n".join(lines) + "\r\n").encode()


def records(size):
    out = b""
    for t, la, lo in fixes():
        out += struct.pack("<iff", t, la, lo) + b"\0" * (size - 12)
    return out


def semi(deg):
    return int(deg / 180 * 2**31)


def scanned(kind):
    out = bytearray(b"\xff" * 40)
    for t, la, lo in fixes():
        if kind == "short":
            # lat i-9, lon i-5, [i-1]=0, [i]=1, time i+1, [i+5]=[i+6]=0
            rec = b"\0\0" + struct.pack("<ii", semi(la), semi(lo)) + b"\0\1" + struct.pack("<i", t) + b"\0\0\x7f\x7f"
        else:
            # [i-10]=[i-9]=0, lat i-8, lon i-4, [i]=1, [i+9]=1, time i+10, [i+14..22]=0
            rec = b"\0\0" + struct.pack("<ii", semi(la), semi(lo)) + b"\1" + b"\x55" * 8 + b"\1" + struct.pack("<i", t) + b"\0" * 9
        out += rec + b"\xff" * 3
    return bytes(out + b"\xff" * 40)


def vkx(rate_hz=1, extras=True):
    """Rows: page header, position rows (at rate_hz), and when extras, one
    row of every other key, the timer and the start line's ends."""
    out = b"\xff\x05" + b"\x11" * 6
    if extras:
        ms = (START - 600) * 1000
        out += b"\x05" + struct.pack("<QBff", ms, 0, LAT, LON)
        out += b"\x05" + struct.pack("<QBff", ms + 9000, 1, LAT + 0.001, LON)
        out += b"\x04" + struct.pack("<QBi", ms + 300000, 1, 300)
        out += b"\x04" + struct.pack("<QBi", START * 1000, 3, 0)
        out += b"\x08" + struct.pack("<QIB", 0, 0x5, 25)
        out += b"\x03" + struct.pack("<Qfii", ms, -0.12, 352700000, 1394800000)
        for key, size in ((0x06, 18), (0x0A, 16), (0x0B, 16), (0x0C, 12), (0x0F, 16),
                          (0x10, 12), (0x01, 32), (0x07, 12), (0x0E, 16), (0x20, 13), (0x21, 52)):
            out += bytes([key]) + b"\x02" * size
    for t, la, lo in fixes():
        for k in range(rate_hz):
            ms = t * 1000 + k * 1000 // rate_hz
            out += b"\x02" + struct.pack("<Qiifffffff", ms, round(la * 1e7), round(lo * 1e7),
                                          2.5, 0.7, 1.0, 1.0, 0.0, 0.0, 0.0)
    return out + b"\xfe" + struct.pack("<H", len(out) % 65536)


def vcc(order=("dateTime", "heading", "speed", "latitude", "longitude"), zone="+09:00"):
    pts = []
    for t, la, lo in fixes():
        h, m, s = hms(t + 9 * 3600 if zone == "+09:00" else t)
        values = {"dateTime": "2024-05-12T%02d:%02d:%02d%s" % (h, m, s, zone), "heading": "58.27",
                  "speed": "5.55", "latitude": f"{la:.6f}", "longitude": f"{lo:.6f}"}
        pts.append("<Trackpoint " + " ".join(f'{k}="{values[k]}"' for k in order) + " />")
    return ('<?xml version="1.0" encoding="utf-8"?>\n<VelocitekControlCenter>\n'
            '<CapturedTrack name="x"><Trackpoints>\n' + "\n".join(pts) +
            "\n</Trackpoints></CapturedTrack></VelocitekControlCenter>\n").encode()


def pictures():
    """The sample race's photographs, each after a one-byte time-table
    switch: one with datetime.csv text before the JPEG, one without."""
    folder = os.path.join(os.path.dirname(__file__), "..", "sample", "pic", "enoshima-cup")
    out = []
    for n, name in enumerate(sorted(os.listdir(folder))):
        with open(os.path.join(folder, name), "rb") as f:
            jpeg = f.read()
        table = b"a.jpg,2024/05/12 11:10:00\r\nb.JPG,2024/05/12 11:20:00\r\n" if n % 2 else b""
        out.append(bytes([n % 2]) + table + jpeg)
    return out


# The fuzzers read at most 64 kB (-max_len in run-short.sh), so the long
# starting points fill just that: one small unit repeated, the shape that
# costs a reader one pass over the rest of the buffer per unit if it searches
# again from where it stood, then a valid log the reader must still reach.
LONG_BYTES = 65536


def long_input(unit, tail=b""):
    return unit * ((LONG_BYTES - len(tail)) // len(unit)) + tail


def unclosed_vcc():
    return "".join(
        '<Trackpoint dateTime="2024-05-12T%02d:%02d:%02dZ" latitude="%.6f" longitude="%.6f" speed="5.5" heading="58"\n'
        % (*hms(t), la, lo) for t, la, lo in fixes()).encode()


def long_table():
    """A time table whose rows name the target's pictures in other letter
    cases, and far more rows than the catalogue keeps."""
    rows = b"".join(b"%s,2024/05/12 11:%02d:00\r\n" % (name, k % 60)
                    for k, name in enumerate([b"A.JPG", b"b.jpg", b"MISSING.JPG"] * 800))
    return b"\x01" + rows[:rows.rfind(b"\n", 0, LONG_BYTES - 1) + 1]


def main():
    root = sys.argv[1]
    starts = {
        "fuzz_gpx": [gpx(), long_input(b"<trkpt </", gpx())],
        "fuzz_nmea": [nmea(), long_input(b",$GPRMC", b"\n" + nmea())],
        "fuzz_tline": [tline(1), tline(2), tline(3), long_input(b"T N3512.345 ", b"\r\n" + tline(2))],
        "fuzz_trb": [records(12)],
        "fuzz_trl": [records(16), records(20)],
        "fuzz_gdb": [scanned("long"), scanned("short")],
        "fuzz_mps": [scanned("long")],
        "fuzz_vkx": [vkx(), vkx(5, extras=False), long_input(b"\xff\x05" + b"\x11" * 6, vkx())],
        "fuzz_vcc": [vcc(), vcc(("longitude", "speed", "dateTime", "latitude", "heading"), "Z"),
                     long_input(b"<Trackpoint <Trackpoint/", unclosed_vcc())],
        "fuzz_picture_catalogue": pictures() + [long_table()],
    }
    for target, items in starts.items():
        os.makedirs(os.path.join(root, target), exist_ok=True)
        for n, data in enumerate(items):
            with open(os.path.join(root, target, f"start-{n}"), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()

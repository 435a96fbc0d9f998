"""Independent readers of the log formats, for checking the generator.

They follow the import rules of the browser as written down for each format
(patterns, offsets, record-size detection, coordinate texts), not the
generator's code, so a writer that drifts from the layout fails the tests.
Each returns a list of (utc_epoch, lat_deg, lon_deg).
"""

import calendar
import os
import re
import shutil
import struct
import subprocess
import tempfile


def _epoch(date_text, time_text):
    y, mo, d = (int(v) for v in date_text.replace("-", "/").split("/"))
    h, mi, s = (int(v) for v in time_text.split(":"))
    return calendar.timegm((y, mo, d, h, mi, s))


def split_fields(line, sep):
    """Field splitter of the race and log files: trimmed, empty -> "0"."""
    fields = []
    rest = line.strip()
    while True:
        p = rest.find(sep)
        if p < 0:
            fields.append(rest if rest else "0")
            return fields
        field = rest[:p].strip()
        fields.append(field if field else "0")
        rest = rest[p + len(sep):].strip()


def coordinate_minutes(text, form):
    """Hemisphere letter + number in form 1 (deg), 2 (deg+min), 3 (d m s)."""
    sign = -1.0 if text[:1] in ("S", "W") else 1.0
    num = text[1:]
    if form == 1:
        return sign * float(num) * 60.0
    dot = num.index(".")  # forms 2 and 3 need a decimal point
    if form == 2:
        return sign * (float(num[:dot - 2]) * 60.0 + float(num[dot - 2:]))
    sec = float(num[dot - 2:])
    mins = float(num[dot - 4:dot - 2])
    deg = float(num[:dot - 4])
    return sign * (deg * 60.0 + mins + sec / 60.0)


def read_gpx(data):
    text = data.decode("utf-8", "replace")
    out = []
    pos = 0
    while True:
        lt = text.find("<", pos)
        if lt < 0:
            return out
        head = text[lt + 1:lt + 6].lower()
        if "/gpx>" in head:
            return out
        pos = lt + 1
        if head != "trkpt":
            continue
        end = text.find("</trkpt>", lt)
        block = text[lt + 6:end if end >= 0 else len(text)].lower()
        pos = end if end >= 0 else len(text)
        if not ("lat" in block and "lon" in block and "time" in block):
            continue
        values = []
        for key in ("lat", "lon"):
            window = block[block.find(key):block.find(key) + 50]
            q1 = window.find('"')
            q2 = window.find('"', q1 + 1)
            values.append(float(window[q1 + 1:q2]))
        t = block[block.find("<time>") + 6:][:50]
        date, clock = t[:t.find("t")], t[t.find("t") + 1:t.find("t") + 9]
        out.append((_epoch(date, clock), values[0], values[1]))


def read_nmea(data):
    out = []
    for line in data.decode("ascii").splitlines():
        f = split_fields(line, ",")
        if "RMC" not in f[0].upper() or len(f) < 10:
            continue
        d = f[9]
        day, month, year = int(d[0:2]), int(d[2:4]), int(d[4:6])
        if not (day > 0 and month > 0 and year > 0):
            continue
        t = f[1]
        epoch = _epoch(f"20{d[4:6]}/{d[2:4]}/{d[0:2]}", f"{t[0:2]}:{t[2:4]}:{t[4:6]}")
        out.append((epoch, coordinate_minutes(f[4] + f[3], 2) / 60.0,
                    coordinate_minutes(f[6] + f[5], 2) / 60.0))
    return out


def read_tlines(data):
    out = []
    form = 2
    for line in data.decode("ascii").splitlines():
        if "DMS" in line:
            form = 3
        if "DEG" in line:
            form = 1
        f = split_fields(line, " ")
        if "T" not in f[0] or len(f) != 6:
            continue
        out.append((_epoch(f[3], f[4]), coordinate_minutes(f[1], form) / 60.0,
                    coordinate_minutes(f[2], form) / 60.0))
    return out


def read_trb(data):
    n = len(data) // 12
    return [struct.unpack_from("<iff", data, 12 * k) for k in range(n)]


def trl_record_size(data):
    t0, = struct.unpack_from("<i", data, 0)
    a, = struct.unpack_from("<i", data, 16)
    b, = struct.unpack_from("<i", data, 20)
    return 16 if abs(t0 - a) < abs(t0 - b) else 20


def read_trl(data):
    size = trl_record_size(data)
    n = round(len(data) / size)
    out = []
    for k in range(n):
        if (k + 1) * size > len(data):
            break
        out.append(struct.unpack_from("<iff", data, size * k))
    return out


def _semi(data, at):
    return struct.unpack_from("<i", data, at)[0] / 2.0 ** 31 * 180.0


def _scan(data, match):
    out = []
    if len(data) < 60:
        return out
    skip = 0
    for i in range(30, len(data) - 30 + 1):
        skip -= 1
        if skip >= 1:
            continue
        found = match(data, i)
        if found is None:
            continue
        lat_at, lon_at, time_at, length = found
        t, = struct.unpack_from("<i", data, time_at)
        if t > 0:
            out.append((t, _semi(data, lat_at), _semi(data, lon_at)))
        skip = length - 3
    return out


def _gdb_match(b, i):
    if b[i] == 1 and b[i - 10] == 0 and b[i - 9] == 0 and b[i + 9] == 1 and b[i + 14] == 0 and b[i + 15] == 0:
        return i - 8, i - 4, i + 10, 24
    if b[i - 1] == 0 and b[i] == 1 and b[i - 11] == 0 and b[i - 10] == 0 and b[i + 5] == 0 and b[i + 6] == 0:
        return i - 9, i - 5, i + 1, 16
    return None


def _mps_match(b, i):
    if b[i] in (0, 1) and b[i - 10] == 0 and b[i - 9] == 0 and b[i + 9] == 1 \
            and not any(b[i + 14:i + 23]):
        return i - 8, i - 4, i + 10, 24
    return None


def read_gdb(data):
    return _scan(data, _gdb_match)


def read_mps(data):
    return _scan(data, _mps_match)


# Payload bytes of every VKX row key; any other key cannot be stepped over.
VKX_SIZES = {0xFF: 7, 0xFE: 2, 0x02: 44, 0x03: 20, 0x04: 13, 0x05: 17, 0x06: 18, 0x08: 13,
             0x0A: 16, 0x0B: 16, 0x0C: 12, 0x0F: 16, 0x10: 12, 0x01: 32, 0x07: 12, 0x0E: 16,
             0x20: 13, 0x21: 52}


def vkx_rows(data):
    """(key, payload) of every whole row; stops at an unknown key."""
    pos = 0
    while pos < len(data):
        key = data[pos]
        size = VKX_SIZES.get(key)
        if size is None or pos + 1 + size > len(data):
            return
        yield key, data[pos + 1:pos + 1 + size]
        pos += 1 + size


def read_vkx(data):
    out = []
    last = None
    for key, p in vkx_rows(data):
        if key != 0x02:
            continue
        ms, lat, lon = struct.unpack_from("<Qii", p, 0)
        if ms // 1000 == last:
            continue
        last = ms // 1000
        out.append((ms // 1000, lat / 1e7, lon / 1e7))
    return out


_ATTR = re.compile(r'(\w+)\s*=\s*"([^"]*)"')


def read_vcc(data):
    out = []
    for m in re.finditer(r"<Trackpoint\s([^>]*)>", data.decode("utf-8")):
        a = dict(_ATTR.findall(m.group(1)))
        stamp = a["dateTime"]
        local = _epoch(stamp[:10], stamp[11:19])
        zone = stamp[19:]
        offset = 0 if zone in ("", "Z") else (int(zone[1:3]) * 3600 + int(zone[4:6]) * 60) * \
            (-1 if zone[0] == "-" else 1)
        out.append((local - offset, float(a["latitude"]), float(a["longitude"])))
    return out


def read_via_gpsbabel(fmt):
    """FIT and TCX through gpsbabel's GPX; None without gpsbabel."""
    def read(data):
        if not shutil.which("gpsbabel"):
            return None
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "in")
            with open(src, "wb") as f:
                f.write(data)
            gpx = subprocess.run(["gpsbabel", "-i", fmt, "-f", src, "-o", "gpx", "-F", "-"],
                                 check=True, capture_output=True).stdout
        return read_gpx(gpx)
    return read


READERS = {"gpx": read_gpx, "log": read_nmea, "dtr": read_tlines, "trk": read_tlines,
           "trb": read_trb, "trl": read_trl, "gdb": read_gdb, "mps": read_mps,
           "vkx": read_vkx, "vcc": read_vcc,
           "fit": read_via_gpsbabel("garmin_fit"), "tcx": read_via_gpsbabel("gtrnctr")}


def read_log(name, data):
    return READERS[name.rsplit(".", 1)[-1].lower()](data)

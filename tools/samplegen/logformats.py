"""Writers of the eight GPS log formats the browser imports.

Every writer takes a sequence of LogFix (UTC seconds since 1970, degrees,
speed and course over ground) and returns the file's bytes. The byte layouts
are the ones the browser's readers scan for:

- gpx  GPX 1.1, one <trkpt lat="..." lon="..."> per fix with a <time> child
       of the form YYYY-MM-DDThh:mm:ssZ.
- log  NMEA 0183: an RMC sentence per fix (ddmmyy date), GGA in between.
- dtr/trk  "T" lines: tag, latitude, longitude, date, time, one more field,
       separated by spaces; coordinates as hemisphere letter plus
       ddmm.mmmm, or decimal degrees after a DEG line, or ddmmss.ss after a
       DMS line.
- trb  12-byte records: int32 time, float32 latitude, float32 longitude.
- trl  16- or 20-byte records: the trb triple plus 4 or 8 further bytes.
- gdb  track points as a Garmin database stores them: 2^31 = 180 degrees
       integers, flagged altitude and time; long (24-byte) or short
       (16-byte, no altitude) points.
- mps  MapSource track points: 31-byte records ending in a flagged depth.

All binary numbers are little-endian.
"""

import struct
import time
from collections import namedtuple
from functools import reduce

LogFix = namedtuple("LogFix", "epoch lat lon sog_knots cog_deg")

_SEMICIRCLE = 2.0 ** 31 / 180.0


def _utc(epoch):
    return time.gmtime(epoch)


def _semicircles(deg):
    return int(round(deg * _SEMICIRCLE))


# ----------------------------------------------------------------- text ---

def write_gpx(fixes, track_name, creator="korvane samplegen", lean=False):
    """lean drops the elevation and a digit of the coordinates (a big log)."""
    digits = 6 if lean else 7
    ele = "" if lean else "<ele>0.0</ele>"
    out = ['<?xml version="1.0" encoding="UTF-8"?>\n'
           f'<gpx version="1.1" creator="{creator}" xmlns="http://www.topografix.com/GPX/1/1">\n'
           f'  <metadata>\n    <name>{track_name}</name>\n  </metadata>\n'
           f'  <trk>\n    <name>{track_name}</name>\n    <trkseg>\n']
    last_day = None
    day = ""
    for f in fixes:
        d, rem = divmod(f.epoch, 86400)
        if d != last_day:
            g = _utc(f.epoch)
            day = f"{g.tm_year:04d}-{g.tm_mon:02d}-{g.tm_mday:02d}"
            last_day = d
        h, rem = divmod(rem, 3600)
        m, s = divmod(rem, 60)
        out.append(f'      <trkpt lat="{f.lat:.{digits}f}" lon="{f.lon:.{digits}f}">{ele}'
                   f'<time>{day}T{h:02d}:{m:02d}:{s:02d}Z</time></trkpt>\n')
    out.append("    </trkseg>\n  </trk>\n</gpx>\n")
    return "".join(out).encode("utf-8")


def _nmea_checksum(body):
    return reduce(lambda a, b: a ^ b, body.encode("ascii"), 0)


def _dm(value, degree_digits):
    """ddmm.mmmm / dddmm.mmmm text of an absolute angle in degrees."""
    v = abs(value)
    deg = int(v)
    minutes = (v - deg) * 60.0
    if round(minutes, 4) >= 60.0:
        deg += 1
        minutes = 0.0
    return f"{deg:0{degree_digits}d}{minutes:07.4f}"


def write_nmea(fixes, talker="GP", with_gga=True):
    lines = []
    for f in fixes:
        g = _utc(f.epoch)
        hms = f"{g.tm_hour:02d}{g.tm_min:02d}{g.tm_sec:02d}.00"
        lat = _dm(f.lat, 2)
        lon = _dm(f.lon, 3)
        ns = "N" if f.lat >= 0 else "S"
        ew = "E" if f.lon >= 0 else "W"
        if with_gga:
            body = f"{talker}GGA,{hms},{lat},{ns},{lon},{ew},1,09,0.9,2.1,M,36.7,M,,"
            lines.append(f"${body}*{_nmea_checksum(body):02X}\r\n")
        date = f"{g.tm_mday:02d}{g.tm_mon:02d}{g.tm_year % 100:02d}"
        body = (f"{talker}RMC,{hms},A,{lat},{ns},{lon},{ew},"
                f"{f.sog_knots:.1f},{f.cog_deg:.1f},{date},7.1,W,A")
        lines.append(f"${body}*{_nmea_checksum(body):02X}\r\n")
    return "".join(lines).encode("ascii")


def _coord_text(value, positive, negative, form, degree_digits):
    letter = positive if value >= 0 else negative
    v = abs(value)
    if form == "DEG":
        return f"{letter}{v:.6f}"
    if form == "DM":
        return letter + _dm(v, degree_digits)
    # DMS: degrees, two-digit minutes, seconds with decimals.
    total = round(v * 3600.0, 2)
    deg = int(total // 3600)
    minutes = int((total - deg * 3600) // 60)
    seconds = total - deg * 3600 - minutes * 60
    return f"{letter}{deg:0{degree_digits}d}{minutes:02d}{seconds:05.2f}"


def write_tlines(fixes, form="DM", title="KORVANE SAMPLE LOG"):
    """ "T"-line log. form is DM (no switch line), DEG or DMS.

    The header lines are chosen so that none of them reads as a data line
    (not six fields with a T in the first) and only the intended switch line
    carries the letters DEG or DMS.
    """
    for switch in ("DEG", "DMS"):
        title = title.replace(switch, switch[0] + "." + switch[1:])
    header = [f"H  {title}", "H  R DATUM WGS84"]
    if form == "DEG":
        header.append("U  LAT LON DEG")
    elif form == "DMS":
        header.append("U  LAT LON DMS")
    header.append("H  LATITUDE    LONGITUDE    DATE       TIME     ALT")
    lines = [h + "\r\n" for h in header]
    for f in fixes:
        g = _utc(f.epoch)
        lat = _coord_text(f.lat, "N", "S", form, 2)
        lon = _coord_text(f.lon, "E", "W", form, 3)
        lines.append(f"T  {lat}  {lon}  {g.tm_year:04d}-{g.tm_mon:02d}-{g.tm_mday:02d}"
                     f"  {g.tm_hour:02d}:{g.tm_min:02d}:{g.tm_sec:02d}  0\r\n")
    return "".join(lines).encode("ascii")


# --------------------------------------------------------------- binary ---

def write_trb(fixes):
    pack = struct.Struct("<iff").pack
    return b"".join(pack(f.epoch, f.lat, f.lon) for f in fixes)


def write_trl(fixes, record_size=16):
    """16 bytes: time, lat, lon, speed (m/s); 20 bytes: ... speed, course."""
    if record_size == 16:
        pack = struct.Struct("<ifff").pack
        return b"".join(pack(f.epoch, f.lat, f.lon, f.sog_knots * 0.514444) for f in fixes)
    if record_size == 20:
        pack = struct.Struct("<iffff").pack
        return b"".join(pack(f.epoch, f.lat, f.lon, f.sog_knots * 0.514444, f.cog_deg) for f in fixes)
    raise ValueError("trl records are 16 or 20 bytes")


def _binary_header(magic, name):
    # The header ends in two zero bytes, which the first point's pattern
    # needs in front of its latitude. Letters only, so no byte of it can
    # pass for a flagged point.
    text = f"{magic} {name} ".encode("ascii", "replace")
    pad = (-len(text)) % 4
    return text + b"." * pad + b"KORVANE.SAMPLE\x00\x00"


def write_gdb(fixes, name="TRACK", short_points=False):
    """Garmin database track: points without altitude when short_points."""
    body = bytearray(_binary_header("GDB", name))
    if short_points:
        pack = struct.Struct("<iiBBiBB").pack
        for f in fixes:
            body += pack(_semicircles(f.lat), _semicircles(f.lon), 0, 1, f.epoch, 0, 0)
    else:
        pack = struct.Struct("<iiBdBiBB").pack
        for f in fixes:
            body += pack(_semicircles(f.lat), _semicircles(f.lon), 1, 0.0, 1, f.epoch, 0, 0)
    body += b"\x00" * 8 + b"END OF TRACK DATA...." + b"\x00" * 8
    return bytes(body)


def write_mps(fixes, name="TRACK"):
    body = bytearray(_binary_header("MPS", name))
    pack = struct.Struct("<iiBdBiBd").pack
    for f in fixes:
        body += pack(_semicircles(f.lat), _semicircles(f.lon), 1, 0.0, 1, f.epoch, 0, 0.0)
    body += b"END OF TRACK DATA...." + b"\x00" * 12
    return bytes(body)


WRITERS = {
    "gpx": lambda fixes, name: write_gpx(fixes, name),
    "log": lambda fixes, name: write_nmea(fixes),
    "dtr": lambda fixes, name: write_tlines(fixes, "DM", name.upper()),
    "trk": lambda fixes, name: write_tlines(fixes, "DM", name.upper()),
    "trb": lambda fixes, name: write_trb(fixes),
    "trl": lambda fixes, name: write_trl(fixes, 16),
    "gdb": lambda fixes, name: write_gdb(fixes, name),
    "mps": lambda fixes, name: write_mps(fixes, name),
}

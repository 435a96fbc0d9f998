"""Race files and wind files as race officers write them.

Race files are lines of comma-separated fields led by a keyword. The demo
race is written in CP932 with CR LF line ends, as a Japanese race office's
Windows machine would; other races may be UTF-8. Positions are minutes of
arc (degrees x 60, south and west negative).
"""

import calendar
import time


def minutes(deg):
    return f"{deg * 60.0:.4f}"


def local_text(epoch, tz_hours):
    """'YYYY/MM/DD hh:mm:ss' of a UTC instant in the venue's local time."""
    g = time.gmtime(epoch + tz_hours * 3600)
    return f"{g.tm_year:04d}/{g.tm_mon:02d}/{g.tm_mday:02d} {g.tm_hour:02d}:{g.tm_min:02d}:{g.tm_sec:02d}"


def utc_epoch(year, month, day, hour, minute, second, tz_hours):
    """UTC seconds since 1970 of a local wall-clock time at the venue."""
    return calendar.timegm((year, month, day, hour, minute, second)) - tz_hours * 3600


class RaceFile:
    """Collects the lines of one race file in the order they are added."""

    def __init__(self):
        self.lines = []

    def comment(self, text):
        self.lines.append(f"// {text}")

    def add(self, keyword, *fields):
        self.lines.append(",".join([keyword] + [str(f) for f in fields]))

    def mark(self, lat_deg, lon_deg, note=None):
        line = f"MK,{minutes(lat_deg)},{minutes(lon_deg)}"
        self.lines.append(line + (f" // {note}" if note else ""))

    def line(self, end1, end2, note=None):
        (lat1, lon1), (lat2, lon2) = end1, end2
        text = f"LN,{minutes(lat1)},{minutes(lon1)},{minutes(lat2)},{minutes(lon2)}"
        self.lines.append(text + (f" // {note}" if note else ""))

    def encode(self, encoding="cp932", newline="\r\n"):
        return (newline.join(self.lines) + newline).encode(encoding)


def wind_file(samples, tz_hours, newline="\r\n"):
    """Wind log: a header line, then local date-time, TWS (knots), TWD.

    samples: (utc_epoch, tws_knots, twd_deg) with the direction as the
    browser stores it (it adds the magnetic variation back for display).
    """
    lines = ["DATE TIME, TWS,TWD"]
    for epoch, tws, twd in samples:
        lines.append(f"{local_text(epoch, tz_hours)},{tws:.1f},{int(round(twd)) % 360}")
    return (newline.join(lines) + newline).encode("ascii")

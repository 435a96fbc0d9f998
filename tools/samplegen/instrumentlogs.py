"""Writers of the racing instruments' logs: Vakaros VKX and Velocitek VCC.

Both take LogFix values (UTC seconds since 1970, degrees, speed and course
over ground) like the writers in logformats.py.

- vkx  rows of a key byte and a little-endian payload whose size the key
       fixes: pages of about 2 kB (a 0xFF header with the format version,
       a 0xFE terminator with the page's length), position rows (0x02: ms
       time, 1e-7 degree integers, speed m/s, course radians, altitude,
       orientation quaternion), the race timer (0x04), the start line's
       ends (0x05), and the rows an instrument writes besides (device
       configuration, declination, apparent wind, temperature, internal
       rows).
- vcc  XML: Trackpoint elements with dateTime (local time with its UTC
       offset), heading, speed (knots), latitude and longitude.
"""

import math
import struct
import time

VKX_VERSION = 0x05       # format 1.4
PAGE_BYTES = 2048

TIMER_RESET, TIMER_START, TIMER_SYNC, RACE_START, RACE_END = range(5)
PIN_END, BOAT_END = 0, 1


def _e7(deg):
    """The integer of 1e-7 degrees a 7-decimal text of the angle shows, so
    a VKX position is the very number a GPX log of the same fix holds."""
    return int(f"{deg:.7f}".replace(".", ""))


def _position(f):
    return b"\x02" + struct.pack("<Qiifffffff", f.epoch * 1000, _e7(f.lat), _e7(f.lon),
                                 f.sog_knots * 1852.0 / 3600.0, math.radians(f.cog_deg),
                                 0.0, 1.0, 0.0, 0.0, 0.0)


class _Pages:
    """Rows grouped into pages of about PAGE_BYTES."""

    def __init__(self):
        self.out = bytearray()
        self.page_start = None

    def add(self, row):
        if self.page_start is None:
            self.page_start = len(self.out)
            self.out += bytes([0xFF, VKX_VERSION]) + b"\x00\x01\x00\x00\x00\x00"
        self.out += row
        if len(self.out) - self.page_start >= PAGE_BYTES:
            self.end()

    def end(self):
        if self.page_start is not None:
            self.out += b"\xfe" + struct.pack("<H", len(self.out) - self.page_start)
            self.page_start = None


def write_vkx(fixes, timer=(), line_ends=()):
    """timer: (epoch_ms, event, timer seconds); line_ends: (epoch_ms, end,
    lat, lon). Besides the fixes, every 10 s an apparent wind row, every
    minute a temperature row and an internal row."""
    pages = _Pages()
    pages.add(b"\x08" + struct.pack("<QIB", 0, 0x00000005, 1))
    if fixes:
        f = fixes[0]
        pages.add(b"\x03" + struct.pack("<Qfii", f.epoch * 1000, math.radians(-7.2),
                                        _e7(f.lat), _e7(f.lon)))
    extras = sorted([(ms, b"\x04" + struct.pack("<QBi", ms, event, value))
                     for ms, event, value in timer] +
                    [(ms, b"\x05" + struct.pack("<QBff", ms, end, lat, lon))
                     for ms, end, lat, lon in line_ends])
    k = 0
    for f in fixes:
        ms = f.epoch * 1000
        while k < len(extras) and extras[k][0] <= ms:
            pages.add(extras[k][1])
            k += 1
        pages.add(_position(f))
        if f.epoch % 10 == 0:
            pages.add(b"\x0a" + struct.pack("<Qff", ms + 100, 35.0, 5.5))
        if f.epoch % 60 == 0:
            pages.add(b"\x10" + struct.pack("<Qf", ms + 200, 21.5))
            pages.add(b"\x01" + bytes(range(32)))
    for _, row in extras[k:]:
        pages.add(row)
    pages.end()
    return bytes(pages.out)


def _local_iso(epoch, tz_hours):
    g = time.gmtime(epoch + tz_hours * 3600)
    sign = "+" if tz_hours >= 0 else "-"
    return (f"{g.tm_year:04d}-{g.tm_mon:02d}-{g.tm_mday:02d}T{g.tm_hour:02d}:{g.tm_min:02d}:"
            f"{g.tm_sec:02d}{sign}{abs(tz_hours):02d}:00")


def _decimal(value, digits):
    return repr(value) if digits is None else f"{value:.{digits}f}"


def write_vcc(fixes, name, tz_hours, digits=7):
    """digits: decimals of latitude and longitude; None writes the shortest
    text that reads back as the very double."""
    out = ['<?xml version="1.0" encoding="utf-8"?>\r\n',
           '<VelocitekControlCenter xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" '
           'createdOn="korvane samplegen" version="1.0">\r\n']
    if fixes:
        out.append(f'  <CapturedTrack name="{name}" downloadedOn="{_local_iso(fixes[-1].epoch, tz_hours)}" '
                   f'numberTrkpts="{len(fixes)}">\r\n')
        lats = [f.lat for f in fixes]
        lons = [f.lon for f in fixes]
        out.append(f'    <MinLatitude>{min(lats):.6f}</MinLatitude>\r\n'
                   f'    <MaxLatitude>{max(lats):.6f}</MaxLatitude>\r\n'
                   f'    <MinLongitude>{min(lons):.6f}</MinLongitude>\r\n'
                   f'    <MaxLongitude>{max(lons):.6f}</MaxLongitude>\r\n')
    out.append('    <DeviceInfo ftdiSerialNumber="VT000042" />\r\n'
               f'    <SailorInfo firstName="" lastName="" yachtClub="" />\r\n'
               f'    <BoatInfo boatName="{name}" sailNumber="" sailSize="" />\r\n'
               '    <Trackpoints>\r\n')
    for f in fixes:
        out.append(f'      <Trackpoint dateTime="{_local_iso(f.epoch, tz_hours)}" '
                   f'heading="{f.cog_deg:.2f}" speed="{f.sog_knots:.2f}" '
                   f'latitude="{_decimal(f.lat, digits)}" longitude="{_decimal(f.lon, digits)}" />\r\n')
    out.append("    </Trackpoints>\r\n  </CapturedTrack>\r\n</VelocitekControlCenter>\r\n")
    return "".join(out).encode("utf-8")

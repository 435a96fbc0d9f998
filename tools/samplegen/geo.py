"""Flat local frame around a race area.

Sailing simulation works in metres east (x) and north (y) of an origin; the
log writers want degrees. Over a few kilometres an equirectangular frame is
exact enough (well under a metre), and it is the same approximation the
browser makes with its cosine-of-latitude scale.
"""

import math

METRES_PER_MINUTE = 1852.0


class LocalFrame:
    """Converts between metres (x east, y north) and degrees around an origin."""

    def __init__(self, lat_deg, lon_deg):
        self.lat0 = lat_deg
        self.lon0 = lon_deg
        self._m_per_deg_lat = METRES_PER_MINUTE * 60.0
        self._m_per_deg_lon = METRES_PER_MINUTE * 60.0 * math.cos(math.radians(lat_deg))

    def to_degrees(self, x, y):
        return (self.lat0 + y / self._m_per_deg_lat, self.lon0 + x / self._m_per_deg_lon)

    def to_metres(self, lat_deg, lon_deg):
        return ((lon_deg - self.lon0) * self._m_per_deg_lon, (lat_deg - self.lat0) * self._m_per_deg_lat)


def unit(bearing_deg):
    """Unit vector (east, north) pointing along a compass bearing."""
    r = math.radians(bearing_deg)
    return math.sin(r), math.cos(r)


def bearing(dx, dy):
    """Compass bearing of the vector (east, north), 0 <= b < 360."""
    return math.degrees(math.atan2(dx, dy)) % 360.0


def wrap180(angle_deg):
    """Folds an angle into (-180, 180]."""
    a = math.fmod(angle_deg, 360.0)
    if a > 180.0:
        a -= 360.0
    elif a <= -180.0:
        a += 360.0
    return a

"""True wind over the race area as a function of time.

A sea breeze off Enoshima typically fills from the south-south-west, builds
through the early afternoon and oscillates by several degrees with a period
of ten to twenty minutes while slowly veering. The model is uniform in space:
every boat sees the same wind at the same instant, which keeps the fleet's
decisions comparable and the wind file an exact record of what they sailed in.
"""

import math


class Breeze:
    """A shifting, building breeze; times are race seconds (0 = the gun)."""

    def __init__(self, mean_from_deg, start_knots, end_knots, build_seconds,
                 swing_deg=7.0, swing_period_s=840.0, veer_deg_per_hour=6.0, phase=0.3):
        self.mean_from = mean_from_deg
        self.start_knots = start_knots
        self.end_knots = end_knots
        self.build_seconds = build_seconds
        self.swing = swing_deg
        self.period = swing_period_s
        self.veer = veer_deg_per_hour
        self.phase = phase

    def direction(self, t):
        """Direction the true wind blows from, degrees."""
        osc = self.swing * math.sin(2.0 * math.pi * t / self.period + self.phase)
        # A second, shorter wobble so the shifts are not a clean sine.
        osc += 0.35 * self.swing * math.sin(2.0 * math.pi * t / (self.period * 0.37) + 1.7)
        return (self.mean_from + osc + self.veer * t / 3600.0) % 360.0

    def speed(self, t):
        """True wind speed, knots."""
        f = min(max(t / self.build_seconds, 0.0), 1.0) if self.build_seconds > 0 else 1.0
        base = self.start_knots + (self.end_knots - self.start_knots) * (3.0 * f * f - 2.0 * f * f * f)
        gust = 0.6 * math.sin(2.0 * math.pi * t / 310.0 + 0.8) + 0.4 * math.sin(2.0 * math.pi * t / 97.0)
        return max(base + gust, 1.0)

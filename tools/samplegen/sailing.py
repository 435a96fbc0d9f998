"""A small sailing simulator: one boat's day on a windward-leeward course.

It is not a velocity-prediction program; it only has to produce tracks that a
sailor recognises. A boat circles behind the start line, times its run so it
crosses a few seconds after the gun on starboard, beats upwind 40-45 degrees
off the wind tacking on shifts and laylines, rounds marks to port, runs
downwind gybing, crosses the finish line and sails on a little. Skill enters
through boat speed, pointing angle, how keenly a shift is tacked on and how
late the start is, so results differ from boat to boat.

Times are race seconds (0 = the gun); positions are metres in a LocalFrame.
"""

import math
from dataclasses import dataclass, field

from geo import bearing, unit, wrap180

KNOT = 1852.0 / 3600.0  # metres per second


@dataclass
class BoatProfile:
    """What makes one boat sail differently from another."""

    name: str
    up_knots: float            # close-hauled speed in 10 knots of wind
    down_knots: float          # speed at the best downwind angle in 10 knots
    tack_angle: float = 42.0   # degrees off the true wind when beating
    gybe_angle: float = 30.0   # degrees off dead downwind when running
    shift_threshold: float = 0.15  # VMG gain that makes the crew tack or gybe
    start_line_fraction: float = 0.5  # where along the start line it crosses
    start_delay_s: float = 5.0     # seconds after the gun it crosses
    log_start_s: int = -1200       # first recorded second (race seconds)
    post_finish_s: int = 240       # how long the log runs on after finishing
    retire_at_s: float = None      # set to make the boat give up the race


@dataclass
class Course:
    """Marks and lines in metres, and the order they are sailed."""

    start_line: tuple              # ((x1, y1), (x2, y2))
    finish_line: tuple
    marks: dict                    # name -> (x, y)
    order: list                    # mark names between start and finish
    rounding_offsets: dict         # name -> (dx, dy): where a boat aims
    home: tuple = (0.0, 3000.0)    # where boats head once done racing


@dataclass
class Fix:
    t: int
    x: float
    y: float
    sog_knots: float
    cog_deg: float


@dataclass
class SailedTrack:
    profile: BoatProfile
    fixes: list = field(default_factory=list)  # Fix per second of the log
    finish_s: float = None                      # race seconds at the finish line
    mark_times: list = field(default_factory=list)
    # Race seconds at which the bow passed head to wind ("tack") or dead
    # downwind ("gybe") while racing, and the racing span they cover.
    crossings: list = field(default_factory=list)
    racing_from_s: float = None
    racing_to_s: float = None


def _polar(twa, tws, profile):
    """Target speed in knots at a true wind angle (0..180) and wind speed."""
    g = min(max((tws / 10.0) ** 0.45, 0.45), 1.18)
    ta = profile.tack_angle
    run = 180.0 - profile.gybe_angle
    reach = 1.18 * profile.up_knots
    if twa < ta:
        k = max((twa - 15.0) / (ta - 15.0), 0.05)
        s = profile.up_knots * k
    elif twa < 90.0:
        s = profile.up_knots + (reach - profile.up_knots) * (twa - ta) / (90.0 - ta)
    elif twa < run:
        s = reach + (profile.down_knots - reach) * (twa - 90.0) / (run - 90.0)
    else:
        s = profile.down_knots * (1.0 - 0.012 * (twa - run))
    return s * g


def _segments_cross(p1, p2, a, b):
    """True when segment p1-p2 crosses segment a-b."""
    def side(p, q, r):
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
    d1 = side(a, b, p1)
    d2 = side(a, b, p2)
    d3 = side(p1, p2, a)
    d4 = side(p1, p2, b)
    return d1 * d2 < 0 and d3 * d4 < 0


def _midpoint(line):
    (x1, y1), (x2, y2) = line
    return (x1 + x2) / 2.0, (y1 + y2) / 2.0


class _Sailor:
    """Per-second state of one boat while racing."""

    def __init__(self, profile, course, wind, rng, x, y, heading, speed, t):
        self.profile = profile
        self.course = course
        self.wind = wind
        self.rng = rng
        self.x, self.y = x, y
        self.heading = heading
        self.speed = speed
        self.t = t
        self.side = 1            # +1 wind over starboard, -1 over port
        self.last_turn_t = t
        self.speed_noise = 0.0
        self.leg = 0             # index into course.order; len(order) = finish leg
        self.mode = "racing"     # racing, done
        self.cruise_knots = 4.0  # speed once done racing
        self.circle_dir = 1 if rng.random() < 0.5 else -1
        self.crossings = []      # (race seconds, "tack" or "gybe")

    def target(self):
        if self.leg < len(self.course.order):
            name = self.course.order[self.leg]
            mx, my = self.course.marks[name]
            ox, oy = self.course.rounding_offsets.get(name, (0.0, 0.0))
            return mx + ox, my + oy
        return _midpoint(self.course.finish_line)

    def _tack_heading(self, wf, side, upwind):
        if upwind:
            return (wf - side * self.profile.tack_angle) % 360.0
        return (wf + 180.0 + side * self.profile.gybe_angle) % 360.0

    def _fetches(self, rel, side, upwind, slack=0.0):
        ta, ga = self.profile.tack_angle, self.profile.gybe_angle
        # The mark lies on the far side of this tack's heading from the wind:
        # no more turns are needed to reach it.
        if upwind:
            return -side * rel >= ta - slack
        return 60.0 <= -side * rel <= 180.0 - ga

    def desired_heading(self, wf):
        tx, ty = self.target()
        dx, dy = tx - self.x, ty - self.y
        dist = math.hypot(dx, dy)
        brg = bearing(dx, dy)
        rel = wrap180(brg - wf)
        if 60.0 <= abs(rel) <= 140.0 or dist < 12.0:
            # Close reach to broad reach: sail straight at it.
            self.side = -1 if rel > 0 else 1
            return brg, dist
        upwind = abs(rel) < 60.0
        # A crew pinches a few degrees rather than put in two more tacks.
        slack = 5.0 if upwind and dist < 500.0 else 0.0
        if self._fetches(rel, self.side, upwind, slack):
            return brg, dist
        other = -self.side
        if self._fetches(rel, other, upwind):
            self._turn_to(other)
            return brg, dist
        since = self.t - self.last_turn_t
        if since >= 40:
            cur = math.cos(math.radians(self._tack_heading(wf, self.side, upwind) - brg))
            alt = math.cos(math.radians(self._tack_heading(wf, other, upwind) - brg))
            threshold = self.profile.shift_threshold * (1.0 + 0.5 * self.rng.random())
            # Close to the mark a new tack must pay more, or boats dither.
            if dist < 250.0:
                threshold += 0.25
            hazard = 1.0 / 260.0 if dist > 400.0 else 0.0
            if alt - cur > threshold or self.rng.random() < hazard:
                self._turn_to(other)
        return self._tack_heading(wf, self.side, upwind), dist

    def _note_crossing(self, before, after, dt):
        """Records the moment the bow passes the wind's eye or dead downwind
        during this step (the heading turns evenly within it)."""
        for mark, kind in ((0.0, "tack"), (180.0, "gybe"), (-180.0, "gybe")):
            if (before - mark) * (after - mark) < 0:
                f = (mark - before) / (after - before)
                self.crossings.append((self.t + f * dt, kind))

    def _turn_to(self, side):
        self.side = side
        self.last_turn_t = self.t

    def step(self, dt=1.0):
        """Advances one second; returns an event name or None."""
        wf = self.wind.direction(self.t)
        tws = self.wind.speed(self.t)
        event = None
        if self.mode == "racing":
            want, _ = self.desired_heading(wf)
        else:
            want = self._cruise_heading()
        err = wrap180(want - self.heading)
        rate = 7.0 if self.mode == "racing" else 4.0
        turn = max(-rate * dt, min(rate * dt, err))
        before = wrap180(self.heading - wf)
        self.heading = (self.heading + turn) % 360.0
        if self.mode == "racing":
            self._note_crossing(before, before + turn, dt)
        twa = abs(wrap180(wf - self.heading))
        target = _polar(twa, tws, self.profile)
        if self.mode != "racing":
            target = min(target, self.cruise_knots)
        elif abs(err) > 25.0:
            target *= 0.6  # tacking or gybing bleeds speed
        self.speed_noise = 0.985 * self.speed_noise + self.rng.gauss(0.0, 0.005)
        target *= 1.0 + self.speed_noise
        self.speed += (target - self.speed) * min(dt / 7.0, 1.0)
        v = self.speed * KNOT
        hx, hy = unit(self.heading)
        px, py = self.x, self.y
        self.x += v * hx * dt
        self.y += v * hy * dt
        self.t += dt
        if self.mode == "racing":
            event = self._check_progress((px, py))
        return event

    def _check_progress(self, prev):
        if self.leg < len(self.course.order):
            tx, ty = self.target()
            dx, dy = tx - self.x, ty - self.y
            dist = math.hypot(dx, dy)
            # Rounded once the aim point is close or already abeam or astern:
            # a boat cannot turn tighter than a few lengths, and must not
            # circle the mark hunting for the exact point.
            behind = abs(wrap180(bearing(dx, dy) - self.heading)) > 95.0
            if dist < 15.0 or (dist < 60.0 and behind):
                self.leg += 1
                self.last_turn_t = self.t - 30  # the rounding counts as a turn
                return "mark"
            return None
        a, b = self.course.finish_line
        if _segments_cross(prev, (self.x, self.y), a, b):
            return "finish"
        return None

    def _cruise_heading(self):
        hx, hy = self.course.home
        dx, dy = hx - self.x, hy - self.y
        if math.hypot(dx, dy) > 250.0:
            return bearing(dx, dy)
        # Arrived: potter about in a slow circle, sails eased.
        self.cruise_knots = 2.5
        return (self.heading + self.circle_dir * 3.0) % 360.0


def _prestart(profile, wind, rng, t_cross, cross_point, approach_s, approach_knots):
    """Positions from log start up to the start of the final run at the line.

    The boat loops behind the line on an ellipse that ends exactly where the
    final close-hauled run begins, so the path is continuous. Earlier loops
    are wider: boats sail further away while waiting for the sequence.
    """
    wf0 = wind.direction(t_cross)
    h0 = (wf0 - profile.tack_angle) % 360.0
    ux, uy = unit(h0)
    run_m = approach_knots * KNOT * approach_s
    ax, ay = cross_point[0] - ux * run_m, cross_point[1] - uy * run_m
    t_a = t_cross - approach_s
    mean_from = wind.mean_from
    lx, ly = unit(mean_from - 90.0)     # along the line, to the left looking upwind
    dx_, dy_ = unit(mean_from + 180.0)  # downwind
    a0 = 70.0 + 40.0 * rng.random()
    b0 = 35.0 + 20.0 * rng.random()
    period = 170.0 + 60.0 * rng.random()
    omega = 2.0 * math.pi / period
    out = []
    for t in range(profile.log_start_s, int(math.floor(t_a)) + 1):
        early = min(max((t_a - t) / 600.0 - 0.3, 0.0), 1.0)
        a = a0 * (1.0 + 0.8 * early)
        b = b0 * (1.0 + 1.2 * early)
        phi = omega * (t - t_a)
        s = math.sin(phi)
        c = 1.0 - math.cos(phi)
        out.append((t, ax + a * s * lx + b * c * dx_, ay + a * s * ly + b * c * dy_))
    # The run in to the line.
    t = int(math.floor(t_a)) + 1
    while t < t_cross:
        k = (t - t_a) * approach_knots * KNOT
        out.append((t, ax + ux * k, ay + uy * k))
        t += 1
    return out, h0


def sail(profile, course, wind, rng, log_end_limit_s):
    """Simulates one boat; returns a SailedTrack with one fix per second."""
    track = SailedTrack(profile)
    t_cross = profile.start_delay_s
    (x1, y1), (x2, y2) = course.start_line
    f = profile.start_line_fraction
    cross_point = (x1 + (x2 - x1) * f, y1 + (y2 - y1) * f)
    approach_s = 45.0 + 25.0 * rng.random()
    approach_knots = 0.8 * _polar(profile.tack_angle, wind.speed(0.0), profile)
    pre, h0 = _prestart(profile, wind, rng, t_cross, cross_point, approach_s, approach_knots)
    points = [(t, x, y) for (t, x, y) in pre]
    # Hand over to the sailor exactly at the line.
    t_first = points[-1][0] + 1 if points else int(math.ceil(t_cross))
    lead = t_first - t_cross
    hx, hy = unit(h0)
    v = approach_knots * KNOT
    sailor = _Sailor(profile, course, wind, rng,
                     cross_point[0] + hx * v * lead, cross_point[1] + hy * v * lead,
                     h0, approach_knots, t_first)
    end_t = log_end_limit_s
    track.racing_from_s = sailor.t
    while sailor.t <= end_t:
        points.append((int(round(sailor.t)), sailor.x, sailor.y))
        if profile.retire_at_s is not None and sailor.mode == "racing" and sailor.t >= profile.retire_at_s:
            track.racing_to_s = sailor.t
            sailor.mode = "done"
            sailor.cruise_knots = 4.5
            end_t = min(end_t, sailor.t + profile.post_finish_s)
        event = sailor.step()
        if event == "mark":
            track.mark_times.append(sailor.t)
        elif event == "finish":
            track.finish_s = sailor.t
            track.racing_to_s = sailor.t
            sailor.mode = "done"
            sailor.cruise_knots = 3.5
            end_t = min(end_t, sailor.t + profile.post_finish_s)
    if track.racing_to_s is None:
        track.racing_to_s = sailor.t
    track.crossings = sailor.crossings
    track.fixes = _with_motion(points, rng)
    return track


def _with_motion(points, rng):
    """Adds GPS noise and the logger's speed and course over ground."""
    fixes = []
    nx = ny = 0.0
    n = len(points)
    for i, (t, x, y) in enumerate(points):
        j0 = max(i - 1, 0)
        j1 = min(i + 1, n - 1)
        dt = points[j1][0] - points[j0][0]
        if dt > 0:
            vx = (points[j1][1] - points[j0][1]) / dt
            vy = (points[j1][2] - points[j0][2]) / dt
        else:
            vx = vy = 0.0
        sog = math.hypot(vx, vy) / KNOT
        cog = bearing(vx, vy) if sog > 0.05 else 0.0
        nx = 0.94 * nx + rng.gauss(0.0, 0.35)
        ny = 0.94 * ny + rng.gauss(0.0, 0.35)
        fixes.append(Fix(t, x + nx + rng.gauss(0.0, 0.25), y + ny + rng.gauss(0.0, 0.25),
                         max(sog + rng.gauss(0.0, 0.08), 0.0), cog))
    return fixes

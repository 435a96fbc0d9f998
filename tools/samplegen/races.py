"""The sample races: the demo race, a corrected-time race and the large
benchmark race off Enoshima, plus the real Valencia race.

Each builder returns {relative path: bytes} for a data root, so the caller
decides where it lands (sample/ in the tree, or a scratch folder).
"""

import math
import random
from dataclasses import dataclass

import converted
import instrumentlogs
import logformats
from geo import LocalFrame, unit
from racefiles import RaceFile, local_text, utc_epoch, wind_file
from sailing import BoatProfile, Course, sail
from wind import Breeze


@dataclass
class Entry:
    """A boat as the race file lists it, and how its log is written."""

    profile: BoatProfile
    log_file: str
    bn_name: str              # BN field 2 (a "^^" suffix gives the length)
    interval_s: int = 2       # seconds between logged fixes
    tcf: str = ""             # BN field 3
    flags: int = None         # BN field 5: 1 hidden, 2 never finishes
    writer: object = None     # fixes, name -> bytes; default by extension


def windward_leeward(mean_from, leg_m, line_m, laps=1, leeward_below_m=250.0,
                     finish_below_m=120.0, finish_right_m=260.0, finish_m=140.0):
    """Start line centred on the origin, square to the mean wind.

    Returns the Course in metres and the mark names in race-file order:
    MK1 windward, MK2 leeward; the finish line sits downwind of the start
    line and to starboard of it (looking upwind), clear of the start area.
    """
    ux, uy = unit(mean_from)             # towards the wind
    rx, ry = unit(mean_from + 90.0)      # right, looking upwind
    half = line_m / 2.0
    # First end is the committee boat (starboard end), second the pin.
    start = ((rx * half, ry * half), (-rx * half, -ry * half))
    windward = (ux * leg_m, uy * leg_m)
    leeward = (-ux * leeward_below_m, -uy * leeward_below_m)
    fcx = -ux * finish_below_m + rx * finish_right_m
    fcy = -uy * finish_below_m + ry * finish_right_m
    fh = finish_m / 2.0
    finish = ((fcx + rx * fh, fcy + ry * fh), (fcx - rx * fh, fcy - ry * fh))
    order = ["MK1"]
    for _ in range(laps):
        order += ["MK2", "MK1"]
    # Rounding to port: pass the windward mark on its starboard side coming
    # upwind, the leeward mark on its port side (seen looking upwind).
    offsets = {"MK1": (rx * 14.0, ry * 14.0), "MK2": (-rx * 14.0, -ry * 14.0)}
    course = Course(start_line=start, finish_line=finish,
                    marks={"MK1": windward, "MK2": leeward},
                    order=order, rounding_offsets=offsets)
    return course


def _log_fixes(track, frame, gun_epoch, interval_s):
    out = []
    first = track.fixes[0].t if track.fixes else 0
    for f in track.fixes:
        if (f.t - first) % interval_s:
            continue
        lat, lon = frame.to_degrees(f.x, f.y)
        out.append(logformats.LogFix(gun_epoch + f.t, lat, lon, f.sog_knots, f.cog_deg))
    return out


def _write_log(entry, fixes):
    if entry.writer is not None:
        return entry.writer(fixes, entry.profile.name)
    ext = entry.log_file.rsplit(".", 1)[-1].lower()
    return logformats.WRITERS[ext](fixes, entry.profile.name)


def _sail_race_files(entries, course, breeze, fleet_key, gun, frame, tz, wind_name):
    """Sails a fleet round the course and returns its logs and wind file
    (as {path: bytes}), the finish limit of the race and the sailed tracks."""
    tracks = _sail_fleet(entries, course, breeze, fleet_key=fleet_key, log_end_limit_s=3 * 3600)
    finish_epoch = _finish_limit(tracks, gun)
    files = {}
    for e, tr in zip(entries, tracks):
        files["gpsdat/" + e.log_file] = _write_log(e, _log_fixes(tr, frame, gun, e.interval_s))
    files["winddat/" + wind_name] = wind_file(
        _wind_samples(breeze, gun, -600, finish_epoch - gun + 300, 60, ENOSHIMA_VARIATION), tz)
    return files, finish_epoch, tracks


def _sail_fleet(entries, course, breeze, fleet_key, log_end_limit_s):
    tracks = []
    for n, e in enumerate(entries):
        rng = random.Random(fleet_key * 1000 + n)
        tracks.append(sail(e.profile, course, breeze, rng, log_end_limit_s))
    return tracks


def _wind_samples(breeze, gun_epoch, first_s, last_s, step_s, variation):
    """The breeze as logged by the committee boat, every step_s seconds."""
    out = []
    for t in range(first_s, last_s + 1, step_s):
        out.append((gun_epoch + t, breeze.speed(t), breeze.direction(t) - variation))
    return out


def _finish_limit(tracks, gun_epoch, margin_s=600):
    """Finish time for the race file: last finisher plus a margin, to 5 min."""
    last = max((t.finish_s for t in tracks if t.finish_s is not None), default=3600)
    return gun_epoch + int(math.ceil((last + margin_s) / 300.0) * 300)


def _maneuver_file(entries, tracks):
    """What the simulation knows of every boat's race, for checking the
    browser's maneuver detection: one row per event, race seconds.

    start / end: the span the boat raced (from the line to the finish or its
    retirement); tack / gybe: the bow passed head to wind / dead downwind;
    mark: the boat reached a mark's rounding point and turned to the next.
    """
    rows = ["log,time,event"]
    for e, tr in zip(entries, tracks):
        events = [(tr.racing_from_s, "start"), (tr.racing_to_s, "end")]
        events += [(t, "mark") for t in tr.mark_times]
        events += tr.crossings
        for t, kind in sorted(events):
            rows.append(f"{e.log_file},{t:.1f},{kind}")
    return ("\n".join(rows) + "\n").encode("ascii")


def _add_boats(rf, entries):
    for e in entries:
        fields = [e.log_file, e.bn_name]
        if e.tcf or e.flags is not None:
            fields.append(e.tcf or "0")
        if e.flags is not None:
            fields += ["0", str(e.flags)]
        rf.add("BN", *fields)


# ------------------------------------------------------------- the demo ---

ENOSHIMA_VARIATION = -7.0   # magnetic variation in Sagami Bay, degrees east


def _profile(name, klass, rng, **kw):
    up, down = klass
    skill = kw.pop("skill")
    # Better crews sail a little faster, point higher, and tack on smaller
    # shifts; the spread is what makes the results differ.
    start_delay = kw.pop("start_delay_s", None)
    profile = BoatProfile(
        name=name,
        up_knots=up * (0.94 + 0.08 * skill),
        down_knots=down * (0.94 + 0.08 * skill),
        tack_angle=45.0 - 4.0 * skill + rng.uniform(-0.5, 0.5),
        gybe_angle=32.0 - 4.0 * skill + rng.uniform(-1.0, 1.0),
        shift_threshold=0.30 - 0.18 * skill,
        start_delay_s=round(22.0 - 18.0 * skill + rng.uniform(0.0, 6.0)),
        **kw)
    if start_delay is not None:
        profile.start_delay_s = start_delay
    return profile


def demo_race():
    """Enoshima Cup race 3: two classes, twelve boats, every log format."""
    tz = 9
    gun = utc_epoch(2024, 5, 12, 11, 0, 0, tz)
    frame = LocalFrame(35.0 + 14.6 / 60.0, 139.0 + 28.5 / 60.0)
    true_from = 193.0
    breeze = Breeze(true_from, 8.0, 13.0, 5400.0, swing_deg=7.0, swing_period_s=840.0)
    course = windward_leeward(true_from, leg_m=1900.0, line_m=220.0, laps=1)
    course.home = frame.to_metres(35.0 + 16.6 / 60.0, 139.0 + 29.2 / 60.0)
    rng = random.Random(20240512)
    irc = (6.3, 8.4)
    j24 = (5.3, 6.9)

    def boat(name, klass, skill, frac, **kw):
        kw.setdefault("log_start_s", -rng.randint(900, 1300))
        kw.setdefault("post_finish_s", rng.randint(180, 300))
        return _profile(name, klass, rng, skill=skill, start_line_fraction=frac, **kw)

    entries = [
        Entry(boat("Fujin", irc, 0.95, 0.30), "kaze.gpx", "風神^^10.5", 2, "1.012"),
        Entry(boat("Umineko", irc, 0.55, 0.55), "umineko.log", "Umineko^^9.8", 2, "0.985"),
        Entry(boat("Shiokaze", irc, 0.75, 0.15, log_start_s=-2400), "shiokaze.trb", "潮風", 1, "1.000"),
        Entry(boat("Albatross", irc, 0.65, 0.70), "albatross.trl", "Albatross", 1, "0.992"),
        Entry(boat("Enoshima Maru", irc, 0.35, 0.85), "enoshima.vcc", "江ノ島丸", 2, "1.020", flags=1,
              writer=lambda f, n: instrumentlogs.write_vcc(_dm_rounded(f), "ENOSHIMA MARU", tz, digits=None)),
        Entry(boat("Seagull", irc, 0.20, 0.45, start_delay_s=41), "seagull.trk", "Seagull", 2, "0.975",
              writer=lambda f, n: logformats.write_tlines(f, "DMS", "SEAGULL TRACK")),
        Entry(boat("Tobiuo", j24, 0.90, 0.40), "tobiuo.gdb", "飛魚^^7.3", 1,
              writer=lambda f, n: logformats.write_gdb(f, "TOBIUO")),
        Entry(boat("Kamome", j24, 0.45, 0.60, retire_at_s=1900), "kamome.mps", "Kamome^^7.3", 1,
              flags=2, writer=lambda f, n: logformats.write_mps(f, "KAMOME")),
        Entry(boat("Hayate", j24, 0.70, 0.20), "hayate.vkx", "疾風^^7.3", 2,
              writer=lambda f, n: _instrument_log(f, gun, course, frame)),
        Entry(boat("Breeze", j24, 0.30, 0.80), "breeze.log", "Breeze^^7.3", 2,
              writer=lambda f, n: logformats.write_nmea(f, with_gga=False)),
        Entry(boat("Sazanami", j24, 0.60, 0.65), "sazanami.gdb", "さざなみ^^7.3", 2,
              writer=lambda f, n: logformats.write_gdb(f, "SAZANAMI", short_points=True)),
        Entry(boat("Wave", j24, 0.10, 0.90), "wave.trl", "Wave^^7.3", 1,
              writer=lambda f, n: logformats.write_trl(f, 20)),
    ]
    wind_name = "enoshima-cup_wind.csv"
    files, finish_epoch, tracks = _sail_race_files(entries, course, breeze, 3, gun, frame, tz, wind_name)
    # The user-coastline race (tools/coast) sails Hayate from its GPX log.
    hayate = next(k for k, e in enumerate(entries) if e.profile.name == "Hayate")
    files["gpsdat/hayate.gpx"] = logformats.write_gpx(
        _log_fixes(tracks[hayate], frame, gun, entries[hayate].interval_s), "Hayate")
    files["gpsdat/enoshima-cup-maneuvers.csv"] = _maneuver_file(entries, tracks)

    rf = RaceFile()
    rf.comment("江の島カップ 2024 第3レース  相模湾 江の島沖 (sample data made by tools/samplegen)")
    rf.add("T1", "江の島カップ 2024 第3レース")
    rf.add("T2", "2024/05/12  相模湾 江の島沖")
    rf.add("NOTE", "南南西 8→13kt 振れながら右へ")
    rf.add("ST", local_text(gun, tz))
    rf.add("FT", local_text(finish_epoch, tz))
    rf.add("TD", tz)
    rf.add("MG", int(ENOSHIMA_VARIATION))
    rf.add("WD", int(round(true_from - ENOSHIMA_VARIATION)))
    rf.add("WF", wind_name)
    rf.add("LL", 42, 42)
    rf.add("NU", 0)
    rf.add("BT", 5)
    rf.add("PS", 10, 30)
    rf.add("LG", 9.5)
    rf.add("CLSSEP", 1)
    rf.add("CLSN", "IRC")
    _add_boats(rf, entries[:6])
    rf.add("CLSN", "J/24")
    _add_boats(rf, entries[6:])
    _course_lines(rf, course, frame)
    # Photographs of the race lie in pic/enoshima-cup/, made by
    # tools/pictures/make-sample-pictures.sh.
    rf.add("PIC", "enoshima-cup", 0, 400)
    files["raceadmin/enoshima-cup.txt"] = rf.encode("cp932", "\r\n")
    return files, _summary("enoshima-cup.txt", entries, tracks)


def _dm_rounded(fixes):
    """The fixes as the ddmm.mmmm "T"-line log Enoshima Maru kept before it
    had its Velocitek: degrees whose minutes of arc come out as the "T"-line
    reader's degrees x 60 + minutes to the last bit, so the demo race's
    results did not move when its log changed format."""
    def degrees(deg):
        text = logformats._dm(deg, 3)
        minutes = int(text[:3]) * 60.0 + float(text[3:])
        x = minutes / 60.0
        for candidate in (x, math.nextafter(x, 0.0), math.nextafter(x, 1e9)):
            if candidate * 60.0 == minutes:
                x = candidate
                break
        return x if deg >= 0 else -x
    return [f._replace(lat=degrees(f.lat), lon=degrees(f.lon)) for f in fixes]


def _instrument_log(fixes, gun_epoch, course, frame):
    """A Vakaros log: the crew pings both ends of the start line eight
    minutes before the gun, starts the timer at five minutes, syncs it at
    four, and the timer ends the race ten minutes after its last fix."""
    gun_ms = gun_epoch * 1000
    (a, b) = course.start_line
    boat_end = frame.to_degrees(*a)
    pin_end = frame.to_degrees(*b)
    line_ends = [(gun_ms - 480_000 + 400, instrumentlogs.PIN_END, *pin_end),
                 (gun_ms - 465_000 + 700, instrumentlogs.BOAT_END, *boat_end)]
    timer = [(gun_ms - 540_000, instrumentlogs.TIMER_RESET, 300),
             (gun_ms - 300_000, instrumentlogs.TIMER_START, 300),
             (gun_ms - 240_000 + 350, instrumentlogs.TIMER_SYNC, 240),
             (gun_ms, instrumentlogs.RACE_START, 0)]
    if fixes:
        timer.append((fixes[-1].epoch * 1000 - 60_000, instrumentlogs.RACE_END,
                      fixes[-1].epoch - gun_epoch - 60))
    return instrumentlogs.write_vkx(fixes, timer=timer, line_ends=line_ends)


def _course_lines(rf, course, frame, marks=("MK1", "MK2")):
    notes = {"MK1": "windward mark", "MK2": "leeward mark"}
    for name in marks:
        x, y = course.marks[name]
        rf.mark(*frame.to_degrees(x, y), note=notes.get(name))
    a, b = course.start_line
    rf.line(frame.to_degrees(*a), frame.to_degrees(*b), note="start: committee boat, pin")
    a, b = course.finish_line
    rf.line(frame.to_degrees(*a), frame.to_degrees(*b), note="finish")
    rf.add("CRS", "L1", *course.order, "L2")


def _summary(race, entries, tracks):
    rows = []
    for e, t in zip(entries, tracks):
        rows.append((e.profile.name, e.log_file, t.finish_s, len(t.mark_times)))
    return race, rows


# ----------------------------------------------------- corrected time ---

def ct_race():
    """Enoshima Cup race 4, scored on corrected time: one handicap fleet."""
    tz = 9
    gun = utc_epoch(2024, 5, 12, 13, 30, 0, tz)
    frame = LocalFrame(35.0 + 14.2 / 60.0, 139.0 + 28.0 / 60.0)
    true_from = 201.0
    breeze = Breeze(true_from, 12.0, 14.0, 3600.0, swing_deg=6.0, swing_period_s=720.0,
                    veer_deg_per_hour=-4.0, phase=2.1)
    course = windward_leeward(true_from, leg_m=1600.0, line_m=200.0, laps=1)
    course.home = frame.to_metres(35.0 + 16.5 / 60.0, 139.0 + 29.0 / 60.0)
    rng = random.Random(20240513)
    # (name, file, length m, skill, writer): speed grows with waterline
    # length; the factor is each boat's rating relative to a 9 m boat.
    fleet = [
        ("Shinkai", "shinkai.gpx", 12.2, 0.55, None),
        ("Oboro", "oboro.log", 10.4, 0.80, None),
        ("Tsubame", "tsubame.trb", 9.1, 0.70, None),
        ("Hokuto", "hokuto.trk", 8.5, 0.95,
         lambda f, n: logformats.write_tlines(f, "DEG", "HOKUTO")),
        ("Minato", "minato.gdb", 11.0, 0.35, None),
        ("Nagisa", "nagisa.mps", 7.9, 0.60, None),
        ("Ibuki", "ibuki.trl", 9.8, 0.45,
         lambda f, n: logformats.write_trl(f, 20)),
        ("Hikari", "hikari.dtr", 7.3, 0.85, None),
    ]
    entries = []
    for name, log, length, skill, writer in fleet:
        size = math.sqrt(length / 9.0)
        profile = _profile(name, (6.0 * size, 7.9 * size), rng, skill=skill,
                     start_line_fraction=rng.uniform(0.1, 0.9), log_start_s=-rng.randint(700, 1000),
                     post_finish_s=rng.randint(150, 260))
        entries.append(Entry(profile, log, f"{name}^^{length}", 3, f"{size:.3f}", writer=writer))
    wind_name = "enoshima-ct_wind.csv"
    files, finish_epoch, tracks = _sail_race_files(entries, course, breeze, 4, gun, frame, tz, wind_name)
    files["gpsdat/enoshima-ct-maneuvers.csv"] = _maneuver_file(entries, tracks)

    rf = RaceFile()
    rf.comment("Enoshima Cup 2024 race 4, handicap fleet scored on corrected time")
    rf.comment("BN field 3 is the time correction factor (elapsed x factor = corrected)")
    rf.add("T1", "江の島カップ 2024 第4レース (修正時間)")
    rf.add("T2", "2024/05/12  相模湾 江の島沖")
    rf.add("NOTE", "SSW 12-14kt, handicap")
    rf.add("ST", local_text(gun, tz))
    rf.add("FT", local_text(finish_epoch, tz))
    rf.add("TD", tz)
    rf.add("MG", int(ENOSHIMA_VARIATION))
    rf.add("WD", int(round(true_from - ENOSHIMA_VARIATION)))
    rf.add("WF", wind_name)
    rf.add("CT", 1)
    rf.add("LL", 42, 42)
    rf.add("BT", 5)
    rf.add("PS", 10, 30)
    _add_boats(rf, entries)
    _course_lines(rf, course, frame)
    files["raceadmin/enoshima-ct.txt"] = rf.encode("utf-8", "\n")
    return files, _summary("enoshima-ct.txt", entries, tracks)


# ------------------------------------------------------ watches and apps ---

def watch_race():
    """An evening club race whose crews logged on a Garmin watch (FIT), a
    phone app (TCX) and a handheld GPS (GPX). The FIT and TCX logs are made
    by gpsbabel from our GPX; without gpsbabel they are left out of the
    returned files (the committed ones stay as they are)."""
    tz = 9
    gun = utc_epoch(2024, 5, 15, 18, 0, 0, tz)
    frame = LocalFrame(35.0 + 15.0 / 60.0, 139.0 + 28.8 / 60.0)
    true_from = 185.0
    breeze = Breeze(true_from, 9.0, 10.0, 2400.0, swing_deg=5.0, swing_period_s=600.0, phase=0.7)
    course = windward_leeward(true_from, leg_m=1100.0, line_m=160.0, laps=1,
                              leeward_below_m=200.0, finish_right_m=220.0, finish_m=120.0)
    course.home = frame.to_metres(35.0 + 16.6 / 60.0, 139.0 + 29.2 / 60.0)
    rng = random.Random(20240515)
    j24 = (5.3, 6.9)

    def boat(name, skill):
        return _profile(name, j24, rng, skill=skill, start_line_fraction=rng.uniform(0.2, 0.8),
                        log_start_s=-rng.randint(600, 900), post_finish_s=rng.randint(150, 240))

    def via_gpsbabel(extension):
        return lambda f, n: converted.from_gpx(logformats.write_gpx(f, n), extension)

    entries = [
        Entry(boat("Kirin", 0.8), "kirin.fit", "きりん^^7.3", 1, writer=via_gpsbabel("fit")),
        Entry(boat("Suzume", 0.5), "suzume.tcx", "Suzume^^7.3", 1, writer=via_gpsbabel("tcx")),
        Entry(boat("Tombo", 0.3), "tombo.gpx", "とんぼ^^7.3", 2),
    ]
    wind_name = "enoshima-watch_wind.csv"
    files, finish_epoch, tracks = _sail_race_files(entries, course, breeze, 5, gun, frame, tz, wind_name)
    files = {k: v for k, v in files.items() if v is not None}

    rf = RaceFile()
    rf.comment("Enoshima evening club race: logs from a watch (FIT), a phone app (TCX) and a GPS (GPX)")
    rf.add("T1", "江の島 イブニングレース 2024/05/15")
    rf.add("T2", "ウォッチとスマホのログ (FIT・TCX)")
    rf.add("ST", local_text(gun, tz))
    rf.add("FT", local_text(finish_epoch, tz))
    rf.add("TD", tz)
    rf.add("MG", int(ENOSHIMA_VARIATION))
    rf.add("WD", int(round(true_from - ENOSHIMA_VARIATION)))
    rf.add("WF", wind_name)
    rf.add("BT", 5)
    _add_boats(rf, entries)
    _course_lines(rf, course, frame)
    files["raceadmin/enoshima-watch.txt"] = rf.encode("utf-8", "\r\n")
    return files, _summary("enoshima-watch.txt", entries, tracks)


# ----------------------------------------------------------- the large ---

LARGE_BOATS = 81          # a full race: every boat slot of the model
LARGE_SECONDS = 3 * 3600  # one fix a second for three hours
LARGE_LEAD_S = 300        # the logs begin five minutes before the gun

LARGE_RACES = (("large-gpx.txt", "gpx", lambda f, n: logformats.write_gpx(f, n, lean=True)),
               ("large-nmea.txt", "log", lambda f, n: logformats.write_nmea(f, with_gga=False)),
               ("large-trb.txt", "trb", lambda f, n: logformats.write_trb(f)),
               ("large-vkx.txt", "vkx", lambda f, n: instrumentlogs.write_vkx(f)))


def large_race(boats=LARGE_BOATS, seconds=LARGE_SECONDS):
    """81 boats, three classes, three laps, one fix a second for 3 hours.

    The same fleet is written four times (GPX, NMEA, trb, VKX) with a race file
    for each, so the import of each format can be timed on identical tracks.
    Every fix lies inside the race window, so every one is kept.
    """
    tz = 9
    gun = utc_epoch(2024, 7, 20, 10, 0, 0, tz)
    frame = LocalFrame(35.0 + 15.6 / 60.0, 139.0 + 28.6 / 60.0)
    true_from = 190.0
    breeze = Breeze(true_from, 9.0, 14.0, 7200.0, swing_deg=8.0, swing_period_s=960.0, phase=1.1)
    course = windward_leeward(true_from, leg_m=3000.0, line_m=650.0, laps=2,
                              leeward_below_m=300.0, finish_right_m=450.0, finish_m=250.0)
    course.home = frame.to_metres(35.0 + 16.7 / 60.0, 139.0 + 29.6 / 60.0)
    rng = random.Random(20240720)
    classes = (("A", (6.6, 8.8)), ("B", (5.9, 7.8)), ("C", (5.2, 6.8)))
    entries = []
    last_s = seconds - LARGE_LEAD_S - 1
    per_class = -(-boats // len(classes))
    for n in range(boats):
        cls_name, klass = classes[n // per_class]
        profile = _profile(f"{cls_name}{n % per_class + 1:02d}", klass, rng, skill=rng.random(),
                     start_line_fraction=0.05 + 0.9 * rng.random(),
                     log_start_s=-LARGE_LEAD_S, post_finish_s=seconds)
        entries.append(Entry(profile, f"large{n + 1:02d}", f"{cls_name}{n % per_class + 1:02d}", 1))
    tracks = _sail_fleet(entries, course, breeze, fleet_key=81, log_end_limit_s=last_s)
    # The race file's finish lies beyond the last fix, so no fix is cut.
    finish_epoch = gun + int(math.ceil((last_s + 60) / 60.0)) * 60

    files = {}
    for e, tr in zip(entries, tracks):
        fixes = _log_fixes(tr, frame, gun, 1)
        for _, ext, writer in LARGE_RACES:
            files[f"gpsdat/{e.log_file}.{ext}"] = writer(fixes, e.profile.name)
    for race_name, ext, _ in LARGE_RACES:
        rf = RaceFile()
        rf.comment(f"Benchmark race: {boats} boats x {seconds} s x 1 Hz, logs in {ext}")
        rf.add("T1", f"Large race ({race_name[len('large-'):-len('.txt')]})")
        rf.add("ST", local_text(gun, tz))
        rf.add("FT", local_text(finish_epoch, tz))
        rf.add("TD", tz)
        rf.add("MG", int(ENOSHIMA_VARIATION))
        rf.add("WD", int(round(true_from - ENOSHIMA_VARIATION)))
        rf.add("BT", 5)
        rf.add("CLSSEP", 1)
        for k, (cls_name, _) in enumerate(classes):
            rf.add("CLSN", f"Class {cls_name}")
            for e in entries[k * per_class:(k + 1) * per_class]:
                rf.add("BN", f"{e.log_file}.{ext}", e.bn_name)
        _course_lines(rf, course, frame)
        files["raceadmin/" + race_name] = rf.encode("utf-8", "\r\n")
    return files, _summary("large", entries, tracks)

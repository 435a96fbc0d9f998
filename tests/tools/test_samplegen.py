"""Checks of the sample generator and of the committed sample tree.

The log files are read back with independent readers (log_readers.py) that
follow the import rules of each format; the races are checked the way a
sailor and the browser's analysis would look at them.
"""

import math
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPO, "tools", "samplegen"))
sys.path.insert(0, HERE)

import instrumentlogs  # noqa: E402
import log_readers  # noqa: E402
import logformats  # noqa: E402
import races  # noqa: E402
import samplegen  # noqa: E402
from logformats import LogFix  # noqa: E402

SAMPLE = os.path.join(REPO, "sample")


def _tricky_fixes():
    """Fixes that exercise the awkward corners of every layout.

    - times whose middle bytes are zero (0x6641 0000 and 0x6700 00xx), which
      a scanned format could mistake for the zeros around a record;
    - both hemispheres, longitudes under 10 and over 100 degrees, minutes
      that round up to 60, a day boundary.
    """
    rng = random.Random(7)
    places = [(35.2433, 139.4750), (-33.8568, 151.2153), (39.40921, -0.32253),
              (0.0000001, 9.9999999), (35.9999999, 139.9999999), (-0.5, -179.25)]
    epochs = list(range(0x6640FFF0, 0x66410020)) + list(range(0x66FFFFF0, 0x67000040))
    epochs += list(range(1715558390, 1715558410))  # across 00:00 UTC
    out = []
    for k, t in enumerate(epochs):
        lat, lon = places[k % len(places)]
        lat += rng.uniform(-0.01, 0.01) * (k % 3 == 0)
        lon += rng.uniform(-0.01, 0.01) * (k % 3 == 0)
        lat = max(min(lat, 89.9), -89.9)
        out.append(LogFix(t, lat, lon, rng.uniform(0.0, 9.0), rng.uniform(0.0, 359.9)))
    return out


VARIANTS = [
    # name, writer, file extension, tolerance in degrees
    ("gpx", lambda f: logformats.write_gpx(f, "T"), "gpx", 6e-8),
    ("gpx lean", lambda f: logformats.write_gpx(f, "T", lean=True), "gpx", 6e-7),
    ("nmea rmc+gga", lambda f: logformats.write_nmea(f), "log", 1e-6),
    ("nmea rmc", lambda f: logformats.write_nmea(f, with_gga=False), "log", 1e-6),
    ("T lines ddmm", lambda f: logformats.write_tlines(f, "DM"), "dtr", 1e-6),
    ("T lines DEG", lambda f: logformats.write_tlines(f, "DEG"), "trk", 6e-7),
    ("T lines DMS", lambda f: logformats.write_tlines(f, "DMS"), "trk", 2e-6),
    ("trb", logformats.write_trb, "trb", 2e-5),
    ("trl 16", lambda f: logformats.write_trl(f, 16), "trl", 2e-5),
    ("trl 20", lambda f: logformats.write_trl(f, 20), "trl", 2e-5),
    ("gdb long", lambda f: logformats.write_gdb(f, "T"), "gdb", 1e-6),
    ("gdb short", lambda f: logformats.write_gdb(f, "T", short_points=True), "gdb", 1e-6),
    ("mps", lambda f: logformats.write_mps(f, "T"), "mps", 1e-6),
    ("vkx", instrumentlogs.write_vkx, "vkx", 6e-8),
    ("vcc", lambda f: instrumentlogs.write_vcc(f, "T", 9), "vcc", 6e-8),
    ("vcc west", lambda f: instrumentlogs.write_vcc(f, "T", -7), "vcc", 6e-8),
]


class LogFormatsTest(unittest.TestCase):
    def test_every_writer_reads_back_fix_for_fix(self):
        fixes = _tricky_fixes()
        for name, writer, ext, tol in VARIANTS:
            with self.subTest(name):
                got = log_readers.read_log("x." + ext, writer(fixes))
                self.assertEqual(len(got), len(fixes))
                for want, (t, lat, lon) in zip(fixes, got):
                    self.assertEqual(t, want.epoch)
                    self.assertAlmostEqual(lat, want.lat, delta=tol)
                    self.assertAlmostEqual(lon, want.lon, delta=tol)

    def test_track_title_never_switches_the_coordinate_form(self):
        fixes = _tricky_fixes()[:20]
        for form in ("DM", "DEG", "DMS"):
            with self.subTest(form):
                data = logformats.write_tlines(fixes, form, title="DEGAS DMS RACER")
                got = log_readers.read_tlines(data)
                self.assertAlmostEqual(got[0][1], fixes[0].lat, delta=2e-6)

    @unittest.skipUnless(shutil.which("gpsbabel"), "gpsbabel is not installed")
    def test_gpsbabel_reads_our_gpx_and_nmea_alike(self):
        # An independent, widely used reader must see the same fixes.
        fixes = _tricky_fixes()[::7]
        for fmt, data in (("gpx", logformats.write_gpx(fixes, "T")),
                          ("nmea", logformats.write_nmea(fixes)),
                          ("nmea", logformats.write_nmea(fixes, with_gga=False))):
            with self.subTest(fmt), tempfile.TemporaryDirectory() as tmp:
                src = os.path.join(tmp, "in")
                with open(src, "wb") as f:
                    f.write(data)
                out = subprocess.run(["gpsbabel", "-t", "-i", fmt, "-f", src, "-x", "transform,wpt=trk",
                                      "-o", "unicsv", "-F", "-"], check=True, capture_output=True,
                                     text=True, env=dict(os.environ, TZ="UTC")).stdout.splitlines()
                head = out[0].split(",")
                rows = [dict(zip(head, line.split(","))) for line in out[1:]]
                self.assertEqual(len(rows), len(fixes))
                for want, row in zip(fixes, rows):
                    epoch = log_readers._epoch(row["Date"], row["Time"][:8])
                    self.assertEqual(epoch, want.epoch)
                    self.assertAlmostEqual(float(row["Latitude"]), want.lat, delta=2e-6)
                    self.assertAlmostEqual(float(row["Longitude"]), want.lon, delta=2e-6)

    def test_vkx_positions_are_the_numbers_a_gpx_log_shows(self):
        fixes = _tricky_fixes()
        got = log_readers.read_vkx(instrumentlogs.write_vkx(fixes))
        self.assertEqual([g[1:] for g in got], [(float(f"{f.lat:.7f}"), float(f"{f.lon:.7f}")) for f in fixes])

    def test_vkx_pages_and_events_are_whole_rows(self):
        fixes = _tricky_fixes()[:300]
        timer = [(fixes[5].epoch * 1000 + 250, instrumentlogs.TIMER_START, 300)]
        ends = [(fixes[7].epoch * 1000, instrumentlogs.PIN_END, 35.25, 139.5)]
        data = instrumentlogs.write_vkx(fixes, timer=timer, line_ends=ends)
        rows = list(log_readers.vkx_rows(data))
        self.assertEqual(sum(len(p) + 1 for _, p in rows), len(data))
        self.assertEqual([k for k, _ in rows].count(0x04), 1)
        self.assertEqual([k for k, _ in rows].count(0x05), 1)
        pages = [struct.unpack("<H", p)[0] for k, p in rows if k == 0xFE]
        self.assertEqual(sum(pages) + 3 * len(pages), len(data))
        self.assertTrue(all(p <= 2048 + 45 for p in pages))

    def test_trl_record_size_is_detectable(self):
        fixes = _tricky_fixes()[:40]
        for size in (16, 20):
            with self.subTest(size):
                data = logformats.write_trl(fixes, size)
                self.assertEqual(len(data), size * len(fixes))
                self.assertEqual(log_readers.trl_record_size(data), size)

    def test_nmea_sentences_carry_valid_checksums(self):
        text = logformats.write_nmea(_tricky_fixes()[:50]).decode("ascii")
        lines = text.split("\r\n")[:-1]
        self.assertEqual(len(lines), 100)
        for line in lines:
            body, _, cs = line[1:].partition("*")
            x = 0
            for c in body.encode("ascii"):
                x ^= c
            self.assertEqual(int(cs, 16), x, line)

    def test_binary_logs_are_little_endian_utc_seconds(self):
        fix = LogFix(1715479200, 35.25, 139.5, 5.0, 90.0)
        self.assertEqual(logformats.write_trb([fix])[:4], struct.pack("<i", 1715479200))
        gdb = logformats.write_gdb([fix] * 3, "T")
        self.assertEqual(len(log_readers.read_gdb(gdb)), 3)
        self.assertAlmostEqual(log_readers.read_gdb(gdb)[0][1], 35.25, delta=1e-7)

    def test_scanned_formats_need_their_header_and_trailer(self):
        # A lone point still lies at least 30 bytes inside the file.
        one = [LogFix(1715479200, 35.25, 139.5, 5.0, 90.0)]
        for writer in (lambda f: logformats.write_gdb(f, "X"), lambda f: logformats.write_mps(f, "X"),
                       lambda f: logformats.write_gdb(f, "X", short_points=True)):
            data = writer(one)
            ext = "mps" if b"MPS" in data[:4] else "gdb"
            self.assertEqual(len(log_readers.read_log("x." + ext, data)), 1)


def _bytes(path):
    with open(path, "rb") as f:
        return f.read()


def _read_text(path):
    data = _bytes(path)
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932")


def parse_race(path):
    """The keywords the checks need, as the race file parser reads them."""
    race = {"boats": [], "marks": [], "lines": [], "classes": [], "course": []}
    for raw in _read_text(path).splitlines():
        line = raw.strip()
        p = line.find("//")
        if p in (0, 1) or len(line) < 3:
            continue
        if p > 4:
            line = line[:p]
        f = log_readers.split_fields(line, ",")
        if len(f) < 2:
            continue
        key = f[0].upper()
        if key == "BN":
            race["boats"].append({"file": f[1], "name": f[2] if len(f) > 2 else "",
                                  "tcf": float(f[3]) if len(f) > 3 else 0.0,
                                  "flags": int(f[5]) if len(f) > 5 else 0,
                                  "class": len(race["classes"])})
        elif key == "CLSN":
            race["classes"].append(f[1])
        elif key == "MK":
            race["marks"].append((float(f[1]), float(f[2])))
        elif key == "LN":
            race["lines"].append(tuple(float(v) for v in f[1:5]))
        elif key == "CRS":
            race["course"] = f[1:]
        elif key in ("ST", "FT"):
            d, t = f[1].split(" ")
            race[key] = log_readers._epoch(d, t)
        elif key in ("TD", "BT", "CT", "WD", "MG"):
            race[key] = int(f[1])
        elif key == "WF":
            race["WF"] = f[1]
    tz = race.get("TD", 0) * 3600
    race["startUtc"] = race["ST"] - tz
    race["pre"] = race.get("BT", 3) * 60 or 180
    race["timelineEnd"] = race["FT"] - race["ST"] + 30
    return race


def race_fixes(race, boat):
    """A boat's fixes in race seconds inside the standard window."""
    path = os.path.join(SAMPLE, "gpsdat", boat["file"])
    fixes = log_readers.read_log(boat["file"], _bytes(path))
    if fixes is None:
        raise unittest.SkipTest("gpsbabel is not installed")
    out = []
    for t, lat, lon in fixes:
        s = t - race["startUtc"]
        if -race["pre"] - 60 < s < race["timelineEnd"] + 120:
            out.append((s, lat * 60.0, lon * 60.0))
    return out


def _side(line, lat, lon):
    lat1, lon1, lat2, lon2 = line
    return (lon2 - lon1) * (lat - lat1) - (lat2 - lat1) * (lon - lon1)


def _crossing_time(line, fixes, after_s):
    lat1, lon1, lat2, lon2 = line
    for (t0, a0, o0), (t1, a1, o1) in zip(fixes, fixes[1:]):
        if t1 < after_s:
            continue
        s0, s1 = _side(line, a0, o0), _side(line, a1, o1)
        if s0 * s1 >= 0:
            continue
        f = s0 / (s0 - s1)
        a, o = a0 + (a1 - a0) * f, o0 + (o1 - o0) * f
        # on the segment itself
        if min(lat1, lat2) - 0.01 <= a <= max(lat1, lat2) + 0.01 and \
                min(lon1, lon2) - 0.01 <= o <= max(lon1, lon2) + 0.01:
            return t0 + (t1 - t0) * f
    return None


def _nearest_after(mark, fixes, after_s):
    best = (1e9, None)
    for t, lat, lon in fixes:
        if t < after_s:
            continue
        d = math.hypot(lat - mark[0], lon - mark[1])
        if d < best[0]:
            best = (d, t)
        elif best[0] < 0.2 and d > best[0] + 0.1:
            break
    return best


class SampleTreeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        order = _bytes(os.path.join(SAMPLE, "raceadmin", "racefile.st")).decode("ascii")
        cls.race_names = [n for n in order.split("\r\n") if n]
        cls.races = {n: parse_race(os.path.join(SAMPLE, "raceadmin", n)) for n in cls.race_names}

    def test_race_list_names_existing_races_demo_first(self):
        self.assertEqual(self.race_names[0], "enoshima-cup.txt")
        for n in self.race_names:
            self.assertTrue(os.path.isfile(os.path.join(SAMPLE, "raceadmin", n)), n)

    def test_every_boat_loads_enough_fixes_inside_its_race_window(self):
        for name, race in self.races.items():
            for boat in race["boats"]:
                with self.subTest(race=name, log=boat["file"]):
                    fixes = race_fixes(race, boat)
                    self.assertGreaterEqual(len(fixes), 15)
                    if race.get("CT"):
                        self.assertGreater(len(fixes), 100)  # so its times are scaled
                        self.assertGreater(boat["tcf"], 0.0)

    def test_demo_race_has_what_the_readme_promises(self):
        race = self.races["enoshima-cup.txt"]
        raw = _bytes(os.path.join(SAMPLE, "raceadmin", "enoshima-cup.txt"))
        self.assertIn(b"\r\n", raw)
        raw.decode("cp932")
        with self.assertRaises(UnicodeDecodeError):
            raw.decode("utf-8")
        self.assertEqual(len(race["classes"]), 2)
        self.assertTrue(8 <= len(race["boats"]) <= 12)
        self.assertEqual(sum(b["flags"] in (1, 3) for b in race["boats"]), 1)
        self.assertEqual(sum(b["flags"] in (2, 3) for b in race["boats"]), 1)
        exts = {b["file"].rsplit(".", 1)[1] for b in race["boats"]}
        self.assertEqual(exts, {"gpx", "trb", "trl", "gdb", "mps", "log", "trk", "vkx", "vcc"})
        self.assertEqual(race["course"][0], "L1")
        self.assertEqual(race["course"][-1], "L2")
        self.assertTrue(os.path.isfile(os.path.join(SAMPLE, "winddat", race["WF"])))

    def test_wind_file_matches_the_race_wind(self):
        for name in ("enoshima-cup.txt", "enoshima-ct.txt"):
            race = self.races[name]
            lines = _read_text(os.path.join(SAMPLE, "winddat", race["WF"])).splitlines()
            self.assertEqual(lines[0], "DATE TIME, TWS,TWD")
            rows = [log_readers.split_fields(line, ",") for line in lines[1:]]
            times = [log_readers._epoch(*r[0].split(" ")) for r in rows]
            self.assertEqual(times, sorted(times))
            self.assertLessEqual(times[0], race["ST"])
            self.assertGreaterEqual(times[-1], race["FT"])
            tws = [float(r[1]) for r in rows]
            twd = [float(r[2]) for r in rows]
            with self.subTest(name):
                self.assertGreater(tws[-1], tws[0])  # building
                self.assertGreater(max(twd) - min(twd), 5)  # shifting
                self.assertLess(abs(statistics.mean(twd) - race["WD"]), 6)

    def test_enoshima_tracks_stay_on_open_water(self):
        for name in ("enoshima-cup.txt", "enoshima-ct.txt"):
            race = self.races[name]
            for boat in race["boats"]:
                path = os.path.join(SAMPLE, "gpsdat", boat["file"])
                for _, lat, lon in log_readers.read_log(boat["file"], _bytes(path)):
                    self.assertTrue(35 + 10 / 60 < lat < 35 + 17 / 60, (boat["file"], lat))
                    self.assertTrue(139 + 24 / 60 < lon < 139 + 33 / 60, (boat["file"], lon))

    def test_boats_start_after_the_gun_round_the_marks_and_finish(self):
        for name in ("enoshima-cup.txt", "enoshima-ct.txt", "valencia.txt", "valencia-2.txt"):
            race = self.races[name]
            start = race["lines"][0]
            finish = race["lines"][int(race["course"][-1][1:]) - 1]
            for boat in race["boats"]:
                with self.subTest(race=name, boat=boat["name"]):
                    fixes = race_fixes(race, boat)
                    if name.startswith("enoshima"):
                        # ours hover behind the line until the gun (real
                        # boats cross its extension now and then)
                        pre = [f for f in fixes if f[0] < 0]
                        behind = _side(start, pre[-1][1], pre[-1][2])
                        for t, lat, lon in pre:
                            self.assertEqual(_side(start, lat, lon) > 0, behind > 0, t)
                    crossed = _crossing_time(start, fixes, 0)
                    self.assertIsNotNone(crossed)
                    self.assertLess(crossed, 90)
                    t = crossed
                    for entry in race["course"][1:-1]:
                        d, t = _nearest_after(race["marks"][int(entry[2:]) - 1], fixes, t)
                        if boat["flags"] in (2, 3) and d >= 0.2:
                            break
                        self.assertLess(d, 0.2, entry)
                    done = _crossing_time(finish, fixes, t) if t is not None else None
                    if boat["flags"] in (2, 3):
                        self.assertIsNone(done)
                    else:
                        self.assertIsNotNone(done)
                        self.assertLess(done, race["timelineEnd"] - 30)
                        self.assertGreater(fixes[-1][0], done + 30)  # sails on past

    def test_boats_beat_forty_odd_degrees_off_the_wind(self):
        race = self.races["enoshima-cup.txt"]
        wind = _read_text(os.path.join(SAMPLE, "winddat", race["WF"])).splitlines()[1:]
        wind = [log_readers.split_fields(w, ",") for w in wind]
        wind = [(log_readers._epoch(*w[0].split(" ")) - race["ST"], float(w[2]) + race["MG"]) for w in wind]
        cos_lat = math.cos(math.radians(35.25))
        for boat in race["boats"]:
            fixes = race_fixes(race, boat)
            _, mark_t = _nearest_after(race["marks"][0], fixes, 0)
            angles, speeds, tacks, side = [], [], 0, 0
            step = 10
            beat = [f for f in fixes if 60 <= f[0] <= mark_t - 30]
            for a, b in zip(beat, beat[step:]):
                dn = (b[1] - a[1]) * 1852.0
                de = (b[2] - a[2]) * 1852.0 * cos_lat
                cog = math.degrees(math.atan2(de, dn))
                twd = min(wind, key=lambda w: abs(w[0] - a[0]))[1]
                off = (cog - twd + 540.0) % 360.0 - 180.0
                angles.append(abs(off))
                speeds.append(math.hypot(dn, de) / (b[0] - a[0]) * 3600.0 / 1852.0)
                s = 1 if off > 0 else -1
                if abs(off) > 30 and side and s != side:
                    tacks += 1
                if abs(off) > 30:
                    side = s
            with self.subTest(boat=boat["name"]):
                self.assertTrue(38 <= statistics.median(angles) <= 48, statistics.median(angles))
                self.assertTrue(4.0 <= statistics.median(speeds) <= 7.5, statistics.median(speeds))
                self.assertGreaterEqual(tacks, 2)

    def test_results_differ_between_boats(self):
        race = self.races["enoshima-cup.txt"]
        finish = race["lines"][1]
        times = []
        for boat in race["boats"]:
            if boat["flags"] in (2, 3):
                continue
            fixes = race_fixes(race, boat)
            _, t = _nearest_after(race["marks"][0], fixes, 600)
            _, t = _nearest_after(race["marks"][1], fixes, t)
            _, t = _nearest_after(race["marks"][0], fixes, t)
            times.append(round(_crossing_time(finish, fixes, t)))
        self.assertEqual(len(set(times)), len(times))
        self.assertGreater(max(times) - min(times), 300)


class GeneratorTest(unittest.TestCase):
    def test_committed_sample_is_what_the_generator_writes(self):
        files, _ = samplegen.sample_tree(samplegen.DEFAULT_REAL_GPX)
        for rel, data in sorted(files.items()):
            with self.subTest(rel):
                with open(os.path.join(SAMPLE, *rel.split("/")), "rb") as f:
                    self.assertEqual(f.read(), data)

    def test_large_race_keeps_every_fix_inside_the_window(self):
        boats, seconds = 3, 1200
        files, _ = races.large_race(boats=boats, seconds=seconds)
        with tempfile.TemporaryDirectory() as root:
            samplegen.write_tree(root, files)
            for race_name, ext, _ in races.LARGE_RACES:
                with self.subTest(ext):
                    race = parse_race(os.path.join(root, "raceadmin", race_name))
                    self.assertEqual(len(race["boats"]), boats)
                    total = 0
                    for boat in race["boats"]:
                        path = os.path.join(root, "gpsdat", boat["file"])
                        fixes = log_readers.read_log(boat["file"], _bytes(path))
                        times = [t - race["startUtc"] for t, _, _ in fixes]
                        self.assertEqual(times, list(range(times[0], times[0] + seconds)))
                        self.assertGreater(times[0], -race["pre"] - 60)
                        self.assertLess(times[-1], race["timelineEnd"] + 120)
                        for _, lat, lon in fixes:
                            self.assertTrue(35 + 10 / 60 < lat < 35 + 17 / 60, lat)
                            self.assertTrue(139 + 24 / 60 < lon < 139 + 33 / 60, lon)
                        total += len(fixes)
                    self.assertEqual(total, boats * seconds)


if __name__ == "__main__":
    unittest.main()

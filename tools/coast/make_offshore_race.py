#!/usr/bin/env python3
"""Writes the offshore sample race: sample/raceadmin/oshima-offshore.txt and
the GPX logs of its boats in sample/gpsdat/, and the small race
sample/raceadmin/enoshima-usercoast.txt that draws the user coastline file.

The offshore race starts off Enoshima, leaves Izu Oshima to port round a mark
south of the island and finishes off Enoshima again; its area is over 60
minutes, so the whole-country coastline file is the one chosen. The tracks
are made from fixed waypoints, per-boat speeds and a smooth deterministic
weave; with GMT installed (Debian gmt, gmt-gshhg-full) every fix is checked to
lie on water. Not needed to build or test.
"""

import math
import os
import shutil
import subprocess
import tempfile
import sys
from datetime import datetime, timedelta, timezone

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CRLF = "\r\n"

# Local start 2024/07/20 09:00 at UTC+9.
START_UTC = datetime(2024, 7, 20, 0, 0, 0, tzinfo=timezone.utc)
FIX_SECONDS = 60

# Waypoints (degrees): start off Enoshima, down Sagami Bay west of Oshima,
# round the mark south of the island, back up its east side.
MARK = (34.615, 139.400)
ROUTE = [
    (35.2667, 139.4750),
    (34.9500, 139.3500),
    (34.8000, 139.3000),
    (34.6500, 139.3450),
    (MARK[0] - 0.004, MARK[1]),
    (34.6600, 139.4900),
    (34.7800, 139.5000),
    (35.1000, 139.5000),
    (35.2650, 139.4850),
]

# name, log file, speed knots, weave amplitude nm, phase
BOATS = [
    ("Kuroshio", "kuroshio.gpx", 7.4, 0.30, 0.0),
    ("Hamakaze", "hamakaze.gpx", 7.0, 0.45, 1.3),
    ("Seiran", "seiran.gpx", 6.6, 0.25, 2.1),
    ("Umitsubame", "umitsubame.gpx", 6.2, 0.40, 3.7),
]

NM_PER_DEG_LAT = 60.0


def leg_lengths(route):
    out = []
    for (la, lo), (lb, lob) in zip(route, route[1:]):
        c = math.cos(math.radians((la + lb) / 2))
        out.append(math.hypot((lb - la) * 60, (lob - lo) * 60 * c))
    return out


def position_at(route, legs, distance_nm, weave_nm):
    for (a, b), length in zip(zip(route, route[1:]), legs):
        if distance_nm <= length or length == legs[-1] and (a, b) == (route[-2], route[-1]):
            t = min(distance_nm / length, 1.0) if length else 1.0
            c = math.cos(math.radians(a[0]))
            lat = a[0] + (b[0] - a[0]) * t
            lon = a[1] + (b[1] - a[1]) * t
            # Perpendicular weave, fading out near the waypoints so that the
            # tracks meet the marks.
            dn, de = (b[0] - a[0]) * 60, (b[1] - a[1]) * 60 * c
            norm = math.hypot(dn, de) or 1
            fade = math.sin(math.pi * t)
            lat += -de / norm * weave_nm * fade / 60
            lon += dn / norm * weave_nm * fade / 60 / c
            return lat, lon
        distance_nm -= length
    return route[-1]


def track_of(speed, amplitude, phase):
    legs = leg_lengths(ROUTE)
    total = sum(legs)
    fixes = []
    # Ten minutes before the start the boats jill about near the line.
    for k in range(-10 * 60 // FIX_SECONDS, 0):
        s = k * FIX_SECONDS
        lat = ROUTE[0][0] + 0.002 * math.sin(s / 200 + phase)
        lon = ROUTE[0][1] + 0.003 * math.cos(s / 170 + phase)
        fixes.append((s, lat, lon))
    s = 0
    while True:
        hours = s / 3600
        # Speed varies a little with a boat-specific rhythm.
        d = speed * hours + 0.2 * math.sin(hours * 1.7 + phase)
        if d >= total:
            break
        weave = amplitude * math.sin(hours * 2.3 + phase)
        lat, lon = position_at(ROUTE, legs, max(d, 0), weave)
        fixes.append((s, lat, lon))
        s += FIX_SECONDS
    end = ROUTE[-1]
    for k in range(0, 10 * 60 // FIX_SECONDS):
        fixes.append((s + k * FIX_SECONDS, end[0] + 0.0005 * k, end[1] - 0.0008 * k))
    return fixes


def check_on_water(fixes, name):
    if not shutil.which("gmt"):
        return
    text = "".join(f"{lon:.6f} {lat:.6f}\n" for _, lat, lon in fixes)
    kept = subprocess.run(["gmt", "select", "-Df", "-Nk/s"], input=text, check=True,
                          capture_output=True, text=True,
                          cwd=tempfile.gettempdir()).stdout
    dry = len(fixes) - len(kept.splitlines())
    if dry:
        raise SystemExit(f"{name}: {dry} fixes on land")


def write_gpx(path, name, fixes):
    rows = ['<?xml version="1.0" encoding="UTF-8"?>',
            '<gpx version="1.1" creator="korvane sample generator" '
            'xmlns="http://www.topografix.com/GPX/1/1">',
            f"<trk><name>{name}</name><trkseg>"]
    for s, lat, lon in fixes:
        t = (START_UTC + timedelta(seconds=s)).strftime("%Y-%m-%dT%H:%M:%SZ")
        rows.append(f'<trkpt lat="{lat:.6f}" lon="{lon:.6f}"><time>{t}</time></trkpt>')
    rows += ["</trkseg></trk>", "</gpx>"]
    with open(path, "w", newline="") as f:
        f.write("\n".join(rows) + "\n")


def minutes(deg):
    return f"{deg * 60:.3f}"


def write_race_file(finish_local):
    start_line = (ROUTE[0][0] - 0.004, ROUTE[0][1] - 0.006, ROUTE[0][0] + 0.004, ROUTE[0][1] + 0.006)
    finish = ROUTE[-1]
    finish_line = (finish[0] - 0.004, finish[1] - 0.006, finish[0] + 0.004, finish[1] + 0.006)
    rows = [
        "// 大島回航レース: offshore sample race round Izu Oshima",
        "T1,大島回航レース 2024",
        "T2,2024/07/20  Sagami Bay - Izu Oshima",
        "NOTE,東の風 10-14kt (a reach both ways)",
        "ST,2024/07/20 09:00:00",
        f"FT,{finish_local}",
        "TD,9",
        "MG,-7",
        "WD,97",
        "LL,45,45",
        "NU,1",
        "BT,10",
        "PS,60,300",
        "LG,12",
    ]
    for name, log, *_ in BOATS:
        rows.append(f"BN,{log},{name}^^12.0")
    rows.append(f"MK,{minutes(MARK[0])},{minutes(MARK[1])} // south of Oshima")
    rows.append("LN," + ",".join(minutes(v) for v in start_line))
    rows.append("LN," + ",".join(minutes(v) for v in finish_line))
    rows.append("CRS,L1,MK1,L2")
    path = os.path.join(ROOT, "sample", "raceadmin", "oshima-offshore.txt")
    with open(path, "wb") as f:
        f.write((CRLF.join(rows) + CRLF).encode("cp932"))


def write_user_coast_race():
    # The demo race's day and boats, drawn over the user coastline file.
    rows = [
        "// 江の島カップ (user coastline): the demo race's boats over shonan.cst",
        "T1,江の島カップ 2024 第3レース (shonan.cst)",
        "T2,2024/05/12  Sagami Bay",
        "ST,2024/05/12 11:00:00",
        "FT,2024/05/12 12:15:00",
        "TD,9",
        "MG,-7",
        "WD,200",
        "NU,0",
        "BT,5",
        "LG,9.5",
        "MAP,shonan.cst",
        "BN,kaze.gpx,風神^^10.5",
        "BN,hayate.gpx,疾風^^7.3",
    ]
    path = os.path.join(ROOT, "sample", "raceadmin", "enoshima-usercoast.txt")
    with open(path, "wb") as f:
        f.write((CRLF.join(rows) + CRLF).encode("cp932"))


def main():
    last = 0
    for name, log, speed, amplitude, phase in BOATS:
        fixes = track_of(speed, amplitude, phase)
        check_on_water(fixes, name)
        write_gpx(os.path.join(ROOT, "sample", "gpsdat", log), name, fixes)
        last = max(last, fixes[-1][0])
        print(f"{log}: {len(fixes)} fixes, {fixes[-1][0] / 3600:.2f} h")
    # The finish time leaves half an hour after the last boat's last fix.
    finish = datetime(2024, 7, 20, 9, 0, 0) + timedelta(seconds=last + 1800)
    write_race_file(finish.strftime("%Y/%m/%d %H:%M:%S"))
    write_user_coast_race()


if __name__ == "__main__":
    sys.exit(main())

"""The real race: two dinghies off Valencia, 2025-06-21 (watch GPX logs).

The recorder's note (the meta-data JSON beside the logs) gives the true wind
(110 degrees, about 6 knots, gusts 7), a start minute of 5 and two marks: B1
windward and S1 near the start. It gives no clock time for the gun and no
lines, so those are read off the tracks:

- both boats cross a line through S1, square to the wind, running SSW from
  S1, at 11:24:35-36 UTC in race 1 and 12:07:32-36 UTC in race 2, after
  hovering behind it; the guns are taken as 11:24:30 and 12:07:30 UTC;
- each race is start, B1, S1, B1, then a finish through the same line at
  its S1 end (both boats cross it there 11:48:50-11:49:10 and
  12:35:35-12:36:31 UTC), so the course is L1, MK1, MK2, MK1, L1;
- the committee end of the line is put 150 m from S1 at 200 degrees; the
  boats start 50-75 m from S1, so a 150 m line holds them.

The note covers race 1 only; race 2 is the same afternoon on the same marks
(the tracks round both), so it reuses them.
"""

import os

from geo import LocalFrame, unit
from racefiles import RaceFile, utc_epoch, local_text, wind_file

LOGS = {
    "valencia.txt": ("2025-06-21-ESP29375-P01.gpx", "2025-06-21-ESP30782-P01.gpx"),
    "valencia-2.txt": ("2025-06-21-ESP29375-P02.gpx", "2025-06-21-ESP30782-P02.gpx"),
}
EXTRA_FILES = {"2025-06-21-ESP30782-P01-meta-data.json": "2025-06-21-ESP30782-P01-meta-data.json",
               "LICENSE": "valencia-LICENSE", "README.md": "valencia-README.md"}

TZ = 2                     # CEST
B1 = (39.40691, -0.315)    # windward mark, from the note
S1 = (39.40921, -0.32253)  # mark at the start, from the note
TWD = 110
TWS = 6.0
LINE_M = 150.0


def _line_far_end():
    frame = LocalFrame(*S1)
    dx, dy = unit(200.0)
    return frame.to_degrees(dx * LINE_M, dy * LINE_M)


def _race_file(title, gun, finish, logs):
    rf = RaceFile()
    rf.comment("Real logs: two dinghies off Valencia, 2025-06-21 (maxsail-project, MIT licence,")
    rf.comment("see gpsdat/valencia-LICENSE). Marks and wind from the recorder's note; start")
    rf.comment("time and lines read off the tracks (tools/samplegen/valencia.py says how).")
    rf.add("T1", title)
    rf.add("T2", "2025/06/21  Valencia")
    rf.add("NOTE", "viento estable - ola corta, TWD 110 TWS 6 (7)")
    rf.add("ST", local_text(gun, TZ))
    rf.add("FT", local_text(finish, TZ))
    rf.add("TD", TZ)
    rf.add("MG", 0)
    rf.add("WD", TWD)
    rf.add("WF", "valencia_wind.csv")
    rf.add("LL", 45, 45)
    rf.add("BT", 5)
    rf.add("LG", 4.2)
    rf.add("PS", 5, 20)
    rf.add("BN", logs[0], "ESP 29375")
    rf.add("BN", logs[1], "ESP 30782")
    rf.mark(*B1, note="B1 windward")
    rf.mark(*S1, note="S1")
    rf.line(S1, _line_far_end(), note="start and finish: S1, committee boat")
    rf.add("CRS", "L1", "MK1", "MK2", "MK1", "L1")
    return rf.encode("ascii", "\r\n")


def valencia_races(source_dir):
    """Race files, wind file and copies of the logs; {} when source is absent."""
    if not os.path.isdir(source_dir):
        return {}
    files = {}
    for names in LOGS.values():
        for name in names:
            with open(os.path.join(source_dir, name), "rb") as f:
                files["gpsdat/" + name] = f.read()
    for src, dst in EXTRA_FILES.items():
        with open(os.path.join(source_dir, src), "rb") as f:
            files["gpsdat/" + dst] = f.read()
    gun1 = utc_epoch(2025, 6, 21, 13, 24, 30, TZ)
    fin1 = utc_epoch(2025, 6, 21, 13, 55, 0, TZ)
    gun2 = utc_epoch(2025, 6, 21, 14, 7, 30, TZ)
    fin2 = utc_epoch(2025, 6, 21, 14, 45, 0, TZ)
    files["raceadmin/valencia.txt"] = _race_file("Valencia 2025 race 1", gun1, fin1, LOGS["valencia.txt"])
    files["raceadmin/valencia-2.txt"] = _race_file("Valencia 2025 race 2", gun2, fin2, LOGS["valencia-2.txt"])
    # The note's steady wind, as a log covering both races.
    samples = [(t, TWS, TWD) for t in range(gun1 - 600, fin2 + 1, 300)]
    files["winddat/valencia_wind.csv"] = wind_file(samples, TZ)
    return files

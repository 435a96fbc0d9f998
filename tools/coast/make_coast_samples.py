#!/usr/bin/env python3
"""Cuts the sample coastline files from GSHHG (through GMT) and writes the
landmark file, all under sample/coastline/.

Needs the Debian packages gmt and gmt-gshhg-full. Deterministic: the same
GSHHG release gives the same files. Not needed to build or test.

Files written:
  shonan.cst   user coastline file ("R" records), GPS datum, Sagami Bay coast
  NNNN.cst     first-level mesh tiles 5138-5340 (34-36 N, 138-141 E) in the old
               Tokyo datum, second-level cells in fixed columns
  jcoast.cst   a small whole-country binary file (33-37 N, 137.5-142 E)
  jpnlh.lh     a few real lights of Sagami Bay

GSHHG shorelines are WGS 84. The tiles are moved to the Tokyo datum with the
inverse of the three-parameter geocentric shift the program applies when it
reads them (Bessel 1841 ellipsoid; dX = -148 m, dY = +508 m, dZ = +680 m to
the GRS 80 ellipsoid), solved per point by fixed-point iteration, so that the
reader's shift brings them back to within a few metres (the reader uses one
shift for the whole race area).
"""

import math
import os
import struct
import subprocess
import tempfile
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT = os.path.join(ROOT, "sample", "coastline")
CRLF = "\r\n"


def gmt_shorelines(west, east, south, north, resolution="f"):
    """Level-1 shorelines (sea against land) as lists of (lat, lon) minutes."""
    text = subprocess.run(
        ["gmt", "coast", f"-R{west}/{east}/{south}/{north}", f"-D{resolution}",
         "-A0/1/1", "-M", "-W"],
        check=True, capture_output=True, text=True, cwd=tempfile.gettempdir()).stdout
    lines, current = [], []
    for row in text.splitlines():
        if row.startswith(">"):
            if len(current) > 1:
                lines.append(current)
            current = []
            continue
        lon, lat = (float(v) for v in row.split()[:2])
        current.append((lat * 60, lon * 60))
    if len(current) > 1:
        lines.append(current)
    return lines


# --- datum -----------------------------------------------------------------

def tokyo_to_gps_shift(lat_min, lon_min):
    """The shift the program adds to Tokyo-datum positions (minutes)."""
    a, f = 6377397.155, 1 / 299.152813
    e2 = 2 * f - f * f
    phi, lam = math.radians(lat_min / 60), math.radians(lon_min / 60)
    n = a / math.sqrt(1 - e2 * math.sin(phi) ** 2)
    x = n * math.cos(phi) * math.cos(lam) - 148
    y = n * math.cos(phi) * math.sin(lam) + 508
    z = n * (1 - e2) * math.sin(phi) + 680
    lam2 = math.degrees(math.atan(y / x))
    if lam2 > 180:
        lam2 -= 180
    if lam2 < 0:
        lam2 += 180
    f2 = 1 / 298.257222101
    e2b = 2 * f2 - f2 * f2
    phi2 = math.degrees(math.atan((z / (1 - e2b)) / (y / math.sin(math.radians(lam2)))))
    return (phi2 - lat_min / 60) * 60, (lam2 - lon_min / 60) * 60


def gps_to_tokyo(lat, lon):
    t_lat, t_lon = lat, lon
    for _ in range(4):
        d_lat, d_lon = tokyo_to_gps_shift(t_lat, t_lon)
        t_lat, t_lon = lat - d_lat, lon - d_lon
    return t_lat, t_lon


# --- user file ---------------------------------------------------------------

def write_user_file(path, lines):
    rows = []
    for line in lines:
        for i, (lat, lon) in enumerate(line):
            prefix = "R," if i == 0 else ""
            rows.append(f"{prefix}{lat:.4f},{lon:.4f}")
    with open(path, "w", newline="") as f:
        f.write(CRLF.join(rows) + CRLF)
    return sum(len(l) for l in lines)


# --- mesh tiles --------------------------------------------------------------

CELL_H, CELL_W = 5.0, 7.5


def cell_of(lat, lon):
    return math.floor(lat / CELL_H), math.floor(lon / CELL_W)


def split_at_cells(line):
    """Runs of points, each inside one cell, cut where the line crosses a
    cell edge (the crossing point ends one run and starts the next)."""
    runs, run, run_cell = [], [], None
    for (la, lo), (lb, lob) in zip(line, line[1:]):
        ts = {0.0, 1.0}
        for k in range(math.floor(min(la, lb) / CELL_H) + 1, math.floor(max(la, lb) / CELL_H) + 1):
            ts.add((k * CELL_H - la) / (lb - la))
        for k in range(math.floor(min(lo, lob) / CELL_W) + 1, math.floor(max(lo, lob) / CELL_W) + 1):
            ts.add((k * CELL_W - lo) / (lob - lo))
        ts = sorted(t for t in ts if 0 <= t <= 1)
        for t0, t1 in zip(ts, ts[1:]):
            if t1 - t0 < 1e-12:
                continue
            p0 = (la + (lb - la) * t0, lo + (lob - lo) * t0)
            p1 = (la + (lb - la) * t1, lo + (lob - lo) * t1)
            mid = cell_of((p0[0] + p1[0]) / 2, (p0[1] + p1[1]) / 2)
            if mid != run_cell:
                if len(run) > 1:
                    runs.append((run_cell, run))
                run, run_cell = [p0], mid
            run.append(p1)
    if len(run) > 1:
        runs.append((run_cell, run))
    return runs


def cell_code(cell):
    row, col = cell  # 5' rows and 7.5' columns counted from 0
    pp, r = divmod(row, 8)
    q, s = divmod(col, 8)
    return f"{pp:02d}{q - 100:02d}{r}{s}", f"{pp}{q - 100}"


def to_cell_units(cell, p):
    south, west = cell[0] * CELL_H, cell[1] * CELL_W
    x = round((p[1] - west) / CELL_W * 10000)
    y = round((p[0] - south) / CELL_H * 10000)
    return min(max(x, 0), 10000), min(max(y, 0), 10000)


def write_tiles(lines, tiles):
    by_tile = {}
    for line in lines:
        tokyo = [gps_to_tokyo(lat, lon) for lat, lon in line]
        for cell, run in split_at_cells(tokyo):
            code, tile = cell_code(cell)
            if tile not in tiles:
                continue
            pairs = []
            for p in run:
                xy = to_cell_units(cell, p)
                if not pairs or pairs[-1] != xy:
                    pairs.append(xy)
            if len(pairs) > 1:
                by_tile.setdefault(tile, {}).setdefault(code, []).append(pairs)
    counts = {}
    for tile in sorted(tiles):
        path = os.path.join(OUT, f"{tile}.cst")
        if tile not in by_tile:  # open sea or inland: no tile file, as a missing tile
            if os.path.exists(path):
                os.remove(path)
            continue
        rows = []
        for code in sorted(by_tile[tile]):
            rows.append(f"M {code}")
            for n, pairs in enumerate(by_tile[tile][code], 1):
                # Columns 2-49 carry a polyline label; the count sits in 50-55.
                rows.append(f"L {code}-{n:04d}".ljust(49) + f"{len(pairs):6d}")
                for i in range(0, len(pairs), 7):
                    rows.append("".join(f"{x:5d}{y:5d}" for x, y in pairs[i:i + 7]))
        with open(path, "w", newline="") as f:
            f.write(CRLF.join(rows) + CRLF)
        counts[tile] = sum(len(p) for c in by_tile[tile].values() for p in c)
    return counts


# --- whole-country file -------------------------------------------------------

def write_whole_country(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            for i, (lat, lon) in enumerate(line):
                f.write(struct.pack("<ff", -lat if i == 0 else lat, lon))
    return sum(len(l) for l in lines)


# --- landmarks ------------------------------------------------------------------

# Positions: the lighthouses' published coordinates (Japan Coast Guard light
# list as quoted by Wikipedia), rounded to 0.1'. Characteristics as the light
# list gives them, simplified to period / lit seconds / colours; the two
# harbour lights are placed at the Enoshima yacht harbour entrance and are
# illustrative. Fields: name, ddmm.m, dddmm.m, period s, lit s, colours, size.
LIGHTS = [
    ("JCG2107_江の島灯台", "3518.0", "13928.8", 10, 1, "W", 3),
    ("JCG2108_江の島港東防波堤灯台", "3517.7", "13929.2", 4, 1, "G", 1),
    ("JCG2109_江の島港西防波堤灯台", "3517.6", "13928.9", 4, 1, "R", 1),
    ("JCG2093_城ヶ島灯台", "3508.0", "13936.6", 15, 1, "W", 4),
    ("JCG2089_剱埼灯台", "3508.5", "13940.6", 30, 1, "WG", 4),
    ("JCG2152_真鶴岬灯台", "3508.1", "13910.2", 10, 2, "W", 3),
    ("JCG2216_風早埼灯台", "3447.9", "13921.7", 12, 1, "W", 3),
    ("JCG2222_竜王埼灯台", "3441.0", "13926.7", 6, 2, "R", 3),
    ("JCG2160_初島灯台", "3502.5", "13910.4", 10, 1, "W", 3),
    ("JCG2001_観音埼灯台", "3515.4", "13944.7", 15, 1, "W", 4),
]


def write_landmarks(path):
    rows = ["// name,lat ddmm.m,lon dddmm.m,period s,lit s,colours,size"]
    rows += [",".join(str(v) for v in light) for light in LIGHTS]
    with open(path, "wb") as f:
        f.write((CRLF.join(rows) + CRLF).encode("cp932"))
    return len(LIGHTS)


def main():
    os.makedirs(OUT, exist_ok=True)
    user = gmt_shorelines(139.2, 139.8, 35.0, 35.5)
    n_user = write_user_file(os.path.join(OUT, "shonan.cst"), user)
    tiles = {f"{lat}{lon - 100}" for lat in range(51, 54) for lon in range(138, 141)}
    tile_lines = gmt_shorelines(137.9, 141.1, 33.9, 36.1)
    counts = write_tiles(tile_lines, tiles)
    country = gmt_shorelines(137.5, 142.0, 33.0, 37.0)
    n_country = write_whole_country(os.path.join(OUT, "jcoast.cst"), country)
    n_lights = write_landmarks(os.path.join(OUT, "jpnlh.lh"))
    print(f"shonan.cst {n_user} points; jcoast.cst {n_country} points; {n_lights} lights")
    for tile, n in sorted(counts.items()):
        print(f"{tile}.cst {n} points")


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Fills a korvane data root with sample races.

    python3 tools/samplegen/samplegen.py                 # regenerate sample/
    python3 tools/samplegen/samplegen.py --out DIR       # the same into DIR
    python3 tools/samplegen/samplegen.py --large DIR     # benchmark race into DIR

Everything is deterministic: the same command writes the same bytes.
Standard library only.
"""

import argparse
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import converted  # noqa: E402
import races  # noqa: E402
import valencia  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_REAL_GPX = "/work/shared/data/real-gpx"

RACE_ORDER = ["enoshima-cup.txt", "enoshima-ct.txt", "enoshima-watch.txt", "valencia.txt",
              "valencia-2.txt"]


def write_tree(root, files):
    for rel, data in sorted(files.items()):
        path = os.path.join(root, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)


def sample_tree(real_gpx):
    files = {}
    summaries = []
    for build in (races.demo_race, races.ct_race, races.watch_race):
        race_files, summary = build()
        files.update(race_files)
        summaries.append(summary)
    real = valencia.valencia_races(real_gpx)
    if not real:
        print(f"samplegen: {real_gpx} not found, the Valencia race is left as it is", file=sys.stderr)
    files.update(real)
    if not converted.available():
        print("samplegen: gpsbabel not found, the FIT and TCX logs are left as they are", file=sys.stderr)
    present = [r for r in RACE_ORDER if "raceadmin/" + r in files]
    files["raceadmin/racefile.st"] = ("\r\n".join(present) + "\r\n").encode("ascii")
    files["ctrl/editfile.edt"] = b"enoshima-cup.txt_b\r\n"
    return files, summaries


def main(argv=None):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--out", default=os.path.join(REPO, "sample"), help="data root to fill (default: sample/)")
    p.add_argument("--large", metavar="OUT_DIR", help="write only the 81-boat benchmark race into OUT_DIR")
    p.add_argument("--real-gpx", default=DEFAULT_REAL_GPX, help="folder of the Valencia GPX logs")
    p.add_argument("--quiet", action="store_true")
    args = p.parse_args(argv)
    began = time.time()
    if args.large:
        files, summary = races.large_race()
        write_tree(args.large, files)
        summaries = [summary]
        root = args.large
    else:
        files, summaries = sample_tree(args.real_gpx)
        write_tree(args.out, files)
        root = args.out
    if not args.quiet:
        size = sum(len(d) for d in files.values())
        print(f"samplegen: {len(files)} files, {size / 1e6:.1f} MB into {root} "
              f"in {time.time() - began:.1f} s")
        for race, rows in summaries:
            done = sorted(r[2] for r in rows if r[2] is not None)
            if done:
                print(f"  {race}: {len(rows)} boats, {len(done)} finish, "
                      f"first {done[0]:.0f} s, last {done[-1]:.0f} s after the gun")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Seeded random tables against a tally of the file the same request extracts.

Usage: check.py DATA [REQUESTS] [BIN]
  DATA      a data set (the --full demo set: a household file for every ED)
  REQUESTS  how many requests (default 50)
  BIN       the folder holding zendra91-extract (default build/release/bin)

Each request is an area choice at a random level (or a user ED list drawn from the
data set's household files), a one- or two-way table of persons or households by
variables and area levels. The same options extract a CSV file with those columns,
which pandas tallies independently. Prints each request and its differing cells, then
"differing_cells: N" (goal 0); exits 1 when any cell differs."""
import csv
import io
import os
import random
import subprocess
import sys
import tempfile

import pandas as pd

data = os.path.abspath(sys.argv[1])
requests = int(sys.argv[2]) if len(sys.argv) > 2 else 50
here = os.path.dirname(os.path.abspath(__file__))
bin_dir = sys.argv[3] if len(sys.argv) > 3 else os.path.join(here, "..", "..", "build", "release", "bin")
tool = os.path.join(bin_dir, "zendra91-extract")

PERSON = ["Age", "Sex", "EthGroup", "MStatus", "EconPrim", "LTIll"]
HOUSEHOLD = ["Tenure", "Cars", "Bath", "RoomsNum", "PersInHH"]
AREAS = ["country", "region", "county", "district", "ward", "ed"]
HEADERS = dict(zip(AREAS, ["Country", "Region", "County", "District", "Ward", "ED"]))
# Members per level; more than one member at the lower levels.
LEVELS = [("--countries", 4, 1), ("--regions", 13, 1), ("--counties", 68, 2), ("--districts", 485, 3),
          ("--wards", 11499, 6)]

household_files = []
for folder in sorted(os.listdir(os.path.join(data, "Zen91Data"))):
    names = os.listdir(os.path.join(data, "Zen91Data", folder))
    household_files += [n[:-4] for n in names if n.endswith(".res")]


def run(arguments, cwd):
    done = subprocess.run([tool, "--data", data] + arguments, cwd=cwd, capture_output=True, text=True)
    if done.returncode not in (0, 3):
        sys.exit(f"{' '.join(arguments)}: exit {done.returncode}: {done.stderr}")
    return done.stdout


def tally(path, names):
    frame = pd.read_csv(path, usecols=names, dtype=str, keep_default_na=False)
    counts = frame.groupby(names).size()
    return {tuple(k) if isinstance(k, tuple) else (k,): int(v) for k, v in counts.items()}


def table_cells(text, two_way):
    cells = {}
    for line in list(csv.reader(io.StringIO(text)))[1:]:
        key = (line[0], line[2]) if two_way else (line[0],)
        cells[key] = cells.get(key, 0) + int(line[-1])
    return cells


def main():
    total = 0
    with tempfile.TemporaryDirectory() as work:
        for seed in range(1, requests + 1):
            rng = random.Random(seed)
            households = rng.random() < 0.3
            kind = rng.randrange(7)
            if kind < 5:
                option, count, most = LEVELS[kind]
                members = rng.sample(range(1, count + 1), rng.randint(1, most))
                choice = [option, ",".join(map(str, members))]
            else:
                codes = rng.sample(household_files, rng.randint(1, 400)) + ["99ZZZZ01"]
                codes += rng.sample(codes, len(codes) // 10)  # repeats count twice
                path = os.path.join(work, f"list{seed}.txt")
                with open(path, "w") as f:
                    f.write("\r\n".join(c.lower() if rng.random() < 0.2 else c for c in codes))
                choice = ["--ed-list", path]

            def side():
                pools = [AREAS, HOUSEHOLD] + ([] if households else [PERSON])
                return rng.choice(rng.choice(pools))

            sides = [side()]
            if rng.random() < 0.7:
                other = side()
                if other != sides[0]:
                    sides.append(other)
            table = run(choice + ["--table", ",".join(sides), "--count", "households" if households else "persons"],
                        work)

            person_vars = [s for s in sides if s in PERSON] or ["Sex"]
            household_vars = [s for s in sides if s in HOUSEHOLD] or ["Tenure"]
            spatial = ",".join(["ed"] + [s for s in sides if s in AREAS and s != "ed"])
            out = os.path.join(work, f"out{seed}")
            extract = choice + ["--output", out, "--spatial", spatial, "--quiet", "--hh-vars", ",".join(household_vars)]
            extract += ["--ind-vars", "none"] if households else ["--combined", "--ind-vars", ",".join(person_vars)]
            run(extract, work)
            path = os.path.join(out, "Zen91_hh.txt" if households else "Zen91_hhind.txt")
            header = [HEADERS.get(s, s) for s in sides]
            expected = tally(path, header)
            actual = table_cells(table, len(sides) > 1)
            keys = set(expected) | set(actual)
            differing = sum(1 for k in keys if expected.get(k, 0) != actual.get(k, 0))
            total += differing
            print(f"{seed}: {' '.join(choice[:1] + [choice[1][-40:]])} --table {','.join(sides)}"
                  f"{' --count households' if households else ''}: {len(actual)} cells, "
                  f"{sum(actual.values())} counted, {differing} differing", flush=True)
            subprocess.run(["rm", "-rf", out])
    print(f"differing_cells: {total}")
    sys.exit(1 if total else 0)


main()

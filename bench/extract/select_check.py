#!/usr/bin/env python3
"""REQUESTS seeded random requests with random case selections (household and person
conditions, codes and ranges, whole households on and off, separate and combined files,
areas at every level and user ED lists) against the unselected extraction of the same
request filtered here, from the SAR records, by HNUM and PNUM: prints each request's
differing bytes and differing_bytes in all (goal 0).
Usage: select_check.py DATA [REQUESTS] [BIN]"""
import os
import random
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
data = os.path.abspath(sys.argv[1])
requests = int(sys.argv[2]) if len(sys.argv) > 2 else 50
binary = os.path.join(sys.argv[3] if len(sys.argv) > 3 else os.path.join(here, "../../build/release/bin"),
                      "zendra91-extract")

HH = ["HNUM", "AreaHH", "Bath", "Cars", "CenHeat", "HHSpInDw", "HHSpType", "InsideWC", "LowFloor", "PersInHH",
      "RoomsNum", "Tenure", "WMove"]
IND = ["HNUM", "PNUM", "Age", "CoBirth", "DistMove", "DistWork", "EconPrim", "EconSec", "EmpStat", "EthGroup",
       "FamHead", "FamNum", "FamTyppe", "GaelLang", "Hours", "Industry", "LTIll", "MigOrgn", "MStatus", "Occpatn",
       "QuaLevel", "QualNum", "QualSub", "Relat", "ResidSta", "SEGroup", "Sex", "SoClass", "TermTim", "TranWork",
       "URVisit", "WelshLan", "WorkPlce"]


def records(name):
    with open(os.path.join(data, "SARData", name)) as f:
        return [[int(v) for v in line.strip().split(",")] for line in f if line.strip()]


households = {r[0]: r for r in records("HHSAR.dat")}
persons = {}
for r in records("IndSAR.dat"):
    persons.setdefault(r[0], []).append(r)


def condition(rng, household):
    names = HH[1:] if household else IND[2:]
    name = rng.choice(names)
    field = (HH if household else IND).index(name)
    values = sorted({r[field] for r in households.values()} if household
                    else {p[field] for ps in persons.values() for p in ps})
    codes = []
    for _ in range(rng.randint(1, 3)):
        low = rng.choice(values)
        high = low if rng.random() < 0.5 else rng.choice([v for v in values if v >= low])
        codes.append((low, high))
    return household, name, field, codes


def holds(codes, value):
    return any(low <= value <= high for low, high in codes)


def chosen(conditions, whole):
    """Which households and (household, person) pairs the selection writes."""
    person_conditions = [c for c in conditions if not c[0]]
    written_households, written_persons = set(), set()
    for h, record in households.items():
        if not all(holds(c[3], record[c[2]]) for c in conditions if c[0]):
            continue
        meets = {p[1] for p in persons.get(h, []) if all(holds(c[3], p[c[2]]) for c in person_conditions)}
        if person_conditions and not meets:
            continue
        written_households.add(h)
        for p in persons.get(h, []):
            if whole or not person_conditions or p[1] in meets:
                written_persons.add((h, p[1]))
    return written_households, written_persons


def filtered(path, keep):
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    header, rows = lines[0], lines[1:-1]
    names = header.decode().split(",")
    hnum, pnum = names.index("HNUM"), names.index("PNUM") if "PNUM" in names else None
    kept = [header]
    for row in rows:
        fields = row.split(b",")
        if keep(int(fields[hnum]), int(fields[pnum]) if pnum is not None else None):
            kept.append(row)
    return b"\r\n".join(kept) + b"\r\n"


def differing(a, b):
    return sum(x != y for x, y in zip(a, b)) + abs(len(a) - len(b))


codes = sorted(name[:-4] for county in os.listdir(os.path.join(data, "Zen91Data"))
               for name in os.listdir(os.path.join(data, "Zen91Data", county)) if name.endswith(".res"))
total = 0
with tempfile.TemporaryDirectory() as work:
    for seed in range(1, requests + 1):
        rng = random.Random(seed)
        conditions = [condition(rng, True) for _ in range(rng.randint(0, 2))]
        conditions += [condition(rng, False) for _ in range(rng.randint(0 if conditions else 1, 2))]
        unique = {}
        for c in conditions:
            unique[c[1]] = c
        conditions = list(unique.values())
        whole = rng.random() < 0.5
        combined = rng.random() < 0.3
        area = rng.choice(["wards", "districts", "counties", "list"])
        args = ["--data", data, "--quiet", "--spatial", rng.choice(["ed", "country,region,ed", "ward", "none"]),
                "--hh-vars", ",".join(["HNUM"] + rng.sample(HH[1:], rng.randint(0, 4))),
                "--ind-vars", ",".join(["HNUM", "PNUM"] + rng.sample(IND[2:], rng.randint(0, 6)))]
        if area == "list":
            listed = [rng.choice(codes) for _ in range(rng.randint(1, 40))]
            listed = [c.lower() if rng.random() < 0.2 else c for c in listed]
            path = os.path.join(work, f"list{seed}.txt")
            with open(path, "w") as f:
                f.write("\r\n".join(listed) + "\r\n")
            args += ["--ed-list", path]
        else:
            top = {"wards": 11499, "districts": 485, "counties": 68}[area]
            count = {"wards": 8, "districts": 1, "counties": 1}[area]
            args += ["--" + area, ",".join(str(rng.randint(1, top)) for _ in range(count))]
        if combined:
            args.append("--combined")
        selection = []
        for c in conditions:
            selection += ["--select", c[1] + "=" + ",".join(f"{l}" if l == h else f"{l}-{h}" for l, h in c[3])]
        if whole:
            selection.append("--whole-households")
        runs = []
        for name, extra in (("all", []), ("sel", selection)):
            folder = os.path.join(work, f"{name}{seed}")
            run = subprocess.run([binary] + args + ["--output", folder] + extra, capture_output=True, text=True)
            if run.returncode not in (0, 3):
                sys.exit(f"request {seed} failed ({run.returncode}): {run.stderr}")
            runs.append(folder)
        written_households, written_persons = chosen(conditions, whole)
        differ = 0
        for suffix in (["_hhind"] if combined else ["_hh", "_ind"]):
            unselected = os.path.join(runs[0], "Zen91" + suffix + ".txt")
            with open(os.path.join(runs[1], "Zen91" + suffix + ".txt"), "rb") as f:
                selected = f.read()
            if suffix == "_hh":
                expected = filtered(unselected, lambda h, p: h in written_households)
            else:
                expected = filtered(unselected, lambda h, p: (h, p) in written_persons)
            differ += differing(selected, expected)
        print(f"request {seed}: {' '.join(args[3:] + selection)}: {differ} differing bytes", flush=True)
        total += differ
        for folder in runs:
            subprocess.run(["rm", "-rf", folder])
print(f"differing_bytes: {total}")
sys.exit(1 if total else 0)

"""Runs FOLDER's Python loading script and checks each data frame it makes against
the plain extract PLAIN: every row and every named column, spatial codes as text,
and each coded column holding the codebook's meaning of the value in the file."""
import csv
import runpy
import sys
from pathlib import Path

import pandas as pd

folder, plain = Path(sys.argv[1]), Path(sys.argv[2])
frames = runpy.run_path(str(folder / "Zen91_load.py"))
with open(plain / "Zen91_codebook.csv", newline="") as f:
    codebook = list(csv.DictReader(f))

checked = 0
for suffix, frame in (("_hh", "households"), ("_ind", "persons"), ("_hhind", "combined")):
    data_file = plain / f"Zen91{suffix}.txt"
    if not data_file.exists():
        assert frame not in frames, frame
        continue
    df = frames[frame]
    lines = data_file.read_bytes().split(b"\r\n")
    header = lines[0].decode().split(",")[:-1]
    rows = [line.decode().split(",") for line in lines[1:-1]]
    assert df.shape == (len(rows), len(header)), (frame, df.shape, len(rows), len(header))
    assert df["County"].tolist() == ["03"] * len(rows), df["County"].head()
    if frame == "combined":
        assert list(df.columns).count("HNUM") == 1 and "HNUM_hh" in df.columns, list(df.columns)
    for entry in codebook:
        if not entry["file"].startswith(f"Zen91{suffix}.txt") or entry["kind"] == "spatial" or not entry["codes"]:
            continue
        codes = dict(code.split("=", 1) for code in entry["codes"].split("; "))
        if any(".." in code for code in codes):
            continue  # a range of values stays numeric
        position = int(entry["position"]) - 1
        column = df.iloc[:, position]
        assert isinstance(column.dtype, pd.CategoricalDtype), (frame, entry["name"], column.dtype)
        expected = [codes.get(row[position], row[position]) for row in rows]
        assert column.astype(str).tolist() == expected, (frame, entry["name"])
        assert df.attrs["labels"][df.columns[position]] == entry["label"]
        checked += 1
assert checked > 0

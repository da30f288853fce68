"""The data that the reference generators read, all inside the repository:
the bundled airline series and the M3 series of data/m3/m3.tar.xz (read
from the archive itself, so no build tree is needed)."""
import csv
import io
import os
import tarfile

REPO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
AIRLINE = os.path.join(REPO, "examples", "data", "airline-passengers.csv")
M3_ARCHIVE = os.path.join(REPO, "data", "m3", "m3.tar.xz")


def airline_text():
    """The airline passenger counts as written in the file, in order."""
    with open(AIRLINE) as f:
        return [r["passengers"] for r in csv.DictReader(f)]


def m3_train_text(file, sid):
    """The in-sample values of M3 series `sid` of `file` (for example
    "m3_monthly.csv", "N1879") as written in the file, in time order."""
    with tarfile.open(M3_ARCHIVE, "r:xz") as archive:
        text = io.TextIOWrapper(archive.extractfile(file), encoding="ascii")
        rows = [r for r in csv.DictReader(text) if r["series_id"] == sid and r["split"] == "train"]
    rows.sort(key=lambda r: int(r["t"]))
    return [r["value"] for r in rows]

"""examples/dask_table.py on the shared data: a LocalCluster of two workers, one row a file."""

import csv
import os
import pathlib
import subprocess
import sys

import pytest

import kelvorin

SOURCE = pathlib.Path(os.environ.get("KEL_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
DATA = pathlib.Path(os.environ.get("KEL_SHARED_DATA", SOURCE.parent / "shared" / "data"))
pytest.importorskip("distributed")


@pytest.mark.skipif(not DATA.is_dir(), reason="no shared data")
def test_table_of_the_shared_outputs(tmp_path):
    out = tmp_path / "table.csv"
    # the workers import the module this test imported
    found = str(pathlib.Path(kelvorin.__file__).resolve().parents[1])
    env = dict(os.environ, PYTHONPATH=os.pathsep.join([found, os.environ.get("PYTHONPATH", "")]))
    subprocess.run([sys.executable, str(SOURCE / "examples" / "dask_table.py"), "--workers", "2",
                    "--out", str(out), str(DATA)], check=True, timeout=600, cwd=tmp_path, env=env)
    rows = list(csv.DictReader(out.open(encoding="utf-8")))
    want = sorted(str(p) for p in DATA.rglob("*")
                  if p.is_file() and p.suffix.lower() in {".log", ".out", ".fchk"})
    assert [r["file"] for r in rows] == want
    for r in rows:
        try:
            mol = kelvorin.read(r["file"])
        except kelvorin.ReadError as e:
            assert r["verdict"] == f"read failed: {e}"
            continue
        assert int(r["atoms"]) == len(mol) and int(r["modes"]) == len(mol.frequencies)
        assert int(r["imaginary"]) == int((mol.frequencies < 0).sum())
        assert r["verdict"] == ("no modes" if not len(mol.frequencies) else
                                "; ".join(mol.analysis().report["warnings"]) or "ok")

"""The kelvorin module against the batch program's JSON document, on bad files and in threads."""

import concurrent.futures
import json
import locale
import os
import pathlib
import shutil
import subprocess

import numpy as np
import pytest

import kelvorin

SOURCE = pathlib.Path(os.environ.get("KEL_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
DATA = pathlib.Path(os.environ.get("KEL_SHARED_DATA", SOURCE.parent / "shared" / "data"))
KELVORIN = os.environ.get("KELVORIN")
SHARED = sorted(p for p in DATA.rglob("*") if p.is_file() and p.suffix.lower() != ".md")
CHAIN = SOURCE / "examples" / "chain9.log"


def copy_alone(source, folder):
    """A copy of source alone in its own new folder (the batch program writes beside it)."""
    folder.mkdir()
    return pathlib.Path(shutil.copy(source, folder))


def batch_document(path):
    run = subprocess.run([KELVORIN, "--batch", "--json", "-", path.name], cwd=path.parent,
                         capture_output=True, text=True, timeout=300)
    return json.loads(run.stdout)


def read_or_error(path):
    try:
        return kelvorin.read(path)
    except kelvorin.ReadError as e:
        return e


def same_molecule(mol, doc):
    atoms = doc["atoms"]
    assert mol.atomic_numbers.tolist() == [a["z"] for a in atoms]
    assert mol.symbols == [a["symbol"] for a in atoms]
    assert mol.masses.tolist() == [a["mass"] for a in atoms]
    assert mol.coordinates.reshape(-1, 3).tolist() == [a["xyz"] for a in atoms]
    modes = doc["modes"]
    assert mol.frequencies.tolist() == [k["frequency"] for k in modes]
    assert mol.ir.tolist() == [k["ir"] for k in modes]
    raman = [k["raman"] for k in modes]
    assert (mol.raman is None and all(r is None for r in raman)) or mol.raman.tolist() == raman
    assert mol.labels == [k["label"] for k in modes]
    assert mol.modes.shape == (len(modes), len(atoms), 3)
    assert mol.modes.tolist() == [k["displacement"] for k in modes]
    assert (mol.bonds + 1).tolist() == doc["bonds"]
    assert [(t, [a + 1 for a in atoms], v) for t, atoms, v in mol.internal_coordinates] == [
        (c["type"], c["atoms"], c["value"]) for c in doc["internal_coordinates"]]


@pytest.mark.skipif(not KELVORIN or not SHARED, reason="no batch program or no shared data")
@pytest.mark.parametrize("source", SHARED, ids=[str(p.relative_to(DATA)) for p in SHARED])
def test_shared_file_as_batch_json(source, tmp_path, capfd):
    doc = batch_document(copy_alone(source, tmp_path / "batch"))
    path = copy_alone(source, tmp_path / "module")
    cwd = os.getcwd()
    mol = read_or_error(path)
    # nothing written beside the input, the working folder where it was
    assert sorted(p.name for p in path.parent.iterdir()) == [path.name]
    assert os.getcwd() == cwd
    assert capfd.readouterr() == ("", "")
    if not doc["status"]["ok"]:
        assert isinstance(mol, kelvorin.ReadError) and str(mol)
        return
    assert not isinstance(mol, Exception), str(mol)
    same_molecule(mol, doc)
    analysis = mol.analysis()
    if doc["analysis"] is None:
        assert analysis is None
        return
    want = doc["analysis"]
    assert analysis.frequencies.tolist() == want["frequencies"]
    assert analysis.modes.tolist() == want["modes"]
    assert [[(c + 1, p) for c, p in mode] for mode in analysis.ped] == [
        [(e["coordinate"], e["percent"]) for e in mode] for mode in want["ped"]]
    assert analysis.report["warnings"] == want["report"]["warnings"]


def test_masses_change_the_analysis_only(tmp_path):
    mol = kelvorin.read(copy_alone(CHAIN, tmp_path / "a"))
    before = mol.masses.copy()
    heavy = mol.analysis(masses={"H": 2.014102, 0: 13.003355})
    assert mol.masses.tolist() == before.tolist()
    assert heavy.masses[0] == 13.003355
    assert all(m == 2.014102 for m, s in zip(heavy.masses, mol.symbols) if s == "H")
    assert mol.analysis().masses.tolist() == before.tolist()
    with pytest.raises(ValueError):
        mol.analysis(masses={"Xx": 1.0})


@pytest.mark.parametrize("case, words", [
    ("missing", "file not found: "),
    ("empty", " is empty"),
    ("cut", ""),
    ("text", ""),
])
def test_bad_file_raises_the_program_message(case, words, tmp_path):
    path = tmp_path / "bad.log"
    if case == "empty":
        path.touch()
    elif case == "cut":
        lines = CHAIN.read_text().splitlines(keepends=True)
        cut = next(i for i, line in enumerate(lines) if "Frequencies --" in line) + 3
        path.write_text("".join(lines[:cut]))
    elif case == "text":
        path.write_text("no molecule here\n")
    with pytest.raises(kelvorin.ReadError) as failure:
        kelvorin.read(path)
    assert isinstance(failure.value, OSError)
    assert words in str(failure.value) and str(failure.value).strip()
    assert str(path) in str(failure.value)
    assert sorted(p.name for p in tmp_path.iterdir()) == ([] if case == "missing" else ["bad.log"])


def test_geometry_choice_is_checked_and_the_locale_ignored():
    with pytest.raises(ValueError):
        kelvorin.read(CHAIN, geometry="middle")
    want = kelvorin.read(CHAIN, geometry="first").coordinates.tolist()
    before = locale.setlocale(locale.LC_ALL)
    try:
        locale.setlocale(locale.LC_ALL, "pl_PL.UTF-8")
    except locale.Error:
        pytest.skip("no pl_PL.UTF-8 locale")
    try:
        assert kelvorin.read(CHAIN, geometry="first").coordinates.tolist() == want
    finally:
        locale.setlocale(locale.LC_ALL, before)


def test_write_kel_writes_beside_the_input_only_when_asked(tmp_path):
    path = copy_alone(CHAIN, tmp_path / "a")
    kelvorin.read(path, write_kel=True)
    assert sorted(p.name for p in path.parent.iterdir()) == ["chain9.kel", "chain9.log"]
    kel, log = kelvorin.read(path.with_suffix(".kel")), kelvorin.read(path)
    assert kel.symbols == log.symbols
    assert np.allclose(kel.frequencies, log.frequencies, atol=0.01)  # the file keeps 2 decimals


def test_two_threads_read_as_one_after_the_other(tmp_path):
    big = [p for p in SHARED if p.name.startswith("gen_n100")] or [CHAIN]
    files = [copy_alone(CHAIN, tmp_path / "a"), copy_alone(big[0], tmp_path / "b")] * 3

    def summary(path):
        mol = kelvorin.read(path)
        return (mol.coordinates.tolist(), mol.frequencies.tolist(), mol.modes.tolist(),
                mol.bonds.tolist(), mol.analysis().report["lines"])

    alone = [summary(p) for p in files]
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        together = list(pool.map(summary, files))
    assert together == alone


def test_spectrum_is_the_batch_csv(tmp_path):
    source = copy_alone(CHAIN, tmp_path / "a")
    spectrum = kelvorin.read(source).spectrum(fwhm=8, lineshape="gauss", range=(500, 3500))
    if KELVORIN:
        subprocess.run([KELVORIN, "--batch", "--fwhm", "8", "--lineshape", "gauss", "--range",
                        "500:3500", "--spectrum", "s.csv", source.name], cwd=source.parent,
                       check=True, capture_output=True, timeout=60)
        rows = np.loadtxt(source.parent / "s.csv", delimiter=",", skiprows=1)
        np.testing.assert_allclose(spectrum.wavenumber, rows[:, 0], rtol=1e-12)
        np.testing.assert_allclose(spectrum.ir, rows[:, 1], rtol=1e-9, atol=1e-12)
    # the area under the curve is the IR intensity of the sticks inside the range
    inside = (spectrum.stick_wavenumbers > 550) & (spectrum.stick_wavenumbers < 3450)
    assert np.trapz(spectrum.ir, spectrum.wavenumber) == pytest.approx(
        spectrum.stick_ir[inside].sum(), rel=1e-3)
    scaled = kelvorin.read(source).spectrum(scaling=(0.9, 10))
    np.testing.assert_allclose(scaled.stick_wavenumbers, 0.9 * spectrum.stick_wavenumbers + 10)
    with pytest.raises(ValueError):
        kelvorin.read(source).spectrum(fwhm=0)

#!/usr/bin/env python3
"""kelvorin.read from Python against the batch program's own read of the same output.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_read.py build/kelvorin [FILE] [-n 10]

FILE (default: ../shared/data/generated/gen_n480_raman_masses_opt3.log) is copied to a
temporary folder first. Printed, each the best of n runs (the machine may be shared), the wall time and the CPU time:
- module: kelvorin.read in this process (the import not counted), then with the arrays of
  coordinates and modes taken as well;
- batch: the process `kelvorin --batch FILE` from start to end, with its .kel absent (a fresh
  folder each run, so it writes the .kel) and present (it compares the .kel), and the
  process alone (`--batch --version`) for its start-up.
"""

import argparse
import pathlib
import resource
import shutil
import subprocess
import tempfile
import time

import kelvorin

DEFAULT = (pathlib.Path(__file__).resolve().parents[2] / "shared" / "data" / "generated"
           / "gen_n480_raman_masses_opt3.log")


def cpu():
    """CPU seconds of this process and of its finished children."""
    me, children = (resource.getrusage(w) for w in (resource.RUSAGE_SELF, resource.RUSAGE_CHILDREN))
    return me.ru_utime + me.ru_stime + children.ru_utime + children.ru_stime


def best(runs, work):
    """The best wall time and the best CPU time of runs calls of work."""
    walls, cpus = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), cpu()
        work()
        walls.append(time.perf_counter() - start)
        cpus.append(cpu() - start_cpu)
    return min(walls), min(cpus)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kelvorin")
    parser.add_argument("file", nargs="?", default=str(DEFAULT))
    parser.add_argument("-n", type=int, default=10)
    args = parser.parse_args()
    args.kelvorin = str(pathlib.Path(args.kelvorin).resolve())
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        source = pathlib.Path(args.file)

        def fresh():
            folder = tmp / "fresh"
            shutil.rmtree(folder, ignore_errors=True)
            folder.mkdir()
            return pathlib.Path(shutil.copy(source, folder))

        alone = pathlib.Path(shutil.copy(source, tmp))
        read = best(args.n, lambda: kelvorin.read(alone))

        def with_arrays():
            mol = kelvorin.read(alone)
            return mol.coordinates, mol.modes

        arrays = best(args.n, with_arrays)

        def batch(path):
            subprocess.run([args.kelvorin, "--batch", path.name], cwd=path.parent, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        runs = []
        for _ in range(args.n):
            path = fresh()  # not timed
            runs.append(best(1, lambda: batch(path)))
        absent = tuple(min(r[k] for r in runs) for k in (0, 1))
        path = fresh()
        batch(path)  # writes the .kel that the next runs compare
        present = best(args.n, lambda: batch(path))
        start = best(args.n, lambda: subprocess.run(
            [args.kelvorin, "--batch", "--version"], stdout=subprocess.DEVNULL, check=True))

    print(f"file: {source.name}, best of {args.n}; wall ms, CPU ms")
    for name, (wall, used) in [("kelvorin.read", read),
                               ("kelvorin.read + coordinates, modes", arrays),
                               ("kelvorin --batch, .kel absent", absent),
                               ("kelvorin --batch, .kel present", present),
                               ("kelvorin --batch --version", start)]:
        print(f"{name:36} {wall * 1000:8.1f} {used * 1000:8.1f}")

if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""A folder of calculation outputs to one table, read in parallel with Dask.

One machine (a LocalCluster of worker processes):

    python3 examples/dask_table.py --workers 4 --out table.csv results/

A cluster (a scheduler already running, the folder on a file system every worker sees):

    python3 examples/dask_table.py --scheduler tcp://head:8786 --out table.csv /shared/results/

One row per file: file, atoms, energy (when the reader holds one; empty otherwise), modes,
lowest and highest frequency (cm-1), imaginary modes, and the verdict of the frequency
integrity report ("ok", its warnings joined by "; ", "no modes", or "read failed: " and the
program's message). Rows come in the files' order; the table is CSV.
"""

import argparse
import csv
import pathlib
import sys

COLUMNS = ["file", "atoms", "energy", "modes", "lowest", "highest", "imaginary", "verdict"]
RESULTS = ["*.log", "*.out", "*.fchk", "*.fch", "*.fmt", "*.fmu"]


def row(path):
    """The table row of one file (runs on a worker)."""
    import kelvorin

    try:
        mol = kelvorin.read(path)
    except kelvorin.ReadError as e:
        return {"file": path, "atoms": 0, "energy": None, "modes": 0, "lowest": None,
                "highest": None, "imaginary": 0, "verdict": f"read failed: {e}"}
    frequencies = mol.frequencies
    analysis = mol.analysis() if len(frequencies) else None
    if analysis is None:
        verdict = "no modes"
    else:
        verdict = "; ".join(analysis.report["warnings"]) or "ok"
    return {
        "file": path,
        "atoms": len(mol),
        "energy": getattr(mol, "energy", None),
        "modes": len(frequencies),
        "lowest": float(frequencies.min()) if len(frequencies) else None,
        "highest": float(frequencies.max()) if len(frequencies) else None,
        "imaginary": int((frequencies < 0).sum()),
        "verdict": verdict,
    }


def files_of(folder, patterns):
    found = set()
    for pattern in patterns:
        found.update(p for p in pathlib.Path(folder).rglob(pattern) if p.is_file())
    return sorted(str(p) for p in found)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", help="folder searched (with its subfolders) for outputs")
    parser.add_argument("--scheduler", help="address of a running Dask scheduler "
                        "(default: a LocalCluster on this machine)")
    parser.add_argument("--workers", type=int, default=2, help="LocalCluster worker processes")
    parser.add_argument("--threads", type=int, default=1, help="threads per LocalCluster worker")
    parser.add_argument("--glob", action="append", help="file patterns (default: "
                        + " ".join(RESULTS) + ")")
    parser.add_argument("--out", help="CSV file (default: standard output)")
    args = parser.parse_args(argv)

    from dask.distributed import Client, LocalCluster

    paths = files_of(args.folder, args.glob or RESULTS)
    if args.scheduler:
        client = Client(args.scheduler)
        cluster = None
    else:
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=args.threads,
                               processes=True, dashboard_address=None)
        client = Client(cluster)
    try:
        # one task per file; a large folder may be given in batches of files per task
        rows = client.gather(client.map(row, paths, pure=False))
    finally:
        client.close()
        if cluster is not None:
            cluster.close()

    stream = open(args.out, "w", newline="", encoding="utf-8") if args.out else sys.stdout
    writer = csv.DictWriter(stream, fieldnames=COLUMNS, lineterminator="\n")
    writer.writeheader()
    writer.writerows(rows)
    if args.out:
        stream.close()
    failed = sum(r["verdict"].startswith("read failed") for r in rows)
    print(f"{len(rows)} files, {failed} failed reads", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())

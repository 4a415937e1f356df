#!/usr/bin/env python3
"""Checks a --json document (standard input) against the documented layout: every key
present, in order, with the documented types, and the arrays consistent with each other."""
import json
import sys

TOP = ["program", "version", "schema", "file", "status", "atoms", "bonds",
       "internal_coordinates", "modes", "scaling", "analysis"]
STATUS = ["ok", "text3", "text4"]
ATOM = ["number", "z", "symbol", "mass", "xyz"]
COORD = ["type", "atoms", "value"]
MODE = ["number", "frequency", "ir", "raman", "label", "displacement"]
ANALYSIS = ["source", "masses", "frequencies", "reduced_masses", "force_constants", "modes",
            "ped", "ped_kind", "report"]
REPORT = ["expected_modes", "modes", "imaginary", "max_overlap", "max_translation_rotation",
          "max_frequency_difference", "min_mode_overlap", "warnings"]
NUM = (int, float)


def need(ok, what):
    if not ok:
        sys.exit("json schema: " + what)


def keys(obj, want, where):
    need(isinstance(obj, dict), where + " is not an object")
    need(list(obj.keys()) == want, "%s keys %s, not %s" % (where, list(obj.keys()), want))


def triples(rows, n, where):
    need(isinstance(rows, list) and len(rows) == n, where + ": not one triple per atom")
    for r in rows:
        need(isinstance(r, list) and len(r) == 3 and all(isinstance(x, NUM) for x in r),
             where + ": not three numbers")


def main():
    text = sys.stdin.read()
    doc = json.loads(text)  # also fails on anything else written to standard output
    keys(doc, TOP, "document")
    need(doc["program"] == "kelvorin" and doc["schema"] == 1, "program or schema")
    need(isinstance(doc["version"], str) and isinstance(doc["file"], str), "version or file")
    keys(doc["status"], STATUS, "status")
    need(isinstance(doc["status"]["ok"], bool), "status.ok")
    n = len(doc["atoms"])
    need(n > 0, "no atoms")
    for k, a in enumerate(doc["atoms"]):
        keys(a, ATOM, "atom")
        need(a["number"] == k + 1 and isinstance(a["z"], int) and isinstance(a["mass"], NUM),
             "atom fields")
        triples([a["xyz"]], 1, "atom xyz")
    for b in doc["bonds"]:
        need(len(b) == 2 and 1 <= b[0] < b[1] <= n, "bond %s" % b)
    ics = doc["internal_coordinates"]
    for c in ics:
        keys(c, COORD, "internal coordinate")
        need(all(1 <= i <= n for i in c["atoms"]) and isinstance(c["value"], NUM), "coordinate")
    for k, m in enumerate(doc["modes"]):
        keys(m, MODE, "mode")
        need(m["number"] == k + 1 and isinstance(m["frequency"], NUM), "mode fields")
        need(m["raman"] is None or isinstance(m["raman"], NUM), "mode raman")
        triples(m["displacement"], n, "mode displacement")
    keys(doc["scaling"], ["factor", "shift"], "scaling")
    a = doc["analysis"]
    if a is None:
        return
    keys(a, ANALYSIS, "analysis")
    need(a["source"] in (None, "checkpoint", "output"), "analysis.source")
    need(len(a["masses"]) == n, "analysis.masses")
    nf = len(a["frequencies"])
    need(len(a["reduced_masses"]) == nf and len(a["force_constants"]) == nf and
         len(a["modes"]) == nf, "analysis arrays of different lengths")
    need(all(x >= y for x, y in zip(a["frequencies"], a["frequencies"][1:])),
         "frequencies not highest first")
    for m in a["modes"]:
        triples(m, n, "analysis mode")
    need(a["ped_kind"] in (None, "ped", "character"), "ped_kind")
    for mode in a["ped"]:
        p = [e["percent"] for e in mode]
        for e in mode:
            keys(e, ["coordinate", "percent"], "ped entry")
            need(1 <= e["coordinate"] <= len(ics), "ped coordinate")
        need(all(x >= 1 for x in p) and p == sorted(p, reverse=True), "ped percents")
    r = a["report"]
    if r is not None:
        keys(r, REPORT, "report")
        need(isinstance(r["expected_modes"], int) and isinstance(r["warnings"], list), "report")
        for k in ("max_frequency_difference", "min_mode_overlap"):
            need(r[k] is None or isinstance(r[k], NUM), "report " + k)


if __name__ == "__main__":
    main()

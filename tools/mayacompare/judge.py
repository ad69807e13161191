#!/usr/bin/env python3
"""Runs mayacompare over the development pairs: every pair SOURCES.txt lists,
each scene in a process of its own with a time limit, so that a crash or a
hang costs that pair only (its objects count as not matching). Prints a line
per object, the totals for objects with history and for controls (objects
without), a table per history node type, the runs that crashed or timed out,
and the node types most common among objects whose geometry differs.

Needs only Python 3's standard library."""

import argparse
import collections
import json
import os
import signal
import subprocess
import sys

NOT_OPERATIONS = {"mesh", "transform", "joint"}


def parse_args():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--comparer", required=True, help="the mayacompare program")
    p.add_argument("--sources", required=True, help="SOURCES.txt: id, repo, commit, scene, obj, objects, history")
    p.add_argument("--pairs", required=True, help="the folder holding ID/scene.ma and ID/maya.obj for each pair")
    p.add_argument("--timeout", type=float, default=600, help="seconds a scene may take (default 600)")
    p.add_argument("--only", action="append", default=[], help="a pair id to run (repeatable; default all)")
    return p.parse_args()


def read_sources(path):
    with open(path, encoding="utf-8") as f:
        header = f.readline().rstrip("\n").split("\t")
        rows = []
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == len(header):
                rows.append(dict(zip(header, fields)))
    return rows


def failed_run(objects, histories, reason):
    return [{"object": o, "history": h, "geometry": False, "uvs": False, "reason": reason}
            for o, h in zip(objects, histories)]


def run_pair(args, row):
    """The objects' results, and a line about the run when it did not finish."""
    objects = row["objects"].split(";")
    histories = row["history"].split(";")
    histories += [""] * (len(objects) - len(histories))
    folder = os.path.join(args.pairs, row["id"])
    command = [args.comparer, "--json", "--id", row["id"], "--objects", row["objects"], "--history",
               row["history"], os.path.join(folder, "scene.ma"), os.path.join(folder, "maya.obj")]
    try:
        run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=args.timeout)
    except subprocess.TimeoutExpired:
        why = "timed out after %g s" % args.timeout
        return failed_run(objects, histories, why), why
    if run.returncode < 0:
        try:
            name = signal.Signals(-run.returncode).name
        except ValueError:
            name = "signal %d" % -run.returncode
        why = "crashed (%s)" % name
        return failed_run(objects, histories, why), why
    try:
        return json.loads(run.stdout.decode("utf-8", "replace"))["objects"], None
    except (ValueError, KeyError):
        last = run.stderr.decode("utf-8", "replace").strip().splitlines()[-1:] or [""]
        why = "exit status %d without a report: %s" % (run.returncode, last[0])
        return failed_run(objects, histories, why), why


def history_types(entry):
    return [] if entry in ("", "-") else [t for t in entry.split(",") if t]


def count(results):
    return (len(results), sum(r["geometry"] for r in results), sum(r["geometry"] and r["uvs"] for r in results))


def main():
    args = parse_args()
    rows = [r for r in read_sources(args.sources) if not args.only or r["id"] in args.only]
    everything, unfinished = [], []
    for row in rows:
        results, why = run_pair(args, row)
        if why:
            unfinished.append((row["id"], why, [r["object"] for r in results]))
        for r in results:
            r["pair"] = row["id"]
            print("%s %s [%s] geometry %s uvs %s: %s" % (row["id"], r["object"], r["history"],
                  "yes" if r["geometry"] else "no", "yes" if r["uvs"] else "no", r["reason"] or "matches"))
            everything.append(r)
        sys.stdout.flush()

    with_history = [r for r in everything if history_types(r["history"])]
    controls = [r for r in everything if not history_types(r["history"])]
    print("\n%d pairs, %d objects" % (len(rows), len(everything)))
    for label, group in (("objects with history", with_history), ("controls", controls)):
        n, geometry, both = count(group)
        print("%s: %d; Maya's geometry %d, geometry and UVs %d" % (label, n, geometry, both))

    by_type = collections.defaultdict(list)
    for r in with_history:
        for t in set(history_types(r["history"])):
            by_type[t].append(r)
    print("\n%-28s %8s %9s %14s" % ("node type", "objects", "geometry", "geometry+UVs"))
    for t, group in sorted(by_type.items(), key=lambda item: (-len(item[1]), item[0])):
        n, geometry, both = count(group)
        print("%-28s %8d %9d %14d" % (t, n, geometry, both))

    print("\nruns that did not finish: %d" % len(unfinished))
    for pair, why, objects in unfinished:
        print("  %s: %s (%s)" % (pair, why, "; ".join(objects)))

    failing = collections.Counter()
    for r in with_history:
        if not r["geometry"]:
            failing.update(t for t in set(history_types(r["history"])) if t not in NOT_OPERATIONS)
    print("\nnode types most common among history objects whose geometry differs:")
    for t, n in failing.most_common(10):
        print("  %-28s %d" % (t, n))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Turns the benchmark exports of tools/bench.sh into one markdown table."""
import datetime
import json
import os
import re
import subprocess
import sys

out = sys.argv[1]


def lscpu(field):
    text = subprocess.run(["lscpu"], capture_output=True, text=True).stdout
    m = re.search(r"^" + field + r":\s*(.+)$", text, re.M)
    return m.group(1).strip() if m else "?"


peers = json.load(open(os.path.join(out, "peers.json")))
fig = {}  # (figure, library, file) -> (ns per operation, bytes per second or None)
for b in peers["benchmarks"]:
    figure, library, rest = b["name"].split("/", 2)
    file = rest.split("/")[0]
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
    # Saving waits for the file system, which CPU time does not see: wall time there.
    t = b["real_time"] if figure == "editsave" else b["cpu_time"]
    fig[(figure, library, file)] = (t * scale, b.get("bytes_per_second"))


def ns(v):
    if v >= 1e6:
        return f"{v / 1e6:.2f} ms"
    if v >= 1e3:
        return f"{v / 1e3:.2f} µs"
    return f"{v:.0f} ns"


print("# Benchmark results\n")
cpus = lscpu(r"CPU\(s\)")
print(f"Machine: {lscpu('Model name')}, {cpus} CPUs; "
      f"{datetime.datetime.now().strftime('%Y-%m-%d %H:%M')}; load average {os.getloadavg()[0]:.2f}.\n")
print("Files: `8MiB` is 200,000 entries in 2,000 sections; `game` is a settings file of 1,000 entries "
      "(about 30 KB) with comments and blank lines. Times are CPU time per operation, wall time for edit and save.\n")

sections = [
    ("load", "Load and index", "floor-memchr", "× floor (memchr line count)"),
    ("lookup", "One lookup (half hits, half misses)", "engine", "× engine"),
    ("editsave", "One in-place edit and save", "floor-write", "× floor (write the file)"),
]
for figure, title, base, ratio in sections:
    print(f"## {title}\n")
    print(f"| library | 8MiB | MB/s | {ratio} | game | MB/s | {ratio} |")
    print("|---|---|---|---|---|---|---|")
    libraries = sorted({k[1] for k in fig if k[0] == figure}, key=lambda l: (l != base, l != "engine", l))
    for lib in libraries:
        row = [lib]
        for file in ("8MiB", "game"):
            v = fig.get((figure, lib, file))
            b = fig.get((figure, base, file))
            if v is None:
                row += ["n/a", "", ""]
                continue
            mbs = f"{v[1] / 1e6:.0f}" if v[1] else ""
            row += [ns(v[0]), mbs, f"{v[0] / b[0]:.2f}" if b else ""]
        print("| " + " | ".join(row) + " |")
    print()
print("inih has no writer; minIni has no load (every lookup reads the file again).\n")

print("## Launcher against a shell script (wall time of a whole run, hyperfine)\n")
print("| companions | loader | script | loader ÷ script |")
print("|---|---|---|---|")
for n in (0, 2, 8):
    results = json.load(open(os.path.join(out, f"launcher-{n}.json")))["results"]
    loader, script = results[0], results[1]
    print(f"| {n} | {loader['mean'] * 1e3:.2f} ± {loader['stddev'] * 1e3:.2f} ms "
          f"| {script['mean'] * 1e3:.2f} ± {script['stddev'] * 1e3:.2f} ms | {loader['mean'] / script['mean']:.2f} |")

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
    fig[(figure, library, file)] = (t * scale, b.get("bytes_per_second"), b.get("allocs"))


def ns(v):
    if v >= 1e6:
        return f"{v / 1e6:.2f} ms"
    if v >= 1e3:
        return f"{v / 1e3:.2f} µs"
    return f"{v:.0f} ns"


print("# Benchmark results\n")
cpus = lscpu(r"CPU\(s\)")
pinned = os.environ.get("ORVO_BENCH_CPU")
print(f"Machine: {lscpu('Model name')}, {cpus} CPUs"
      f"{f' (the libraries run on CPU {pinned} alone)' if pinned else ''}; "
      f"{datetime.datetime.now().strftime('%Y-%m-%d %H:%M')}; load average {os.getloadavg()[0]:.2f}.\n")
print("Files: `8MiB` is 200,000 entries in 2,000 sections; `game` is a settings file of 1,000 entries "
      "(about 30 KB) with comments and blank lines. Times are CPU time per operation, wall time for edit and save.\n")

# The floors and the engine's own variants are no peers.
def is_peer(library):
    return not library.startswith(("floor", "plain-write", "engine"))


sections = [
    ("load", "Load and index", "floor-memchr", "× floor (memchr line count)"),
    ("lookup", "One lookup (half hits, half misses)", "engine", "× engine"),
    ("editsave", "One in-place edit and save", "floor-safe-write", "× floor (safe write: new file, flush, move over)"),
]
for figure, title, base, ratio in sections:
    print(f"## {title}\n")
    allocs = figure == "lookup"
    head = f"| library | 8MiB | MB/s | {ratio} | × best peer | game | MB/s | {ratio} | × best peer |"
    rule = "|---|---|---|---|---|---|---|---|---|"
    if allocs:
        head += " allocations per lookup (8MiB / game) |"
        rule += "---|"
    print(head)
    print(rule)
    libraries = sorted({k[1] for k in fig if k[0] == figure}, key=lambda l: (l != base, l != "engine", l))
    best = {}
    for file in ("8MiB", "game"):
        peers = [v[0] for (f, l, fl), v in fig.items() if f == figure and fl == file and is_peer(l)]
        best[file] = min(peers) if peers else None
    for lib in libraries:
        row = [lib]
        for file in ("8MiB", "game"):
            v = fig.get((figure, lib, file))
            b = fig.get((figure, base, file))
            if v is None:
                row += ["n/a", "", "", ""]
                continue
            mbs = f"{v[1] / 1e6:.0f}" if v[1] else ""
            row += [ns(v[0]), mbs, f"{v[0] / b[0]:.2f}" if b else "",
                    f"{v[0] / best[file]:.2f}" if best[file] else ""]
        if allocs:
            counts = [fig.get((figure, lib, file)) for file in ("8MiB", "game")]
            row.append(" / ".join(f"{c[2]:.2f}" if c and c[2] is not None else "n/a" for c in counts))
        print("| " + " | ".join(row) + " |")
    print()
print("The best peer is the fastest of inih, SimpleIni, iniParser and minIni in that figure. "
      "Allocations count operator new only (the C libraries allocate with malloc); each lookup benchmark asks "
      "every probe once before it is timed. The plain write is beside the safe-write floor for comparison.\n")

rss_path = os.path.join(out, "peak_rss.json")
if os.path.exists(rss_path):
    rss = json.load(open(rss_path))
    mib = 1024 * 1024
    print("## Memory of loading and indexing the 8 MiB file\n")
    print("| file | index | peak resident memory | × file size | of which before loading | binding and indexing "
          "(peak less before) | × file size |")
    print("|---|---|---|---|---|---|---|")
    peak = rss["peak_kib"] * 1024
    data = peak - rss["peak_before_kib"] * 1024
    print(f"| {rss['file_bytes'] / mib:.2f} MiB | {rss['index_bytes'] / mib:.2f} MiB | {peak / mib:.2f} MiB "
          f"| {peak / rss['file_bytes']:.2f} | {rss['peak_before_kib'] / 1024:.2f} MiB | {data / mib:.2f} MiB "
          f"| {data / rss['file_bytes']:.2f} |")
    print()
    print("A small file is bound and indexed before the measured binding, so that the program's own code is "
          "already in memory and the difference is the memory of the data: the text and its index.")
    print()
print("inih has no writer; minIni has no load (every lookup reads the file again).\n")

print("## Launcher against a shell script (wall time of a whole run, hyperfine)\n")
print("| companions | loader (mean ± σ, min–max) | script (mean ± σ, min–max) | loader ÷ script |")
print("|---|---|---|---|")
for n in (0, 2, 8):
    results = json.load(open(os.path.join(out, f"launcher-{n}.json")))["results"]
    loader, script = results[0], results[1]

    def spread(r):
        return f"{r['mean'] * 1e3:.2f} ± {r['stddev'] * 1e3:.2f} ms, {r['min'] * 1e3:.2f}–{r['max'] * 1e3:.2f}"
    print(f"| {n} | {spread(loader)} | {spread(script)} | {loader['mean'] / script['mean']:.2f} |")

#!/usr/bin/env python3
"""Runs text_bench and prints, per operation, the 1 MiB / 64 KiB time ratio and, per size, TextFind
against std::string_view::find on the same text. CPU time, best of the repetitions.

    python3 bench/ratios.py build/bench/bench/text_bench [repetitions]
"""
import json
import subprocess
import sys

binary = sys.argv[1]
repetitions = sys.argv[2] if len(sys.argv) > 2 else "5"
out = subprocess.run(
    [binary, "--benchmark_format=json", f"--benchmark_repetitions={repetitions}",
     "--benchmark_min_time=0.1"],
    check=True, capture_output=True, text=True).stdout
best = {}
for b in json.loads(out)["benchmarks"]:
    if b.get("run_type") != "iteration":
        continue
    name, size, kind = b["run_name"].split("/")
    key = (name.removeprefix("BM_"), int(size), "ascii" if kind == "0" else "gbk")
    best[key] = min(best.get(key, float("inf")), b["cpu_time"] * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]])

ops = sorted({k[0] for k in best}, key=lambda o: (o != "StringViewFind", o))
print(f"{'operation':18} {'text':5} {'1 KiB':>11} {'64 KiB':>11} {'1 MiB':>12} {'1M/64K':>7}")
for op in ops:
    for kind in ("ascii", "gbk"):
        t = [best[(op, s, kind)] for s in (1 << 10, 1 << 16, 1 << 20)]
        print(f"{op:18} {kind:5} {t[0]:9.0f}ns {t[1]:9.0f}ns {t[2]:10.0f}ns {t[2] / t[1]:7.1f}")
print()
for kind in ("ascii", "gbk"):
    ratios = [best[("TextFind", s, kind)] / best[("StringViewFind", s, kind)]
              for s in (1 << 10, 1 << 16, 1 << 20)]
    print(f"TextFind / string_view::find, {kind}: " + "  ".join(
        f"{label} {r:.2f}x" for label, r in zip(("1 KiB", "64 KiB", "1 MiB"), ratios)))

#!/usr/bin/env python3
"""Prints the results of Google Benchmark runs (their --benchmark_out JSON files) as one short
table: each benchmark's wall and CPU time per iteration, its iterations and its own counters.
Prints nothing when no file holds a result.

    bench_table.py RESULT.json...
"""
import json
import sys


NANOSECONDS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}


def time_text(value, unit):
    """The time in the largest unit that keeps it at 1 or more."""
    ns = value * NANOSECONDS.get(unit, 1)
    for name in ("s", "ms", "us"):
        if ns >= NANOSECONDS[name]:
            return f"{ns / NANOSECONDS[name]:.3g} {name}"
    return f"{ns:.3g} ns"


def counters_text(run):
    known = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
             "iterations", "real_time", "cpu_time", "time_unit", "family_index",
             "per_family_instance_index", "aggregate_name", "aggregate_unit", "label",
             "error_occurred", "error_message"}
    parts = [f"{key}={value:.4g}" if isinstance(value, float) else f"{key}={value}"
             for key, value in run.items() if key not in known]
    if run.get("label"):
        parts.insert(0, run["label"])
    return " ".join(parts)


def rows(paths):
    for path in paths:
        with open(path, encoding="utf-8") as results:
            for run in json.load(results).get("benchmarks", []):
                if run.get("error_occurred"):
                    yield [run["name"], "error", "", "", run.get("error_message", "")]
                    continue
                if "real_time" not in run:
                    # A complexity fit (BigO, RMS) carries coefficients instead of times.
                    fit = {key: value for key, value in run.items() if key.endswith("coefficient")
                           or key in ("big_o", "rms")}
                    yield [run["name"], "", "", "", " ".join(
                        f"{key}={value:.4g}" if isinstance(value, float) else f"{key}={value}"
                        for key, value in fit.items())]
                    continue
                unit = run.get("time_unit", "ns")
                yield [run["name"], time_text(run["real_time"], unit), time_text(run["cpu_time"], unit),
                       str(run["iterations"]), counters_text(run)]


def main(paths):
    table = list(rows(paths))
    if not table:
        return 0
    header = ["benchmark", "time", "CPU", "iterations", "counters"]
    widths = [max(len(row[i]) for row in table + [header]) for i in range(len(header) - 1)]
    for row in [header] + table:
        cells = [row[i].ljust(widths[i]) if i == 0 else row[i].rjust(widths[i]) for i in range(len(widths))]
        print("  ".join(cells + [row[-1]]).rstrip())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

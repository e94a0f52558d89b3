#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

"""Peak memory of fieldcalc-cli for a one-row run against a 100 000-row sweep.

Each run is one process with its output sent to /dev/null; its peak resident set
comes from wait4(). Runs alternate between the cases and the figures are
medians, in kB. The sweep streams its rows, so it should peak within 1.2 times
the one-row run in every format. Usage:

  bench/cli_memory.py path/to/fieldcalc-cli [--runs N]
"""

import argparse
import os
import statistics
import subprocess
import sys

SWEEP = "100:100099:1"  # 100 000 rows


def peak_kb(arguments):
    with open(os.devnull, "wb") as sink:
        process = subprocess.Popen(arguments, stdout=sink, env={})
        _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(arguments)} failed")
    return usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    worst = 0.0
    print(f"{'format':8} {'one row kB':>11} {'100 000 rows kB':>16} {'ratio':>6}")
    for fmt in ("text", "csv", "json"):
        one, many = [], []
        for _ in range(args.runs):
            one.append(peak_kb([args.cli, "M64", "500", "--format", fmt]))
            many.append(peak_kb([args.cli, "M64", "--sweep", SWEEP, "--format", fmt]))
        ratio = statistics.median(many) / statistics.median(one)
        worst = max(worst, ratio)
        print(f"{fmt:8} {statistics.median(one):11.0f} {statistics.median(many):16.0f} {ratio:6.2f}")
    return 0 if worst <= 1.2 else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

"""Start-up and idle cost of fieldcalc against a bare Qt window, in a real X server.

Each run starts one program in a fresh Xvfb (no window manager), waits until its
window is mapped and the process has gone quiet, and reads from /proc:

  start-up CPU  user + system time of all its threads until it went quiet
  peak memory   VmHWM, the largest resident set the process has had
  idle CPU      user + system time over the next 4 s

Runs alternate between the two programs so both see the same machine, and the
figures are medians. Usage:

  bench/startup.py BUILD_DIR [--runs N] [--idle SECONDS] [--maps] [--raster] [--env KEY=VALUE]

With --raster both programs run without Qt's GLX integration, as fieldcalc does
by itself, and are held to the tighter targets of the toolkit's floor.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time
from collections import defaultdict

POLL = 0.02  # seconds between samples while waiting for the window
QUIET_SPAN = 0.5  # the process counts as idle once it used...
QUIET_CPU = 0.01  # ...less than this many CPU seconds in the last QUIET_SPAN


def cpu_seconds(pid):
    """CPU time of every live thread, from the scheduler's nanosecond counters."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass  # the thread ended between listdir and open
    return total / 1e9


def cpu_seconds_coarse(pid):
    """utime + stime of the whole process, including threads that have ended."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def status_kib(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    raise KeyError(key)


def resident_by_file(pid):
    """Resident KiB per mapped file (anonymous memory under its own labels)."""
    sizes = defaultdict(int)
    name = None
    with open(f"/proc/{pid}/smaps") as f:
        for line in f:
            parts = line.split()
            if "-" in parts[0] and len(parts) >= 5 and ":" in parts[3]:
                name = parts[5] if len(parts) > 5 else "[anonymous]"
            elif parts[0] == "Rss:":
                sizes[name] += int(parts[1])
    return sizes


def window_visible(pid, env):
    found = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
        env=env,
        stdout=subprocess.PIPE,
        stderr=subprocess.DEVNULL,
    )
    return found.returncode == 0


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"],
        pass_fds=(write_end,),
        stderr=subprocess.DEVNULL,
    )
    os.close(write_end)
    with os.fdopen(read_end) as f:
        display = f.readline().strip()
    if not display:
        sys.exit("Xvfb did not start")
    return server, ":" + display


def measure(program, idle_seconds, show_maps, extra_env=()):
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display)
    # Qt's defaults for both programs, unless asked otherwise.
    for key in ("QT_QPA_PLATFORM", "QT_XCB_GL_INTEGRATION"):
        env.pop(key, None)
    env.update(extra_env)
    started = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not window_visible(proc.pid, env):
            if proc.poll() is not None or time.monotonic() - started > 30:
                sys.exit(f"{program}: no window within 30 s")
            time.sleep(POLL)
        mapped = time.monotonic() - started
        samples = [cpu_seconds(proc.pid)]
        span = int(QUIET_SPAN / POLL)
        while len(samples) <= span or samples[-1] - samples[-1 - span] >= QUIET_CPU:
            time.sleep(POLL)
            samples.append(cpu_seconds(proc.pid))
        startup_cpu = samples[-1 - span]
        coarse = cpu_seconds_coarse(proc.pid)
        before_idle = cpu_seconds(proc.pid)
        time.sleep(idle_seconds)
        idle_cpu = cpu_seconds(proc.pid) - before_idle
        result = {
            "mapped_s": mapped,
            "startup_cpu_s": startup_cpu,
            "coarse_cpu_s": coarse,
            "idle_cpu_s": idle_cpu,
            "peak_kib": status_kib(proc.pid, "VmHWM"),
            "threads": len(os.listdir(f"/proc/{proc.pid}/task")),
        }
        if show_maps:
            result["maps"] = resident_by_file(proc.pid)
        return result
    finally:
        proc.terminate()
        proc.wait()
        server.terminate()
        server.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir", help="a build with -DFIELDCALC_BUILD_BENCHMARKS=ON")
    parser.add_argument("--runs", type=int, default=10, help="runs of each program (default 10)")
    parser.add_argument("--idle", type=float, default=4.0, help="seconds of idling measured (default 4)")
    parser.add_argument("--maps", action="store_true", help="also list what is resident, by mapped file")
    parser.add_argument(
        "--raster", action="store_true", help="both programs without the GLX integration, tighter targets"
    )
    parser.add_argument(
        "--env", action="append", default=[], metavar="KEY=VALUE", help="set for fieldcalc only (repeatable)"
    )
    args = parser.parse_args()

    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing: bash tools/deps.sh bench")
    programs = {
        "fieldcalc": os.path.join(args.build_dir, "app", "fieldcalc"),
        "baseline": os.path.join(args.build_dir, "bench", "startup_baseline"),
    }
    for path in programs.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} not built")
    if any("=" not in item for item in args.env):
        sys.exit("--env takes KEY=VALUE")
    extra_env = {"fieldcalc": dict(item.split("=", 1) for item in args.env), "baseline": {}}
    if args.raster:
        for env in extra_env.values():
            env.setdefault("QT_XCB_GL_INTEGRATION", "none")

    # One unrecorded run each warms the page cache and fontconfig's cache.
    for path in programs.values():
        measure(path, 0, False)
    results = defaultdict(list)
    for _ in range(args.runs):
        for name, path in programs.items():
            results[name].append(measure(path, args.idle, args.maps, extra_env[name]))

    def median(name, key):
        return statistics.median(r[key] for r in results[name])

    def spread(name, key, scale):
        values = [r[key] * scale for r in results[name]]
        return f"{min(values):.1f}–{max(values):.1f}"

    # Against a baseline with GLX the window should be well below it; against a
    # raster-only one, close to it.
    targets = (1.2, 1.05, 1.1) if args.raster else (0.9, 0.5, 1.2)
    rows = [
        ("start-up CPU (ms)", "startup_cpu_s", 1000, targets[0]),
        ("peak memory VmHWM (MiB)", "peak_kib", 1 / 1024, targets[1]),
        (f"idle CPU over {args.idle:g} s (ms)", "idle_cpu_s", 1000, targets[2]),
        ("window mapped after (ms, wall)", "mapped_s", 1000, None),
        ("threads", "threads", 1, None),
    ]
    print(f"{args.runs} runs each, medians (min–max)\n")
    print(f"| figure | fieldcalc | baseline | ratio | target |")
    print(f"|---|---|---|---|---|")
    for label, key, scale, target in rows:
        ours, base = median("fieldcalc", key), median("baseline", key)
        ratio = ours / base if base else float("nan")
        verdict = "" if target is None else (f"≤ {target:g} " + ("met" if ratio <= target else "MISSED"))
        print(
            f"| {label} | {ours * scale:.1f} ({spread('fieldcalc', key, scale)}) "
            f"| {base * scale:.1f} ({spread('baseline', key, scale)}) | {ratio:.2f} | {verdict} |"
        )

    # Threads that ended before the reading are missing from the fine counters;
    # the coarse total (10 ms ticks) would show a large gap.
    for name in programs:
        gap = median(name, "coarse_cpu_s") - median(name, "startup_cpu_s")
        if gap > 0.05:
            print(f"\nnote: {name}: {gap * 1000:.0f} ms more in the coarse counter than in the fine one")

    if args.maps:
        for name in programs:
            sizes = results[name][-1]["maps"]
            print(f"\n{name}: resident KiB by mapping, largest first (last run)")
            for path, kib in sorted(sizes.items(), key=lambda item: -item[1])[:15]:
                print(f"{kib:8d}  {path}")
            print(f"{sum(sizes.values()):8d}  total, {len(sizes)} mappings")


if __name__ == "__main__":
    main()

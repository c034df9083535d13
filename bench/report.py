#!/usr/bin/env python3
"""Turns the benchmark results into the printed table and docs/PERFORMANCE.md.

Usage: report.py <results folder> <PERFORMANCE.md> <plot.png>
The folder holds catalogue.json (Google Benchmark), startup.txt and
refresh.txt (lines printed by the Wine benchmarks).
"""
import json
import os
import platform
import subprocess
import sys
import tempfile
import time

# The goals: each a ratio against a floor measured in the same run.
STARTUP_GOAL = 1.3
STARTUP_STRETCH = 1.5
REFRESH_GOAL = 2.0
FILE_GOAL = 2.0
MEMORY_GOAL_MB = 10.0


def read_lines(path, kind):
    rows = []
    with open(path, encoding="ascii") as lines:
        for line in lines:
            fields = line.split()
            if fields and fields[0] == kind:
                rows.append(fields[1:])
    return rows


def read_startup(path):
    """{(program, entries): (ms, working set KB, private KB)}"""
    return {(program, int(entries)): (float(ms), int(working), int(private))
            for program, entries, ms, working, private in read_lines(path, "startup")}


def read_refresh(path):
    """{what: (entries, ms)}"""
    return {what: (int(entries), float(ms)) for what, entries, ms in read_lines(path, "refresh")}


def read_catalogue(path):
    """{(name, entries): real time in ms}, from the medians of the repetitions."""
    with open(path, encoding="utf-8") as source:
        data = json.load(source)
    times = {}
    for run in data["benchmarks"]:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name, entries = run["run_name"].split("/")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
        times[(name, int(entries))] = run["real_time"] * scale
    return times


def ratio(value, floor):
    return value / floor if floor > 0 else float("inf")


def verdict(met):
    return "met" if met else "not met"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return lines


def startup_section(startup):
    sizes = sorted({entries for _, entries in startup})
    bare = startup[("floor", 0)]
    rows = []
    for entries in sizes:
        program = startup[("zelmivo", entries)]
        floor = startup[("floor", entries)]
        rows.append([
            f"{entries:,}", f"{program[0]:.0f} ms", f"{floor[0]:.0f} ms",
            f"{ratio(program[0], floor[0]):.2f}",
            f"{program[2] / 1024:.1f} / {program[1] / 1024:.1f} MB",
            f"{floor[2] / 1024:.1f} / {floor[1] / 1024:.1f} MB",
            f"{(program[2] - bare[2]) / 1024:.1f} / {(program[1] - bare[1]) / 1024:.1f} MB",
        ])
    lines = ["## Start-up", ""]
    lines += table(["entries", "Zelmivo", "floor (as many plain buttons)", "ratio",
                    "Zelmivo memory (private / working set)", "floor memory",
                    "Zelmivo above the bare window"], rows)
    goals = []
    if ("zelmivo", 1000) in startup:
        at1000 = ratio(startup[("zelmivo", 1000)][0], startup[("floor", 1000)][0])
        goals.append(f"- 1,000 entries within {STARTUP_GOAL}x the floor: {at1000:.2f}x, "
                     f"{verdict(at1000 <= STARTUP_GOAL)}.")
        if ("zelmivo", 100) in startup:
            growth = ratio(startup[("zelmivo", 1000)][0], startup[("zelmivo", 100)][0])
            goals.append(f"- Stretch: 1,000 entries within {STARTUP_STRETCH}x the time of 100: "
                         f"{growth:.2f}x, {verdict(growth <= STARTUP_STRETCH)}.")
        above = (startup[("zelmivo", 1000)][2] - bare[2]) / 1024
        goals.append(f"- Private memory above the bare window at 1,000 entries below "
                     f"{MEMORY_GOAL_MB:.0f} MB: {above:.1f} MB, "
                     f"{verdict(above < MEMORY_GOAL_MB)}.")
    return lines + [""] + goals


def refresh_section(refresh):
    entries, floor = refresh["floor"]
    rows = []
    for what, label in (("rename", "rename a category"), ("addition", "add an entry")):
        ms = refresh[what][1]
        rows.append([label, f"{ms:.1f} ms", f"{floor:.1f} ms", f"{ratio(ms, floor):.2f}"])
    lines = ["## Refresh after one edit", "",
             f"With {entries:,} entries; the save alone takes {refresh['save'][1]:.1f} ms "
             "and is part of each edit.", ""]
    lines += table(["edit", "Zelmivo", "floor (every cell and tile moved once)", "ratio"], rows)
    worst = max(ratio(refresh[what][1], floor) for what in ("rename", "addition"))
    return lines + ["", f"- Within {REFRESH_GOAL}x the floor: {worst:.2f}x at worst, "
                    f"{verdict(worst <= REFRESH_GOAL)}."]


def catalogue_section(times):
    sizes = sorted({entries for _, entries in times})
    rows = []
    for entries in sizes:
        def ms(name):
            return times.get((name, entries), float("nan"))
        rows.append([
            f"{entries:,}", f"{ms('Format'):.3f} ms", f"{ms('Parse'):.3f} ms",
            f"{ms('Load'):.3f} ms", f"{ms('ReadFloor'):.3f} ms",
            f"{ratio(ms('Load'), ms('ReadFloor')):.1f}",
            f"{ms('Save'):.3f} ms", f"{ms('WriteFloor'):.3f} ms",
            f"{ratio(ms('Save'), ms('WriteFloor')):.1f}",
        ])
    lines = ["## Catalogue file (native)", ""]
    lines += table(["entries", "format", "parse", "load", "read the bytes", "ratio", "save",
                    "write, flush, rename the bytes", "ratio"], rows)
    goals = []
    largest = sizes[-1] if sizes else None
    for name, floor in (("Load", "ReadFloor"), ("Save", "WriteFloor")):
        if (name, largest) in times and (floor, largest) in times:
            value = ratio(times[(name, largest)], times[(floor, largest)])
            goals.append(f"- {name} of {largest:,} entries within {FILE_GOAL}x raw I/O: "
                         f"{value:.1f}x, {verdict(value <= FILE_GOAL)}.")
    return lines + [""] + goals


def plot(startup, path):
    sizes = sorted({entries for _, entries in startup})
    with tempfile.NamedTemporaryFile("w", suffix=".dat", delete=False) as data:
        for entries in sizes:
            data.write(f"{entries} {startup[('zelmivo', entries)][0]} "
                       f"{startup[('floor', entries)][0]}\n")
    script = f"""
set terminal pngcairo size 800,500 font ",10"
set output "{path}"
set title "Start-up under Wine (median of 5 runs)"
set xlabel "entries"
set ylabel "ms until the window holds its tiles and waits for input"
set key left top
set grid
plot "{data.name}" using 1:2 with linespoints lw 2 pt 7 title "Zelmivo", \\
     "{data.name}" using 1:3 with linespoints lw 2 pt 5 title "floor: one window, as many plain buttons"
"""
    try:
        subprocess.run(["gnuplot"], input=script, text=True, check=True)
    finally:
        os.unlink(data.name)


def main():
    folder, markdown, picture = sys.argv[1:4]
    startup = read_startup(os.path.join(folder, "startup.txt"))
    refresh = read_refresh(os.path.join(folder, "refresh.txt"))
    catalogue = read_catalogue(os.path.join(folder, "catalogue.json"))

    sections = [startup_section(startup), refresh_section(refresh), catalogue_section(catalogue)]
    body = []
    for section in sections:
        body += section + [""]
    print("\n".join(body))

    plot(startup, picture)
    history_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "history.md")
    with open(history_path, encoding="utf-8") as source:
        history = source.read().rstrip("\n")
    cores = os.cpu_count()
    header = [
        "# Performance",
        "",
        "Written by `bash scripts/bench.sh` on "
        f"{time.strftime('%Y-%m-%d')}, {platform.system()} {platform.machine()}, "
        f"{cores} cores; the Windows figures under Wine on a private virtual display. "
        "Every figure is the median of its runs and every floor is measured in the same run, "
        "so the ratios hold on a slower or busier machine where the times do not.",
        "",
        "- Start-up: a stopwatch program inside Wine starts `zelmivo.exe` over a generated "
        "catalogue (categories of 20 entries: programs, web addresses, one shared real "
        "program) and stops when the main window is shown holding every tile in view and "
        "the process waits for input; the floor program does the same with one window and "
        "as many plain push buttons. Memory is read then: private bytes and working set.",
        "- Refresh: inside the process, one edit of the catalogue through the relayout, the "
        "save and the repainting; the floor moves every window the same panel holds (the "
        "cells and tiles made so far: they are made as they come into view) once with "
        "`SetWindowPos` and lets it repaint.",
        "- Catalogue file: Google Benchmark, natively; the floors read the same bytes, and "
        "write, flush to the disk and rename them.",
        "",
        f"![Start-up time against entries]({os.path.basename(picture)})",
        "",
    ]
    with open(markdown, "w", encoding="utf-8") as out:
        out.write("\n".join(header + body + [history, ""]))


if __name__ == "__main__":
    main()

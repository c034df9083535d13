#!/usr/bin/env python3
"""Turns the benchmark results into the printed table and docs/PERFORMANCE.md.

Usage: report.py <results folder> <PERFORMANCE.md> <plot.png>
The folder holds catalogue.json (Google Benchmark) and startup.txt,
refresh.txt, scroll.txt and sweep.txt (lines printed by the Wine benchmarks).
"""
import json
import os
import platform
import subprocess
import sys
import tempfile
import time

# The goals: each a ratio against a floor measured in the same run, or an
# amount above the bare window of the same run.
STARTUP_GOAL = 1.3
STARTUP_GOAL_SIZES = (20, 100, 1000, 10000)
STARTUP_STRETCH = 1.5
REFRESH_GOAL = 2.0
SCROLL_MEDIAN_GOAL = 2.0
SCROLL_P95_GOAL = 3.0
SWEEP_WINDOWS_GOAL = 1000
FILE_GOAL = 2.0
MEMORY_GOAL_MB = 10.0
# A program faster than its floor by more than the noise says the floor does
# more than the program must: no goal is met against it.
FLOOR_TOO_HEAVY = 0.9

SCROLL_KINDS = (
    ("wheel", "mouse wheel, one notch", "one column of {entries:,} entries"),
    ("line", "horizontal bar, SB_LINEDOWN", "{columns} columns of 20 ({entries:,} entries)"),
    ("page", "horizontal bar, SB_PAGEDOWN", "{columns} columns of 20 ({entries:,} entries)"),
)

FLOORS = [
    "## How each floor is made",
    "",
    "- **Start-up**: a stopwatch program inside Wine starts `zelmivo.exe` over a generated "
    "catalogue (categories of 20 entries: programs, web addresses, one shared real program) "
    "and stops once its panel holds every window the layout puts in view and the process "
    "waits for input. The floor program (`bench/floor_window.cpp`) makes what the main window "
    "makes at start, of the same kinds, in a frame of the same size and style (90% of the "
    "screen, a menu bar) and a panel of the same border 10 pixels inside its client area: "
    "an owner-drawn button drawn on `WM_DRAWITEM` with an icon and `DrawText` for each tile in "
    "view, a window of a class of its own painting a filled rectangle and a caption for each "
    "header and \"+ aggiungi App\" cell in view, and the \"+ aggiungi categoria\" cell. "
    "In view is derived as the main window derives it (margin 10, columns 180 apart and 160 "
    "wide, tiles 50 apart and 40 high, headers 25 high, at 96 DPI, against the panel's client "
    "area); the table shows the windows each panel held, counted from outside with "
    "`EnumChildWindows`, beside the count derived from the layout. The floor carries the "
    "program's manifest, so that its buttons are the same common-controls 6 buttons as the "
    "tiles, at the same DPI awareness; under Wine 8 such a button costs about twice what "
    "user32's own does to make and paint. The main window sets its scroll bars before it "
    "shows, once the entries overflow the view; the floor has none, a cost it leaves to the "
    "program. The main window looks up the tiles' own icons once it has painted, showing "
    "the program's icon for a program and its web icon for an address until then, so the time "
    "stops before those lookups; the memory is read half a second later, once they are done "
    "and the process waits for input again: private bytes and working set; the bare window is "
    "the floor at 0 entries, read the same way.",
    "- **Refresh**: inside the process (`bench/refresh_bench.cpp`), one edit of the catalogue "
    "as the user makes it, from the change through the relayout, the save and the repainting: "
    "a category renamed with its header in view, and an entry added to the first column with "
    "its \"+ aggiungi App\" cell at the foot of the view (the view must not move, and the bench "
    "fails if it does). The floor of each edit is a frame in the same process holding the "
    "start-up floor's windows for every place in view, which does only what the edit shows: "
    "the header's new caption (`SetWindowText`), or one owner-drawn tile made where the cell "
    "stood, the cell moved a row down and the vertical bar's new range; then it writes the "
    "catalogue's bytes to a new file, flushes it and renames it over the old one, the least a "
    "save that never leaves half a file does. Also shown: every window the program's panel "
    "holds moved once with `SetWindowPos` and repainted, which is more than one edit needs, "
    "so no goal is judged against it.",
    "- **Scrolling**: inside the process (`bench/scroll_bench.cpp`), the real main window over "
    "a generated catalogue; each step is timed from the message as the system sends it "
    "(`WM_MOUSEWHEEL` to the panel, the cursor over it; `WM_HSCROLL` with `SB_LINEDOWN` or "
    "`SB_PAGEDOWN`) to the last paint it causes (`RedrawWindow` with `RDW_UPDATENOW | "
    "RDW_ALLCHILDREN`, then `GdiFlush`). After each run of steps, the floor, a frame and panel "
    "of the same size, bars and ranges in the same process, takes the same steps to the same "
    "scroll positions: it holds one window of the start-up floor's kinds for each place in "
    "view, moves them all by the same amount with `ScrollWindowEx(SW_SCROLLCHILDREN)`, gives "
    "the ones scrolled out of view the places scrolled in (`SetWindowPos`, `SetWindowText`) and "
    "makes more only when more places are in view than it holds. Whichever of the two is timed "
    "is brought in front first. After every step the bench also checks that each place in "
    "view has a window of its caption at its place, in both.",
    "- **Windows and memory after scrolling**: the main window over columns of 20 is scrolled "
    "a view at a time, row by row, back and forth, with the panel's own `ScrollTo` (as the "
    "keyboard's selection scrolls), so that every entry comes into view once; then the "
    "panel's windows are counted and the private bytes read (`GetProcessMemoryInfo`). "
    "The bare window is the start-up floor at 0 entries from the same run; the growth since "
    "the bench process was about to make the window is shown too.",
    "- **Catalogue file**: Google Benchmark, natively; the floors read the same bytes, and "
    "write, flush to the disk and rename them.",
]


def read_lines(path, kind):
    rows = []
    if not os.path.exists(path):
        return rows
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


def read_windows(path):
    """{(program, entries): (windows in the panel, windows the layout puts in view)}"""
    return {(program, int(entries)): (int(made), int(derived))
            for program, entries, made, derived in read_lines(path, "windows")}


def read_refresh(path):
    """{what: (entries, ms)}"""
    return {what: (int(entries), float(ms)) for what, entries, ms in read_lines(path, "refresh")}


def read_scroll(path):
    """{kind: dict of the figures}"""
    names = ("entries", "steps", "median", "p95", "floor_median", "floor_p95", "in_view",
             "floor_in_view", "right", "floor_right")
    rows = {}
    for fields in read_lines(path, "scroll"):
        values = [float(value) if "." in value else int(value) for value in fields[1:]]
        rows[fields[0]] = dict(zip(names, values))
    return rows


def read_sweep(path):
    """{entries: dict of the figures}"""
    names = ("views", "right", "windows", "before_kb", "after_kb")
    return {int(fields[0]): dict(zip(names, map(int, fields[1:])))
            for fields in read_lines(path, "sweep")}


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
    return "**met**" if met else "**not met**"


def judged(value, goal, what="the ratio"):
    """The verdict on a ratio against its goal, refused when the floor is too heavy."""
    if value < FLOOR_TOO_HEAVY:
        return (f"; the floor took longer than the program, so it does more than the program "
                f"must and {what} cannot show the goal, {verdict(False)}")
    return f", {verdict(value <= goal)}"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return lines


def mb(kb):
    return kb / 1024


def startup_section(startup, windows):
    sizes = sorted({entries for _, entries in startup})
    bare = startup[("floor", 0)]
    rows = []
    for entries in sizes:
        program = startup[("zelmivo", entries)]
        floor = startup[("floor", entries)]
        made = windows.get(("zelmivo", entries), (0, 0))
        floor_made = windows.get(("floor", entries), (0, 0))
        rows.append([
            f"{entries:,}", f"{program[0]:.0f} ms", f"{floor[0]:.0f} ms",
            f"{ratio(program[0], floor[0]):.2f}",
            f"{made[0]} / {floor_made[0]} / {made[1]}",
            f"{mb(program[2]):.1f} / {mb(program[1]):.1f} MB",
            f"{mb(floor[2]):.1f} / {mb(floor[1]):.1f} MB",
            f"{mb(program[2] - bare[2]):.1f} / {mb(program[1] - bare[1]):.1f} MB",
        ])
    lines = ["## Start-up", ""]
    lines += table(["entries", "Zelmivo", "floor (the same windows)", "ratio",
                    "windows: Zelmivo / floor / in view by the layout",
                    "Zelmivo memory (private / working set)", "floor memory",
                    "Zelmivo above the bare window"], rows)
    goals = []
    for entries in STARTUP_GOAL_SIZES:
        if ("zelmivo", entries) not in startup:
            continue
        value = ratio(startup[("zelmivo", entries)][0], startup[("floor", entries)][0])
        made = windows.get(("zelmivo", entries), (0, 0))
        floor_made = windows.get(("floor", entries), (0, 0))
        same = floor_made[0] >= made[1]
        note = "" if same else (f" (the floor made {floor_made[0]} windows of the "
                                f"{made[1]} in view, so the ratio does not count)")
        goals.append(f"- Start-up with {entries:,} entries within {STARTUP_GOAL}x the floor: "
                     f"{value:.2f}x{note}"
                     f"{judged(value, STARTUP_GOAL) if same else ', ' + verdict(False)}.")
    if ("zelmivo", 1000) in startup and ("zelmivo", 100) in startup:
        growth = ratio(startup[("zelmivo", 1000)][0], startup[("zelmivo", 100)][0])
        goals.append(f"- Stretch: start-up with 1,000 entries within {STARTUP_STRETCH}x the time "
                     f"of 100: {growth:.2f}x, {verdict(growth <= STARTUP_STRETCH)}.")
    if ("zelmivo", 1000) in startup:
        above = mb(startup[("zelmivo", 1000)][2] - bare[2])
        goals.append(f"- Private memory at start above the bare window, 1,000 entries, below "
                     f"{MEMORY_GOAL_MB:.0f} MB: {above:.1f} MB, {verdict(above < MEMORY_GOAL_MB)}.")
    return lines, goals


def refresh_section(refresh):
    entries, write = refresh["write_floor"]
    move_all = refresh["move_all_floor"][1]
    rows = []
    ratios = []
    for what, label in (("rename", "rename a category"), ("addition", "add an entry")):
        ms = refresh[what][1]
        floor = refresh[f"{what}_floor"][1]
        ratios.append(ratio(ms, floor))
        rows.append([label, f"{ms:.1f} ms", f"{floor:.1f} ms", f"{ratios[-1]:.2f}",
                     f"{move_all:.1f} ms"])
    lines = ["## Refresh after one edit", "",
             f"With {entries:,} entries; of each floor, the write, flush and rename of the "
             f"catalogue's bytes alone takes {write:.1f} ms.", ""]
    lines += table(["edit", "Zelmivo", "floor (what the edit shows, and the save)", "ratio",
                    "every window the panel holds moved once"], rows)
    worst = max(ratios)
    verdict_text = (judged(min(ratios), REFRESH_GOAL) if min(ratios) < FLOOR_TOO_HEAVY
                    else judged(worst, REFRESH_GOAL))
    goals = [f"- Refresh after one edit, {entries:,} entries, within {REFRESH_GOAL}x the floor: "
             f"{worst:.2f}x at worst{verdict_text}."]
    return lines, goals


def scroll_section(scroll):
    rows = []
    goals = []
    for kind, label, over in SCROLL_KINDS:
        if kind not in scroll:
            continue
        row = scroll[kind]
        catalogue = over.format(entries=row["entries"], columns=row["entries"] // 20)
        median = ratio(row["median"], row["floor_median"])
        p95 = ratio(row["p95"], row["floor_p95"])
        rows.append([
            label, catalogue, f"{row['steps']}", f"{row['median']:.1f} ms",
            f"{row['floor_median']:.1f} ms", f"{median:.2f}", f"{row['p95']:.1f} ms",
            f"{row['floor_p95']:.1f} ms", f"{p95:.2f}",
            f"{row['in_view']} / {row['floor_in_view']}",
            f"{row['right']} / {row['floor_right']}",
        ])
        shown = row["right"] == row["steps"]
        note = "" if shown else (f"; but Zelmivo showed every place in view at only "
                                 f"{row['right']} of the {row['steps']} steps (the floor at "
                                 f"{row['floor_right']}), so its steps did less than the floor's")
        if shown:
            met = median <= SCROLL_MEDIAN_GOAL and p95 <= SCROLL_P95_GOAL
            outcome = (judged(median, SCROLL_MEDIAN_GOAL, "the median")
                       if median < FLOOR_TOO_HEAVY else f", {verdict(met)}")
        else:
            outcome = f", {verdict(False)}"
        goals.append(f"- Scrolling, {label}, over {catalogue}, within {SCROLL_MEDIAN_GOAL}x the "
                     f"floor at the median and {SCROLL_P95_GOAL}x at the 95th percentile: "
                     f"{median:.2f}x and {p95:.2f}x{note}{outcome}.")
    lines = ["## Scrolling", "",
             "Each step of each program from the message to its last paint; medians and 95th "
             "percentiles over every step of three passes, each over a newly made main window.",
             ""]
    lines += table(["step", "catalogue", "steps", "Zelmivo median", "floor median", "ratio",
                    "Zelmivo 95th", "floor 95th", "ratio",
                    "windows in view (median): Zelmivo / floor",
                    "steps showing every place in view: Zelmivo / floor"], rows)
    return lines, goals


def sweep_section(sweep, startup):
    bare = startup[("floor", 0)][2] if ("floor", 0) in startup else 0
    rows = []
    for entries in sorted(sweep):
        row = sweep[entries]
        rows.append([
            f"{entries:,}", f"{row['views']}", f"{row['right']}", f"{row['windows']:,}",
            f"{mb(row['after_kb']):.1f} MB", f"{mb(row['after_kb'] - bare):.1f} MB",
            f"{mb(row['after_kb'] - row['before_kb']):.1f} MB",
        ])
    lines = ["## Windows and memory after scrolling end to end", ""]
    lines += table(["entries", "views", "views showing every place in them", "panel windows",
                    "private bytes", "above the bare window",
                    "grown since just before the window"], rows)
    goals = []
    if sweep:
        entries = max(sweep)
        row = sweep[entries]
        above = mb(row["after_kb"] - bare)
        goals.append(f"- Windows after scrolling through {entries:,} entries under "
                     f"{SWEEP_WINDOWS_GOAL:,}: {row['windows']:,}, "
                     f"{verdict(row['windows'] < SWEEP_WINDOWS_GOAL)}.")
        goals.append(f"- Private memory after scrolling through {entries:,} entries under "
                     f"{MEMORY_GOAL_MB:.0f} MB above the bare window: {above:.1f} MB, "
                     f"{verdict(above < MEMORY_GOAL_MB)}.")
        if row["right"] < row["views"]:
            goals.append(f"- Every place shown while scrolling through {entries:,} entries: "
                         f"{row['right']} of {row['views']} views, {verdict(False)}.")
    return lines, goals


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
    for name, floor, what in (("Load", "ReadFloor", "a raw read of the same bytes"),
                              ("Save", "WriteFloor", "a raw write, flush and rename of them")):
        if (name, largest) in times and (floor, largest) in times:
            value = ratio(times[(name, largest)], times[(floor, largest)])
            goals.append(f"- {name} of {largest:,} entries within {FILE_GOAL}x {what}: "
                         f"{value:.1f}x, {verdict(value <= FILE_GOAL)}.")
    return lines, goals


def plot(startup, path):
    sizes = sorted({entries for _, entries in startup})
    with tempfile.NamedTemporaryFile("w", suffix=".dat", delete=False) as data:
        for entries in sizes:
            data.write(f"{entries} {startup[('zelmivo', entries)][0]} "
                       f"{startup[('floor', entries)][0]}\n")
    script = f"""
set terminal pngcairo size 800,500 font ",10"
set output "{path}"
set title "Start-up under Wine (median of 9 runs)"
set xlabel "entries (one point each, not to scale)"
set ylabel "ms until the panel holds its windows in view and waits for input"
set key left top
set grid
set yrange [0:*]
plot "{data.name}" using 0:2:xtic(1) with linespoints lw 2 pt 7 title "Zelmivo", \\
     "{data.name}" using 0:3 with linespoints lw 2 pt 5 \\
     title "floor: the same windows in view, of the same kinds"
"""
    try:
        subprocess.run(["gnuplot"], input=script, text=True, check=True)
    finally:
        os.unlink(data.name)


def wine_version():
    """The Wine the Windows figures were measured under, as it names itself."""
    try:
        answer = subprocess.run(["wine", "--version"], capture_output=True, text=True,
                                timeout=60).stdout.strip()
    except (OSError, subprocess.SubprocessError):
        answer = ""
    return answer or "Wine"


def main():
    folder, markdown, picture = sys.argv[1:4]
    startup = read_startup(os.path.join(folder, "startup.txt"))
    windows = read_windows(os.path.join(folder, "startup.txt"))
    refresh = read_refresh(os.path.join(folder, "refresh.txt"))
    scroll = read_scroll(os.path.join(folder, "scroll.txt"))
    sweep = read_sweep(os.path.join(folder, "sweep.txt"))
    catalogue = read_catalogue(os.path.join(folder, "catalogue.json"))

    sections = [startup_section(startup, windows), refresh_section(refresh),
                scroll_section(scroll), sweep_section(sweep, startup),
                catalogue_section(catalogue)]
    goals = ["## Goals", "",
             "Each against its floor or the bare window of the same run, as the section below "
             "it measures.", ""]
    body = []
    for lines, section_goals in sections:
        goals += section_goals
        body += lines + [""]
    report = goals + [""] + body
    print("\n".join(report))

    plot(startup, picture)
    history_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "history.md")
    with open(history_path, encoding="utf-8") as source:
        history = source.read().rstrip("\n")
    header = [
        "# Performance",
        "",
        "Written by `bash scripts/bench.sh` on "
        f"{time.strftime('%Y-%m-%d')}, {platform.system()} {platform.machine()}, "
        f"{os.cpu_count()} cores; the Windows figures under {wine_version()} on a private "
        "virtual display. "
        "Every figure is the median of its runs and every floor is measured in the same run, "
        "so the ratios hold on a slower or busier machine where the times do not. A floor does "
        "the work of showing what the program shows, and no more: the same windows, of the "
        "same kinds, at the same places. A ratio well below 1 would say that a floor does more "
        "than the program must, and no goal is reported met against such a floor.",
        "",
    ] + FLOORS + [
        "",
        f"![Start-up time against entries]({os.path.basename(picture)})",
        "",
    ]
    with open(markdown, "w", encoding="utf-8") as out:
        out.write("\n".join(header + report + [history, ""]))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Makes docs/PERFORMANCE.md and the typing-latency plot from the runner's results file.

Every figure is a ratio against the baseline measured in the same run; the raw medians,
percentiles and run counts stand beside it.
"""
import argparse
import csv
import os
import subprocess
import sys

KB = 1024
MB = 1024 * KB


def size_text(n):
    if n == 0:
        return "0 B"
    if n % MB == 0:
        return f"{n // MB} MB"
    if n % KB == 0:
        return f"{n // KB} KB"
    return f"{n} B"


def read_results(path):
    results = {}
    with open(path, newline="") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            key = (row["metric"], row["program"], int(row["note_bytes"]))
            results[key] = {k: float(row[k]) for k in ("median", "p95", "min", "max")}
            results[key]["runs"] = int(row["runs"])
    return results


def read_meta(path):
    meta = {}
    with open(path) as f:
        for line in f:
            if "=" in line:
                key, value = line.rstrip("\n").split("=", 1)
                meta[key] = value
    return meta


def ratio(a, b):
    return a / b if b > 0 else float("nan")


def verdict(value, limit):
    return "met" if value <= limit else "**not met**"


def sizes_of(results, metric, program):
    return sorted(n for (m, p, n) in results if m == metric and p == program)


def by_rounds(results, metric, n, of_medians):
    """The ratio a verdict goes by, and its cell: the median of the rounds' ratios where the
    run recorded them (each round's runs met the same load), else the ratio of the medians."""
    pair = results.get((metric, "ratio", n))
    if not pair:
        return of_medians, "–"
    return pair["median"], f"{pair['median']:.2f}"


def startup_section(results):
    lines = ["## Start-up", "",
             "From the launch to the note window shown and painted, with the program back in "
             "its message loop. Target: at most 1.2 × the baseline. The two starts of a round "
             "run back to back and meet the same load, so the verdict goes by the median of "
             "the rounds' ratios where the run has them; the ratio of the medians stands "
             "beside it.", "",
             "| Note | Notes median (p95) ms | Baseline median (p95) ms | Runs | "
             "Ratio of medians | Median of round ratios | Target |",
             "|---|---|---|---|---|---|---|"]
    for n in sizes_of(results, "startup", "notes"):
        a, b = results[("startup", "notes", n)], results.get(("startup", "baseline", n))
        if not b:
            continue
        r = ratio(a["median"], b["median"])
        judged, pair_text = by_rounds(results, "startup-pair", n, r)
        lines.append(f"| {size_text(n)} | {a['median']:.0f} ({a['p95']:.0f}) | "
                     f"{b['median']:.0f} ({b['p95']:.0f}) | {a['runs']} | {r:.2f} | "
                     f"{pair_text} | {verdict(judged, 1.2)} |")
    return lines + earlier_section(results)


def earlier_section(results):
    """The earlier builds of Notes started in the same rounds (the runner's --earlier): each
    one's ratio to the baseline beside the current build's, and the current build over it,
    as medians of the rounds' ratios."""
    names = sorted({p for (m, p, _) in results if m == "startup-change"})
    if not names:
        return []
    lines = ["", "Earlier builds started in the same rounds, in an order that rotates from "
                 "round to round; ratios are medians of the rounds' ratios.", "",
             "| Note | Build | Its median (p95) ms | Its ratio to the baseline | "
             "This build's ratio | This build ÷ it |",
             "|---|---|---|---|---|---|"]
    for n in sizes_of(results, "startup", "notes"):
        now = results.get(("startup-pair", "ratio", n))
        for name in names:
            own = results.get(("startup", "earlier-" + name, n))
            then = results.get(("startup-pair-earlier", name, n))
            change = results.get(("startup-change", name, n))
            if not own or not then or not change:
                continue
            now_text = f"{now['median']:.2f}" if now else "–"
            lines.append(f"| {size_text(n)} | {name} | {own['median']:.0f} ({own['p95']:.0f}) | "
                         f"{then['median']:.2f} | {now_text} | {change['median']:.2f} |")
    return lines


def load_section(results):
    lines = ["## Load", "",
             "EM_STREAMIN of the note into a fresh RICHEDIT (no word wrap, as the note), in "
             "the runner's own process: the baseline's plain read of whole requests against "
             "Notes' reader (half of each request, line breaks normalised, nesting checked). "
             "Target: at most 10 % more. The ways of reading take turns within each round, "
             "so the verdict goes by the median of the rounds' ratios where the run has them.",
             "",
             "| Note | Plain median ms | Notes' reader median ms | Half requests only ms | "
             "Runs | Ratio of medians | Median of round ratios | Target |",
             "|---|---|---|---|---|---|---|---|"]
    found = False
    for n in sorted({n for (m, p, n) in results if m == "load-step" and p == "plain"}):
        plain = results[("load-step", "plain", n)]
        notes = results.get(("load-step", "notes-reader", n))
        halved = results.get(("load-step", "halved", n))
        if not notes or not halved:
            continue
        found = True
        r = ratio(notes["median"], plain["median"])
        judged, pair_text = by_rounds(results, "load-pair", n, r)
        lines.append(f"| {size_text(n)} | {plain['median']:.0f} | {notes['median']:.0f} | "
                     f"{halved['median']:.0f} | {plain['runs']} | {r:.2f} | {pair_text} | "
                     f"{verdict(judged, 1.1)} |")
    empty_notes = results.get(("startup", "notes", 0))
    empty_base = results.get(("startup", "baseline", 0))
    whole = [n for n in sizes_of(results, "startup", "notes") if n >= MB]
    if empty_notes and empty_base and whole:
        lines += ["", "Seen in the whole programs, the start-up with the note less the start-up "
                      "with an empty note (medians):", "",
                  "| Note | Notes load ms | Baseline load ms | Ratio |", "|---|---|---|---|"]
        for n in whole:
            a, b = results[("startup", "notes", n)], results.get(("startup", "baseline", n))
            if b:
                la = a["median"] - empty_notes["median"]
                lb = b["median"] - empty_base["median"]
                lines.append(f"| {size_text(n)} | {la:.0f} | {lb:.0f} | {ratio(la, lb):.2f} |")
    return lines if found or whole else []


def typing_section(results, plot_link="images/typing-latency.png"):
    lines = ["## Typing", "",
             "From a character sent to the editor to \"Memo.rtf\" holding it (checked after "
             "every keystroke). *bare*: the baseline streams out and writes over the file "
             "(CREATE_ALWAYS + WriteFile); *safe*: the baseline writes a temporary file, "
             "flushes it and replaces the note with MoveFileEx, as Notes does. Targets: at "
             "most 1.3 × bare; p95 on a 100 KB note under 16 ms.", "",
             "| Note | Keys | Notes p50 / p95 ms | bare p50 / p95 ms | safe p50 / p95 ms | "
             "Notes ÷ bare p50 / p95 | Notes ÷ safe p50 / p95 | Target 1.3 × bare |",
             "|---|---|---|---|---|---|---|---|"]
    for n in sizes_of(results, "typing", "notes"):
        a = results[("typing", "notes", n)]
        b = results.get(("typing", "bare", n))
        s = results.get(("typing", "safe", n))
        if not b or not s:
            continue
        rb50, rb95 = ratio(a["median"], b["median"]), ratio(a["p95"], b["p95"])
        rs50, rs95 = ratio(a["median"], s["median"]), ratio(a["p95"], s["p95"])
        lines.append(f"| {size_text(n)} | {a['runs']} | {a['median']:.2f} / {a['p95']:.2f} | "
                     f"{b['median']:.2f} / {b['p95']:.2f} | {s['median']:.2f} / {s['p95']:.2f} | "
                     f"{rb50:.2f} / {rb95:.2f} | {rs50:.2f} / {rs95:.2f} | "
                     f"{verdict(max(rb50, rb95), 1.3)} |")
    hundred = results.get(("typing", "notes", 100 * KB))
    if hundred:
        lines += ["", f"p95 typing latency of Notes on a 100 KB note: {hundred['p95']:.2f} ms "
                      f"(target under 16 ms: {verdict(hundred['p95'], 15.999)})."]
    lines += ["", f"![Typing latency against note size]({plot_link})"]
    return lines


def idle_section(results, seconds):
    lines = ["## Idle", "",
             f"CPU time (GetProcessTimes, user + kernel) of the program over {seconds} s, "
             "with a 100 KB note: shown and left alone, hidden, and with the pointer moving "
             "over the window (one move every 10 ms). Wine's server works for the programs "
             "too and is not counted here. Target: no timers, 0 ms beyond noise.", "",
             "| Spell | Notes CPU ms | Baseline CPU ms | Runs |", "|---|---|---|---|"]
    found = False
    for metric, label in (("idle-shown", "shown"), ("idle-hidden", "hidden"),
                          ("idle-pointer", "pointer moving")):
        a = results.get((metric, "notes", 100 * KB))
        b = results.get((metric, "baseline", 100 * KB))
        if a and b:
            found = True
            lines.append(f"| {label} | {a['median']:.0f} | {b['median']:.0f} | {a['runs']} |")
    return lines if found else []


def footprint_section(results, meta):
    lines = ["## Footprint", ""]
    size = int(meta.get("stripped_bytes", "0"))
    if size:
        lines.append(f"- 32-bit `Notes.exe`, stripped (`i686-w64-mingw32-strip`): "
                     f"{size / KB:.0f} KB (target at most 400 KB: {verdict(size, 400 * KB)}); "
                     f"one file, imports: {meta.get('imports', 'unknown')}.")
    a = results.get(("private", "notes", MB))
    b = results.get(("private", "baseline", MB))
    if a and b:
        lines.append(f"- Private memory (GetProcessMemoryInfo PrivateUsage) with a 1 MB note, "
                     f"median of {a['runs']}: Notes {a['median']:.0f} KB, baseline "
                     f"{b['median']:.0f} KB, ratio {ratio(a['median'], b['median']):.2f}.")
    return lines


SAVE_STEPS = (("attributes", "two GetFileAttributesA (exists, read-only)"),
              ("probe-open", "probe CreateFileA OPEN_ALWAYS of Memo.rtf"),
              ("create-temp", "CreateFileA CREATE_NEW of Memo.rtf.~<process>-<serial>.tmp"),
              ("write", "WriteFile of the note in 4 KB pieces"),
              ("flush", "FlushFileBuffers (an fsync under Wine)"),
              ("close", "CloseHandle"),
              ("move", "MoveFileExA REPLACE_EXISTING + WRITE_THROUGH"),
              ("move-no-write-through", "for comparison: create + MoveFileExA without WRITE_THROUGH"),
              ("bare-rewrite", "for comparison: CREATE_ALWAYS + WriteFile + CloseHandle"))
LOAD_STEPS = (("plain", "EM_STREAMIN reading whole requests (the baseline)"),
              ("halved", "EM_STREAMIN reading half of each request"),
              ("notes-reader", "half requests, line breaks normalised, nesting checked (Notes)"),
              ("notes-reader-links", "the same with EM_AUTOURLDETECT on (Notes' editor)"),
              ("stream-out", "EM_STREAMOUT of the loaded note to memory"))


def profile_section(results):
    save_sizes = sorted({n for (m, _, n) in results if m == "save-step"})
    load_sizes = sorted({n for (m, _, n) in results if m == "load-step"})
    if not save_sizes and not load_sizes and not any(m == "startup-step" for (m, _, _) in results):
        return []
    lines = ["## Profile", "",
             "The save's and the load's calls one by one, in the runner's own process with "
             "the calls Notes.exe makes; medians in ms (runs in brackets).", ""]
    if save_sizes:
        lines += step_table(results, "Save step", "save-step", SAVE_STEPS, save_sizes, ".3f")
        lines.append("")
    startup_steps = [("layout-bars-after", "EM_STREAMIN of a 100 KB note into an editor of "
                                           "the note's size, the bars coming after (three "
                                           "layouts: the baseline, Notes before)"),
                     ("layout-bars-first", "the same with both bars put up before the "
                                           "stream-in (one layout: Notes)"),
                     ("tray-add", "Shell_NotifyIconA NIM_ADD with the notification area up "
                                  "(Notes adds its icon just after its first paint; the "
                                  "baseline has none)"),
                     ("load-comdlg32", "first LoadLibrary of comdlg32.dll (no longer at Notes' "
                                       "start)"),
                     ("load-riched32", "first LoadLibrary of RICHED32.DLL (both programs)")]
    found = [(label, results.get(("startup-step", step, 0))) for step, label in startup_steps]
    if any(r for _, r in found):
        lines += ["| Start-up step | ms |", "|---|---|"]
        for label, r in found:
            if r:
                lines.append(f"| {label} | {r['median']:.1f} ({r['runs']}) |")
        lines.append("")
    if load_sizes:
        lines += step_table(results, "Load step", "load-step", LOAD_STEPS, load_sizes, ".1f")
    return lines


def step_table(results, title, measure, steps, sizes, number_format):
    """A table of the steps' medians (runs in brackets), a row a step, a column a note size."""
    lines = [f"| {title} | " + " | ".join(size_text(n) for n in sizes) + " |",
             "|---|" + "---|" * len(sizes)]
    for step, label in steps:
        cells = []
        for n in sizes:
            r = results.get((measure, step, n))
            cells.append(f"{r['median']:{number_format}} ({r['runs']})" if r else "")
        lines.append(f"| {label} | " + " | ".join(cells) + " |")
    return lines


def write_plot(results, data_path, plot_path, build=""):
    rows = []
    for n in sizes_of(results, "typing", "notes"):
        values = [results.get(("typing", p, n)) for p in ("notes", "bare", "safe")]
        if all(values):
            rows.append(f"{n / KB:g} " + " ".join(f"{v['median']:.4f} {v['p95']:.4f}"
                                                  for v in values))
    if not rows:
        return
    with open(data_path, "w") as f:
        f.write("# note_KB notes_p50 notes_p95 bare_p50 bare_p95 safe_p50 safe_p95\n")
        f.write("\n".join(rows) + "\n")
    script = f"""
set terminal pngcairo size 900,560 font ",11"
set output "{plot_path}"
set title "Typing latency: keystroke to Memo.rtf holding it{build}"
set xlabel "note size (KB)"
set ylabel "latency (ms)"
set logscale xy
set grid
set key top left
set xtics ("1 KB" 1, "10 KB" 10, "100 KB" 100, "1 MB" 1024)
set xrange [0.8:1400]
set arrow from 0.8,16 to 1400,16 nohead dt 3 lc rgb "#555555"
set label "16 ms: p95 target at 100 KB" at 1.1,14.5 tc rgb "#555555"
plot "{data_path}" using 1:2 with linespoints lw 2 pt 7 lc rgb "#c0392b" title "Notes p50", \\
     "{data_path}" using 1:3 with linespoints lw 1 dt 2 pt 6 lc rgb "#c0392b" title "Notes p95", \\
     "{data_path}" using 1:4 with linespoints lw 2 pt 5 lc rgb "#2471a3" title "baseline bare p50", \\
     "{data_path}" using 1:5 with linespoints lw 1 dt 2 pt 4 lc rgb "#2471a3" title "baseline bare p95", \\
     "{data_path}" using 1:6 with linespoints lw 2 pt 9 lc rgb "#229954" title "baseline safe p50", \\
     "{data_path}" using 1:7 with linespoints lw 1 dt 2 pt 8 lc rgb "#229954" title "baseline safe p95"
"""
    subprocess.run(["gnuplot"], input=script, text=True, check=True)


# The 32-bit build's part follows this line; the 64-bit part is everything before it, so a
# run of one architecture keeps the other's figures.
WIN32_MARK = "<!-- 32-bit build: written by scripts/bench.sh --arch win32 -->"


def build_text(meta):
    """Which build ran, and how, for the report's first paragraph."""
    if meta.get("arch", "win64") != "win32":
        return "Notes.exe (64-bit build, under wine64 on a private Xvfb)"
    how = {"native": "i386 Wine run by the kernel itself",
           "emulated": "i386 Wine under qemu-user, as the kernel runs no 32-bit code"}
    return (f"Notes.exe (32-bit build, the program we ship: "
            f"{how.get(meta.get('i386'), 'i386 Wine')}, on a private Xvfb)")


def emulation_note(meta):
    if meta.get("arch") == "win32" and meta.get("i386") == "emulated":
        return ("Both programs, the runner and i386 Wine itself ran under qemu-user's "
                "instruction translation, which costs far more than either program's own "
                "work: the ratios mostly measure the emulation, and the absolute times are "
                "many times those of a real 32-bit Windows or a kernel that runs i386 code.")
    return ""


def splice(existing, arch, part):
    """The whole report: the new part in its place, the other architecture's kept as it was."""
    head, mark, tail = existing.partition(WIN32_MARK)
    if arch == "win32":
        head = head.rstrip("\n") if head.strip() else "# Performance"
        return f"{head}\n\n{WIN32_MARK}\n{part}"
    return part + (f"\n{mark}{tail}" if mark else "")


def render(results, meta, plot_link):
    win32 = meta.get("arch") == "win32"
    if win32:
        lines = ["## The program we ship: the 32-bit build", ""]
    else:
        lines = ["# Performance", ""]
    lines += [f"Generated by `scripts/bench.sh`; do not edit by hand. {build_text(meta)} "
              "against `bench/baseline/` (built alike), a borderless topmost "
              "window with a RICHEDIT child that streams the same note in with a plain "
              "EM_STREAMIN and, after each change, streams it out. Runs of the two are "
              "interleaved; figures are medians and nearest-rank percentiles.", "",
              f"- Date: {meta.get('date', '?')}",
              f"- Machine: {meta.get('machine', '?')}",
              f"- Load average at start / end: {meta.get('load_start', '?')} / "
              f"{meta.get('load_end', '?')}",
              f"- Wine: {meta.get('wine', '?')}; commit {meta.get('commit', '?')}",
              f"- Reproduce: `{meta.get('command', 'scripts/bench.sh')}`", ""]
    for note in (meta.get("note"), emulation_note(meta)):
        if note:
            lines += [f"> {note}", ""]
    sections = [startup_section(results), typing_section(results, plot_link),
                load_section(results), idle_section(results, meta.get("idle_seconds", "10")),
                footprint_section(results, meta), profile_section(results)]
    for section in sections:
        if section:
            # One level down inside the 32-bit part, which is a section of the report.
            lines += ["#" + line if win32 and line.startswith("## ") else line
                      for line in section] + [""]
    if meta.get("findings") and os.path.exists(meta["findings"]):
        with open(meta["findings"]) as f:
            lines += f.read().rstrip("\n").split("\n") + [""]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--results", required=True)
    parser.add_argument("--meta", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--plot", required=True)
    parser.add_argument("--plot-data", required=True)
    args = parser.parse_args()

    results = read_results(args.results)
    meta = read_meta(args.meta)
    write_plot(results, args.plot_data, args.plot,
               " (32-bit build)" if meta.get("arch") == "win32" else "")
    plot_link = os.path.relpath(os.path.abspath(args.plot),
                                os.path.dirname(os.path.abspath(args.out)))
    part = render(results, meta, plot_link)
    existing = ""
    if os.path.exists(args.out):
        with open(args.out) as f:
            existing = f.read()
    with open(args.out, "w") as f:
        f.write(splice(existing, meta.get("arch", "win64"), part))


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Start-up benchmark: time from process start to the first real buffer swap of the
program's window, beside a bare Qt Quick Controls 2 window measured in the same run,
and the resident memory of both once they have settled, on a virtual X server.

    cmake --build build -j2 --target joyvant bench_startup_bare
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" tools/bench_startup.py [--runs 7]

The first swap is the line "first frame swapped" that the program writes from its
render thread right after the window's first swapBuffers, when the logging category
joyvant.frametime is on (host/frametime.h); the line is read from stderr as it is
written. The second figure is the line "controller view complete", written after the
first frame in which every controller picture and glow is drawn: work moved past the
first frame shows there. The bare window has nothing more to draw, so its first swap
stands for both. The baseline (build/tools/bin/bench_startup_bare) is a frameless 1280 x 800
ApplicationWindow with one line of CJK text, set up like the program and reporting
through the same hook. Runs alternate between the two, so both see the same load on
a shared machine; the ratio of the medians is the figure to compare over time. Each
program runs in its own folder, as tools/quickstart run starts the program.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

MARK = "first frame swapped"
COMPLETE = "controller view complete"


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def one_run(program, settle, wait_complete=False, arguments=()):
    env = dict(os.environ, QT_LOGGING_RULES="joyvant.frametime.debug=true")
    env.pop("JOYVANT_LOGTOFILE", None)
    started = time.monotonic()
    process = subprocess.Popen([program, *arguments], cwd=os.path.dirname(program), env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, bufsize=1)
    first_swap = None
    complete = None
    try:
        for line in process.stderr:
            if MARK in line and first_swap is None:
                first_swap = (time.monotonic() - started) * 1000.0
                if not wait_complete:
                    break
            if COMPLETE in line and complete is None:
                complete = (time.monotonic() - started) * 1000.0
            if complete is not None and first_swap is not None:
                complete = max(complete, first_swap)
                break
        if first_swap is None:
            raise RuntimeError(f"{program} ended before its first frame")
        if wait_complete and complete is None:
            raise RuntimeError(f"{program} never reported its controller view complete")
        time.sleep(settle)
        rss = resident_kib(process.pid)
    finally:
        process.kill()
        process.wait()
    return first_swap, complete if complete is not None else first_swap, rss


def summary(name, swaps, memory, settle):
    return (f"{name}: first swap median {statistics.median(swaps):.0f} ms "
            f"(min {min(swaps):.0f}, max {max(swaps):.0f}); resident memory after {settle:.0f} s "
            f"median {statistics.median(memory) / 1024:.1f} MiB")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--program", default=os.path.join(here, "..", "build", "bin", "joyvant"))
    parser.add_argument("--baseline", default=os.path.join(here, "..", "build", "tools", "bin", "bench_startup_bare"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--settle", type=float, default=3.0, help="seconds after the first swap before reading memory")
    parser.add_argument("--program-arg", action="append", default=[], metavar="ARG",
                        help="pass ARG to the program (repeat for more), e.g. --program-arg=--scene-scale=1")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("bench_startup: needs an X server (run it under xvfb-run)")
    program = os.path.abspath(args.program)
    baseline = os.path.abspath(args.baseline)

    # Warm the file cache and Mesa's shader cache once for each.
    one_run(program, 0.5, True, args.program_arg)
    one_run(baseline, 0.5)
    results = {program: ([], [], []), baseline: ([], [], [])}
    for _ in range(args.runs):
        for executable in (baseline, program):
            is_program = executable == program
            swap, complete, rss = one_run(executable, args.settle, is_program, args.program_arg if is_program else ())
            results[executable][0].append(swap)
            results[executable][1].append(complete)
            results[executable][2].append(rss)
    print(f"runs: {args.runs} each, alternating")
    print(summary("bare window", results[baseline][0], results[baseline][2], args.settle))
    print(summary("program", results[program][0], results[program][2], args.settle))
    complete = results[program][1]
    print(f"program: controller view complete median {statistics.median(complete):.0f} ms "
          f"(min {min(complete):.0f}, max {max(complete):.0f})")
    bare = statistics.median(results[baseline][0])
    print(f"program / bare window, first swap: {statistics.median(results[program][0]) / bare:.2f}")
    print(f"program / bare window, controller view complete: {statistics.median(complete) / bare:.2f}")
    print(f"program / bare window, resident memory: "
          f"{statistics.median(results[program][2]) / statistics.median(results[baseline][2]):.2f}")


if __name__ == "__main__":
    main()

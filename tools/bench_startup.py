#!/usr/bin/env python3
"""Start-up benchmark: time from process start to the first frame on screen, and the
resident memory once the program has settled, on a virtual X server.

    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" tools/bench_startup.py [--runs 7] [--program build/bin/joyvant]

The first frame is the first "frame rendered" line of Qt's scene-graph timing category
(qt.scenegraph.time.renderloop), read from the program's stderr as it is written. The
program runs in its own folder (build/bin), as tools/quickstart run starts it.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def one_run(program, settle):
    env = dict(os.environ, QT_LOGGING_RULES="qt.scenegraph.time.renderloop.debug=true")
    env.pop("JOYVANT_LOGTOFILE", None)
    started = time.monotonic()
    process = subprocess.Popen([program], cwd=os.path.dirname(program), env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, bufsize=1)
    first_frame = None
    try:
        for line in process.stderr:
            if "rame rendered" in line:
                first_frame = (time.monotonic() - started) * 1000.0
                break
        if first_frame is None:
            raise RuntimeError("the program ended before its first frame")
        time.sleep(settle)
        rss = resident_kib(process.pid)
    finally:
        process.kill()
        process.wait()
    return first_frame, rss


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--program", default=os.path.join(here, "..", "build", "bin", "joyvant"))
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--settle", type=float, default=3.0, help="seconds after the first frame before reading memory")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("bench_startup: needs an X server (run it under xvfb-run)")
    program = os.path.abspath(args.program)

    one_run(program, 0.5)  # warm the file cache and Mesa's shader cache once
    frames, memory = [], []
    for _ in range(args.runs):
        frame, rss = one_run(program, args.settle)
        frames.append(frame)
        memory.append(rss)
    print(f"runs: {args.runs}")
    print(f"first frame: median {statistics.median(frames):.0f} ms "
          f"(min {min(frames):.0f}, max {max(frames):.0f})")
    print(f"resident memory after {args.settle:.0f} s: median {statistics.median(memory) / 1024:.1f} MiB "
          f"(min {min(memory) / 1024:.1f}, max {max(memory) / 1024:.1f})")


if __name__ == "__main__":
    main()

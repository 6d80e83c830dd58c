"""Shared helpers of the release tests: staging an install and driving the program on
the suite's X server with xdotool."""
import os
import subprocess
import time


def stage_install(build, destdir, prefix="/usr"):
    env = dict(os.environ, DESTDIR=destdir)
    subprocess.run(["cmake", "--install", build, "--prefix", prefix], env=env, check=True,
                   stdout=subprocess.DEVNULL)
    return destdir + prefix


def wait_for(predicate, timeout, step=0.05):
    """Polls predicate until it is true or timeout seconds pass; returns its last value."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            text=True, timeout=10)
    return result.stdout.strip()


def find_window(pid):
    return xdotool("search", "--onlyvisible", "--pid", str(pid)).split("\n")[-1]


def click_close_button(window):
    geometry = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split("\n"))
    # The close button: 12 x 12, 40 px from the right edge, 34 px down.
    x = int(geometry["X"]) + int(geometry["WIDTH"]) - 40 - 6
    y = int(geometry["Y"]) + 34 + 6
    # --sync waits until the pointer has moved, so it would wait for ever with the pointer
    # already on the button (where an earlier test closed its window): step beside it first.
    xdotool("mousemove", str(x - 1), str(y))
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "1")

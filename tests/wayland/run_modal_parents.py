#!/usr/bin/env python3
"""Runs the modal-windows driver on a private headless weston and reads the Wayland protocol log: every modal
window's toplevel must name the main window's toplevel as its parent. Exits 77 (skipped) without weston or Qt's
Wayland platform plugin."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

MAIN_TITLE = "Hopnix v3.3"
MODAL_TITLES = ["About Hopnix33", "Hopnix Help", "High Scores", "Game Over", "New High Score"]
SOCKET = "hopnix-test"

REQUEST = re.compile(r"-> (\w+)@(\d+)\.(\w+)\((.*)\)\s*$")


class Toplevel:
    def __init__(self, object_id):
        self.object_id = object_id
        self.title = None
        self.parent = None


def toplevels(protocol_log):
    """Every xdg_toplevel the client made, with its last title and parent; ids reused after destroy stay apart."""
    made, live = [], {}
    for line in protocol_log.splitlines():
        m = REQUEST.search(line)
        if not m:
            continue
        interface, object_id, request, args = m.groups()
        if interface == "xdg_surface" and request == "get_toplevel":
            new_id = re.search(r"new id xdg_toplevel@(\d+)", args).group(1)
            live[new_id] = Toplevel(new_id)
            made.append(live[new_id])
        elif interface == "xdg_toplevel" and object_id in live:
            toplevel = live[object_id]
            if request == "set_title":
                toplevel.title = re.fullmatch(r'"(.*)"', args).group(1)
            elif request == "set_parent":
                parent = re.fullmatch(r"xdg_toplevel@(\d+)", args)
                toplevel.parent = live.get(parent.group(1)) if parent else None
            elif request == "destroy":
                del live[object_id]
    return made


def check(protocol_log, shown):
    made = toplevels(protocol_log)
    mains = [t for t in made if t.title == MAIN_TITLE]
    if len(mains) != 1:
        return [f"expected one toplevel titled {MAIN_TITLE!r}, found {len(mains)}"]
    faults = []
    for title in MODAL_TITLES:
        if title not in shown:
            faults.append(f"{title!r} was never shown")
        windows = [t for t in made if t.title == title]
        if not windows:
            faults.append(f"no toplevel titled {title!r}")
        for window in windows:
            if window.parent is not mains[0]:
                named = f"xdg_toplevel@{window.parent.object_id}" if window.parent else "no parent"
                faults.append(f"{title!r} (xdg_toplevel@{window.object_id}) has {named}, "
                              f"not the main window xdg_toplevel@{mains[0].object_id}")
    return faults


def wait_for(path, deadline):
    while not os.path.exists(path):
        if time.monotonic() > deadline:
            return False
        time.sleep(0.02)
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--qt-plugins", required=True)
    args = parser.parse_args()

    weston = shutil.which("weston")
    if not weston or not os.path.exists(os.path.join(args.qt_plugins, "platforms", "libqwayland-generic.so")):
        print("SKIP: weston or qt6-wayland is not installed")
        return 77

    runtime = tempfile.mkdtemp(prefix="hopnix-wayland-")
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_RUNTIME_DIR"] = runtime
    compositor = subprocess.Popen([weston, "--backend=headless-backend.so", f"--socket={SOCKET}", "--no-config",
                                   "--idle-time=0"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        if not wait_for(os.path.join(runtime, SOCKET), time.monotonic() + 15):
            print("FAIL: weston did not open its socket:", compositor.stderr.read1().decode(errors="replace"))
            return 1
        # The headless compositor has no seat, and Qt 6.4's Wayland input method crashes a line edit without one.
        env.update(WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client", QT_IM_MODULE="none")
        run = subprocess.run([args.driver], env=env, capture_output=True, text=True, timeout=60)
        shown = [line.removeprefix("shown: ") for line in run.stdout.splitlines()]
        if run.returncode != 0:
            print(run.stderr[-4000:])
            print(f"FAIL: the driver exited with {run.returncode}")
            return 1
        faults = check(run.stderr, shown)
        for fault in faults:
            print("FAIL:", fault)
        if not faults:
            print(f"modal windows shown on weston, each transient for {MAIN_TITLE!r}: {', '.join(shown)}")
        return 1 if faults else 0
    finally:
        compositor.terminate()
        try:
            compositor.wait(timeout=10)
        except subprocess.TimeoutExpired:
            compositor.kill()
            compositor.wait()
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())

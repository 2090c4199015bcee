#!/usr/bin/env python3
"""Runs the modal-windows driver on a private headless weston and reads its Wayland protocol log: every modal window's
toplevel must name the main window's toplevel as its parent. Exits 77 without weston or Qt's Wayland platform plugin."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

MODAL_TITLES = ["About Hopnix33", "Hopnix Help", "High Scores", "Game Over", "New High Score"]
SOCKET = "hopnix-test"
REQUEST = re.compile(r"-> (\w+)@(\d+)\.(\w+)\((.*)\)[ \t]*$", re.M)


def faults(protocol_log, shown):
    """Every xdg_toplevel the client made, with its last title and parent; ids reused after destroy stay apart."""
    made, live = [], {}
    for interface, object_id, request, args in REQUEST.findall(protocol_log):
        if interface == "xdg_surface" and request == "get_toplevel":
            new_id = re.search(r"new id xdg_toplevel@(\d+)", args).group(1)
            live[new_id] = {"id": new_id, "title": None, "parent": None}
            made.append(live[new_id])
        elif interface == "xdg_toplevel" and object_id in live:
            if request == "set_title":
                live[object_id]["title"] = args.strip('"')
            elif request == "set_parent":
                live[object_id]["parent"] = live.get(args.removeprefix("xdg_toplevel@"))
            elif request == "destroy":
                del live[object_id]
    mains = [t for t in made if t["title"] == "Hopnix v3.3"]
    if len(mains) != 1:
        return [f"expected one main window toplevel, found {len(mains)}"]
    found = [f"{title!r} was never shown" for title in MODAL_TITLES
             if title not in shown or not any(t["title"] == title for t in made)]
    return found + [f"{t['title']!r} (xdg_toplevel@{t['id']}) has the parent {t['parent'] and t['parent']['id']}, "
                    f"not the main window xdg_toplevel@{mains[0]['id']}"
                    for t in made if t["title"] in MODAL_TITLES and t["parent"] is not mains[0]]


def run(driver, runtime):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env["XDG_RUNTIME_DIR"] = runtime
    compositor = subprocess.Popen(["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", "--no-config",
                                   "--idle-time=0"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        deadline = time.monotonic() + 15
        while not os.path.exists(os.path.join(runtime, SOCKET)):
            if time.monotonic() > deadline or compositor.poll() is not None:
                return ["weston did not open its socket: " + compositor.stderr.read1().decode(errors="replace")]
            time.sleep(0.02)
        # The headless compositor has no seat, and Qt 6.4's Wayland input method crashes a line edit without one.
        # Windows drawn in shared memory only: Mesa's EGL driver, loaded and unloaded again by Qt's Wayland plugin,
        # leaks as it goes, from code LeakSanitizer can no longer name (see tests/sanitizer-suppressions.txt).
        env.update(WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client", QT_IM_MODULE="none",
                   QT_WAYLAND_CLIENT_BUFFER_INTEGRATION="none")
        result = subprocess.run([driver], env=env, capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            return [f"the driver exited with {result.returncode}: {result.stderr[-4000:]}"]
        return faults(result.stderr, [line.removeprefix("shown: ") for line in result.stdout.splitlines()])
    finally:
        compositor.kill()
        compositor.wait()
        shutil.rmtree(runtime, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--qt-plugins", required=True)
    args = parser.parse_args()
    if not shutil.which("weston") or not os.path.exists(f"{args.qt_plugins}/platforms/libqwayland-generic.so"):
        print("SKIP: weston or qt6-wayland is not installed")
        return 77
    found = run(args.driver, tempfile.mkdtemp(prefix="hopnix-wayland-"))
    for fault in found:
        print("FAIL:", fault)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())

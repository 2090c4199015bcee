#!/usr/bin/env python3
"""Plays one case of the real game on a private X server: run_e2e.py --binary hopnix --assets DIR --case solve
Exits 0 on a pass, 1 on a failure (keeping the scratch directory), 77 when a tool is missing."""

import argparse
import os
import shutil
import sys
import tempfile
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from cases import CASES  # noqa: E402
from hopnix_driver import Installation, XServer, stop_process  # noqa: E402
from screen_reader import case_screen_reader, missing_reason  # noqa: E402

CASES = {**CASES, "screen_reader": case_screen_reader}
SYSTEM_PYTHON = "/usr/bin/python3"  # Debian's pyatspi belongs to the system Python


def run_case(name, binary, assets):
    scratch = tempfile.mkdtemp(prefix=f"hopnix-e2e-{name}-")
    ctx = Installation(binary, assets, os.path.join(scratch, "game"))
    ctx.x = XServer(scratch)
    try:
        CASES[name](ctx)
    except Exception as failure:  # every failure is reported the same way, with the evidence kept
        traceback.print_exc()
        with open(ctx.log_path, errors="replace") as log:
            print("game output:\n" + "".join(log.readlines()[-20:]), file=sys.stderr)
        print(f"FAIL {name}: {failure}\nscratch directory kept: {scratch}", file=sys.stderr)
        return 1
    finally:
        ctx.stop_all()
        stop_process(ctx.x.proc)
    shutil.rmtree(scratch, ignore_errors=True)
    print(f"PASS {name}")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("--binary", "--assets"):
        parser.add_argument(option, required=True)
    parser.add_argument("--case", required=True, choices=sorted(CASES))
    args = parser.parse_args()
    missing = [tool for tool in ("Xvfb", "xdotool", "import", "convert") if shutil.which(tool) is None]
    reason = f"{', '.join(missing)} not installed" if missing else None
    if not reason and args.case == "screen_reader":
        reason = missing_reason()
        if reason and "pyatspi" in reason and os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
            os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON, os.path.abspath(__file__)] + sys.argv[1:])
    if reason:
        print(f"SKIP {args.case}: {reason}")
        return 77
    return run_case(args.case, os.path.abspath(args.binary), os.path.abspath(args.assets))


if __name__ == "__main__":
    sys.exit(main())

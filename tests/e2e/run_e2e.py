#!/usr/bin/env python3
"""Plays the real game on a private X server: one case per run.

    run_e2e.py --binary build/hopnix --assets assets --case solve

Exits 0 when the case passes, 1 when it fails (the last screenshot is kept in the scratch directory
and its path printed), and 77 when Xvfb, xdotool or ImageMagick is missing, or for the screen-reader case D-Bus, at-spi2-core or
pyatspi."""

import argparse
import os
import shutil
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from atspi_session import pyatspi_missing_reason  # noqa: E402
from cases import CASES  # noqa: E402
from hopnix_driver import CellPictures, Game  # noqa: E402
from keyboard_cases import KEYBOARD_CASES  # noqa: E402
from xsession import E2EFailure, XServer, missing_tools  # noqa: E402

CASES = {**CASES, **KEYBOARD_CASES}
# Cases that read the game through AT-SPI; Debian's pyatspi belongs to the system Python.
SCREEN_READER_CASES = ("screen_reader",)
SYSTEM_PYTHON = "/usr/bin/python3"

SKIP = 77


class Context:
    """What a case works with: the X server and the game runs, all from one scratch directory."""

    def __init__(self, x, binary, game_dir, pictures):
        self.x = x
        self.binary = binary
        self.game_dir = game_dir
        self.pictures = pictures
        self.games = []

    def new_game(self):
        """A run of the game from the scratch directory; later runs find the files of earlier ones."""
        if not self.games:
            Game.install(self.binary, self.game_dir)
        game = Game(self.x, self.game_dir, self.pictures)
        self.games.append(game)
        return game

    def stop_all(self):
        for game in self.games:
            game.stop()


def run_case(name, binary, assets):
    scratch = tempfile.mkdtemp(prefix=f"hopnix-e2e-{name}-")
    x = XServer(scratch)
    ctx = None
    started = time.monotonic()
    try:
        x.start()
        ctx = Context(x, binary, os.path.join(scratch, "game"), CellPictures(assets))
        CASES[name](ctx)
    except Exception as failure:  # every failure is reported the same way, with the evidence kept
        try:
            x.screenshot()
        except Exception:
            pass
        print(f"FAIL {name}: {failure}", file=sys.stderr)
        if not isinstance(failure, E2EFailure):
            traceback.print_exc()
        shot = x.save_last_shot()
        if shot:
            print(f"last screenshot: {shot}", file=sys.stderr)
        for game in ctx.games if ctx else []:
            tail = game.log_tail()
            if tail:
                print(f"game output:\n{tail}", file=sys.stderr)
        print(f"scratch directory kept: {scratch}", file=sys.stderr)
        return 1
    finally:
        if ctx:
            ctx.stop_all()
        x.stop()
    shutil.rmtree(scratch, ignore_errors=True)
    print(f"PASS {name} ({time.monotonic() - started:.1f} s)")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--binary", required=True, help="the built game")
    parser.add_argument("--assets", required=True, help="the source assets folder (piece pictures)")
    parser.add_argument("--case", required=True, choices=sorted(CASES))
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        print(f"SKIP {args.case}: {', '.join(missing)} not installed")
        return SKIP
    if args.case in SCREEN_READER_CASES:
        reason = pyatspi_missing_reason()
        if reason and "pyatspi" in reason and os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON) \
                and os.access(SYSTEM_PYTHON, os.X_OK):
            os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON, os.path.abspath(__file__)] + sys.argv[1:])
        if reason:
            print(f"SKIP {args.case}: {reason}")
            return SKIP
    return run_case(args.case, os.path.abspath(args.binary), os.path.abspath(args.assets))


if __name__ == "__main__":
    sys.exit(main())

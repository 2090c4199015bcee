#!/usr/bin/env python3
"""Plays one of the player's sessions with the real game, by mouse and by keys, on a fresh private X server and
directory: run_e2e.py --binary hopnix --assets DIR --case solve
Exits 0 on a pass, 1 on a failure (keeping the scratch directory), 77 when a tool is missing."""

import argparse
import os
import shutil
import sys
import tempfile
import time
import traceback

from hopnix_driver import (FIRST_WINDOW_TIMEOUT, HIDDEN, HOLE, PEG, SCREEN_HEIGHT, SCREEN_WIDTH, SELECTED,
                           Installation, XServer, count_unlike, crop, game_script, shape_states, stop_process,
                           wait_until)
from screen_reader import case_screen_reader, missing_reason

SYSTEM_PYTHON = "/usr/bin/python3"  # Debian's pyatspi belongs to the system Python

SQUARE_SIX_SOLVED = game_script("squareSixSolved")
SOLVED = shape_states(5, started=True, last_peg=(1, 4))
TOP_PLAYER_GREY = (224, 224, 224)
# The top player's name, pegs and time in the client area.
TOP_PLAYER_LABELS = ((8, 320, 81, 17), (8, 336, 73, 17), (8, 352, 73, 17))
# High Scores window: the name, pegs and time cells of the first row; the next row is 24 pixels lower.
SCORE_ROW_CELLS = ((16, 56, 97, 17), (128, 56, 73, 17), (208, 56, 65, 17))


def top_player(game, filled=True):
    """The labels of TOP PLAYER when all three show something (or, with filled off, all are blank), else None."""
    shot = game.x.screenshot()
    labels = [crop(shot, *game.client_point(x, y), w, h) for x, y, w, h in TOP_PLAYER_LABELS]
    counts = [count_unlike(label, TOP_PLAYER_GREY) for label in labels]
    return labels if (min(counts) > 10 if filled else max(counts) == 0) else None


def centred(x, y, width, height):
    return abs(x - (SCREEN_WIDTH - width) // 2) <= 1 and abs(y - (SCREEN_HEIGHT - height) // 2) <= 1


def started_game(ctx):
    """A run of the game, waited for until its main window shows the "Classic" board it starts with."""
    game = ctx.launch()
    game.wait_main_window()
    game.wait_cells(shape_states(1, started=False), "the Classic board full of pegs after start-up")
    return game


def high_score_rows(game, board):
    """Opens the High Scores window of a board and returns the pixels of its first two rows."""
    game.x.keys("alt+h", *(["Down"] * (board - 1)), "Return")
    window = game.wait_window("High Scores")
    x, y, width, height = wait_until("the High Scores window's geometry", lambda: game.x.geometry(window))
    previous = [None]

    def settled():  # drawn: not black, and the same in two shots in a row
        shot = game.x.screenshot()
        area = crop(shot, x, y, width, height)
        done = max(area) > 0 and area == previous[0]
        previous[0] = area
        return done and shot
    shot = wait_until("the High Scores window to be drawn", settled)
    rows = [[crop(shot, x + cx, y + cy + 24 * row, w, h) for cx, cy, w, h in SCORE_ROW_CELLS] for row in (0, 1)]
    game.x.click((x + 148, y + 220))  # Close
    game.wait_window_gone(window)
    return rows


def wait_input_handled(game):
    """A refused click shows nothing: the game answering a later request proves it has seen the click."""
    high_score_rows(game, 1)


def check_score_file(game, name, started_at):
    """The "Square 6x6" file holds one entry: the name, one peg and the time played."""
    path = os.path.join(game.dir, "S6hs.hsl")
    wait_until("the high-score file", lambda: os.path.exists(path))
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    assert lines[:2] == [name.encode("cp1252"), b" 1 "] and len(lines) == 4 and not lines[3], f"{path} holds {lines}"
    # The clock counts whole seconds; the time line is one of those in days.
    seconds = float(lines[2]) * 86400
    assert abs(seconds - round(seconds)) < 1e-6 and 0 <= seconds <= time.monotonic() - started_at + 2, lines[2]


def case_startup(ctx):
    launched_at = time.monotonic()
    game = ctx.launch()

    def splash():
        return next(((w, g) for w in ctx.x.windows("--pid", str(game.proc.pid))
                     if (g := ctx.x.geometry(w)) and g[2:] == (296, 170)), None)
    splash_window, geometry = wait_until("the 296 x 170 splash window", splash, FIRST_WINDOW_TIMEOUT)
    assert centred(*geometry), f"splash at {geometry} is not centred on the screen"
    game.wait_main_window()
    # The splash counts its 2 s from its loading, which a cold disk can delay past its showing: the start of the
    # game is the reference that holds. Qt's coarse timer may fire 5 % early.
    assert time.monotonic() - launched_at >= 1.9, "the main window came sooner than 2 s after the game started"
    game.wait_window_gone(splash_window)
    assert centred(*ctx.x.geometry(game.window)), "the main window is not centred"

    # All 37 holes of "Classic" show pegs and the board takes no clicks before New Game.
    game.wait_cells(shape_states(1, started=False), "the Classic board full of pegs")
    game.click_cells((3, 4))
    wait_input_handled(game)
    game.wait_cells(shape_states(1, started=False), "the board to ignore a click before New Game")
    assert top_player(game, filled=False), "TOP PLAYER shows something although no high-score file exists"


def case_boards(ctx):
    game = started_game(ctx)
    for board in (3, 4, 5, 1, 2):
        game.choose_board(board)
    # New Game empties the start hole of the board in play; End Game fills every hole again.
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")
    game.x.keys("alt+g", "e")
    game.wait_cells(shape_states(2, started=False), "End Game to show pegs in every hole")
    game.choose_board(5)  # the Boards menu is usable again between games


def square_six_game(ctx):
    """A run just after New Game on "Square 6x6", and when that game began."""
    game = started_game(ctx)
    game.choose_board(5)
    game.new_game()
    started_at = time.monotonic()
    game.wait_cells(shape_states(5, started=True), "New Game on \"Square 6x6\"")
    return game, started_at


def case_solve(ctx):
    game, started_at = square_six_game(ctx)
    game.click_cells(*(cell for jump in SQUARE_SIX_SOLVED for cell in (jump[:2], jump[2:])))
    over = game.wait_window("Game Over", timeout=10.0)
    ox, oy, _, _ = wait_until("the Game Over window's geometry", lambda: ctx.x.geometry(over))
    ctx.x.click((ox + 120, oy + 92))  # OK

    # The first result on a board always qualifies; the name box has the focus and takes twelve characters.
    # The Game Over window asks for the name while it closes, so it goes away with the name window.
    game.wait_window("New High Score")
    ctx.x.run("xdotool", "type", "--delay", "30", "Marigold Quinn")
    ctx.x.keys("Return")
    game.wait_window_gone(over)
    check_score_file(game, "Marigold Qui", started_at)

    # TOP PLAYER shows the new entry at once; the board keeps the final position and takes no clicks.
    top_before = wait_until("TOP PLAYER to show the new entry", lambda: top_player(game))
    game.wait_cells(SOLVED, "one peg left on the board")
    game.click_cells((1, 4))
    wait_input_handled(game)
    game.wait_cells(SOLVED, "the finished board to ignore clicks")

    # A new run from the same directory finds the entry again, for its own board only.
    ctx.stop_all()
    game = started_game(ctx)
    assert top_player(game, filled=False), "TOP PLAYER of \"Classic\" shows the \"Square 6x6\" entry"
    game.choose_board(5)
    top_after = wait_until("TOP PLAYER of \"Square 6x6\" after restart", lambda: top_player(game))
    assert top_before == top_after, "TOP PLAYER differs after restart"
    filled, empty = high_score_rows(game, 5), high_score_rows(game, 4)
    for column, label in enumerate(("name", "pegs", "time")):
        assert filled[0][column] != empty[0][column], f"High Scores shows no {label} in row 1"
        assert filled[1][column] == empty[1][column], f"High Scores shows a {label} in the empty row 2"


def case_pause(ctx):
    game = started_game(ctx)
    game.new_game()
    game.click_cells((1, 4), (3, 4), (3, 2))
    before = {**shape_states(1, started=True), (1, 4): HOLE, (2, 4): HOLE, (3, 4): PEG, (3, 2): SELECTED}
    game.wait_cells(before, "a jump and a selected peg")

    game.pause()
    game.wait_cells({p: HIDDEN for p in before if p[0] != 4 or not 2 <= p[1] <= 6}, "the paused board to be hidden")
    box = crop(ctx.x.screenshot(), *game.client_point(208, 184), 153, 25)  # "  Game Paused"
    assert count_unlike(box, (0, 0, 0), 40) >= 153 * 25 // 2, "no \"Game Paused\" box on the board"

    # Resuming shows the board as it was, the selection included (row 4 lay under the box), and takes clicks again.
    game.pause(resume=True)
    game.wait_cells(before, "the board to come back after the pause")
    game.click_cells((3, 2))
    game.wait_cells({(3, 2): PEG}, "the selected peg to be deselected after the pause")


def case_exit(ctx):
    game = started_game(ctx)
    game.new_game()
    playing = shape_states(1, started=True)
    game.wait_cells(playing, "New Game on \"Classic\"")
    game.x.keys("alt+g", "x")
    question = game.wait_window("Hopnix33")
    ctx.x.keys("n")
    game.wait_window_gone(question)
    # With no window manager nobody gives the focus back to the main window once the question closes.
    ctx.x.focus(game.window)
    wait_input_handled(game)
    game.wait_cells(playing, "the running game to stay after No")
    ctx.x.focus(game.window)
    game.x.keys("alt+g", "x")
    game.wait_window("Hopnix33")
    ctx.x.keys("Return")  # Yes is the default
    wait_until("the game to end after Yes", lambda: game.proc.poll() is not None)
    assert game.proc.returncode == 0, f"the game ended with status {game.proc.returncode}"


def case_keyboard(ctx):
    game, started_at = square_six_game(ctx)
    game.ring = (5, 4)
    wait_until("the focus ring below the start hole", lambda: game.ring_at(*game.ring))
    game.play_by_keys(SQUARE_SIX_SOLVED[:1])
    game.wait_cells({(4, 6): HOLE, (4, 5): HOLE, (4, 4): PEG}, "the first jump made with the keys")

    # Tab to Undo and Space presses it; the spent button hands the focus back to the board.
    game.x.keys("Tab")
    wait_until("the ring to leave the board for Undo", lambda: not game.ring_at(4, 4))
    game.x.keys("space")
    game.wait_cells(shape_states(5, started=True), "Undo pressed with Space")
    wait_until("the ring back on the board", lambda: game.ring_at(4, 4))

    # Return closes "Game Over"; the name is typed key by key into "New High Score" and Return saves it.
    game.play_by_keys(SQUARE_SIX_SOLVED)
    over = game.wait_window("Game Over", timeout=15.0)
    game.x.focus(over)
    game.x.keys("Return")
    game.x.focus(game.wait_window("New High Score"))
    game.x.keys(*"Marigold", "Return")
    game.wait_window_gone(over)
    check_score_file(game, "Marigold", started_at)
    game.wait_cells(SOLVED, "one peg left after the keyboard game")



CASES = {"startup": case_startup, "boards": case_boards, "solve": case_solve, "pause": case_pause,
         "exit": case_exit, "keyboard": case_keyboard, "screen_reader": case_screen_reader}


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

"""The player's sessions with the real game. Each case gets a fresh X server and scratch directory."""

import os
import time

from hopnix_driver import (BOARD_NAMES, CLIENT_HEIGHT, CLIENT_WIDTH, HIDDEN, HOLE, PEG, SCORE_FILES, SELECTED,
                           SPLASH_SIZE, shape_states)
from xsession import SCREEN_HEIGHT, SCREEN_WIDTH, E2EFailure, wait_until

# "Square 6x6" solved to a single peg: from-row, from-column, to-row, to-column.
SQUARE_SIX_SOLVED = (
    (4, 6, 4, 4), (4, 3, 4, 5), (2, 4, 4, 4), (5, 4, 3, 4), (6, 6, 4, 6), (4, 6, 4, 4), (3, 4, 5, 4), (5, 4, 5, 6),
    (6, 4, 6, 6), (6, 6, 4, 6), (2, 2, 2, 4), (3, 2, 3, 4), (2, 4, 4, 4), (2, 5, 4, 5), (2, 7, 2, 5), (1, 5, 3, 5),
    (1, 3, 1, 5), (1, 6, 1, 4), (4, 7, 2, 7), (6, 2, 6, 4), (6, 7, 4, 7), (1, 7, 3, 7), (4, 5, 4, 3), (4, 2, 4, 4),
    (4, 7, 4, 5), (4, 5, 4, 3), (5, 2, 5, 4), (6, 4, 4, 4), (4, 3, 4, 5), (4, 5, 2, 5), (3, 7, 3, 5), (3, 5, 1, 5),
    (1, 5, 1, 3), (1, 2, 1, 4))

TOP_PLAYER_GREY = (224, 224, 224)
# The top player's name, pegs and time in the client area, in pixels.
TOP_PLAYER_LABELS = ((8, 320, 81, 17), (8, 336, 73, 17), (8, 352, 73, 17))
# "  Game Paused" over the board.
PAUSED_BOX = (208, 184, 153, 25)
NAME_TYPED = "Marigold Quinn"
NAME_KEPT = "Marigold Qui"  # the name box takes twelve characters
# High Scores window: (left, top, width, height) of the name, pegs and time cells of a row.
SCORE_ROW_CELLS = ((16, 56, 97, 17), (128, 56, 73, 17), (208, 56, 65, 17))
SCORE_ROW_PITCH = 24
SCORE_CLOSE_BUTTON = (148, 220)
GAME_OVER_OK = (120, 92)


def region(shot, origin, rect):
    x, y, w, h = rect
    return shot.crop(origin[0] + x, origin[1] + y, w, h)


def centred(position, size, axis_length):
    return abs(position - (axis_length - size) // 2) <= 1


def settled_shot(x, rect, what):
    """A screenshot once the area is drawn: not black, and the same in two shots in a row."""
    previous = []

    def probe():
        shot = x.screenshot()
        area = shot.crop(*rect)
        settled = previous and area.max_channel() > 0 and area.rgb == previous[0]
        previous[:] = [area.rgb]
        return shot if settled else None
    return wait_until(what, probe)


def started_game(ctx):
    """A run of the game, waited for until its main window shows the "Classic" board it starts with."""
    game = ctx.new_game()
    game.launch()
    game.wait_main_window()
    game.wait_cells(shape_states(1, started=False), "the Classic board full of pegs after start-up")
    return game


def case_startup(ctx):
    game = ctx.new_game()
    game.launch()
    x = ctx.x

    def splash():
        for window in x.visible_windows(pid=game.proc.pid):
            geometry = x.geometry(window)
            if geometry and geometry[2:] == SPLASH_SIZE:
                return window, geometry
        return None
    splash_window, (sx, sy, _, _) = wait_until("the splash window (296 x 170)", splash, timeout=5.0)
    seen_at = time.monotonic()
    if not (centred(sx, SPLASH_SIZE[0], SCREEN_WIDTH) and centred(sy, SPLASH_SIZE[1], SCREEN_HEIGHT)):
        raise E2EFailure(f"splash at {sx},{sy} is not centred on the {SCREEN_WIDTH}x{SCREEN_HEIGHT} screen")

    game.wait_main_window(timeout=8.0)
    shown_after = time.monotonic() - seen_at
    if shown_after < 1.0:
        raise E2EFailure(f"the main window came {shown_after:.2f} s after the splash; the splash should stay 2 s")
    game.wait_window_gone(splash_window)
    wx, wy, width, height = x.geometry(game.window)
    if (width, height) != (CLIENT_WIDTH, CLIENT_HEIGHT + game.menu_bar_height):
        raise E2EFailure(f"main window is {width}x{height}")
    if not (centred(wx, width, SCREEN_WIDTH) and centred(wy, height, SCREEN_HEIGHT)):
        raise E2EFailure(f"main window at {wx},{wy} is not centred")

    # All 37 holes of "Classic" show pegs and the board takes no clicks before New Game.
    game.wait_cells(shape_states(1, started=False), "the Classic board full of pegs")
    game.click_cell(3, 4)
    handled_input_before(ctx, game)
    game.wait_cells(shape_states(1, started=False), "the board to ignore a click before New Game")
    top = [region(x.screenshot(), game.origin, rect) for rect in TOP_PLAYER_LABELS]
    if any(label.count_unlike(TOP_PLAYER_GREY) for label in top):
        raise E2EFailure("TOP PLAYER shows something although no high-score file exists")


def case_boards(ctx):
    game = started_game(ctx)
    for board in (3, 4, 5, 1, 2):
        game.choose_board(board)
        game.wait_cells(shape_states(board, started=False), f"the shape of \"{BOARD_NAMES[board - 1]}\"")
    # New Game empties the start hole of the board in play; End Game fills every hole again.
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")
    game.menu("alt+g", "e")
    game.wait_cells(shape_states(2, started=False), "End Game to show pegs in every hole")
    # The Boards menu is usable again between games.
    game.choose_board(5)
    game.wait_cells(shape_states(5, started=False), "the shape of \"Square 6x6\" after End Game")


def play_jump(game, jump):
    game.click_cell(jump[0], jump[1])
    game.click_cell(jump[2], jump[3])


def solved_states(final_peg):
    states = {p: (HOLE if s != HIDDEN else HIDDEN) for p, s in shape_states(5, started=True).items()}
    states[final_peg] = PEG
    return states


def basic_number(value):
    """A number as the score file writes it: 15 significant digits, no zero before the point."""
    if value == 0:
        return "0"
    mantissa, exponent = f"{value:.14e}".split("e")
    digits = mantissa.replace(".", "").rstrip("0")
    exponent = int(exponent)
    if -1 <= exponent < 15:
        if exponent < 0:
            return "." + digits
        whole = exponent + 1
        return digits.ljust(whole, "0") if len(digits) <= whole else digits[:whole] + "." + digits[whole:]
    text = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    return text + ("E-" if exponent < 0 else "E+") + f"{abs(exponent):02d}"


def check_score_file(path, name, pegs, most_seconds):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as error:
        raise E2EFailure(f"no high-score file {os.path.basename(path)}: {error}") from None
    lines = data.split(b"\r\n")
    if len(lines) != 4 or lines[3] != b"":
        raise E2EFailure(f"{os.path.basename(path)} should be three CR LF lines, holds {data!r}")
    if lines[0] != name.encode("cp1252") or lines[1] != f" {pegs} ".encode():
        raise E2EFailure(f"{os.path.basename(path)} holds {data!r}, expected name {name!r} and \" {pegs} \"")
    # The clock counts whole seconds; the line is one of those values in days.
    times = {f" {basic_number(s / 86400)} ".encode(): s for s in range(0, most_seconds + 1)}
    if lines[2] not in times:
        raise E2EFailure(f"time line {lines[2]!r} is not a whole number of seconds up to {most_seconds} "
                         "in the score file's number format")
    return times[lines[2]]


def high_score_rows(ctx, game, board):
    """Opens the High Scores window of a board and returns the pixels of its first two rows."""
    game.high_scores(board)
    window = game.wait_window("High Scores")
    x, y, width, height = wait_until("the High Scores window's geometry", lambda: ctx.x.geometry(window))
    if (width, height) != (296, 246):
        raise E2EFailure(f"High Scores window is {width}x{height}, expected 296x246")
    shot = settled_shot(ctx.x, (x, y, width, height), "the High Scores window to be drawn")
    rows = [[region(shot, (x, y + SCORE_ROW_PITCH * row), cell) for cell in SCORE_ROW_CELLS] for row in (0, 1)]
    ctx.x.click(x + SCORE_CLOSE_BUTTON[0], y + SCORE_CLOSE_BUTTON[1])
    game.wait_window_gone(window)
    return rows


def handled_input_before(ctx, game):
    """Waits until the game has handled all input sent so far: a refused click shows nothing, so the
    game answering a later request (opening and closing a High Scores window) is what proves it was seen."""
    high_score_rows(ctx, game, 1)


def case_solve(ctx):
    game = started_game(ctx)
    x = ctx.x
    game.choose_board(5)
    game.wait_cells(shape_states(5, started=False), "the shape of \"Square 6x6\"")
    game.new_game()
    started_at = time.monotonic()
    game.wait_cells(shape_states(5, started=True), "New Game on \"Square 6x6\"")

    first = SQUARE_SIX_SOLVED[0]
    game.click_cell(first[0], first[1])
    game.wait_cells({(first[0], first[1]): SELECTED}, "the first peg to show as selected")
    game.click_cell(first[2], first[3])
    game.wait_cells({(4, 6): HOLE, (4, 5): HOLE, (4, 4): PEG}, "the first jump")

    x.clicks([game.cell_centre(r, c) for jump in SQUARE_SIX_SOLVED[1:] for r, c in ((jump[0], jump[1]),
                                                                                     (jump[2], jump[3]))])
    over = game.wait_window("Game Over", timeout=10.0)
    played = time.monotonic() - started_at
    ox, oy, width, height = x.geometry(over)
    if (width, height) != (247, 118):
        raise E2EFailure(f"Game Over window is {width}x{height}, expected 247x118")
    x.click(ox + GAME_OVER_OK[0], oy + GAME_OVER_OK[1])

    # The first result on a board always qualifies; the name box has the focus.
    # The Game Over window asks for the name while it closes, so it goes away with the name window.
    entry = game.wait_window("New High Score")
    x.type_text(NAME_TYPED)
    x.keys("Return")
    game.wait_window_gone(entry)
    game.wait_window_gone(over)
    score_path = os.path.join(game.dir, SCORE_FILES[4])
    wait_until("the high-score file", lambda: os.path.exists(score_path))
    check_score_file(score_path, NAME_KEPT, 1, int(played) + 2)

    # TOP PLAYER shows the new entry at once; the board keeps the final position and takes no clicks.
    def top_player_filled():
        labels = [region(x.screenshot(), game.origin, rect) for rect in TOP_PLAYER_LABELS]
        return labels if all(label.count_unlike(TOP_PLAYER_GREY) > 10 for label in labels) else None
    top_before = wait_until("TOP PLAYER to show the new entry", top_player_filled)
    game.wait_cells(solved_states((1, 4)), "one peg left on the board")
    game.click_cell(1, 4)
    handled_input_before(ctx, game)
    game.wait_cells(solved_states((1, 4)), "the finished board to ignore clicks")

    # A new run from the same directory finds the entry again.
    game.stop()
    game = started_game(ctx)
    shot = x.screenshot()
    if any(region(shot, game.origin, rect).count_unlike(TOP_PLAYER_GREY) for rect in TOP_PLAYER_LABELS):
        raise E2EFailure("TOP PLAYER of \"Classic\" shows an entry after restart; only \"Square 6x6\" has one")
    game.choose_board(5)
    top_after = wait_until("TOP PLAYER of \"Square 6x6\" after restart", top_player_filled)
    if any(a.rgb != b.rgb for a, b in zip(top_before, top_after)):
        raise E2EFailure("TOP PLAYER after restart differs from what it showed when the score was saved")

    filled = high_score_rows(ctx, game, 5)
    empty = high_score_rows(ctx, game, 4)
    for column, label in enumerate(("name", "pegs", "time")):
        if filled[0][column].rgb == empty[0][column].rgb:
            raise E2EFailure(f"High Scores \"Square 6x6\" shows no {label} in row 1")
        if filled[1][column].rgb != empty[1][column].rgb:
            raise E2EFailure(f"High Scores \"Square 6x6\" shows a {label} in row 2, which should be empty")


def case_pause(ctx):
    game = started_game(ctx)
    x = ctx.x
    game.new_game()
    game.wait_cells(shape_states(1, started=True), "New Game on \"Classic\"")
    play_jump(game, (1, 4, 3, 4))
    game.click_cell(3, 2)
    before = shape_states(1, started=True)
    before.update({(1, 4): HOLE, (2, 4): HOLE, (3, 4): PEG, (3, 2): SELECTED})
    game.wait_cells(before, "a jump and a selected peg")

    game.pause()
    under_box = {(4, c) for c in range(2, 7)}
    game.wait_cells({p: HIDDEN for p in before if p not in under_box}, "the paused board to be hidden")
    box = region(x.screenshot(), game.origin, PAUSED_BOX)
    if box.count_unlike((0, 0, 0), tolerance=40) < box.width * box.height // 2:
        raise E2EFailure("the \"Game Paused\" box is not shown over the hidden board")

    # Resuming shows the board exactly as it was, the selection included, and it takes clicks again.
    # Row 4 lies under the box, so its pegs showing again means the box has gone.
    game.pause(resume=True)
    game.wait_cells(before, "the board to come back after the pause")
    game.click_cell(3, 2)
    game.wait_cells({(3, 2): PEG}, "the selected peg to be deselected after the pause")


def case_exit(ctx):
    game = started_game(ctx)
    x = ctx.x
    game.new_game()
    playing = shape_states(1, started=True)
    game.wait_cells(playing, "New Game on \"Classic\"")

    game.exit()
    question = game.wait_window("Hopnix33")
    x.keys("n")
    game.wait_window_gone(question)
    # With no window manager nobody gives the focus back to the main window once the question closes.
    if game.alive():
        x.focus(game.window)
        handled_input_before(ctx, game)
    if not game.alive() or game.window not in x.visible_windows(pid=game.proc.pid):
        raise E2EFailure("answering No to the exit question closed the game")
    game.wait_cells(playing, "the running game to stay after No")

    x.focus(game.window)
    game.exit()
    game.wait_window("Hopnix33")
    x.keys("Return")  # Yes is the default
    wait_until("the game to end after Yes", lambda: not game.alive(), timeout=5.0)
    if game.proc.returncode != 0:
        raise E2EFailure(f"the game ended with status {game.proc.returncode}")


CASES = {
    "startup": case_startup,
    "boards": case_boards,
    "solve": case_solve,
    "pause": case_pause,
    "exit": case_exit,
}

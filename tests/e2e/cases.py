"""The player's sessions with the real game, by mouse and by keys. Each case gets a fresh X server and directory."""

import os
import re
import time

from hopnix_driver import (HIDDEN, HOLE, PEG, SCORE_FILES, SCREEN_HEIGHT, SCREEN_WIDTH, SELECTED, E2EFailure,
                           game_script, shape_states, wait_until)

SQUARE_SIX_SOLVED = game_script("squareSixSolved")
SOLVED = shape_states(5, started=True, last_peg=(1, 4))
SPLASH_SIZE = (296, 170)
TOP_PLAYER_GREY = (224, 224, 224)
# The top player's name, pegs and time in the client area.
TOP_PLAYER_LABELS = ((8, 320, 81, 17), (8, 336, 73, 17), (8, 352, 73, 17))
# High Scores window: the name, pegs and time cells of the first row; the next row is 24 pixels lower.
SCORE_ROW_CELLS = ((16, 56, 97, 17), (128, 56, 73, 17), (208, 56, 65, 17))
# A score file's time in days, as written: no zero before the point, an exponent for the very small.
TIME_LINE = re.compile(rb" (0|[1-9]\d*(\.\d+)?|\.\d+|[1-9](\.\d+)?E[+-]\d\d) ")


def top_player(game, filled=True):
    """The labels of TOP PLAYER when all three show something (or, with filled off, all are blank), else None."""
    shot = game.x.screenshot()
    labels = [shot.crop(*game.client_point(x, y), w, h) for x, y, w, h in TOP_PLAYER_LABELS]
    counts = [label.count_unlike(TOP_PLAYER_GREY) for label in labels]
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
    if (width, height) != (296, 246):
        raise E2EFailure(f"High Scores window is {width}x{height}, expected 296x246")
    previous = []

    def settled():  # drawn: not black, and the same in two shots in a row
        shot = game.x.screenshot()
        area = shot.crop(x, y, width, height).rgb
        done = bool(previous) and max(area) > 0 and area == previous[0]
        previous[:] = [area]
        return done and shot
    shot = wait_until("the High Scores window to be drawn", settled)
    rows = [[shot.crop(x + cx, y + cy + 24 * row, w, h) for cx, cy, w, h in SCORE_ROW_CELLS]
            for row in (0, 1)]
    game.x.click((x + 148, y + 220))  # Close
    game.wait_window_gone(window)
    return rows


def wait_input_handled(game):
    """A refused click shows nothing: the game answering a later request proves it has seen the click."""
    high_score_rows(game, 1)


def check_score_file(game, board, name, pegs, most_seconds):
    path = os.path.join(game.dir, SCORE_FILES[board - 1])
    wait_until(f"the high-score file {SCORE_FILES[board - 1]}", lambda: os.path.exists(path))
    with open(path, "rb") as f:
        data = f.read()
    lines = data.split(b"\r\n")
    if lines[:2] != [name.encode("cp1252"), b" %d " % pegs] or len(lines) != 4 or lines[3] \
            or not TIME_LINE.fullmatch(lines[2]):
        raise E2EFailure(f"{path} holds {data!r}, expected the CR LF lines {name!r}, \" {pegs} \" and a time")
    # The clock counts whole seconds; the line is one of those in days.
    seconds = float(lines[2]) * 86400
    if abs(seconds - round(seconds)) > 1e-6 or not 0 <= seconds <= most_seconds:
        raise E2EFailure(f"time line {lines[2]!r} is not a whole number of seconds up to {most_seconds}")


def case_startup(ctx):
    game = ctx.launch()
    x = ctx.x

    def splash():
        return next(((w, g) for w in game.own_windows() if (g := x.geometry(w)) and g[2:] == SPLASH_SIZE), None)
    splash_window, geometry = wait_until("the splash window (296 x 170)", splash)
    seen_at = time.monotonic()
    if not centred(*geometry):
        raise E2EFailure(f"splash at {geometry[:2]} is not centred on the {SCREEN_WIDTH}x{SCREEN_HEIGHT} screen")

    game.wait_main_window()
    if time.monotonic() - seen_at < 1.0:
        raise E2EFailure("the main window came less than 1 s after the splash; the splash should stay 2 s")
    game.wait_window_gone(splash_window)
    if not centred(*x.geometry(game.window)):
        raise E2EFailure(f"main window at {x.geometry(game.window)[:2]} is not centred")

    # All 37 holes of "Classic" show pegs and the board takes no clicks before New Game.
    game.wait_cells(shape_states(1, started=False), "the Classic board full of pegs")
    game.click_cells((3, 4))
    wait_input_handled(game)
    game.wait_cells(shape_states(1, started=False), "the board to ignore a click before New Game")
    if not top_player(game, filled=False):
        raise E2EFailure("TOP PLAYER shows something although no high-score file exists")


def case_boards(ctx):
    game = started_game(ctx)
    for board in (3, 4, 5, 1, 2):
        game.choose_board(board)
    # New Game empties the start hole of the board in play; End Game fills every hole again.
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")
    game.x.keys("alt+g", "e")  # End Game
    game.wait_cells(shape_states(2, started=False), "End Game to show pegs in every hole")
    # The Boards menu is usable again between games.
    game.choose_board(5)


def case_solve(ctx):
    game = started_game(ctx)
    x = ctx.x
    game.choose_board(5)
    game.new_game()
    started_at = time.monotonic()
    game.wait_cells(shape_states(5, started=True), "New Game on \"Square 6x6\"")

    game.click_cells(*(cell for jump in SQUARE_SIX_SOLVED for cell in (jump[:2], jump[2:])))
    over = game.wait_window("Game Over", timeout=10.0)
    played = time.monotonic() - started_at
    ox, oy, width, height = x.geometry(over)
    if (width, height) != (247, 118):
        raise E2EFailure(f"Game Over window is {width}x{height}, expected 247x118")
    x.click((ox + 120, oy + 92))  # OK

    # The first result on a board always qualifies; the name box has the focus and takes twelve characters.
    # The Game Over window asks for the name while it closes, so it goes away with the name window.
    entry = game.wait_window("New High Score")
    x.run("xdotool", "type", "--delay", "30", "Marigold Quinn")
    x.keys("Return")
    game.wait_window_gone(entry)
    game.wait_window_gone(over)
    check_score_file(game, 5, "Marigold Qui", 1, int(played) + 2)

    # TOP PLAYER shows the new entry at once; the board keeps the final position and takes no clicks.
    top_before = wait_until("TOP PLAYER to show the new entry", lambda: top_player(game))
    game.wait_cells(SOLVED, "one peg left on the board")
    game.click_cells((1, 4))
    wait_input_handled(game)
    game.wait_cells(SOLVED, "the finished board to ignore clicks")

    # A new run from the same directory finds the entry again.
    game.stop()
    game = started_game(ctx)
    if not top_player(game, filled=False):
        raise E2EFailure("TOP PLAYER of \"Classic\" shows an entry after restart; only \"Square 6x6\" has one")
    game.choose_board(5)
    top_after = wait_until("TOP PLAYER of \"Square 6x6\" after restart", lambda: top_player(game))
    if any(a.rgb != b.rgb for a, b in zip(top_before, top_after)):
        raise E2EFailure("TOP PLAYER after restart differs from what it showed when the score was saved")

    filled, empty = high_score_rows(game, 5), high_score_rows(game, 4)
    for column, label in enumerate(("name", "pegs", "time")):
        if filled[0][column].rgb == empty[0][column].rgb:
            raise E2EFailure(f"High Scores \"Square 6x6\" shows no {label} in row 1")
        if filled[1][column].rgb != empty[1][column].rgb:
            raise E2EFailure(f"High Scores \"Square 6x6\" shows a {label} in row 2, which should be empty")


def case_pause(ctx):
    game = started_game(ctx)
    game.new_game()
    game.wait_cells(shape_states(1, started=True), "New Game on \"Classic\"")
    game.click_cells((1, 4), (3, 4), (3, 2))
    before = {**shape_states(1, started=True), (1, 4): HOLE, (2, 4): HOLE, (3, 4): PEG, (3, 2): SELECTED}
    game.wait_cells(before, "a jump and a selected peg")

    game.pause()
    game.wait_cells({p: HIDDEN for p in before if p[0] != 4 or not 2 <= p[1] <= 6}, "the paused board to be hidden")
    box = ctx.x.screenshot().crop(*game.client_point(208, 184), 153, 25)  # "  Game Paused"
    if box.count_unlike((0, 0, 0), tolerance=40) < box.width * box.height // 2:
        raise E2EFailure("the \"Game Paused\" box is not shown over the hidden board")

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

    game.exit()
    question = game.wait_window("Hopnix33")
    ctx.x.keys("n")
    game.wait_window_gone(question)
    # With no window manager nobody gives the focus back to the main window once the question closes.
    ctx.x.focus(game.window)
    wait_input_handled(game)
    game.wait_cells(playing, "the running game to stay after No")

    ctx.x.focus(game.window)
    game.exit()
    game.wait_window("Hopnix33")
    ctx.x.keys("Return")  # Yes is the default
    wait_until("the game to end after Yes", lambda: not game.alive())
    if game.proc.returncode != 0:
        raise E2EFailure(f"the game ended with status {game.proc.returncode}")


def case_keyboard(ctx):
    game = started_game(ctx)
    game.choose_board(5)
    game.new_game()
    started_at = time.monotonic()
    game.wait_cells(shape_states(5, started=True), "New Game on \"Square 6x6\"")
    game.ring = (5, 4)
    wait_until("the focus ring below the start hole", lambda: game.ring_at(*game.ring))
    game.play_by_keys(SQUARE_SIX_SOLVED[:1])
    game.wait_cells({(4, 6): HOLE, (4, 5): HOLE, (4, 4): PEG}, "the first jump made with the keys")
    wait_until("the ring on the landed peg", lambda: game.ring_at(4, 4))

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
    check_score_file(game, 5, "Marigold", 1, int(time.monotonic() - started_at) + 2)
    game.wait_cells(SOLVED, "one peg left after the keyboard game")


CASES = {"startup": case_startup, "boards": case_boards, "solve": case_solve, "pause": case_pause,
         "exit": case_exit, "keyboard": case_keyboard}

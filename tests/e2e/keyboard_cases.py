"""Whole games without a mouse: by the keys alone, and with a screen reader's view through AT-SPI."""

import os

from atspi_session import AtspiSession
from cases import SQUARE_SIX_SOLVED, started_game
from hopnix_driver import HOLE, PEG, SCORE_FILES, SHAPES, shape_states
from keyboard_player import KeyboardPlayer
from xsession import E2EFailure, wait_until

# "European 1" played into a dead end with eight pegs left.
EUROPEAN_ONE_STUCK = (
    (4, 6, 4, 4), (4, 3, 4, 5), (2, 4, 4, 4), (5, 4, 3, 4), (4, 1, 4, 3), (5, 2, 5, 4), (6, 4, 4, 4), (3, 4, 5, 4),
    (7, 3, 5, 3), (4, 3, 6, 3), (3, 2, 3, 4), (1, 3, 3, 3), (3, 4, 3, 2), (1, 5, 1, 3), (3, 1, 3, 3), (3, 5, 1, 5),
    (5, 5, 5, 3), (3, 7, 3, 5), (5, 7, 5, 5), (4, 5, 2, 5), (6, 5, 4, 5), (1, 5, 3, 5), (4, 5, 2, 5), (5, 3, 7, 3))
# Below the start hole of both boards played here.
FIRST_RING = (5, 4)


def answer_end_of_game(game, name_keys):
    """Return closes "Game Over"; the name is typed key by key into "New High Score" and Return saves it."""
    over = game.wait_window("Game Over", timeout=15.0)
    game.x.focus(over)
    game.x.keys("Return")
    entry = game.wait_window("New High Score")
    game.x.focus(entry)
    game.x.keys(*name_keys, "Return")
    game.wait_window_gone(entry)
    return over, entry


def case_keyboard(ctx):
    game = started_game(ctx)
    game.choose_board(5)
    game.wait_cells(shape_states(5, started=False), "the shape of \"Square 6x6\"")
    game.new_game()
    game.wait_cells(shape_states(5, started=True), "New Game on \"Square 6x6\"")
    wait_until("the focus ring below the start hole", lambda: game.ring_at(*FIRST_RING))

    player = KeyboardPlayer(game, 5, FIRST_RING)
    first = SQUARE_SIX_SOLVED[0]
    player.play([first])
    game.wait_cells({(4, 6): HOLE, (4, 5): HOLE, (4, 4): PEG}, "the first jump made with the keys")
    wait_until("the ring on the landed peg", lambda: game.ring_at(4, 4))

    # Tab to Undo and Space presses it; the spent button hands the focus back to the board.
    game.x.keys("Tab")
    wait_until("the ring to leave the board for Undo", lambda: not game.ring_at(4, 4))
    game.x.keys("space")
    game.wait_cells(shape_states(5, started=True), "Undo pressed with Space")
    wait_until("the ring back on the board", lambda: game.ring_at(4, 4))

    player.play(SQUARE_SIX_SOLVED)
    over, _ = answer_end_of_game(game, ["M", "a", "r", "i", "g", "o", "l", "d"])
    game.wait_window_gone(over)
    score_path = os.path.join(game.dir, SCORE_FILES[4])
    wait_until("the high-score file", lambda: os.path.exists(score_path))
    with open(score_path, "rb") as scores:
        if not scores.read().startswith(b"Marigold\r\n 1 \r\n"):
            raise E2EFailure("the keyboard game's score was not saved as Marigold with one peg")
    final = {p: (HOLE if s != "hidden" else s) for p, s in shape_states(5, started=True).items()}
    final[(1, 4)] = PEG
    game.wait_cells(final, "one peg left after the keyboard game")


def spoken_names(board, state_of):
    """The cell names a screen reader should find: counted from the board's own top-left hole."""
    shape = SHAPES[board]
    rows = [r for r, line in enumerate(shape) if line.strip(".")]
    left = min(line.index(next(m for m in line if m != ".")) for line in shape if line.strip("."))
    return [f"Row {r - rows[0] + 1}, column {c - left + 1}: {state_of(r, c)}"
            for r in rows for c, mark in enumerate(shape[r]) if mark != "."]


def case_screen_reader(ctx):
    session = AtspiSession(os.path.dirname(ctx.game_dir), ctx.x.display)
    try:
        session.start()
        check_screen_reader(ctx, session)
    finally:
        ctx.stop_all()
        session.stop()


def check_screen_reader(ctx, session):
    game = ctx.new_game()
    game.launch(session.env())
    game.wait_main_window()
    app = session.application()
    game.choose_board(2)
    game.wait_cells(shape_states(2, started=False), "the shape of \"European 1\"")
    board = wait_until("the board in the accessible tree", lambda: session.named(app, "Board"))
    session.listen()
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")

    # Only the holes of the board are there, named from its own corner; the start hole is the empty one.
    expected = spoken_names(2, lambda r, c: "empty hole" if SHAPES[2][r][c] == "E" else "peg")
    names = wait_until("the cells' names after New Game",
                       lambda: (lambda got: got if got == expected else None)(
                           [board.getChildAtIndex(i).name for i in range(board.childCount)]), timeout=5.0)
    if len(names) != 33:
        raise E2EFailure(f"the board has {len(names)} accessible cells, expected 33")

    def focused_cell():
        session.pump()
        for i in range(board.childCount):
            cell = board.getChildAtIndex(i)
            if session.focused(cell):
                return cell.name
        return None

    def expect_focus(name, what):
        wait_until(f"{what}: focus on \"{name}\"", lambda: focused_cell() == name)
        wait_until(f"{what}: a focus event for \"{name}\"",
                   lambda: session.pump() or (session.focus_events and session.focus_events[-1] == name))

    expect_focus("Row 5, column 4: peg", "New Game")
    for keys, name in ((["Left"], "Row 5, column 3: peg"), (["Up", "Up"], "Row 3, column 3: peg"),
                       (["Up", "Up"], "Row 1, column 3: peg"), (["Left"], "Row 1, column 3: peg"),
                       (["Right", "Down", "Down", "Down"], "Row 4, column 4: empty hole")):
        game.x.keys(*keys)
        expect_focus(name, " ".join(keys))
    # Selecting is heard as a new name of the focused cell.
    game.x.keys("Down", "Down", "space")
    expect_focus("Row 6, column 4: selected peg", "Space on a peg")
    wait_until("the renaming to be announced",
               lambda: session.pump() or "Row 6, column 4: selected peg" in session.name_events)
    game.x.keys("space")

    pegs = wait_until("the pegs-left value", lambda: session.named(app, "# Pegs Left: 32"))
    if session.labelled_by(pegs) != ["# Pegs Left"]:
        raise E2EFailure(f"the pegs-left value is labelled by {session.labelled_by(pegs)}")
    clock = wait_until("the clock's value", lambda: session.find(app, lambda a: a.name.startswith("Elapsed Time: 0:0:")))
    if session.labelled_by(clock) != ["Elapsed Time"]:
        raise E2EFailure(f"the clock is labelled by {session.labelled_by(clock)}")

    # The whole dead-end game by keys; the end-of-game texts can be read.
    KeyboardPlayer(game, 2, (6, 4)).play(EUROPEAN_ONE_STUCK)
    game.wait_window("Game Over", timeout=15.0)
    for text in ("GAME OVER", "Sorry! There are no more legal moves"):
        wait_until(f"\"{text}\" for the screen reader", lambda: session.named(app, text))
    game.x.focus(game.wait_window("Game Over"))
    game.x.keys("Return")
    game.wait_window("New High Score")
    wait_until("the name prompt for the screen reader",
               lambda: session.find(app, lambda a: a.name.startswith("You got a new high score!")))
    game.x.focus(game.wait_window("New High Score"))
    game.x.keys("Q", "Return")
    wait_until("eight pegs left, as heard", lambda: session.named(app, "# Pegs Left: 8"))
    if session.find(board, lambda a: a is not board and session.focused(a)):
        raise E2EFailure("a cell keeps the focus after the game ended")


KEYBOARD_CASES = {"keyboard": case_keyboard, "screen_reader": case_screen_reader}

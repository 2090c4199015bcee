"""A whole game heard through a screen reader's view: a private D-Bus session with the accessibility bus, read
through AT-SPI. pyatspi reads the bus address when it is first imported, so the session starts before the import."""

import os
import shutil
import subprocess

from hopnix_driver import SHAPES, game_script, shape_states, stop_process, wait_until

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def missing_reason():
    """Why the screen-reader case cannot run here, or None."""
    if shutil.which("dbus-daemon") is None or not os.access(BUS_LAUNCHER, os.X_OK):
        return "dbus-daemon or at-spi-bus-launcher not installed (packages dbus, at-spi2-core)"
    try:
        import pyatspi  # noqa: F401  (only probes: harmless before a session exists)
    except ImportError:
        return "pyatspi not importable (package python3-pyatspi)"
    return None


def find(root, predicate, depth=8):
    """The first accessible under root, depth first, for which predicate holds."""
    if root is None or depth < 0:
        return None
    if predicate(root):
        return root
    return next((found for i in range(root.childCount)
                 if (found := find(root.getChildAtIndex(i), predicate, depth - 1)) is not None), None)


def named(root, name):
    return find(root, lambda a: a.name == name)


def case_screen_reader(ctx):
    scratch = os.path.dirname(ctx.dir)
    with open(os.path.join(scratch, "dbus.log"), "wb") as log:
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=log, stdin=subprocess.DEVNULL)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
    with open(os.path.join(scratch, "atspi.log"), "wb") as log:
        launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=dict(os.environ, DISPLAY=ctx.x.display),
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    try:
        check_screen_reader(ctx)
    finally:
        ctx.stop_all()
        stop_process(launcher)
        stop_process(bus)


def check_screen_reader(ctx):
    import pyatspi
    from gi.repository import GLib
    context, focus_events, name_events = GLib.MainContext.default(), [], []

    def pump():
        while context.iteration(False):
            pass

    game = ctx.launch({"DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
                       "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    game.wait_main_window()
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_until("the game on the accessibility bus", lambda: next(
        (a for a in map(desktop.getChildAtIndex, range(desktop.childCount)) if a and a.name == "hopnix"), None), 10.0)
    game.choose_board(2)
    board = wait_until("the board in the accessible tree", lambda: named(app, "Board"))
    pyatspi.Registry.registerEventListener(lambda e: e.detail1 and focus_events.append(e.source.name),
                                           "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(lambda e: name_events.append(e.source.name),
                                           "object:property-change:accessible-name")
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")

    # Only the holes of the board are there, counted from its own top row and its leftmost holes (grid column 1).
    cells = lambda: list(map(board.getChildAtIndex, range(board.childCount)))  # noqa: E731
    expected = [f"Row {r + 1}, column {c}: {'empty hole' if mark == 'E' else 'peg'}"
                for r, line in enumerate(SHAPES[2][1:8]) for c, mark in enumerate(line) if mark != "."]
    wait_until("the cells' names after New Game", lambda: [cell.name for cell in cells()] == expected)

    def focused(acc):
        return acc.getState().contains(pyatspi.STATE_FOCUSED)

    def expect_focus(name, what):  # the event a screen reader announces
        wait_until(f"{what}: a focus event for \"{name}\"", lambda: pump() or focus_events[-1:] == [name])

    expect_focus("Row 5, column 4: peg", "New Game")
    for keys, name in ((["Left"], "Row 5, column 3: peg"), (["Up", "Up"], "Row 3, column 3: peg"),
                       (["Up", "Up"], "Row 1, column 3: peg"), (["Left"], "Row 1, column 3: peg"),
                       (["Right", "Down", "Down", "Down"], "Row 4, column 4: empty hole")):
        game.x.keys(*keys)
        expect_focus(name, " ".join(keys))
    # Selecting is heard as a new name of the focused cell.
    game.x.keys("Down", "Down", "space")
    expect_focus("Row 6, column 4: selected peg", "Space on a peg")
    wait_until("the renaming to be announced", lambda: pump() or "Row 6, column 4: selected peg" in name_events)
    game.x.keys("space")

    pegs = wait_until("the pegs-left value", lambda: named(app, "# Pegs Left: 32"))
    clock = wait_until("the clock's value", lambda: find(app, lambda a: a.name.startswith("Elapsed Time: 0:0:")))
    for value, label in ((pegs, "# Pegs Left"), (clock, "Elapsed Time")):
        labels = [r.getTarget(i).name for r in value.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
        assert labels == [label], f"\"{value.name}\" is labelled by {labels}, not \"{label}\""

    # The whole dead-end game by keys; the end-of-game texts can be read.
    game.ring = (6, 4)
    game.play_by_keys(game_script("europeanOneStuck"))
    game.x.focus(game.wait_window("Game Over", timeout=15.0))
    for text in ("GAME OVER", "Sorry! There are no more legal moves"):
        wait_until(f"\"{text}\" for the screen reader", lambda: named(app, text))
    game.x.keys("Return")
    game.x.focus(game.wait_window("New High Score"))
    wait_until("the name prompt", lambda: find(app, lambda a: a.name.startswith("You got a new high score!")))
    game.x.keys("Q", "Return")
    wait_until("eight pegs left, as heard", lambda: named(app, "# Pegs Left: 8"))
    assert not find(board, lambda a: a is not board and focused(a)), "a cell keeps the focus after the game ended"

"""A whole game heard through a screen reader's view: a private D-Bus session with the accessibility bus, read
through AT-SPI. pyatspi reads the bus address when it is first imported, so the session starts before the import."""

import os
import shutil
import subprocess

from hopnix_driver import SHAPES, E2EFailure, game_script, shape_states, stop_process, wait_until

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
EUROPEAN_ONE_STUCK = game_script("europeanOneStuck")


def missing_reason():
    """Why the screen-reader case cannot run here, or None."""
    if shutil.which("dbus-daemon") is None:
        return "dbus-daemon not installed (package dbus)"
    if not os.access(BUS_LAUNCHER, os.X_OK):
        return "at-spi-bus-launcher not installed (package at-spi2-core)"
    try:
        import pyatspi  # noqa: F401  (only probes: harmless before a session exists)
    except ImportError:
        return "pyatspi not importable (package python3-pyatspi)"
    return None


class AtspiSession:
    """dbus-daemon and at-spi-bus-launcher of our own, and what the screen reader hears from the game."""

    def __init__(self, scratch, display):
        with open(os.path.join(scratch, "dbus.log"), "wb") as log:
            self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                        stdout=subprocess.PIPE, stderr=log, stdin=subprocess.DEVNULL)
        self.launcher = None
        self.address = self.bus.stdout.readline().decode().strip()
        if not self.address:
            self.stop()
            raise E2EFailure("dbus-daemon did not print its address (see dbus.log)")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.address
        with open(os.path.join(scratch, "atspi.log"), "wb") as log:
            self.launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"],
                                             env=dict(os.environ, DISPLAY=display), stdin=subprocess.DEVNULL,
                                             stdout=log, stderr=log)
        import pyatspi
        from gi.repository import GLib
        self.pyatspi, self.context = pyatspi, GLib.MainContext.default()
        self.focus_events, self.name_events = [], []

    def stop(self):
        stop_process(self.launcher)
        stop_process(self.bus)

    def application(self):
        def probe():
            desktop = self.pyatspi.Registry.getDesktop(0)
            return next((a for a in map(desktop.getChildAtIndex, range(desktop.childCount))
                         if a is not None and a.name == "hopnix"), None)
        return wait_until("the game on the accessibility bus", probe, timeout=10.0)

    def find(self, root, predicate, depth=8):
        """The first accessible under root, depth first, for which predicate holds."""
        if root is None or depth < 0:
            return None
        if predicate(root):
            return root
        return next((found for i in range(root.childCount)
                     if (found := self.find(root.getChildAtIndex(i), predicate, depth - 1)) is not None), None)

    def named(self, root, name):
        return self.find(root, lambda a: a.name == name)

    def focused(self, acc):
        return acc.getState().contains(self.pyatspi.STATE_FOCUSED)

    def listen(self):
        """Records focus moves and renamings from now on, by the name of the object."""
        self.pyatspi.Registry.registerEventListener(
            lambda event: event.detail1 and self.focus_events.append(event.source.name),
            "object:state-changed:focused")
        self.pyatspi.Registry.registerEventListener(lambda event: self.name_events.append(event.source.name),
                                                    "object:property-change:accessible-name")

    def pump(self):
        while self.context.iteration(False):
            pass

    def labelled_by(self, acc):
        relations = [r for r in acc.getRelationSet() if r.getRelationType() == self.pyatspi.RELATION_LABELLED_BY]
        return [r.getTarget(i).name for r in relations[:1] for i in range(r.getNTargets())]


def case_screen_reader(ctx):
    session = AtspiSession(os.path.dirname(ctx.dir), ctx.x.display)
    try:
        check_screen_reader(ctx, session)
    finally:
        ctx.stop_all()
        session.stop()


def check_screen_reader(ctx, session):
    game = ctx.launch({"DBUS_SESSION_BUS_ADDRESS": session.address, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
    game.wait_main_window()
    app = session.application()
    game.choose_board(2)
    board = wait_until("the board in the accessible tree", lambda: session.named(app, "Board"))
    session.listen()
    game.new_game()
    game.wait_cells(shape_states(2, started=True), "New Game on \"European 1\"")

    # Only the holes of the board are there, counted from its own top row and its leftmost holes (grid column 1).
    expected = [f"Row {r + 1}, column {c}: {'empty hole' if mark == 'E' else 'peg'}"
                for r, line in enumerate(SHAPES[2][1:8]) for c, mark in enumerate(line) if mark != "."]
    wait_until("the cells' names after New Game",
               lambda: [board.getChildAtIndex(i).name for i in range(board.childCount)] == expected)

    def focused_cell():
        session.pump()
        return next((cell.name for cell in map(board.getChildAtIndex, range(board.childCount))
                     if session.focused(cell)), None)

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
    clock = wait_until("the clock's value",
                       lambda: session.find(app, lambda a: a.name.startswith("Elapsed Time: 0:0:")))
    for value, label in ((pegs, "# Pegs Left"), (clock, "Elapsed Time")):
        if session.labelled_by(value) != [label]:
            raise E2EFailure(f"\"{value.name}\" is labelled by {session.labelled_by(value)}, not \"{label}\"")

    # The whole dead-end game by keys; the end-of-game texts can be read.
    game.ring = (6, 4)
    game.play_by_keys(EUROPEAN_ONE_STUCK)
    game.x.focus(game.wait_window("Game Over", timeout=15.0))
    for text in ("GAME OVER", "Sorry! There are no more legal moves"):
        wait_until(f"\"{text}\" for the screen reader", lambda: session.named(app, text))
    game.x.keys("Return")
    game.x.focus(game.wait_window("New High Score"))
    wait_until("the name prompt for the screen reader",
               lambda: session.find(app, lambda a: a.name.startswith("You got a new high score!")))
    game.x.keys("Q", "Return")
    wait_until("eight pegs left, as heard", lambda: session.named(app, "# Pegs Left: 8"))
    if session.find(board, lambda a: a is not board and session.focused(a)):
        raise E2EFailure("a cell keeps the focus after the game ended")

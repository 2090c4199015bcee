"""Runs the game from a scratch directory on a private X server and finds its windows and cells
on screen, the way a player sees them."""

import os
import shutil
import subprocess

from xsession import E2EFailure, load_picture, stop_process, wait_until

MAIN_TITLE = "Hopnix v3.3"
DATA_FILES = ("Change.wav", "Pop2.wav", "redo.wav", "amalia2.mid", "PegHelp.rtf")
CLIENT_WIDTH = 489
CLIENT_HEIGHT = 384
SPLASH_SIZE = (296, 170)
CELL_PITCH = 40
# The container's place in the client area; it moves for the 6x6 board.
CONTAINER = {1: (112, 8), 2: (112, 8), 3: (112, 8), 4: (112, 8), 5: (95, 18)}
CELL_TOP = 8

BOARD_NAMES = ("Classic", "European 1", "European 2", "Square 7x7", "Square 6x6")
SCORE_FILES = ("Cahs.hsl", "E1hs.hsl", "E2hs.hsl", "S7hs.hsl", "S6hs.hsl")
# Rows of each shape, top first: '.' off the board, 'o' a peg at the start, 'E' the start hole.
SHAPES = {
    1: (".........", "...ooo...", "..ooooo..", ".oooEooo.", ".ooooooo.", ".ooooooo.", "..ooooo..", "...ooo...",
        "........."),
    2: (".........", "...ooo...", "...ooo...", ".ooooooo.", ".oooEooo.", ".ooooooo.", "...ooo...", "...ooo...",
        "........."),
    3: ("...ooo...", "...ooo...", "...ooo...", "ooooEoooo", "ooooooooo", "ooooooooo", "...ooo...", "...ooo...",
        "...ooo..."),
    4: (".........", ".ooooooo.", ".ooooooo.", ".oooEooo.", ".ooooooo.", ".ooooooo.", ".ooooooo.", ".ooooooo.",
        "........."),
    5: (".........", "..oooooo.", "..oooooo.", "..oooooo.", "..ooEooo.", "..oooooo.", "..oooooo.", ".........",
        "........."),
}

PEG, HOLE, SELECTED, HIDDEN = "peg", "hole", "selected", "hidden"
# Compared area of a cell: inside the keyboard's focus ring, which takes the outer four pixels.
SAMPLE = (5, 5, 30, 30)
RING_YELLOW = (255, 214, 0)
MATCH_LIMIT = 6.0


def shape_states(board, started):
    """The cell states of a board: all holes pegged before a game, the start hole empty after New Game."""
    states = {}
    for r, line in enumerate(SHAPES[board]):
        for c, mark in enumerate(line):
            if mark == ".":
                states[(r, c)] = HIDDEN
            else:
                states[(r, c)] = HOLE if (mark == "E" and started) else PEG
    return states


class CellPictures:
    """The start-up style's small pictures, as the cells show them from their top-left corner."""

    def __init__(self, assets_dir):
        folder = os.path.join(assets_dir, "pieces", "cocktail")
        x, y, w, h = SAMPLE
        self.references = {
            PEG: load_picture(os.path.join(folder, "SPegged.bmp")).crop(x, y, w, h),
            HOLE: load_picture(os.path.join(folder, "SUnPegged.bmp")).crop(x, y, w, h),
            SELECTED: load_picture(os.path.join(folder, "SMarked.bmp")).crop(x, y, w, h),
        }

    def classify(self, sample):
        if sample.max_channel() <= 8:
            return HIDDEN
        distances = {state: sample.mean_difference(ref) for state, ref in self.references.items()}
        state = min(distances, key=distances.get)
        if distances[state] > MATCH_LIMIT:
            rounded = ", ".join(f"{k} {v:.0f}" for k, v in sorted(distances.items()))
            return f"unknown ({rounded})"
        return state


class Game:
    """One run of the game binary from a scratch directory."""

    def __init__(self, x, game_dir, pictures):
        self.x = x
        self.dir = game_dir
        self.pictures = pictures
        self.proc = None
        self.log_path = os.path.join(game_dir, "game.log")
        self.window = None
        self.origin = None  # screen position of the client area's top-left corner
        self.menu_bar_height = None
        self.board = 1

    @staticmethod
    def install(binary, game_dir):
        """Copies the game and the files it reads beside it, as an installation would."""
        os.makedirs(game_dir, exist_ok=True)
        shutil.copy2(binary, os.path.join(game_dir, "hopnix"))
        source_dir = os.path.dirname(os.path.abspath(binary))
        for name in DATA_FILES:
            source = os.path.join(source_dir, name)
            if os.path.exists(source):
                shutil.copy2(source, os.path.join(game_dir, name))

    def launch(self, extra_env=None):
        home = os.path.join(self.dir, "home")
        for sub in ("config", "data", "runtime"):
            os.makedirs(os.path.join(home, sub), mode=0o700, exist_ok=True)
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
        # The player's own settings (a display setting picks the large pieces) stay out of the test.
        env.update(self.x.env(), HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
        env.update(extra_env or {})
        with open(self.log_path, "ab") as log:
            self.proc = subprocess.Popen([os.path.join(self.dir, "hopnix")], cwd=self.dir, env=env,
                                         stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def stop(self):
        stop_process(self.proc)

    def alive(self):
        return self.proc is not None and self.proc.poll() is None

    def log_tail(self, lines=20):
        try:
            with open(self.log_path, "r", errors="replace") as log:
                return "".join(log.readlines()[-lines:])
        except OSError:
            return ""

    # Windows.
    def windows_named(self, title):
        return [w for w in self.x.visible_windows(name=f"^{title}$") if self.x.window_name(w) == title]

    def wait_window(self, title, timeout=5.0):
        def probe():
            if not self.alive():
                raise E2EFailure(f"the game ended while waiting for the window \"{title}\"")
            found = self.windows_named(title)
            return found[0] if found else None
        return wait_until(f"the window \"{title}\"", probe, timeout)

    def wait_window_gone(self, window, timeout=5.0):
        wait_until(f"window {window} to close", lambda: window not in self.x.visible_windows(pid=self.proc.pid),
                   timeout)

    def wait_main_window(self, timeout=8.0):
        self.window = self.wait_window(MAIN_TITLE, timeout)
        x, y, width, height = wait_until("the main window's geometry", lambda: self.x.geometry(self.window))
        if width != CLIENT_WIDTH:
            raise E2EFailure(f"main window is {width} px wide, expected {CLIENT_WIDTH}")
        self.menu_bar_height = height - CLIENT_HEIGHT
        if not 12 <= self.menu_bar_height <= 48:
            raise E2EFailure(f"main window is {width}x{height}: no room for a menu bar over a {CLIENT_HEIGHT} px client")
        self.origin = (x, y + self.menu_bar_height)
        # Without a window manager the keyboard follows the pointer; keep it over the window.
        self.x.move_mouse(x + 240, y + height // 2)
        self.x.focus(self.window)
        return self.window

    def client_point(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    # Cells.
    def cell_origin(self, r, c, board=None):
        left, top = CONTAINER[board or self.board]
        return self.client_point(left + CELL_PITCH * c, top + CELL_TOP + CELL_PITCH * r)

    def cell_centre(self, r, c):
        x, y = self.cell_origin(r, c)
        return x + 20, y + 20

    def ring_at(self, r, c, shot=None):
        """Whether the keyboard's focus ring is drawn round a cell."""
        shot = shot or self.x.screenshot()
        x, y = self.cell_origin(r, c)
        return all(shot.pixel(x + dx, y + dy) == RING_YELLOW for dx, dy in ((2, 2), (20, 1), (1, 20), (37, 20)))

    def click_cell(self, r, c):
        self.x.click(*self.cell_centre(r, c))

    def cell_states(self, shot=None):
        shot = shot or self.x.screenshot()
        states = {}
        dx, dy, w, h = SAMPLE
        for r in range(9):
            for c in range(9):
                x, y = self.cell_origin(r, c)
                states[(r, c)] = self.pictures.classify(shot.crop(x + dx, y + dy, w, h))
        return states

    def wait_cells(self, expected, what, timeout=4.0):
        """Waits until every cell named in expected shows that state; the failure lists the differences."""
        last = {}

        def probe():
            last.clear()
            states = self.cell_states()
            last.update({p: (states[p], s) for p, s in expected.items() if states[p] != s})
            return not last

        try:
            wait_until(what, probe, timeout, interval=0.1)
        except E2EFailure as failure:
            wrong = "; ".join(f"({r},{c}) shows {got}, expected {want}" for (r, c), (got, want) in sorted(last.items()))
            raise E2EFailure(f"{failure}: {wrong}") from None

    # Menus, through their access keys as a player at the keyboard would use them.
    def menu(self, *keys):
        self.x.keys(*keys)

    def new_game(self):
        self.menu("alt+g", "n")

    def choose_board(self, board):
        self.menu("alt+b", *(["Down"] * (board - 1)), "Return")
        self.board = board

    def high_scores(self, board):
        self.menu("alt+h", *(["Down"] * (board - 1)), "Return")

    def pause(self, resume=False):
        # A menu opened from the keyboard starts on its first enabled item and the arrows skip disabled
        # ones: while paused "&New Game" is greyed, so "Pause Game" is one step nearer.
        self.menu("alt+g", *(["Down"] * (1 if resume else 2)), "Return")

    def exit(self):
        self.menu("alt+g", "x")

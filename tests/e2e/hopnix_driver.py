"""The game installed in a scratch directory and run on a private X server; its windows and cells found on screen
the way a player sees them."""

import os
import re
import shutil
import subprocess

from xsession import E2EFailure, Image, stop_process, wait_until

MAIN_TITLE = "Hopnix v3.3"
DATA_FILES = ("Change.wav", "Pop2.wav", "redo.wav", "amalia2.mid", "PegHelp.rtf")
CLIENT_WIDTH, CLIENT_HEIGHT = 489, 384
CELL_PITCH = 40
# The top-left cell's place in the client area; the board container moves for the 6x6 board.
FIRST_CELL = {1: (112, 16), 2: (112, 16), 3: (112, 16), 4: (112, 16), 5: (95, 26)}
SCORE_FILES = ("Cahs.hsl", "E1hs.hsl", "E2hs.hsl", "S7hs.hsl", "S6hs.hsl")
# Rows of each shape, top first: '.' off the board, 'o' a peg at the start, 'E' the start hole.
SHAPES = {
    1: "......... ...ooo... ..ooooo.. .oooEooo. .ooooooo. .ooooooo. ..ooooo.. ...ooo... .........".split(),
    2: "......... ...ooo... ...ooo... .ooooooo. .oooEooo. .ooooooo. ...ooo... ...ooo... .........".split(),
    3: "...ooo... ...ooo... ...ooo... ooooEoooo ooooooooo ooooooooo ...ooo... ...ooo... ...ooo...".split(),
    4: "......... .ooooooo. .ooooooo. .oooEooo. .ooooooo. .ooooooo. .ooooooo. .ooooooo. .........".split(),
    5: "......... ..oooooo. ..oooooo. ..oooooo. ..ooEooo. ..oooooo. ..oooooo. ......... .........".split(),
}
PEG, HOLE, SELECTED, HIDDEN = "peg", "hole", "selected", "hidden"
PICTURES = {PEG: "SPegged.bmp", HOLE: "SUnPegged.bmp", SELECTED: "SMarked.bmp"}
# Compared area of a cell: inside the keyboard's focus ring, which takes the outer four pixels.
SAMPLE = (5, 5, 30, 30)
RING_YELLOW = (255, 214, 0)
MATCH_LIMIT = 6.0


def game_script(name):
    """A game from the C++ tests' scripts, as (from-row, from-column, to-row, to-column) jumps."""
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "game_scripts.h")) as header:
        body = re.search(name + r"\{(.*?)\};", header.read(), re.S).group(1)
    return [tuple(map(int, jump)) for jump in re.findall(r"\{(\d+), (\d+), (\d+), (\d+)\}", body)]


def shape_states(board, started, last_peg=None):
    """A board's cells: all holes pegged before a game, the start hole empty after New Game, or one peg left."""
    def state(mark, at):
        if mark == ".":
            return HIDDEN
        if last_peg:
            return PEG if at == last_peg else HOLE
        return HOLE if mark == "E" and started else PEG
    return {(r, c): state(mark, (r, c)) for r, line in enumerate(SHAPES[board]) for c, mark in enumerate(line)}


class Installation:
    """The game and the files it reads, copied into a directory; every run there finds the files of earlier ones."""

    def __init__(self, x, binary, assets, game_dir):
        self.x, self.dir, self.runs = x, game_dir, []
        os.makedirs(game_dir)
        shutil.copy2(binary, os.path.join(game_dir, "hopnix"))
        for name in DATA_FILES:
            source = os.path.join(os.path.dirname(binary), name)
            if os.path.exists(source):
                shutil.copy2(source, game_dir)
        folder = os.path.join(assets, "pieces", "cocktail")
        self.pictures = {state: Image.load(os.path.join(folder, name), *SAMPLE) for state, name in PICTURES.items()}
        self.log_path = os.path.join(game_dir, "game.log")

    def launch(self, extra_env=None):
        game = Game(self, extra_env or {})
        self.runs.append(game)
        return game

    def stop_all(self):
        for game in self.runs:
            game.stop()


class Game:
    """One run of the game, with the board it shows and where the keyboard's focus ring is."""

    def __init__(self, installation, extra_env):
        self.x, self.dir, self.pictures = installation.x, installation.dir, installation.pictures
        self.window = self.origin = self.ring = None
        self.board = 1
        home = os.path.join(self.dir, "home")
        env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
        # The player's own settings (a display setting picks the large pieces) stay out of the test.
        env.update(DISPLAY=self.x.display, HOME=home, **extra_env)
        for sub, variable in (("config", "XDG_CONFIG_HOME"), ("data", "XDG_DATA_HOME"), ("runtime", "XDG_RUNTIME_DIR")):
            env[variable] = os.path.join(home, sub)
            os.makedirs(env[variable], mode=0o700, exist_ok=True)
        with open(installation.log_path, "ab") as log:
            self.proc = subprocess.Popen([os.path.join(self.dir, "hopnix")], cwd=self.dir, env=env,
                                         stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def stop(self):
        stop_process(self.proc)

    def alive(self):
        return self.proc.poll() is None

    def own_windows(self):
        return self.x.windows("--pid", str(self.proc.pid))

    def wait_window(self, title, timeout=5.0):
        def probe():
            if not self.alive():
                raise E2EFailure(f"the game ended while waiting for the window \"{title}\"")
            return next(iter(self.x.windows("--name", f"^{re.escape(title)}$")), None)
        return wait_until(f"the window \"{title}\"", probe, timeout)

    def wait_window_gone(self, window):
        wait_until(f"window {window} to close", lambda: window not in self.own_windows())

    def wait_main_window(self, timeout=8.0):
        self.window = self.wait_window(MAIN_TITLE, timeout)
        x, y, width, height = wait_until("the main window's geometry", lambda: self.x.geometry(self.window))
        menu_bar_height = height - CLIENT_HEIGHT
        if width != CLIENT_WIDTH or not 12 <= menu_bar_height <= 48:
            raise E2EFailure(f"main window is {width}x{height}, not {CLIENT_WIDTH} wide with a menu bar over a "
                             f"{CLIENT_HEIGHT} px client area")
        self.origin = (x, y + menu_bar_height)
        # Without a window manager the keyboard follows the pointer; keep it over the window.
        self.x.run("xdotool", "mousemove", str(x + 240), str(y + height // 2))
        self.x.focus(self.window)

    def client_point(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def cell_origin(self, r, c):
        left, top = FIRST_CELL[self.board]
        return self.client_point(left + CELL_PITCH * c, top + CELL_PITCH * r)

    def click_cells(self, *cells):
        self.x.click(*((x + 20, y + 20) for x, y in (self.cell_origin(r, c) for r, c in cells)))

    def ring_at(self, r, c):
        """Whether the keyboard's focus ring is drawn round a cell."""
        shot = self.x.screenshot()
        x, y = self.cell_origin(r, c)
        return all(shot.pixel(x + dx, y + dy) == RING_YELLOW for dx, dy in ((2, 2), (20, 1), (1, 20), (37, 20)))

    def cell_state(self, shot, r, c):
        x, y = self.cell_origin(r, c)
        sample = shot.crop(x + SAMPLE[0], y + SAMPLE[1], SAMPLE[2], SAMPLE[3])
        if max(sample.rgb) <= 8:
            return HIDDEN
        distances = {state: sample.mean_difference(ref) for state, ref in self.pictures.items()}
        state = min(distances, key=distances.get)
        if distances[state] > MATCH_LIMIT:
            return "unknown (" + ", ".join(f"{k} {v:.0f}" for k, v in sorted(distances.items())) + ")"
        return state

    def wait_cells(self, expected, what, timeout=4.0):
        """Waits until every cell named in expected shows that state; the failure lists the differences."""
        wrong = {}

        def probe():
            shot = self.x.screenshot()
            wrong.clear()
            wrong.update((p, (got, want)) for p, want in expected.items() if (got := self.cell_state(shot, *p)) != want)
            return not wrong
        try:
            wait_until(what, probe, timeout, interval=0.1)
        except E2EFailure as failure:
            differences = "; ".join(f"{p} shows {got}, expected {want}" for p, (got, want) in sorted(wrong.items()))
            raise E2EFailure(f"{failure}: {differences}") from None

    # The menus through their access keys, as a player at the keyboard uses them.
    def new_game(self):
        self.x.keys("alt+g", "n")

    def choose_board(self, board):
        self.x.keys("alt+b", *(["Down"] * (board - 1)), "Return")
        self.board = board
        self.wait_cells(shape_states(board, started=False), f"the shape of board {board}")

    def pause(self, resume=False):
        # A menu opened from the keyboard starts on its first enabled item and the arrows skip disabled
        # ones: while paused "&New Game" is greyed, so "Pause Game" is one step nearer.
        self.x.keys("alt+g", *(["Down"] * (1 if resume else 2)), "Return")

    def exit(self):
        self.x.keys("alt+g", "x")

    def play_by_keys(self, jumps):
        """Walks the focus ring with the arrows, Space on the peg and Return on the hole, for every jump in one go."""
        keys = []
        for jump in jumps:
            keys += self.arrows_to(jump[:2]) + ["space"] + self.arrows_to(jump[2:]) + ["Return"]
        self.x.keys(*keys, delay=25)

    def arrows_to(self, target):
        """Arrow keys from the ring to target, turning at a corner that lies on the board."""
        (r, c), (tr, tc) = self.ring, target
        down = ["Down" if tr > r else "Up"] * abs(tr - r)
        across = ["Right" if tc > c else "Left"] * abs(tc - c)
        self.ring = target
        return across + down if SHAPES[self.board][r][tc] != "." else down + across

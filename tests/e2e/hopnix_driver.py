"""The game installed in a scratch directory and played on a private X server, with xdotool for the player's hands
and ImageMagick for the eyes: its windows and cells found on screen the way a player sees them."""

import os
import re
import shutil
import subprocess
import time

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600
CLIENT_HEIGHT = 384
# The top-left cell's place in the client area; the board container moves for the 6x6 board.
FIRST_CELL = {1: (112, 16), 2: (112, 16), 3: (112, 16), 4: (112, 16), 5: (95, 26)}
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
# A launched game's first windows. The first start after boot reads the program's libraries, fonts and font
# configuration from a cold disk: at 30 reads a second the splash took 5.4 s to appear and the main window 10.1 s.
FIRST_WINDOW_TIMEOUT = 30.0


def wait_until(what, probe, timeout=5.0, explain=lambda: ""):
    """Polls probe() until it returns something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        assert time.monotonic() < deadline, f"timed out after {timeout:.1f} s waiting for {what}{explain()}"
        time.sleep(0.05)
    return result


def stop_process(proc):
    """Ends one process we started, by its pid: a polite signal first, then a kill."""
    if proc is not None and proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(timeout=2)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def crop(shot, x, y, width, height):
    """The RGB bytes of a rectangle of a screenshot."""
    starts = ((row * SCREEN_WIDTH + x) * 3 for row in range(y, y + height))
    return b"".join(shot[i:i + width * 3] for i in starts)


def count_unlike(rgb, colour, tolerance=24):
    """How many pixels differ from colour by more than tolerance in some channel."""
    return sum(any(abs(rgb[i + k] - colour[k]) > tolerance for k in range(3)) for i in range(0, len(rgb), 3))


class XServer:
    """Xvfb on a display number it picks itself, with the mouse, the keyboard and screenshots on it."""

    def __init__(self, scratch):
        with open(os.path.join(scratch, "xvfb.log"), "wb") as log:
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", "1", "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-dpi", "96",
                 "-nolisten", "tcp", "-noreset"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log)
        self.display = ":" + self.proc.stdout.readline().strip().decode()
        # The tools' own first start, slow on a cold disk, is paid here rather than inside a timed wait.
        self.run("xdotool", "getdisplaygeometry")
        self.screenshot()

    def run(self, *args, check=True, timeout=120.0):
        """A command's output on this display; b"" when it failed and check is off."""
        result = subprocess.run(args, env=dict(os.environ, DISPLAY=self.display), capture_output=True, timeout=timeout)
        assert result.returncode == 0 or not check, f"{' '.join(args)} failed: {result.stderr.decode().strip()}"
        return result.stdout if result.returncode == 0 else b""

    def screenshot(self):
        return self.run("import", "-silent", "-window", "root", "-depth", "8", "rgb:-")

    def windows(self, *criteria):
        return [int(w) for w in self.run("xdotool", "search", "--onlyvisible", *criteria, check=False).split()]

    def geometry(self, window):
        """(x, y, width, height) of a window; with no window manager x, y are screen positions."""
        out = self.run("xdotool", "getwindowgeometry", "--shell", str(window), check=False)
        values = dict(line.split(b"=", 1) for line in out.split() if b"=" in line)
        return tuple(int(values[k]) for k in (b"X", b"Y", b"WIDTH", b"HEIGHT")) if b"WIDTH" in values else None

    # No --sync on mousemove: it waits for the pointer to move and hangs when it is already there.
    def click(self, *points):
        self.run("xdotool", *(a for x, y in points for a in ("mousemove", str(x), str(y), "click", "1")))

    def keys(self, *keys, delay=40):
        self.run("xdotool", "key", "--delay", str(delay), *keys)

    def focus(self, window):
        self.run("xdotool", "windowfocus", str(window), check=False)


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

    def __init__(self, binary, assets, game_dir):
        self.x, self.dir, self.runs = None, game_dir, []
        os.makedirs(game_dir)
        for name in ("hopnix", "Change.wav", "Pop2.wav", "redo.wav", "amalia2.mid", "PegHelp.rtf"):
            shutil.copy2(os.path.join(os.path.dirname(binary), name), game_dir)
        folder = os.path.join(assets, "pieces", "cocktail")
        self.pictures = {state: subprocess.run(
            ["convert", os.path.join(folder, name), "-crop", "{2}x{3}+{0}+{1}".format(*SAMPLE), "+repage", "-depth",
             "8", "rgb:-"], check=True, capture_output=True).stdout for state, name in PICTURES.items()}
        self.log_path = os.path.join(game_dir, "game.log")

    def launch(self, extra_env=None):
        self.runs.append(Game(self, extra_env or {}))
        return self.runs[-1]

    def stop_all(self):
        for game in self.runs:
            stop_process(game.proc)


class Game:
    """One run of the game, with the board it shows and where the keyboard's focus ring is."""

    def __init__(self, installation, extra_env):
        self.x, self.dir, self.pictures = installation.x, installation.dir, installation.pictures
        self.window = self.origin = self.ring = None
        self.board = 1
        home = os.path.join(self.dir, "home")
        # The player's own settings (a display setting picks the large pieces) stay out of the test.
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_"))}
        env.update(DISPLAY=self.x.display, HOME=home, XDG_RUNTIME_DIR=os.path.join(home, "runtime"), **extra_env)
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        with open(installation.log_path, "ab") as log:
            self.proc = subprocess.Popen([os.path.join(self.dir, "hopnix")], cwd=self.dir, env=env,
                                         stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def wait_window(self, title, timeout=5.0):
        def probe():
            assert self.proc.poll() is None, f"the game ended while waiting for the window \"{title}\""
            return next(iter(self.x.windows("--name", f"^{re.escape(title)}$")), None)
        return wait_until(f"the window \"{title}\"", probe, timeout)

    def wait_window_gone(self, window):
        wait_until(f"window {window} to close", lambda: window not in self.x.windows("--pid", str(self.proc.pid)))

    def wait_main_window(self):
        self.window = self.wait_window("Hopnix v3.3", FIRST_WINDOW_TIMEOUT)
        x, y, width, height = wait_until("the main window's geometry", lambda: self.x.geometry(self.window))
        self.origin = (x, y + height - CLIENT_HEIGHT)  # below the menu bar
        # Without a window manager the keyboard follows the pointer; keep it over the window.
        self.x.run("xdotool", "mousemove", str(x + 240), str(y + height // 2))
        self.x.focus(self.window)

    def client_point(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def cell_origin(self, r, c):
        left, top = FIRST_CELL[self.board]
        return self.client_point(left + 40 * c, top + 40 * r)

    def click_cells(self, *cells):
        self.x.click(*((x + 20, y + 20) for x, y in (self.cell_origin(r, c) for r, c in cells)))

    def ring_at(self, r, c):
        """Whether the keyboard's yellow focus ring is drawn round a cell."""
        shot, (x, y) = self.x.screenshot(), self.cell_origin(r, c)
        return all(crop(shot, x + i, y + j, 1, 1) == b"\xff\xd6\x00" for i, j in ((2, 2), (20, 1), (1, 20), (37, 20)))

    def cell_state(self, shot, r, c):
        x, y = self.cell_origin(r, c)
        sample = crop(shot, x + SAMPLE[0], y + SAMPLE[1], SAMPLE[2], SAMPLE[3])
        if max(sample) <= 8:
            return HIDDEN
        distances = {state: sum(abs(a - b) for a, b in zip(sample, ref)) / len(ref)
                     for state, ref in self.pictures.items()}
        state = min(distances, key=distances.get)
        return state if distances[state] <= 6.0 else f"unknown ({distances})"

    def wait_cells(self, expected, what, timeout=4.0):
        """Waits until every cell named in expected shows that state; the failure lists the differences."""
        wrong = {}

        def probe():
            shot = self.x.screenshot()
            wrong.clear()
            wrong.update((p, (got, want)) for p, want in expected.items() if (got := self.cell_state(shot, *p)) != want)
            return not wrong
        wait_until(what, probe, timeout, lambda: "".join(
            f"; {p} shows {got}, expected {want}" for p, (got, want) in sorted(wrong.items())))

    # The menus through their access keys, as a player at the keyboard uses them.
    def new_game(self):
        self.x.keys("alt+g", "n")

    def choose_board(self, board):
        self.x.keys("alt+b", *(["Down"] * (board - 1)), "Return")
        self.board = board
        self.wait_cells(shape_states(board, started=False), f"the shape of board {board}")

    def pause(self, resume=False):
        # The arrows skip greyed items: while paused "&New Game" is greyed, so "Pause Game" is one step nearer.
        self.x.keys("alt+g", *(["Down"] * (1 if resume else 2)), "Return")

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

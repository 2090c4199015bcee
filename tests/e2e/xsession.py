"""A private X server and the player's hands and eyes on it: xdotool for the mouse and keys, ImageMagick for pictures."""

import os
import shutil
import subprocess
import time

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600
REQUIRED_TOOLS = ("Xvfb", "xdotool", "import", "convert")


class E2EFailure(Exception):
    """A check failed; the message says what the player would have seen."""


def missing_tools():
    return [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]


def wait_until(what, probe, timeout=5.0, interval=0.05):
    """Polls probe() until it returns something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    while not (result := probe()):
        if time.monotonic() >= deadline:
            raise E2EFailure(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)
    return result


def stop_process(proc):
    """Ends one process we started, by its pid: a polite signal first, then a kill."""
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout=2)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


class Image:
    """An RGB picture held as raw bytes."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise E2EFailure(f"a {width}x{height} picture came with {len(rgb)} bytes")
        self.width, self.height, self.rgb = width, height, rgb

    @classmethod
    def load(cls, path, x, y, width, height):
        """A piece of any picture ImageMagick reads, such as the game's .bmp pieces."""
        data = subprocess.run(["convert", path, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-depth", "8",
                               "rgb:-"], check=True, capture_output=True).stdout
        return cls(width, height, data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, width, height):
        rows = ((row * self.width + x) * 3 for row in range(y, y + height))
        return Image(width, height, b"".join(self.rgb[i:i + width * 3] for i in rows))

    def mean_difference(self, other):
        return sum(abs(a - b) for a, b in zip(self.rgb, other.rgb)) / len(self.rgb)

    def count_unlike(self, colour, tolerance=24):
        """How many pixels differ from colour by more than tolerance in some channel."""
        return sum(any(abs(self.rgb[i + k] - colour[k]) > tolerance for k in range(3))
                   for i in range(0, len(self.rgb), 3))

    def save(self, path):
        with open(path, "wb") as out:
            out.write(b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb)


class XServer:
    """Xvfb on a display number it picks itself, with the mouse, the keyboard and screenshots on it."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.proc = self.display = self.last_shot = None

    def start(self):
        with open(os.path.join(self.scratch, "xvfb.log"), "wb") as log:
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", "1", "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-dpi", "96",
                 "-nolisten", "tcp", "-noreset"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=log)
        number = self.proc.stdout.readline().strip()
        if not number:
            raise E2EFailure("Xvfb did not report its display number (see xvfb.log)")
        self.display = ":" + number.decode()

    def stop(self):
        stop_process(self.proc)

    def run(self, *args, check=True, timeout=10.0):
        """A command's output on this display; b"" when it failed and check is off."""
        result = subprocess.run(args, env=dict(os.environ, DISPLAY=self.display), capture_output=True, timeout=timeout)
        if result.returncode != 0 and check:
            raise E2EFailure(f"{' '.join(args)} failed: {result.stderr.decode().strip()}")
        return result.stdout if result.returncode == 0 else b""

    def screenshot(self):
        self.last_shot = Image(SCREEN_WIDTH, SCREEN_HEIGHT,
                               self.run("import", "-silent", "-window", "root", "-depth", "8", "rgb:-"))
        return self.last_shot

    def windows(self, *criteria):
        """The visible windows an xdotool search finds, such as ("--pid", "42")."""
        return [int(w) for w in self.run("xdotool", "search", "--onlyvisible", *criteria, check=False).split()]

    def geometry(self, window):
        """(x, y, width, height) of a window; with no window manager x, y are screen positions."""
        out = self.run("xdotool", "getwindowgeometry", "--shell", str(window), check=False)
        values = dict(line.split(b"=", 1) for line in out.split() if b"=" in line)
        return tuple(int(values[k]) for k in (b"X", b"Y", b"WIDTH", b"HEIGHT")) if b"WIDTH" in values else None

    # No --sync on mousemove: it waits for the pointer to move and hangs when it is already there.
    def click(self, *points):
        """Clicks in order, as fast as a quick player."""
        self.run("xdotool", *(a for x, y in points for a in ("mousemove", str(x), str(y), "click", "1")), timeout=60.0)

    def keys(self, *keys, delay=40):
        self.run("xdotool", "key", "--delay", str(delay), *keys, timeout=120.0)

    def focus(self, window):
        self.run("xdotool", "windowfocus", str(window), check=False)

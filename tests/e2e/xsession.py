"""A private X server and the player's hands and eyes on it: xdotool for the mouse and keys,
ImageMagick's import for screenshots. Standard library only."""

import os
import select
import shutil
import struct
import subprocess
import time
import zlib

SCREEN_WIDTH = 800
SCREEN_HEIGHT = 600
REQUIRED_TOOLS = ("Xvfb", "xdotool", "import", "convert")


class E2EFailure(Exception):
    """A check of the game failed; the message says what the player would have seen."""


def missing_tools():
    return [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]


def wait_until(what, probe, timeout=5.0, interval=0.05):
    """Polls probe() until it returns something truthy; raises with what was awaited on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise E2EFailure(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


def stop_process(proc, grace=2.0):
    """Ends one process we started, by its pid: a polite signal first, then a kill."""
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout=grace)


class Image:
    """An RGB screenshot held as raw bytes."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    @classmethod
    def from_ppm(cls, data):
        # P6 header: magic, width, height, maxval, each followed by whitespace (comments do not occur).
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        pos += 1
        if fields[0] != b"P6" or fields[3] != b"255":
            raise E2EFailure(f"unexpected screenshot format {fields[0]!r} maxval {fields[3]!r}")
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, data[pos:pos + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            i = (row * self.width + x) * 3
            rows.append(self.rgb[i:i + width * 3])
        return Image(width, height, b"".join(rows))

    def mean_difference(self, other):
        """Mean absolute difference per channel of two images of the same size."""
        total = sum(abs(a - b) for a, b in zip(self.rgb, other.rgb))
        return total / max(1, len(self.rgb))

    def count_unlike(self, colour, tolerance=24):
        """How many pixels differ from colour by more than tolerance in some channel."""
        count = 0
        for i in range(0, len(self.rgb), 3):
            if any(abs(self.rgb[i + k] - colour[k]) > tolerance for k in range(3)):
                count += 1
        return count

    def max_channel(self):
        return max(self.rgb) if self.rgb else 0

    def save_png(self, path):
        raw = b"".join(b"\x00" + self.rgb[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
                      + chunk(b"IEND", b""))


def load_picture(path):
    """Reads any picture ImageMagick knows (the game's .bmp pieces) as an Image."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    return Image.from_ppm(data)


class XServer:
    """Xvfb on a display number it picks itself; the mouse, the keyboard and screenshots on it."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.proc = None
        self.display = None
        self.last_shot = None

    def start(self, timeout=10.0):
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.scratch, "xvfb.log"), "wb")
        try:
            self.proc = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                 "-dpi", "96", "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        finally:
            os.close(write_end)
            log.close()
        number = b""
        deadline = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise E2EFailure("Xvfb did not report its display number (see xvfb.log)")
                piece = os.read(read_end, 16)
                if not piece:
                    raise E2EFailure("Xvfb ended before it reported its display number (see xvfb.log)")
                number += piece
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()

    def stop(self):
        stop_process(self.proc)

    def env(self):
        return {"DISPLAY": self.display}

    def run(self, *args, check=True, timeout=10.0):
        env = dict(os.environ, DISPLAY=self.display)
        result = subprocess.run(list(args), env=env, capture_output=True, text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise E2EFailure(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result

    # The eyes.
    def screenshot(self):
        env = dict(os.environ, DISPLAY=self.display)
        data = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"],
                              env=env, check=True, capture_output=True, timeout=10.0).stdout
        self.last_shot = Image.from_ppm(data)
        return self.last_shot

    def save_last_shot(self, name="last-screenshot.png"):
        if self.last_shot is None:
            return None
        path = os.path.join(self.scratch, name)
        self.last_shot.save_png(path)
        return path

    # Windows.
    def visible_windows(self, pid=None, name=None):
        args = ["xdotool", "search", "--onlyvisible"]
        if pid is not None:
            args += ["--pid", str(pid)]
        else:
            args += ["--name", name]
        result = self.run(*args, check=False)
        return [int(w) for w in result.stdout.split()]

    def geometry(self, window):
        """(x, y, width, height) of a window; with no window manager x, y are screen positions."""
        result = self.run("xdotool", "getwindowgeometry", "--shell", str(window), check=False)
        values = dict(line.split("=", 1) for line in result.stdout.split() if "=" in line)
        if result.returncode != 0 or "WIDTH" not in values:
            return None
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def window_name(self, window):
        return self.run("xdotool", "getwindowname", str(window), check=False).stdout.rstrip("\n")

    # The hands.
    # No --sync on mousemove: it waits for the pointer to move and hangs when it is already there.
    def click(self, x, y):
        self.run("xdotool", "mousemove", str(x), str(y), "click", "1")

    def clicks(self, points):
        """Many clicks in one go, in order; the game receives them as fast as a quick player."""
        args = ["xdotool"]
        for x, y in points:
            args += ["mousemove", str(x), str(y), "click", "1"]
        self.run(*args, timeout=60.0)

    def move_mouse(self, x, y):
        self.run("xdotool", "mousemove", str(x), str(y))

    def keys(self, *keys):
        self.run("xdotool", "key", "--delay", "40", *keys)

    def type_text(self, text):
        self.run("xdotool", "type", "--delay", "30", text)

    def focus(self, window):
        self.run("xdotool", "windowfocus", str(window), check=False)

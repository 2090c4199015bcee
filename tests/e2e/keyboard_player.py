"""The player at the keyboard: walks the focus ring over the holes with the arrows and presses Space."""

from hopnix_driver import SHAPES


class KeyboardPlayer:
    """Keeps its own idea of where the ring is, from the board's shape and the keys it pressed."""

    def __init__(self, game, board, start):
        self.game = game
        self.shape = SHAPES[board]
        self.at = start

    def on_board(self, r, c):
        return 0 <= r < 9 and 0 <= c < 9 and self.shape[r][c] != "."

    def keys_to(self, target):
        """Arrow keys from the ring to target, turning at a corner that lies on the board."""
        (r, c), (tr, tc) = self.at, target
        down = ["Down" if tr > r else "Up"] * abs(tr - r)
        across = ["Right" if tc > c else "Left"] * abs(tc - c)
        self.at = target
        return across + down if self.on_board(r, tc) else down + across

    def jump_keys(self, jump):
        return self.keys_to(jump[:2]) + ["space"] + self.keys_to(jump[2:]) + ["Return"]

    def play(self, jumps):
        """All the jumps in one go; the last one may end the game."""
        keys = [key for jump in jumps for key in self.jump_keys(jump)]
        self.game.x.run("xdotool", "key", "--delay", "25", *keys, timeout=120.0)

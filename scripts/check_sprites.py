#!/usr/bin/env python3
"""Check sprite files against the format the resource manager reads.

Usage: python3 scripts/check_sprites.py [FILE...]

Without arguments every sprites/*-spr.txt of the repository is checked, and
the sprites the game loads must all be there. Prints one line per file and
exits with status 1 when any file is wrong.
"""

import os
import sys

COLORS = ("black", "red", "green", "yellow", "blue", "magenta", "cyan",
          "white", "default")

GAME_SPRITES = ("title", "explosion", "paddleh", "paddlev", "ball",
                "brick-default", "brick-strong", "brick-super",
                "brick-moving")


class SpriteError(Exception):
    pass


def header_int(lines, index, tag):
    line = lines[index] if index < len(lines) else None
    if line is None or not line.startswith(tag + " "):
        raise SpriteError("line %d: expected '%s N', have %r"
                          % (index + 1, tag, line))
    value = line[len(tag) + 1:]
    if not value.isdigit() or int(value) <= 0:
        raise SpriteError("line %d: '%s' needs a positive whole number, have %r"
                          % (index + 1, tag, value))
    return int(value)


def check(path):
    """Returns a summary of a valid sprite file; raises SpriteError."""
    with open(path, "rb") as fh:
        data = fh.read()
    if b"\r" in data:
        raise SpriteError("carriage return found: use LF line ends")
    for offset, byte in enumerate(data):
        if byte != 0x0A and not 0x20 <= byte <= 0x7E:
            raise SpriteError("byte %d is 0x%02x: printable ASCII only"
                              % (offset, byte))
    text = data.decode("ascii")
    if not text.endswith("\n"):
        raise SpriteError("the file does not end with a newline")
    lines = text[:-1].split("\n")

    frames = header_int(lines, 0, "frames")
    width = header_int(lines, 1, "width")
    height = header_int(lines, 2, "height")
    if len(lines) < 4 or not lines[3].startswith("color "):
        raise SpriteError("line 4: expected 'color NAME', have %r"
                          % (lines[3] if len(lines) > 3 else None))
    color = lines[3][len("color "):]
    if color not in COLORS:
        raise SpriteError("line 4: unknown colour %r" % color)

    index = 4
    for frame in range(frames):
        for row in range(height):
            if index >= len(lines):
                raise SpriteError("frame %d ends early at line %d"
                                  % (frame + 1, index + 1))
            if len(lines[index]) != width:
                raise SpriteError("line %d: width %d of %d: %r"
                                  % (index + 1, len(lines[index]), width,
                                     lines[index]))
            index += 1
        if index >= len(lines) or lines[index] != "end":
            raise SpriteError("line %d: expected 'end' after frame %d, have %r"
                              % (index + 1, frame + 1,
                                 lines[index] if index < len(lines) else None))
        index += 1
    if index >= len(lines) or lines[index] != "eof":
        raise SpriteError("line %d: expected 'eof', have %r"
                          % (index + 1,
                             lines[index] if index < len(lines) else None))
    if index != len(lines) - 1:
        raise SpriteError("line %d: text after 'eof'" % (index + 2))
    return "frames %d, width %d, height %d, color %s" % (frames, width,
                                                         height, color)


def main(argv):
    paths = argv[1:]
    failed = False
    if not paths:
        root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        folder = os.path.join(root, "sprites")
        names = sorted(n for n in os.listdir(folder) if n.endswith("-spr.txt"))
        paths = [os.path.join("sprites", n) for n in names]
        os.chdir(root)
        for label in GAME_SPRITES:
            if label + "-spr.txt" not in names:
                print("MISSING sprites/%s-spr.txt" % label)
                failed = True
    for path in paths:
        try:
            print("OK   %s: %s" % (path, check(path)))
        except (OSError, SpriteError) as error:
            print("FAIL %s: %s" % (path, error))
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

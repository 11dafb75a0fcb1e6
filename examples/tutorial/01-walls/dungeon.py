"""Walls: a walled map read from a text file, and a hero moved a cell at a time with the arrow
keys.

The Python port of main.cpp, step for step the same game: it replays that program's recording.
"""

import os

import tarnwick

#: The maps, sprites and sounds that every part reads.
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "data")
#: Where the map's top-left character goes on the screen: the top row is kept for the status.
MAP_CORNER = tarnwick.Vector(0, 1)
#: A held arrow key moves the hero again every this many steps.
REPEAT = 4


class Wall(tarnwick.Object):
    """A wall. Objects are HARD unless told otherwise, and the world refuses to move a HARD
    object onto another: walls stop the hero without a check of ours."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Wall"
        self.position = at

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "#", tarnwick.Color.WHITE)


class Hero(tarnwick.Object):
    """The hero, moved a cell at a time with the arrow keys; escape quits."""

    STEPS = {tarnwick.Key.LEFTARROW: (-1, 0), tarnwick.Key.RIGHTARROW: (1, 0),
             tarnwick.Key.UPARROW: (0, -1), tarnwick.Key.DOWNARROW: (0, 1)}

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.held = 0  # steps an arrow key has been held
        self.type = "Hero"
        self.position = at
        self.register_interest(tarnwick.KEYBOARD_EVENT)

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "@", tarnwick.Color.YELLOW)

    def event_handler(self, event: tarnwick.Event) -> int:
        if not isinstance(event, tarnwick.EventKeyboard):
            return super().event_handler(event)
        if event.key == tarnwick.Key.ESCAPE:
            tarnwick.game_manager.game_over = True
        elif event.action == tarnwick.KeyboardAction.KEY_PRESSED:
            self.held = 0
            self.step(event.key)
        elif event.action == tarnwick.KeyboardAction.KEY_DOWN:
            self.held += 1
            if self.held % REPEAT == 0:
                self.step(event.key)  # the key is still down: a steady repeat
        return 1

    def step(self, key: tarnwick.Key) -> None:
        if key in self.STEPS:
            # Refused, and the hero stays, when a wall is there.
            tarnwick.world_manager.move_object(self, self.position + self.STEPS[key])


def load_level(name: str) -> int:
    """Reads a map, a line of text a row: a wall for every '#', the hero at '@'. Other
    characters are floor for now."""
    try:
        with open(os.path.join(DATA, name)) as f:
            rows = f.read().splitlines()
    except OSError:
        tarnwick.log_manager.write_log(f"Dungeon: cannot read {name}.")
        return -1
    for y, row in enumerate(rows):
        for x, cell in enumerate(row):
            at = MAP_CORNER + tarnwick.Vector(x, y)
            if cell == "#":
                Wall(at)  # the world keeps its objects
            elif cell == "@":
                Hero(at)
    return 0


def main() -> None:
    game = tarnwick.game_manager
    try:
        if game.start_up() == 0 and load_level("level1.txt") == 0:
            game.run()
    finally:
        game.shut_down()


if __name__ == "__main__":
    main()

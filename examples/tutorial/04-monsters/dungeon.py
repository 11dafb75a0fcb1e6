"""Monsters: monsters that hunt the hero round the walls along the paths the engine finds.

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
#: A monster's box: its whole cell, so that the hero, whose box is the point at his position,
#: meets it on any cell it touches, even between two cells.
MONSTER_BOX = tarnwick.Box(tarnwick.Vector(-0.5, -0.5), 0.99, 0.99)

#: The hero, whom the monsters hunt.
hero: tarnwick.Object | None = None


class Wall(tarnwick.Object):
    """A wall. Objects are HARD unless told otherwise, and the world refuses to move a HARD
    object onto another: walls stop the hero without a check of ours."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Wall"
        self.position = at

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "#", tarnwick.Color.WHITE)


class Torch(tarnwick.Object):
    """A torch: a sprite of four frames shown in turn, a new one every few steps. SPECTRAL, so
    that nothing collides with it, and below the hero (altitude 1), who walks past it."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Torch"
        self.sprite = tarnwick.resource_manager.get_sprite("torch")
        self.sprite_slowdown = 5  # a new frame every 5 steps
        # Each torch starts on a frame of its own, so that they do not flicker in step.
        self.sprite_index = int(at.x + at.y) % 4
        self.solidness = tarnwick.Solidness.SPECTRAL
        self.altitude = 1
        self.position = at


class Gold(tarnwick.Object):
    """Gold: SOFT, so the hero walks onto it instead of being stopped, and both are told that
    they collided; picked up by the hero, it leaves the world."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Gold"
        self.sprite = tarnwick.resource_manager.get_sprite("gold")
        self.solidness = tarnwick.Solidness.SOFT
        self.altitude = 1
        self.position = at

    def event_handler(self, event: tarnwick.Event) -> int:
        if not isinstance(event, tarnwick.EventCollision):
            return super().event_handler(event)
        if event.object1.type == "Hero" or event.object2.type == "Hero":
            tarnwick.world_manager.mark_for_delete(self)  # gone at the end of this step
        return 1


class Monster(tarnwick.Object):
    """A monster: asks the path manager for a way to the hero once a second, and follows it.
    SOFT, like the gold, so that monsters pass each other and meet the hero without being
    stopped."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Monster"
        self.sprite = tarnwick.resource_manager.get_sprite("monster")
        self.sprite_slowdown = 10
        self.box = MONSTER_BOX
        self.solidness = tarnwick.Solidness.SOFT
        self.speed = 0.125  # an eighth of a cell a step along its path
        self.position = at
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventStep):
            if hero is not None and event.step_count % 30 == 0:
                tarnwick.path_manager.find_path(self, hero.position, tarnwick.PathNeighbors.FOUR)
            return 1
        return super().event_handler(event)  # takes the path event and follows the path


class Hero(tarnwick.Object):
    """The hero, moved a cell at a time with the arrow keys; escape quits."""

    STEPS = {tarnwick.Key.LEFTARROW: (-1, 0), tarnwick.Key.RIGHTARROW: (1, 0),
             tarnwick.Key.UPARROW: (0, -1), tarnwick.Key.DOWNARROW: (0, 1)}

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.held = 0  # steps an arrow key has been held
        self.type = "Hero"
        self.sprite = tarnwick.resource_manager.get_sprite("hero")
        self.altitude = 3  # drawn over the monsters
        self.position = at
        self.register_interest(tarnwick.KEYBOARD_EVENT)

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
    """Reads a map, a line of text a row: a wall for every '#', a torch for every '*', gold for
    every '$', a monster for every 'M', the hero at '@'. Other characters are floor for now."""
    global hero
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
            elif cell == "*":
                Torch(at)
            elif cell == "$":
                Gold(at)
            elif cell == "M":
                Monster(at)
            elif cell == "@":
                hero = Hero(at)
    return 0


def main() -> None:
    game = tarnwick.game_manager
    resources = tarnwick.resource_manager
    try:
        # Loaded before the level, whose objects find their sprites by label.
        if (game.start_up() == 0
                and resources.load_sprite(os.path.join(DATA, "hero-spr.txt"), "hero") == 0
                and resources.load_sprite(os.path.join(DATA, "torch-spr.txt"), "torch") == 0
                and resources.load_sprite(os.path.join(DATA, "gold-spr.txt"), "gold") == 0
                and resources.load_sprite(os.path.join(DATA, "monster-spr.txt"), "monster") == 0
                and load_level("level1.txt") == 0):
            game.run()
    finally:
        game.shut_down()


if __name__ == "__main__":
    main()

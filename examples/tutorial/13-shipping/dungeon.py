"""Shipping: the game packed for its players, as a Debian package, a Windows zip and a web page.

The Python port of main.cpp, step for step the same game: it replays that program's recording.
The packages hold main.cpp's program. This one is part 12's, unchanged: it runs wherever the
tarnwick module is installed (the engine's wheel, or its Debian package), with the data of
../data/ beside it.
"""

import os
from typing import NamedTuple

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

#: The hero's health at the start; a monster takes one point a second while it touches him.
HEALTH = 3


class Level(NamedTuple):
    """A level: the file of its map, and its name, shown under the map when it starts."""

    file: str
    name: str


#: The levels from the top down. The stairs of each lead to the next; the last has none.
LEVELS = [Level("level1.txt", "Level 1: the upper halls"),
          Level("level2.txt", "Level 2: the old mines"),
          Level("level3.txt", "Level 3: the deep vault")]

#: The types of the objects that a map makes, the hero aside: they go with their level.
MAP_TYPES = ("Wall", "Torch", "Gold", "Monster", "Stairs")

#: The level the hero is on, in LEVELS.
level = 0

#: Where the high score is kept between runs.
HIGH_SCORE_FILE = "highscore.txt"

#: The hero, whom the monsters hunt; none once he is dead.
hero: tarnwick.Object | None = None
#: The line of messages under the map, made when a game starts.
message: tarnwick.TextObject

#: How far the hero's light reaches, in cells.
LIGHT_RADIUS = 6


def light(at: tarnwick.Vector) -> int:
    """How brightly the hero's light falls on the cell at: 100 on his own cell, less and less
    further away, 0 from LIGHT_RADIUS cells on, and 0 everywhere once he is dead. In whole
    numbers, so that every platform computes the same colours."""
    if hero is None:
        return 0
    dx = int(at.x - hero.position.x)
    dy = int(at.y - hero.position.y)
    reach = LIGHT_RADIUS * LIGHT_RADIUS
    distance = dx * dx + dy * dy  # squared
    return 0 if distance >= reach else 100 * (reach - distance) // reach


def sound(label: str) -> tarnwick.Sound:
    """A sound loaded at the start."""
    loaded = tarnwick.resource_manager.get_sound(label)
    assert loaded is not None, label
    return loaded


def music() -> tarnwick.Music:
    """The music, loaded at the start."""
    loaded = tarnwick.resource_manager.get_music("music")
    assert loaded is not None
    return loaded


class Wall(tarnwick.Object):
    """A wall. Objects are HARD unless told otherwise, and the world refuses to move a HARD
    object onto another: walls stop the hero without a check of ours. Unseen until the hero's
    light falls on it, then remembered, dimmer, in the dark."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.seen = False
        self.type = "Wall"
        self.position = at

    def draw(self) -> None:
        lit = light(self.position) > 0
        self.seen = self.seen or lit
        if self.seen:
            color = tarnwick.Color.WHITE if lit else tarnwick.Color.rgb(90, 90, 110)
            tarnwick.graphics_manager.draw_character(self.position, "#", color)


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
            sound("gold").play()
            # One more for the view object of the gold found.
            tarnwick.world_manager.on_event(tarnwick.EventView("Gold", 1, True))
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


class Stairs(tarnwick.Object):
    """The stairs down: SOFT, as the gold. The hero who steps on them goes down to the next
    level, in the step after his move: the level must not change under him in the middle of
    it."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.taken = False  # the hero stepped on them
        self.type = "Stairs"
        self.sprite = tarnwick.resource_manager.get_sprite("stairs")
        self.solidness = tarnwick.Solidness.SOFT
        self.altitude = 1
        self.position = at
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventCollision):
            self.taken = (self.taken or event.object1.type == "Hero"
                          or event.object2.type == "Hero")
            return 1
        if isinstance(event, tarnwick.EventStep) and self.taken and hero is not None:
            next_level()  # not if he died on them
            return 1
        return super().event_handler(event)


class Hero(tarnwick.Object):
    """The hero, moved a cell at a time with the arrow keys; escape quits."""

    STEPS = {tarnwick.Key.LEFTARROW: (-1, 0), tarnwick.Key.RIGHTARROW: (1, 0),
             tarnwick.Key.UPARROW: (0, -1), tarnwick.Key.DOWNARROW: (0, 1)}

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.held = 0  # steps an arrow key has been held
        self.health = HEALTH
        self.safe_until = 0  # the step from which he can be hurt again
        self.menu_at = 0  # once he is dead, the step at which the menu shows
        self.type = "Hero"
        self.sprite = tarnwick.resource_manager.get_sprite("hero")
        self.altitude = 3  # drawn over the monsters
        self.position = at
        self.register_interest(tarnwick.KEYBOARD_EVENT)
        self.register_interest(tarnwick.STEP_EVENT)

    def draw(self) -> None:
        """The floor around him in his light, warm and brighter the nearer, then his sprite."""
        for dy in range(-LIGHT_RADIUS, LIGHT_RADIUS + 1):
            for dx in range(-LIGHT_RADIUS, LIGHT_RADIUS + 1):
                at = self.position + tarnwick.Vector(dx, dy)
                glow = light(at)
                if glow > 0:
                    warm = tarnwick.Color.rgb(glow, glow * 3 // 4, glow // 2)
                    tarnwick.graphics_manager.fill_rectangle(tarnwick.Box(at, 1, 1), warm)
        super().draw()

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventStep):
            if self.health == 0:
                if tarnwick.game_manager.step_count == self.menu_at:
                    show_menu()  # three seconds after his death
                return 1
            for other in tarnwick.world_manager.get_collisions(self, self.position):
                if other.type == "Monster":
                    self.hurt()
            return 1
        if not isinstance(event, tarnwick.EventKeyboard):
            return super().event_handler(event)
        if event.key == tarnwick.Key.ESCAPE:
            tarnwick.game_manager.game_over = True
        elif self.health == 0:
            return 1  # the dead do not walk
        elif event.action == tarnwick.KeyboardAction.KEY_PRESSED:
            self.held = 0
            self.step(event.key)
        elif event.action == tarnwick.KeyboardAction.KEY_DOWN:
            self.held += 1
            if self.held % REPEAT == 0:
                self.step(event.key)  # the key is still down: a steady repeat
        return 1

    def hurt(self) -> None:
        """Takes a point of health, at most once a second; the last one kills him."""
        global hero
        step = tarnwick.game_manager.step_count
        if self.health == 0 or step < self.safe_until:
            return
        self.safe_until = step + 30
        self.health -= 1
        tarnwick.world_manager.on_event(tarnwick.EventView("Health", -1, True))
        sound("hurt").play()
        if self.health == 0:
            message.text = "You died"
            tarnwick.log_manager.write_log(
                f"Dungeon: the hero died at step {step}, on level {level + 1}.")
            self.menu_at = step + 90
            hero = None  # the monsters stop hunting
            music().stop()

    def step(self, key: tarnwick.Key) -> None:
        if key in self.STEPS:
            # Refused, and the hero stays, when a wall is there.
            tarnwick.world_manager.move_object(self, self.position + self.STEPS[key])


def load_level(name: str) -> int:
    """Reads a map, a line of text a row: a wall for every '#', a torch for every '*', gold for
    every '$', a monster for every 'M', stairs for '>', and the hero placed at '@'. Other
    characters are floor."""
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
            elif cell == ">":
                Stairs(at)
            elif cell == "@" and hero is not None:
                hero.position = at
    return 0


def clear_world() -> None:
    """Takes every object out of the world at the end of this step."""
    for obj in tarnwick.world_manager.get_all_objects():
        tarnwick.world_manager.mark_for_delete(obj)


def next_level() -> None:
    """The hero went down the stairs: the level's objects leave, and the next level's map comes,
    with the hero at its '@'. The old objects are made inactive at once, so that they neither
    collide nor show until the world deletes them, at the end of its next update."""
    global level
    for kind in MAP_TYPES:
        for obj in tarnwick.world_manager.objects_of_type(kind):
            obj.active = False
            tarnwick.world_manager.mark_for_delete(obj)
    level += 1
    if load_level(LEVELS[level].file) != 0:
        tarnwick.game_manager.game_over = True
        return
    message.text = LEVELS[level].name
    tarnwick.log_manager.write_log(
        f"Dungeon: down to level {level + 1} at step {tarnwick.game_manager.step_count}.")


class HighScore(tarnwick.ViewObject):
    """The best gold found in a game, shown at the top. It counts the gold of this game from the
    view events that the "Gold" view object counts too, and a new best is written at once to
    HIGH_SCORE_FILE: the record that serialize() makes of the object, which deserialize() reads
    back when the next high score is made, in this run or the next."""

    def __init__(self) -> None:
        super().__init__()
        self.found = 0  # the gold of this game
        self.view_string = "Best"
        self.border = False
        self.location = tarnwick.Location.TOP_CENTER
        self.color = tarnwick.Color.CYAN
        self.serialize()  # from here on, serialize() writes what changes: the value
        try:
            with open(HIGH_SCORE_FILE) as f:
                record = f.readline()
        except OSError:
            record = ""
        if record:
            self.deserialize(record.rstrip("\n"))

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventView):
            if event.tag == "Gold":
                self.found += event.value
            if self.found > self.value:
                self.value = self.found
                with open(HIGH_SCORE_FILE, "w") as f:
                    f.write(self.serialize() + "\n")  # "value:12,"
            return 1
        return super().event_handler(event)


def start_game() -> None:
    """The menu leaves, and a game starts: the level, the status line and the music."""
    global hero, level, message
    clear_world()
    level = 0
    hero = Hero(tarnwick.Vector())  # placed by the map
    if load_level(LEVELS[level].file) != 0:
        tarnwick.game_manager.game_over = True
        return
    gold = tarnwick.ViewObject()
    gold.view_string = "Gold"
    gold.border = False
    gold.location = tarnwick.Location.TOP_LEFT
    gold.color = tarnwick.Color.YELLOW
    health = tarnwick.ViewObject()
    health.view_string = "Health"
    health.value = HEALTH
    health.border = False
    health.location = tarnwick.Location.TOP_RIGHT
    health.color = tarnwick.Color.RED
    HighScore()
    message = tarnwick.TextObject(LEVELS[level].name, tarnwick.Vector(40, 22))
    message.justification = tarnwick.Justification.CENTER
    tarnwick.Pause(tarnwick.Key.P)  # P pauses the game until a key is pressed
    music().play()  # round and round until stopped


class PlayButton(tarnwick.Button):
    """The "Play" button: starts a game."""

    def __init__(self) -> None:
        super().__init__()
        self.view_string = "Play"
        self.position = tarnwick.Vector(40, 12)
        self.highlight_color = tarnwick.Color.YELLOW  # while the mouse is over it

    def on_click(self) -> None:
        start_game()


class QuitButton(tarnwick.Button):
    """The "Quit" button: ends the program, as escape does on the menu."""

    def __init__(self) -> None:
        super().__init__()
        self.view_string = "Quit"
        self.position = tarnwick.Vector(40, 16)
        self.highlight_color = tarnwick.Color.YELLOW
        self.register_interest(tarnwick.KEYBOARD_EVENT)

    def on_click(self) -> None:
        tarnwick.game_manager.game_over = True

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventKeyboard):
            if (event.key == tarnwick.Key.ESCAPE
                    and event.action == tarnwick.KeyboardAction.KEY_PRESSED):
                self.on_click()
            return 1
        return super().event_handler(event)  # the mouse over it, and its clicks


def show_menu() -> None:
    """The game leaves, and the menu shows: the title, the buttons and the keys."""
    global hero
    clear_world()
    hero = None  # gone with the rest
    music().stop()
    title = tarnwick.TextObject("D U N G E O N", tarnwick.Vector(40, 6))
    title.justification = tarnwick.Justification.CENTER
    title.color = tarnwick.Color.rgb(255, 159, 48)
    HighScore()
    PlayButton()
    QuitButton()
    keys = tarnwick.TextObject("Arrow keys: walk    P: pause    Escape: quit",
                               tarnwick.Vector(40, 21))
    keys.justification = tarnwick.Justification.CENTER


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
                and resources.load_sprite(os.path.join(DATA, "stairs-spr.txt"), "stairs") == 0
                and resources.load_sound(os.path.join(DATA, "gold.wav"), "gold") == 0
                and resources.load_sound(os.path.join(DATA, "hurt.wav"), "hurt") == 0
                and resources.load_music(os.path.join(DATA, "dungeon.wav"), "music") == 0):
            show_menu()
            game.run()
    finally:
        game.shut_down()


if __name__ == "__main__":
    main()

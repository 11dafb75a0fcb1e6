"""Chase: walk the maze with the arrow keys and pick up the coins; a monster finds its way to
you round the walls. Caught, or with every coin taken, the game ends; escape quits.

The Python port of main.cpp, step for step the same game: it replays that program's recordings.
"""

import os

import tarnwick

coins_left = 0
#: The monster's box: the cell around it, not touching the next (the default box). A one-cell
#: sprite's own box is the point at its position: right for the player, who moves a whole cell
#: at a time, but the monster moves an eighth of a cell a step and could slip past him.
ONE_CELL = tarnwick.Box(tarnwick.Vector(-0.5, -0.5), 0.99, 0.99)

MAZE = [
    "################################################################################",
    "#$     #            $           #                     $      #               $ #",
    "#  ##  #  ######  #####  ####   #   #########  #####  ####   #   ########      #",
    "#  #$     #    #      #     #       #       #      #     #       #      #  $   #",
    "#  ####   #  $ #  ##  #  #  #####   #  $    #  ##  #  #  ####    #  $   #      #",
    "#         #    #   #     #      #   #####  ##   #     #      #   ###  ###      #",
    "#####  ####  ###   ####  ####   #           #   #######  #   #                 #",
    "#    $          #     $     #   #######  ####        #   #   ######  ####  ### #",
    "#  ##########   #######  #  #         #     #  $##   #   #        #     #      #",
    "#           #         #  #  #####  $  #  #  #   #    #   ######   #  $  #  #   #",
    "#  $  ###   #  ####   #  #      #     #  #      #  ###        #   #     #  #   #",
    "#     #     #     #      ####   #######  #####  #       ####  #   #######  #   #",
    "#  ####  ####  $  ######    #                   ####  $    #                #$ #",
    "#                      #    #   #######  ####      #  ######  ####  #####   #  #",
    "#$   ######  ######    #  $     #                  #                  $     #  #",
    "################################################################################",
]


class Wall(tarnwick.Object):
    """A wall cell: hard, so nothing walks through it and path finding goes round it."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Wall"
        self.position = at
        self.altitude = 0

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "#", tarnwick.Color.BLUE)


class Coin(tarnwick.Object):
    """A coin: soft, so walkers pass over it and are told so."""

    def __init__(self, at: tarnwick.Vector) -> None:
        global coins_left
        super().__init__()
        self.taken = False
        self.type = "Coin"
        self.position = at
        self.solidness = tarnwick.Solidness.SOFT
        coins_left += 1

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "$", tarnwick.Color.YELLOW)

    def take(self) -> bool:
        """True the first time: the coin leaves the world at the end of this update."""
        if self.taken:
            return False
        self.taken = True
        return tarnwick.world_manager.mark_for_delete(self) == 0


class Player(tarnwick.Object):
    """The player: a sprite moved a cell at a time while an arrow key is held, never into a wall.
    Soft, like the monster, so that the two collide without blocking each other."""

    def __init__(self) -> None:
        super().__init__()
        self.heading = tarnwick.Key.UNDEFINED
        self.wait = 0
        self.type = "Player"
        self.sprite = tarnwick.resource_manager.get_sprite("player")
        self.position = tarnwick.Vector(2, 14)
        self.sprite_slowdown = 8
        self.solidness = tarnwick.Solidness.SOFT
        self.register_interest(tarnwick.KEYBOARD_EVENT)
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        global coins_left
        if isinstance(event, tarnwick.EventKeyboard):
            if event.key == tarnwick.Key.ESCAPE:
                tarnwick.game_manager.game_over = True
            elif event.action != tarnwick.KeyboardAction.KEY_RELEASED:
                self.heading = event.key
            elif event.key == self.heading:
                self.heading = tarnwick.Key.UNDEFINED
            return 1
        if isinstance(event, tarnwick.EventStep):
            self.wait += 1
            if self.wait >= 3:  # a cell every three steps
                dx = -1.0 if self.heading == tarnwick.Key.LEFTARROW else float(
                    self.heading == tarnwick.Key.RIGHTARROW)
                dy = -1.0 if self.heading == tarnwick.Key.UPARROW else float(
                    self.heading == tarnwick.Key.DOWNARROW)
                to = self.position + tarnwick.Vector(dx, dy)
                in_way = tarnwick.world_manager.get_collisions(self, to)
                wall = any(o.type == "Wall" for o in in_way)
                if (dx != 0 or dy != 0) and not wall:
                    self.wait = 0
                    tarnwick.world_manager.move_object(self, to)  # a coin there collides
                return 1
        if isinstance(event, tarnwick.EventCollision):
            other = event.object2 if event.object1 is self else event.object1
            if isinstance(other, Coin) and other.take():
                # The view object counts them.
                tarnwick.world_manager.on_event(tarnwick.EventView("Coins", 1, True))
                coins_left -= 1
                if coins_left == 0:
                    tarnwick.log_manager.write_log(
                        f"Chase: every coin taken at step {tarnwick.game_manager.step_count}.")
                    tarnwick.game_manager.game_over = True
            return 1
        return 0


class Monster(tarnwick.Object):
    """The monster: asks the path manager for a way to the player every second and follows it."""

    def __init__(self, target: tarnwick.Object) -> None:
        super().__init__()
        self.player = target
        self.type = "Monster"
        self.sprite = tarnwick.resource_manager.get_sprite("monster")
        self.box = ONE_CELL
        self.position = tarnwick.Vector(78, 4)
        self.speed = 0.125
        self.solidness = tarnwick.Solidness.SOFT
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventStep):
            if event.step_count % 30 == 0:
                tarnwick.path_manager.find_path(self, self.player.position)
            return 1
        if isinstance(event, tarnwick.EventCollision):
            # Caught once: the monster may meet the player twice in a step (moving, and moved into).
            caught = event.object1 is self.player or event.object2 is self.player
            if caught and not tarnwick.game_manager.game_over:
                tarnwick.log_manager.write_log(
                    f"Chase: caught at step {tarnwick.game_manager.step_count}.")
                tarnwick.game_manager.game_over = True
            return 1
        return super().event_handler(event)  # path events start the following


def main() -> None:
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    game = tarnwick.game_manager
    resources = tarnwick.resource_manager
    try:
        if (game.start_up() == 0
                and resources.load_sprite(os.path.join(data, "player-spr.txt"), "player") == 0
                and resources.load_sprite(os.path.join(data, "monster-spr.txt"), "monster") == 0):
            for y, row in enumerate(MAZE):
                for x, cell in enumerate(row):
                    if cell == "#":
                        Wall(tarnwick.Vector(x, y + 3))
                    elif cell == "$":
                        Coin(tarnwick.Vector(x, y + 3))
            coins = tarnwick.ViewObject()
            coins.view_string = "Coins"
            coins.location = tarnwick.Location.TOP_LEFT
            Monster(Player())
            game.run()
    finally:
        game.shut_down()


if __name__ == "__main__":
    main()

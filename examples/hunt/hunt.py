"""Hunt: two hunters find their way through the maze to you; keep away from them with the arrow
keys. Everyone is HARD, so the walls stop you and the hunters without any checks of ours, and
a hunter's path ends on your cell, where it runs into you. Caught, the game ends; escape quits.

The Python port of main.cpp, step for step the same game: it replays that program's recordings.
"""

import os

import tarnwick

MAZE = [
    "#########################################",
    "#         #         #         #         #",
    "# ####### # ##### # # ####### # ##### # #",
    "#       # #     # #   #     # #     # # #",
    "####### # ##### # ##### ### # ##### # # #",
    "#       #       #       #   #       #   #",
    "# ##### ######### ####### ######### ### #",
    "#     #           #     #         #     #",
    "##### # ######### # ### ######### ##### #",
    "#     #         # #   #         #       #",
    "# ############# # ### ######### ####### #",
    "#               #     #                 #",
    "#########################################",
]
CORNER = tarnwick.Vector(20, 6)  # where the maze's top-left cell is drawn


class Wall(tarnwick.Object):
    """A wall cell: HARD, like everything that moves here."""

    def __init__(self, at: tarnwick.Vector) -> None:
        super().__init__()
        self.type = "Wall"
        self.position = at
        self.altitude = 0

    def draw(self) -> None:
        tarnwick.graphics_manager.draw_character(self.position, "#", tarnwick.Color.BLUE)


class Player(tarnwick.Object):
    """The player: a cell every three steps while an arrow key is held; the world refuses moves
    into walls."""

    STEPS = {tarnwick.Key.LEFTARROW: (-1, 0), tarnwick.Key.RIGHTARROW: (1, 0),
             tarnwick.Key.UPARROW: (0, -1), tarnwick.Key.DOWNARROW: (0, 1)}

    def __init__(self) -> None:
        super().__init__()
        self.heading = tarnwick.Key.UNDEFINED
        self.wait = 0
        self.type = "Player"
        self.sprite = tarnwick.resource_manager.get_sprite("player")
        self.position = CORNER + tarnwick.Vector(1, 11)
        self.sprite_slowdown = 8
        self.register_interest(tarnwick.KEYBOARD_EVENT)
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
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
            if self.wait >= 3 and self.heading != tarnwick.Key.UNDEFINED:
                self.wait = 0
                dx, dy = self.STEPS.get(self.heading, (0, 0))
                tarnwick.world_manager.move_object(self, self.position + tarnwick.Vector(dx, dy))
                return 1
        return 0


class Hunter(tarnwick.Object):
    """A hunter: a quarter of a cell a step along the path the engine finds to the player,
    searched again twice a second; its one-cell sprite gives it a box of one point."""

    def __init__(self, target: tarnwick.Object, at: tarnwick.Vector) -> None:
        super().__init__()
        self.player = target
        self.type = "Hunter"
        self.sprite = tarnwick.resource_manager.get_sprite("hunter")
        self.position = CORNER + at
        self.speed = 0.25
        self.sprite_slowdown = 6
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        if isinstance(event, tarnwick.EventStep):
            if event.step_count % 15 == 0:
                tarnwick.path_manager.find_path(self, self.player.position)
            return 1
        if isinstance(event, tarnwick.EventCollision):
            caught = event.object1 is self.player or event.object2 is self.player
            if caught and not tarnwick.game_manager.game_over:
                tarnwick.log_manager.write_log(
                    f"Hunt: caught at step {tarnwick.game_manager.step_count}.")
                tarnwick.game_manager.game_over = True
            return 1
        return super().event_handler(event)  # path events start the following


def main() -> int:
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    game = tarnwick.game_manager
    resources = tarnwick.resource_manager
    try:
        started = (game.start_up() == 0
                   and resources.load_sprite(os.path.join(data, "player-spr.txt"), "player") == 0
                   and resources.load_sprite(os.path.join(data, "hunter-spr.txt"), "hunter") == 0)
        if started:
            for y, row in enumerate(MAZE):
                for x, cell in enumerate(row):
                    if cell == "#":
                        Wall(CORNER + tarnwick.Vector(x, y))
            player = Player()
            Hunter(player, tarnwick.Vector(39, 1))
            Hunter(player, tarnwick.Vector(39, 11))
            game.run()
    finally:
        game.shut_down()
    return 0 if started else 1


if __name__ == "__main__":
    raise SystemExit(main())

"""A star that twinkles across the screen and comes round again; escape quits."""

import os

import tarnwick as tw

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")


class Star(tw.Object):
    def __init__(self) -> None:
        super().__init__()
        self.sprite = "star"
        self.sprite_slowdown = 4
        self.position = (0, 12)
        self.velocity = (0.25, 0)
        self.register_interest(tw.KEYBOARD_EVENT)

    def event_handler(self, event: tw.Event) -> int:
        if isinstance(event, tw.EventOut):  # it left the world
            tw.world_manager.move_object(self, (0, 12))
        if isinstance(event, tw.EventKeyboard) and event.key == tw.Key.ESCAPE:
            tw.game_manager.game_over = True
        return super().event_handler(event)


def main() -> None:
    if tw.game_manager.start_up() == 0:
        tw.resource_manager.load_sprite(os.path.join(DATA, "star-spr.txt"), "star")
        Star()  # the world owns its objects
        tw.game_manager.run()
    tw.game_manager.shut_down()


if __name__ == "__main__":
    main()

"""Uses of the API the examples do not make, which mypy --strict must accept."""

import tarnwick as tw


class Quit(tw.Button):
    def __init__(self) -> None:
        super().__init__()
        self.view_string = "Quit"
        self.location = tw.Location.BOTTOM_CENTER

    def on_click(self) -> None:
        tw.game_manager.game_over = True


class Gold(tw.Object):
    def event_handler(self, event: tw.Event) -> int | None:  # None: not handled
        if isinstance(event, tw.EventCollision):
            return 1
        return None


class Wall(tw.ViewObject):
    def event_handler(self, event: tw.Event) -> bool:
        return isinstance(event, tw.EventStep) or bool(super().event_handler(event))


def slow_frames(times: tw.FrameTimes) -> None:
    if times.work > 33_000:
        tw.log_manager.write_log(f"slow frame {times.step}", level=1)


def main() -> None:
    assert tw.__version__ >= "4"
    ship = tw.Object()
    ship.sprite = tw.resource_manager.get_sprite("ship")  # a Sprite, a label or None
    ship.velocity = tw.Vector(0.5, 0) * 2 + (1, 0)
    tw.world_manager.view_following = Quit()
    tw.game_manager.set_frame_observer(slow_frames)
    hits: list[tw.Object] = tw.world_manager.get_collisions(ship, (3, 4))
    tw.world_manager.on_event(tw.EventCollision((3, 4), ship, hits[0]))
    x, y = ship.position
    tw.graphics_manager.draw_string((x, y - 1), "ship", tw.Justification.CENTER)

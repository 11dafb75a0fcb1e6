"""A game's uses of the API, which mypy --strict must accept."""

import tarnwick as tw


class Ship(tw.Object):
    def __init__(self) -> None:
        super().__init__()
        self.type = "Ship"
        self.sprite = "ship"  # a label, a Sprite or None
        self.position = (10, 5)
        self.velocity = tw.Vector(0.5, 0) * 2
        self.solidness = tw.Solidness.SOFT
        self.register_interest(tw.KEYBOARD_EVENT)
        self.fuel = 3

    def event_handler(self, event: tw.Event) -> int:
        if isinstance(event, tw.EventKeyboard) and event.key == tw.Key.SPACE:
            tw.world_manager.move_object(self, self.position + (1, 0))
            return 1
        if isinstance(event, tw.EventCollision):
            other = event.object2 if event.object1 is self else event.object1
            if other.type == "Wall":
                self.velocity = (-self.velocity.x, self.velocity.y)
            elif isinstance(other, Ship) and other.fuel > 0:
                tw.world_manager.mark_for_delete(other)
                tw.world_manager.on_event(tw.EventView("Points", 10, True))
            return 1
        return super().event_handler(event)

    def draw(self) -> None:
        x, y = self.position
        tw.graphics_manager.draw_string((x, y - 1), str(self.fuel), tw.Justification.CENTER)
        super().draw()


class Quit(tw.Button):
    def __init__(self) -> None:
        super().__init__()
        self.view_string = "Quit"
        self.location = tw.Location.BOTTOM_CENTER
        self.highlight_color = tw.Color.RED

    def on_click(self) -> None:
        tw.game_manager.game_over = True


def slow_frames(times: tw.FrameTimes) -> None:
    if times.work > 33_000:
        tw.log_manager.write_log(f"slow frame {times.step}", level=1)


def main() -> None:
    if tw.game_manager.start_up() != 0:
        return
    ship = Ship()
    Quit()
    tw.world_manager.view_following = ship
    tw.game_manager.set_frame_observer(slow_frames)
    hits: list[tw.Object] = tw.world_manager.get_collisions(ship, (3, 4))
    if hits and tw.resource_manager.get_sprite("ship") is not None:
        ship.sprite = tw.resource_manager.get_sprite("ship")
    tw.game_manager.run()
    tw.game_manager.shut_down()

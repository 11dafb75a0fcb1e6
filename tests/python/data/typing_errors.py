"""Wrong uses of the API: mypy --strict must report each line marked # error, and no other."""

import tarnwick as tw


class Rock(tw.Object):
    def event_handler(self, event: int) -> int:  # error
        return 1


class Gem(tw.Object):
    def event_handler(self, event: tw.Event) -> int:
        if isinstance(event, tw.EventCollision):
            return event.object1.worth  # error
        return 0


rock = Rock()
rock.positon = (1, 2)  # error
rock.position = (1, 2, 3)  # error
rock.sprite = 3  # error
tw.world_manager.move_object(rock, "up")  # error
tw.world_manager.on_event("tw::step")  # error
tw.graphics_manager.draw_string((0, 0), "score", tw.Color.RED)  # error
tw.game_manager.set_frame_observer(lambda: None)  # error
tw.GameManager()  # error

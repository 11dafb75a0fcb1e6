"""Objects made in Python: the world owns them, and references outliving them fail safely."""

import gc
import re
import weakref

import pytest

import tarnwick as tw
from conftest import ROOT, run_frames


class Counter(tw.Object):
    """Counts the step events it gets; marks itself for deletion at step `last`."""

    def __init__(self, last: int = -1) -> None:
        super().__init__()
        self.register_interest(tw.STEP_EVENT)
        self.steps = 0
        self.last = last

    def event_handler(self, event: tw.Event) -> int:
        assert isinstance(event, tw.EventStep)
        self.steps += 1
        if event.step_count == self.last:
            tw.world_manager.mark_for_delete(self)
            # Still whole until the end of the update: using it now is fine.
            self.position = (3, 4)
        return 1


def test_an_unreferenced_object_lives_on_in_the_world(engine):
    Counter()
    gc.collect()
    run_frames(5)
    (kept,) = tw.world_manager.objects_of_type("Object")
    assert isinstance(kept, Counter) and kept.steps == 5
    assert tw.world_manager.get_all_objects()[0] is kept  # the same Python object


def test_the_world_deletes_it_then_python_frees_it(engine):
    counter = Counter(last=2)
    gone = weakref.ref(counter)
    del counter
    run_frames(6)  # deleted in the update of step 3
    gc.collect()
    assert gone() is None
    assert tw.world_manager.objects_of_type("Object") == []


@pytest.mark.parametrize("use", [
    lambda o: o.position,
    lambda o: setattr(o, "velocity", (1, 0)),
    lambda o: o.register_interest(tw.STEP_EVENT),
    lambda o: tw.Object.event_handler(o, tw.EventOut()),
    lambda o: tw.world_manager.move_object(o, (1, 1)),
    lambda o: tw.world_manager.mark_for_delete(o),
    lambda o: tw.path_manager.find_path(o, (5, 5)),
    lambda o: tw.get_world_box(o),
    lambda o: setattr(tw.world_manager, "view_following", o),
    lambda o: tw.EventCollision((0, 0), o, o),
])
def test_a_stale_reference_raises_reference_error(engine, use):
    counter = Counter(last=0)
    run_frames(3)
    assert not counter.alive and "deleted" in repr(counter)
    assert counter.steps == 1  # its own attributes are still Python's
    with pytest.raises(ReferenceError):
        use(counter)


def test_a_kept_collision_event_holds_dead_objects_safely(engine):
    kept: list[tw.EventCollision] = []

    class Rock(tw.Object):
        def event_handler(self, event: tw.Event) -> int:
            if isinstance(event, tw.EventCollision):
                kept.append(event)
                tw.world_manager.mark_for_delete(event.object1)
            return 0

    Rock().register_interest(tw.COLLISION_EVENT)
    mover = tw.Object()
    mover.position = (5, 0)
    mover.velocity = (-1, 0)
    run_frames(8)
    assert kept and kept[0].object2.alive and not kept[0].object1.alive
    with pytest.raises(ReferenceError):
        kept[0].object1.position


def test_shut_down_deletes_every_object_and_a_second_start_up_starts_afresh(engine):
    before = Counter()
    outside_ids = before.id
    tw.game_manager.shut_down()
    assert not before.alive
    assert tw.game_manager.start_up() == 0
    after = Counter()
    run_frames(2)
    assert after.steps == 2 and after.id > outside_ids
    assert tw.world_manager.objects_of_type("Object") == [after]


@pytest.mark.parametrize("call", [
    lambda: tw.game_manager.run(),  # would spin without a frame time nor a way out
    lambda: tw.game_manager.run_frame(),
    lambda: tw.Object(),  # would live outside the world: never drawn, never colliding
    lambda: tw.ViewObject(),
    lambda: tw.world_manager.update(),
    lambda: tw.resource_manager.load_sprite("any-spr.txt", "any"),
    lambda: tw.resource_manager.load_sound("any.wav", "any"),
], ids=["run", "run_frame", "Object", "ViewObject", "update", "load_sprite", "load_sound"])
def test_calls_that_need_a_started_engine_raise_until_it_starts(call):
    assert not tw.game_manager.started  # not yet, or shut down after an earlier test
    with pytest.raises(RuntimeError, match=r"start_up\(\)"):
        call()
    assert tw.world_manager.get_all_objects(include_inactive=True) == []


def test_the_version_is_the_projects():
    found = re.search(r"project\(Tarnwick VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text())
    assert found and tw.__version__ == found[1]


def test_python_events_reach_python_and_engine_handlers(engine):
    class Bonus(tw.Event):
        def __init__(self, points: int) -> None:
            super().__init__("game::bonus")
            self.points = points

    got = []

    class Taker(tw.Object):
        def event_handler(self, event: tw.Event) -> int:
            got.append(event)
            return 1

    Taker().register_interest("game::bonus")
    score = tw.ViewObject()
    score.view_string = "Score"
    bonus = Bonus(7)
    assert tw.world_manager.on_event(bonus) == 1
    assert got == [bonus] and got[0] is bonus and got[0].points == 7
    tw.world_manager.on_event(tw.EventView("Score", 5, True))
    tw.world_manager.on_event(tw.EventView("Score", 2, True))
    assert score.value == 7
    with pytest.raises(ValueError):
        tw.world_manager.on_event(tw.Event(tw.STEP_EVENT))  # engine handlers would misread it


def test_a_button_needs_on_click_and_gets_clicks(engine):
    with pytest.raises(TypeError):
        tw.Button()
    clicks = []

    class Quit(tw.Button):
        def on_click(self) -> None:
            clicks.append(self.view_string)
            if len(clicks) > 1:
                raise RuntimeError("clicked twice")

    button = Quit()
    button.view_string = "Quit"
    button.location = tw.Location.CENTER_CENTER
    middle = (tw.graphics_manager.horizontal_chars / 2, tw.graphics_manager.vertical_chars / 2)
    for where in middle, (0, 0):  # the input manager would send these in a window
        button.event_handler(tw.EventMouse(tw.MouseAction.CLICKED, tw.MouseButton.LEFT, where))
    assert clicks == ["Quit"]
    with pytest.raises(RuntimeError, match="clicked twice"):  # from the call that clicked
        button.event_handler(tw.EventMouse(tw.MouseAction.CLICKED, tw.MouseButton.LEFT, middle))


def test_a_text_object_shows_its_text_until_changed_or_deleted(engine):
    class Blinking(tw.TextObject):  # a user's subclass, drawn by the engine's own draw
        def draw(self) -> None:
            super().draw()

    status = tw.TextObject("HP 7, gold: 3", (40, 2))
    status.justification = tw.Justification.CENTER
    status.color = tw.Color.RED
    status.background = tw.Color.rgb(0, 0, 96)
    label = Blinking("a\nbc", (2, 5))
    label.justification = tw.Justification.RIGHT
    run_frames(1)
    row = tw.graphics_manager.row_text
    assert (row(2, True)[33:47], row(5, True)[:3], row(6, True)[:3]) == (
        " HP 7, gold: 3", " a ", "bc ")
    cell = tw.graphics_manager.shown_cell_at(34, 2)
    assert (cell.color, cell.background.rgb_channels) == (tw.Color.RED, (0, 0, 96))
    assert tw.graphics_manager.shown_cell_at(2, 5).background == tw.Color.BLACK
    assert status.solidness == tw.Solidness.SPECTRAL and not status.solid
    status.text = "dead"
    tw.world_manager.mark_for_delete(label)
    run_frames(1)
    assert (row(2, True)[33:47].strip(), row(6, True)[:3]) == ("dead", "   ")
    copy = tw.TextObject()
    copy.deserialize(status.serialize(True))
    assert (copy.text, copy.color, copy.justification, copy.background) == (
        "dead", tw.Color.RED, tw.Justification.CENTER, tw.Color.rgb(0, 0, 96))
    copy.background = None
    assert copy.background is None


def test_a_main_loop_of_ones_own_runs_a_frame_a_call(engine):
    assert tw.game_manager.run_frame()
    steps = tw.game_manager.step_count
    assert tw.game_manager.run_frame() and tw.game_manager.step_count == steps + 1
    tw.game_manager.game_over = True
    assert not tw.game_manager.run_frame()


def test_colours_beyond_the_named_ones(engine):
    orange = tw.Color.from_text("#FF8000")
    assert (orange, repr(orange), orange.rgb_channels, tw.Color.YELLOW.rgb_channels) == (
        tw.Color.rgb(255, 128, 0), "Color.rgb(255, 128, 0)", (255, 128, 0), (255, 255, 0))
    for bad in (lambda: tw.Color.rgb(256, 0, 0), lambda: tw.Color.from_text("orange")):
        with pytest.raises(ValueError):
            bad()
    tw.graphics_manager.draw_string((4, 1), "hi", background=orange)  # C++ tests the drawing
    assert tw.graphics_manager.cell_at(5, 1).background == orange


@pytest.mark.parametrize("expression, expected", [
    (lambda: tw.Vector(1, 2) + (3, 4), (4, 6)),
    (lambda: tw.Vector(1, 2) - tw.Vector(3, 5), (-2, -3)),
    (lambda: tw.Vector(1, 2) * 3, (3, 6)),
    (lambda: 2 * tw.Vector(1, 2), (2, 4)),
    (lambda: tuple(tw.Box((1, 2), 3, 4).corner), (1, 2)),
])
def test_vectors_take_tuples_and_do_arithmetic(expression, expected):
    assert tuple(expression()) == expected

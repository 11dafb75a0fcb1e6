"""Python code the engine calls back: its exceptions, the GIL and Ctrl-C."""

import faulthandler
import signal
import sys
import threading
import traceback

import pytest

import tarnwick as tw
from conftest import run_frames


class Failing(tw.Object):
    """Raises error from its step handler at step `at`."""

    def __init__(self, error: Exception, at: int = 2) -> None:
        super().__init__()
        self.register_interest(tw.STEP_EVENT)
        self.error = error
        self.at = at

    def event_handler(self, event: tw.Event) -> int:
        if isinstance(event, tw.EventStep) and event.step_count >= self.at:
            raise self.error
        return 0


def test_the_first_exception_ends_the_game_and_is_raised_from_run(engine, monkeypatch):
    unraisable = []
    monkeypatch.setattr(sys, "unraisablehook", unraisable.append)
    Failing(KeyError("first"))
    Failing(ValueError("second"))  # in the same frame, after the first
    with pytest.raises(KeyError, match="first") as caught:
        run_frames(100)
    assert tw.game_manager.step_count == 3  # ended after the frame of step 2
    assert "raise self.error" in "".join(traceback.format_tb(caught.tb))
    assert [type(u.exc_value) for u in unraisable] == [ValueError]
    run_frames(2)  # raised once: the next run is clean


@pytest.mark.parametrize("result, error", [
    ("yes", TypeError), (10**30, OverflowError), (-2**63 - 1, OverflowError)])
def test_a_handler_must_return_a_number_the_engine_holds(engine, result, error):
    class Wrong(tw.Object):
        def event_handler(self, event: tw.Event) -> int:
            return result  # type: ignore[no-any-return]

    Wrong().register_interest(tw.STEP_EVENT)
    with pytest.raises(error, match="event_handler"):
        run_frames(10)
    assert tw.game_manager.step_count == 1  # the game ended after the first frame


@pytest.mark.parametrize("method", ["event_handler", "draw"])
def test_an_exception_in_a_call_from_python_is_raised_there(engine, method):
    class Rock(tw.Object):
        def event_handler(self, event: tw.Event) -> int:
            raise RuntimeError("collision")

        def draw(self) -> None:
            raise RuntimeError("draw")

    Rock()
    mover = tw.Object()
    mover.position = (3, 0)
    if method == "event_handler":
        with pytest.raises(RuntimeError, match="collision"):
            tw.world_manager.move_object(mover, (0, 0))
    else:
        with pytest.raises(RuntimeError, match="draw"):
            tw.world_manager.draw()


def test_the_gil_is_released_while_the_frame_sleeps(engine):
    # With frame_time set, the loop sleeps; a thread needs the GIL to end the game. Without it,
    # the process would hang: faulthandler's own thread ends it.
    faulthandler.dump_traceback_later(60, exit=True)
    tw.game_manager.frame_time = 20
    ender = threading.Timer(0.2, lambda: setattr(tw.game_manager, "game_over", True))
    ender.start()
    tw.game_manager.run()
    ender.join()
    faulthandler.cancel_dump_traceback_later()
    assert tw.game_manager.step_count > 1


def test_ctrl_c_raises_keyboard_interrupt_from_run(engine):
    tw.game_manager.frame_time = 20
    threading.Timer(0.2, signal.raise_signal, (signal.SIGINT,)).start()
    with pytest.raises(KeyboardInterrupt):
        tw.game_manager.run()
    tw.game_manager.shut_down()
    # Python's own handler is back once the engine stops.
    assert signal.getsignal(signal.SIGINT) is signal.default_int_handler
    assert tw.game_manager.start_up() == 0

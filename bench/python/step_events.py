"""The step event sent to 1,000 and 10,000 objects made in Python whose handlers count the steps,
in the real loop, headless and unpaced: bench/StepEventBench.cpp does the same with C++ objects,
and writes the same JSON.

    step_events.py OUT.json [ROUNDS]     (PYTHONPATH names the folder of the tarnwick package)

Each round runs every count once: warm-up frames, then recorded ones, timed by the loop itself
(the frame observer). Beside them, the same handler called from a Python loop: what the
interpreter alone takes for the call and the handler's body.
"""

import json
import os
import sys
import tempfile
import time
from typing import Any

import tarnwick

OBJECT_COUNTS = (1000, 10000)
WARM_UP = 20
FRAMES = 200


class Counter(tarnwick.Object):
    """Counts the steps it is sent, as the C++ counter does."""

    def __init__(self) -> None:
        super().__init__()
        self.count = 0
        self.register_interest(tarnwick.STEP_EVENT)

    def event_handler(self, event: tarnwick.Event) -> int:
        self.count += 1
        return 1


def measure(objects: int) -> dict[str, Any]:
    game = tarnwick.game_manager
    counters = [Counter() for _ in range(objects)]
    frames: list[list[int]] = []

    def observe(t: tarnwick.FrameTimes) -> None:
        if t.step >= WARM_UP:
            frames.append([t.work, t.step_events])
        if t.step + 1 == WARM_UP + FRAMES:
            game.game_over = True

    game.set_frame_observer(observe)
    game.run()
    game.set_frame_observer(None)
    handled = sum(c.count for c in counters)
    for c in counters:
        tarnwick.world_manager.mark_for_delete(c)
    tarnwick.world_manager.update()  # deletes them
    return {"objects": objects, "handled": handled, "frames": frames}


def python_loop_ns(objects: int) -> float:
    """Nanoseconds per call of the handler from a Python loop over the objects, the best of 5."""
    counters = [Counter() for _ in range(objects)]
    event = tarnwick.EventStep(0)
    best = float("inf")
    for _ in range(5):
        start = time.perf_counter_ns()
        for c in counters:
            c.event_handler(event)
        best = min(best, (time.perf_counter_ns() - start) / objects)
    for c in counters:
        tarnwick.world_manager.mark_for_delete(c)
    tarnwick.world_manager.update()
    return best


def main() -> int:
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    out_path = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    game = tarnwick.game_manager
    status = 0
    # The engine reads tw-config.txt from its working folder and writes its log there.
    with tempfile.TemporaryDirectory(prefix="tw-stepevent-py-") as scratch:
        os.chdir(scratch)
        with open("tw-config.txt", "w") as f:
            f.write("headless:true,\nframe_time:0\n")
        if game.start_up() != 0:
            print("step_events.py: the engine did not start", file=sys.stderr)
            return 1
        runs = []
        for _ in range(rounds):
            for n in OBJECT_COUNTS:
                runs.append(measure(n))
                if runs[-1]["handled"] != n * (WARM_UP + FRAMES):
                    print(f"step_events.py: {runs[-1]['handled']} steps counted by {n} objects",
                          file=sys.stderr)
                    status = 1
        loop = [python_loop_ns(OBJECT_COUNTS[-1]) for _ in range(rounds)]
        game.shut_down()
        os.chdir("/")
    with open(out_path, "w") as f:
        json.dump({"language": "Python", "python": sys.version.split()[0], "warm_up": WARM_UP,
                   "frames": FRAMES, "columns": ["work", "step_events"], "runs": runs,
                   "python_loop_ns": loop}, f)
    return status


if __name__ == "__main__":
    sys.exit(main())

"""Each test runs the engine headless in a directory of its own, started and stopped around it:
one process starts the engine many times over."""

import os
import pathlib
import subprocess
import sys
from typing import Iterator

import pytest

import tarnwick as tw

ROOT = pathlib.Path(__file__).resolve().parents[2]


@pytest.fixture
def engine(tmp_path: pathlib.Path, monkeypatch: pytest.MonkeyPatch) -> Iterator[pathlib.Path]:
    monkeypatch.chdir(tmp_path)
    settings = getattr(engine, "settings", "")
    (tmp_path / "tw-config.txt").write_text("headless:true,\nframe_time:0,\n" + settings)
    tw.config.reset()
    assert tw.game_manager.start_up() == 0, (tmp_path / "tarnwick.log").read_text()
    yield tmp_path
    tw.game_manager.shut_down()


def run_frames(n: int) -> None:
    """Runs the game loop for n frames (fewer if something ends the game earlier)."""

    class Stopper(tw.Object):
        def __init__(self) -> None:
            super().__init__()
            self.type = "Stopper"
            self.solidness = tw.Solidness.SPECTRAL
            self.register_interest(tw.STEP_EVENT)
            self.left = n

        def event_handler(self, event: tw.Event) -> int:
            self.left -= 1
            if self.left == 0:
                tw.game_manager.game_over = True
                tw.world_manager.mark_for_delete(self)
            return 1

    Stopper()
    tw.game_manager.run()


def log_lines() -> list[str]:
    return pathlib.Path("tarnwick.log").read_text().splitlines()


def copy_recording(name: str) -> None:
    (pathlib.Path.cwd() / "replay.rec").write_bytes(
        (ROOT / "tests" / "data" / "replays" / (name + ".rec")).read_bytes())
    os.environ.setdefault("ALSOFT_DRIVERS", "null")


def replay(script: pathlib.Path, recording: str) -> list[str]:
    """Runs script as its users run it, a process in the working directory, replaying the
    recording headless; returns its log's lines of how the replay ended."""
    copy_recording(recording)
    pathlib.Path("tw-config.txt").write_text(
        "headless:true,\nframe_time:0,\nreplay_file:replay.rec\n")
    done = subprocess.run([sys.executable, str(script)], capture_output=True, text=True,
                          env=os.environ, timeout=60)
    assert done.returncode == 0, done.stderr
    return [line for line in log_lines() if "Recording::stop()" in line]


def replays(script: pathlib.Path, recording: str) -> None:
    """script replays the recording: it must show the recorded screen at every step, and end
    where the recording does."""
    ends = replay(script, recording)
    assert len(ends) == 1 and "showed the recorded screen at every step" in ends[0], \
        "\n".join(log_lines()[-20:])

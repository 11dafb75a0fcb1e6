"""The tutorial's Python parts, run as their readers run them, replay the recordings of the
C++ parts they port: every part, the same game step for step."""

import pytest

from conftest import ROOT, replays

TUTORIAL = ROOT / "examples" / "tutorial"
PARTS = sorted(script.parent.name for script in TUTORIAL.glob("*/dungeon.py"))


@pytest.mark.parametrize("part", PARTS)
def test_shows_the_recorded_screen_at_every_step(tmp_path, monkeypatch, part):
    monkeypatch.chdir(tmp_path)
    replays(TUTORIAL / part / "dungeon.py", "tutorial-" + part)

"""The Python examples, run as their users run them, replay sessions recorded in a window."""

import pytest

from conftest import ROOT, replays


@pytest.mark.parametrize("name", ["star", "chase", "hunt"])
def test_shows_the_recorded_screen_at_every_step(tmp_path, monkeypatch, name):
    monkeypatch.chdir(tmp_path)
    replays(ROOT / "examples" / name / (name + ".py"), "example-" + name)

"""The tutorial's Python parts, run as their readers run them, replay the recordings of the
C++ parts they port: every part, the same game step for step."""

import pytest

from conftest import ROOT, replays

TUTORIAL = ROOT / "examples" / "tutorial"
PARTS = sorted(script.parent.name for script in TUTORIAL.glob("*/dungeon.py"))
#: What a part's replay leaves in the files of its folder, besides its screens: the ends of
#: lines that the C++ program writes from the same recording.
LEFT = {
    "11-highscore": {"highscore.txt": ["value:1,"]},
    "12-testing": {"highscore.txt": ["value:1,"],
                   "tarnwick.log": ["Dungeon: down to level 2 at step 162.",
                                    "Dungeon: the hero died at step 281, on level 2."]},
    "13-shipping": {"highscore.txt": ["value:1,"]},
}


@pytest.mark.parametrize("part", PARTS)
def test_shows_the_recorded_screen_at_every_step(tmp_path, monkeypatch, part):
    monkeypatch.chdir(tmp_path)
    replays(TUTORIAL / part / "dungeon.py", "tutorial-" + part)
    for name, lines in LEFT.get(part, {}).items():
        written = (tmp_path / name).read_text().splitlines()
        assert [end for end in lines if not any(w.endswith(end) for w in written)] == [], name

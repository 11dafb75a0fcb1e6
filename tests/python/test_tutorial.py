"""The tutorial's Python parts, run as their readers run them, replay the recordings of the
C++ parts they port: every part, the same game step for step."""

import pytest

from conftest import ROOT, replay, replays

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


@pytest.mark.parametrize("part", [part for part in PARTS if "highscore.txt" in LEFT.get(part, {})])
def test_a_best_of_an_earlier_run_is_read_back_and_stands(tmp_path, monkeypatch, part):
    monkeypatch.chdir(tmp_path)
    (tmp_path / "highscore.txt").write_text("value:7,\n")
    ends = replay(TUTORIAL / part / "dungeon.py", "tutorial-" + part)
    # Shown, so not the recorded screen; and not beaten by this game's one gold.
    assert ends and "showed the recorded screen at every step" not in ends[-1]
    assert (tmp_path / "highscore.txt").read_text().splitlines() == ["value:7,"]

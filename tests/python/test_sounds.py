"""Sounds in a process of their own, whose audio library finds no device."""

import os
import subprocess
import sys

from conftest import ROOT

GAME = f"""
import tarnwick as tw
assert tw.game_manager.start_up() == 0
for name in "win", "lose":
    assert tw.resource_manager.load_sound("{ROOT}/sounds/" + name + ".wav", name) == 0
assert tw.resource_manager.load_music("{ROOT}/sounds/menu.wav", "menu") == 0
tw.resource_manager.get_sound("win").play()
tw.resource_manager.get_music("menu").play()
tw.game_manager.shut_down()
"""


def test_without_a_sound_device_one_log_line_says_so_and_sounds_are_silent(tmp_path):
    (tmp_path / "tw-config.txt").write_text("headless:true,\n")
    env = dict(os.environ, ALSOFT_DRIVERS="no-such-driver")  # no backend: no device
    done = subprocess.run([sys.executable, "-c", GAME], cwd=tmp_path, env=env,
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert done.stderr == ""
    said = [line for line in (tmp_path / "tarnwick.log").read_text().splitlines()
            if "sound device" in line]
    assert len(said) == 1 and "Warning!" in said[0]

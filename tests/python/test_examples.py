"""The Python examples, run as their users run them, replay sessions recorded in a window."""

import os
import subprocess
import sys

import pytest

from conftest import ROOT, copy_recording, log_lines


@pytest.mark.parametrize("name", ["star", "chase", "hunt"])
def test_shows_the_recorded_screen_at_every_step(tmp_path, monkeypatch, name):
    monkeypatch.chdir(tmp_path)
    copy_recording("example-" + name)
    (tmp_path / "tw-config.txt").write_text("headless:true,\nframe_time:0,\nreplay_file:replay.rec\n")
    script = ROOT / "examples" / name / (name + ".py")
    done = subprocess.run([sys.executable, str(script)], capture_output=True, text=True,
                          env=os.environ, timeout=60)
    assert done.returncode == 0, done.stderr
    assert any("showed the recorded screen at every step" in line for line in log_lines()), \
        "\n".join(log_lines()[-20:]) + done.stderr

"""Tarnwick: a small 2D game engine that draws coloured characters on a grid of cells.

Derive game objects from Object (or ViewObject, TextObject, Button), start the engine with
game_manager.start_up(), make the objects, and game_manager.run().
"""

import os as _os

from ._tarnwick import *  # noqa: F401,F403
from ._tarnwick import __doc__ as _native_doc  # noqa: F401
from ._tarnwick import __version__ as __version__

#: The engine's font, used when the working directory has no tw-font.ttf.
FONT_FILE: str = _os.path.join(_os.path.dirname(__file__), "tw-font.ttf")

# Types of the native module, as python/src binds it. Wherever the module takes a Vector, a
# tuple (x, y) does too.

from typing import Any, Callable, ClassVar, Generic, Iterator, NoReturn, Sequence, TypeVar, overload

_G = TypeVar("_G")
_S = TypeVar("_S")

_VectorLike = Vector | tuple[float, float]

# What an event handler returns: 1 when it handled the event, 0 or None when not. The Any lets
# an override say int | None while super().event_handler() still gives an int.
_Handled = int | Any

__version__: str

# The stub's own helpers, not the module's: _Property, _Enum and the pybind11 base.

# A property whose setter takes more than its getter returns (mypy types a plain property's
# assignments by its getter).
class _Property(Generic[_G, _S]):
    @overload
    def __get__(self, instance: None, owner: type[object], /) -> property: ...
    @overload
    def __get__(self, instance: object, owner: type[object], /) -> _G: ...
    def __set__(self, instance: object, value: _S, /) -> None: ...

# Every bound class has pybind11's metaclass and base. A class without a constructor of its own
# raises TypeError when called: no argument will do.
class _Pybind11Type(type): ...

class _Pybind11Object(metaclass=_Pybind11Type):
    def __init__(self, __no_constructor: NoReturn, *args: object, **kwargs: object) -> None: ...

UNDEFINED_EVENT: str
STEP_EVENT: str
COLLISION_EVENT: str
OUT_EVENT: str
KEYBOARD_EVENT: str
MOUSE_EVENT: str
VIEW_EVENT: str
PATH_EVENT: str

MIN_ALTITUDE: int
MAX_ALTITUDE: int
RANDOM_MAX: int

game_manager: GameManager
world_manager: WorldManager
graphics_manager: GraphicsManager
resource_manager: ResourceManager
log_manager: LogManager
path_manager: PathManager
config: Config

class Vector(_Pybind11Object):
    x: float
    y: float
    @overload
    def __init__(self) -> None: ...
    @overload
    def __init__(self, x: float, y: float) -> None: ...
    @overload
    def __init__(self, xy: tuple[float, float]) -> None: ...
    @property
    def magnitude(self) -> float: ...
    def normalize(self) -> None: ...
    def scale(self, s: float) -> None: ...
    def __add__(self, other: _VectorLike, /) -> Vector: ...
    def __sub__(self, other: _VectorLike, /) -> Vector: ...
    def __mul__(self, s: float, /) -> Vector: ...
    def __rmul__(self, s: float, /) -> Vector: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    __hash__: ClassVar[None]  # type: ignore[assignment]
    def __iter__(self) -> Iterator[float]: ...

class Box(_Pybind11Object):
    corner: _Property[Vector, _VectorLike]
    horizontal: float
    vertical: float
    @overload
    def __init__(self) -> None: ...
    @overload
    def __init__(self, corner: _VectorLike, horizontal: float, vertical: float) -> None: ...
    def __eq__(self, other: object, /) -> bool: ...
    __hash__: ClassVar[None]  # type: ignore[assignment]

def box_intersects_box(a: Box, b: Box) -> bool: ...
def box_contains_position(box: Box, position: _VectorLike) -> bool: ...

# pybind11's enums: int-like values, equal to their int.
class _Enum(_Pybind11Object):
    def __init__(self, value: int) -> None: ...
    @property
    def name(self) -> str: ...
    @property
    def value(self) -> int: ...
    def __int__(self) -> int: ...
    def __index__(self) -> int: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __ne__(self, other: object, /) -> bool: ...
    def __hash__(self) -> int: ...
    def __getstate__(self) -> int: ...
    def __setstate__(self, state: int) -> None: ...

class Color(_Enum):
    BLACK: ClassVar[Color]
    RED: ClassVar[Color]
    GREEN: ClassVar[Color]
    YELLOW: ClassVar[Color]
    BLUE: ClassVar[Color]
    MAGENTA: ClassVar[Color]
    CYAN: ClassVar[Color]
    WHITE: ClassVar[Color]
    CUSTOM: ClassVar[Color]
    __members__: ClassVar[dict[str, Color]]
    @staticmethod
    def rgb(red: int, green: int, blue: int) -> Color: ...
    @staticmethod
    def from_text(text: str) -> Color: ...
    @property
    def rgb_channels(self) -> tuple[int, int, int]: ...

class ObjectAttribute(_Enum):
    ID: ClassVar[ObjectAttribute]
    ACTIVE: ClassVar[ObjectAttribute]
    VISIBLE: ClassVar[ObjectAttribute]
    EVENTS: ClassVar[ObjectAttribute]
    BOX: ClassVar[ObjectAttribute]
    POSITION: ClassVar[ObjectAttribute]
    TYPE: ClassVar[ObjectAttribute]
    SPRITE: ClassVar[ObjectAttribute]
    ALTITUDE: ClassVar[ObjectAttribute]
    SOLIDNESS: ClassVar[ObjectAttribute]
    NO_SOFT: ClassVar[ObjectAttribute]
    SPEED: ClassVar[ObjectAttribute]
    DIRECTION: ClassVar[ObjectAttribute]
    ACCELERATION: ClassVar[ObjectAttribute]
    __members__: ClassVar[dict[str, ObjectAttribute]]

class Solidness(_Enum):
    HARD: ClassVar[Solidness]
    SOFT: ClassVar[Solidness]
    SPECTRAL: ClassVar[Solidness]
    __members__: ClassVar[dict[str, Solidness]]

class Justification(_Enum):
    LEFT: ClassVar[Justification]
    CENTER: ClassVar[Justification]
    RIGHT: ClassVar[Justification]
    __members__: ClassVar[dict[str, Justification]]

class Location(_Enum):
    NONE: ClassVar[Location]
    TOP_LEFT: ClassVar[Location]
    TOP_CENTER: ClassVar[Location]
    TOP_RIGHT: ClassVar[Location]
    CENTER_LEFT: ClassVar[Location]
    CENTER_CENTER: ClassVar[Location]
    CENTER_RIGHT: ClassVar[Location]
    BOTTOM_LEFT: ClassVar[Location]
    BOTTOM_CENTER: ClassVar[Location]
    BOTTOM_RIGHT: ClassVar[Location]
    __members__: ClassVar[dict[str, Location]]

class ShapeKind(_Enum):
    NONE: ClassVar[ShapeKind]
    CIRCLE: ClassVar[ShapeKind]
    SQUARE: ClassVar[ShapeKind]
    TRIANGLE: ClassVar[ShapeKind]
    __members__: ClassVar[dict[str, ShapeKind]]

class PathStatus(_Enum):
    NOT_FOUND: ClassVar[PathStatus]
    INCOMPLETE: ClassVar[PathStatus]
    FOUND: ClassVar[PathStatus]
    __members__: ClassVar[dict[str, PathStatus]]

class PathNeighbors(_Enum):
    FOUR: ClassVar[PathNeighbors]
    EIGHT: ClassVar[PathNeighbors]
    __members__: ClassVar[dict[str, PathNeighbors]]

class KeyboardAction(_Enum):
    UNDEFINED: ClassVar[KeyboardAction]
    KEY_PRESSED: ClassVar[KeyboardAction]
    KEY_RELEASED: ClassVar[KeyboardAction]
    KEY_DOWN: ClassVar[KeyboardAction]
    __members__: ClassVar[dict[str, KeyboardAction]]

class MouseAction(_Enum):
    UNDEFINED: ClassVar[MouseAction]
    CLICKED: ClassVar[MouseAction]
    PRESSED: ClassVar[MouseAction]
    MOVED: ClassVar[MouseAction]
    __members__: ClassVar[dict[str, MouseAction]]

class MouseButton(_Enum):
    UNDEFINED: ClassVar[MouseButton]
    LEFT: ClassVar[MouseButton]
    RIGHT: ClassVar[MouseButton]
    MIDDLE: ClassVar[MouseButton]
    __members__: ClassVar[dict[str, MouseButton]]

class Key(_Enum):
    UNDEFINED: ClassVar[Key]
    SPACE: ClassVar[Key]
    RETURN: ClassVar[Key]
    ESCAPE: ClassVar[Key]
    TAB: ClassVar[Key]
    LEFTARROW: ClassVar[Key]
    RIGHTARROW: ClassVar[Key]
    UPARROW: ClassVar[Key]
    DOWNARROW: ClassVar[Key]
    PAUSE: ClassVar[Key]
    MINUS: ClassVar[Key]
    PLUS: ClassVar[Key]
    TILDE: ClassVar[Key]
    PERIOD: ClassVar[Key]
    COMMA: ClassVar[Key]
    SLASH: ClassVar[Key]
    EQUAL: ClassVar[Key]
    BACKSLASH: ClassVar[Key]
    MULTIPLY: ClassVar[Key]
    QUOTE: ClassVar[Key]
    SEMICOLON: ClassVar[Key]
    LEFTCONTROL: ClassVar[Key]
    RIGHTCONTROL: ClassVar[Key]
    LEFTSHIFT: ClassVar[Key]
    RIGHTSHIFT: ClassVar[Key]
    F1: ClassVar[Key]
    F2: ClassVar[Key]
    F3: ClassVar[Key]
    F4: ClassVar[Key]
    F5: ClassVar[Key]
    F6: ClassVar[Key]
    F7: ClassVar[Key]
    F8: ClassVar[Key]
    F9: ClassVar[Key]
    F10: ClassVar[Key]
    F11: ClassVar[Key]
    F12: ClassVar[Key]
    A: ClassVar[Key]
    B: ClassVar[Key]
    C: ClassVar[Key]
    D: ClassVar[Key]
    E: ClassVar[Key]
    F: ClassVar[Key]
    G: ClassVar[Key]
    H: ClassVar[Key]
    I: ClassVar[Key]
    J: ClassVar[Key]
    K: ClassVar[Key]
    L: ClassVar[Key]
    M: ClassVar[Key]
    N: ClassVar[Key]
    O: ClassVar[Key]
    P: ClassVar[Key]
    Q: ClassVar[Key]
    R: ClassVar[Key]
    S: ClassVar[Key]
    T: ClassVar[Key]
    U: ClassVar[Key]
    V: ClassVar[Key]
    W: ClassVar[Key]
    X: ClassVar[Key]
    Y: ClassVar[Key]
    Z: ClassVar[Key]
    NUM1: ClassVar[Key]
    NUM2: ClassVar[Key]
    NUM3: ClassVar[Key]
    NUM4: ClassVar[Key]
    NUM5: ClassVar[Key]
    NUM6: ClassVar[Key]
    NUM7: ClassVar[Key]
    NUM8: ClassVar[Key]
    NUM9: ClassVar[Key]
    NUM0: ClassVar[Key]
    BACKSPACE: ClassVar[Key]
    __members__: ClassVar[dict[str, Key]]

class Frame(_Pybind11Object):
    width: int
    height: int
    text: str
    @overload
    def __init__(self) -> None: ...
    @overload
    def __init__(self, width: int, height: int, text: str) -> None: ...

class Shape(_Pybind11Object):
    color: Color
    kind: ShapeKind
    size: float
    opacity: int
    def __init__(self) -> None: ...
    def set_rgb(self, red: int, green: int, blue: int) -> None: ...
    @property
    def red(self) -> int: ...
    @property
    def green(self) -> int: ...
    @property
    def blue(self) -> int: ...

class Path(_Pybind11Object):
    # A copy: assign a changed list back.
    nodes: _Property[list[Vector], Sequence[_VectorLike]]
    index: int
    def __init__(self) -> None: ...

class Cell(_Pybind11Object):
    @property
    def ch(self) -> str: ...
    @property
    def color(self) -> Color: ...
    @property
    def background(self) -> Color: ...

def match(line: str, token: str) -> str: ...
def seed_random(seed: int) -> None: ...
def random_number() -> int: ...
def get_world_box(obj: Object, where: _VectorLike | None = None) -> Box: ...
def world_to_view(world_position: _VectorLike) -> Vector: ...
def view_to_world(view_position: _VectorLike) -> Vector: ...

class Sprite(_Pybind11Object):
    @property
    def label(self) -> str: ...
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def color(self) -> Color: ...
    @property
    def frame_count(self) -> int: ...
    def get_frame(self, index: int) -> Frame: ...
    def __eq__(self, other: object, /) -> bool: ...
    def __hash__(self) -> int: ...

class Sound(_Pybind11Object):
    @property
    def label(self) -> str: ...
    def play(self, loop: bool = False) -> None: ...
    def stop(self) -> None: ...
    @property
    def playing(self) -> bool: ...
    @property
    def looping(self) -> bool: ...

class Music(_Pybind11Object):
    @property
    def label(self) -> str: ...
    def play(self, loop: bool = True) -> None: ...
    def stop(self) -> None: ...
    @property
    def playing(self) -> bool: ...
    @property
    def looping(self) -> bool: ...

class ResourceManager(_Pybind11Object):
    def load_sprite(self, filename: str, label: str) -> int: ...
    def get_sprite(self, label: str) -> Sprite | None: ...
    def load_sound(self, filename: str, label: str) -> int: ...
    def get_sound(self, label: str) -> Sound | None: ...
    def load_music(self, filename: str, label: str) -> int: ...
    def get_music(self, label: str) -> Music | None: ...
    @property
    def sprite_count(self) -> int: ...
    @property
    def sound_count(self) -> int: ...
    @property
    def music_count(self) -> int: ...

class Event(_Pybind11Object):
    def __init__(self, type: str = "tw::undefined") -> None: ...
    @property
    def type(self) -> str: ...
    def is_type(self, type: str) -> bool: ...

class EventStep(Event):
    def __init__(self, step_count: int) -> None: ...
    @property
    def step_count(self) -> int: ...

class EventKeyboard(Event):
    def __init__(self, key: Key, action: KeyboardAction) -> None: ...
    @property
    def key(self) -> Key: ...
    @property
    def action(self) -> KeyboardAction: ...

class EventMouse(Event):
    def __init__(
        self, action: MouseAction, button: MouseButton, position: _VectorLike
    ) -> None: ...
    @property
    def action(self) -> MouseAction: ...
    @property
    def button(self) -> MouseButton: ...
    @property
    def position(self) -> Vector: ...

class _EngineCollision(Event): ...

class EventCollision(_EngineCollision):
    def __init__(self, position: _VectorLike, object1: Object, object2: Object) -> None: ...
    @property
    def position(self) -> Vector: ...
    @property
    def object1(self) -> Object: ...
    @property
    def object2(self) -> Object: ...

class EventOut(Event):
    def __init__(self) -> None: ...

class EventView(Event):
    def __init__(self, tag: str, value: int, delta: bool) -> None: ...
    @property
    def tag(self) -> str: ...
    @property
    def value(self) -> int: ...
    @property
    def delta(self) -> bool: ...

class EventPath(Event):
    def __init__(self, status: PathStatus, path: Path) -> None: ...
    @property
    def status(self) -> PathStatus: ...
    @property
    def path(self) -> Path: ...

class Object(_Pybind11Object):
    def __init__(self) -> None: ...
    @property
    def alive(self) -> bool: ...
    def event_handler(self, event: Event) -> _Handled: ...
    def draw(self) -> None: ...
    @property
    def id(self) -> int: ...
    type: str
    position: _Property[Vector, _VectorLike]
    active: bool
    visible: bool
    box: Box
    direction: _Property[Vector, _VectorLike]
    speed: float
    velocity: _Property[Vector, _VectorLike]
    acceleration: _Property[Vector, _VectorLike]
    def predict_position(self) -> Vector: ...
    def move_to(self, target: _VectorLike) -> None: ...
    solidness: Solidness
    @property
    def solid(self) -> bool: ...
    no_soft: bool
    altitude: int
    sprite: _Property[Sprite | None, Sprite | str | None]
    sprite_name: str
    centered: bool
    transparency: str
    sprite_index: int
    sprite_slowdown: int
    sprite_slowdown_count: int
    def register_interest(self, event_type: str) -> int: ...
    def unregister_interest(self, event_type: str) -> int: ...
    @property
    def event_names(self) -> list[str]: ...
    shape: Shape
    @property
    def following_path(self) -> bool: ...
    path: Path
    def serialize(self, all: bool = False) -> str: ...
    def deserialize(self, record: str) -> int: ...
    def is_modified(self) -> bool: ...
    def is_attribute_modified(self, attribute: ObjectAttribute) -> bool: ...
    def set_modified(self, attribute: ObjectAttribute, modified: bool = True) -> None: ...

class ViewObject(Object):
    def __init__(self) -> None: ...
    view_string: str
    value: int
    border: bool
    color: Color
    location: Location
    draw_value: bool
    def display_text(self) -> str: ...

class TextObject(Object):
    def __init__(self, text: str = "", position: _VectorLike = ...) -> None: ...
    text: str
    color: Color
    background: Color | None
    justification: Justification
    on_view: bool

class Button(ViewObject):
    def __init__(self) -> None: ...
    def on_click(self) -> None: ...
    highlight_color: Color
    default_color: Color
    def is_mouse_over(self, event: EventMouse) -> bool: ...

class Pause(Object):
    def __init__(self, key: Key = Key.RETURN) -> None: ...
    @property
    def pause_key(self) -> Key: ...

class Manager(_Pybind11Object):
    @property
    def type(self) -> str: ...
    @property
    def started(self) -> bool: ...
    def is_valid(self, event_type: str) -> bool: ...
    def register_interest(self, obj: Object, event_type: str) -> int: ...
    def unregister_interest(self, obj: Object, event_type: str) -> int: ...
    def on_event(self, event: Event) -> int: ...

class FrameTimes(_Pybind11Object):
    @property
    def step(self) -> int: ...
    @property
    def start(self) -> int: ...
    @property
    def input(self) -> int: ...
    @property
    def path(self) -> int: ...
    @property
    def update(self) -> int: ...
    @property
    def draw(self) -> int: ...
    @property
    def step_events(self) -> int: ...
    @property
    def display(self) -> int: ...
    @property
    def work(self) -> int: ...
    @property
    def sleep(self) -> int: ...

class GameManager(Manager):
    def start_up(self) -> int: ...
    def shut_down(self) -> None: ...
    def run(self) -> None: ...
    def run_frame(self, paced: bool = False) -> bool: ...
    game_over: bool
    frame_time: int
    @property
    def step_count(self) -> int: ...
    @property
    def interrupt_signal(self) -> int: ...
    def set_frame_observer(self, observer: Callable[[FrameTimes], object] | None) -> None: ...

class WorldManager(Manager):
    def mark_for_delete(self, obj: Object) -> int: ...
    def update(self) -> None: ...
    def draw(self) -> None: ...
    def move_object(self, obj: Object, where: _VectorLike) -> int: ...
    def get_collisions(self, obj: Object, where: _VectorLike) -> list[Object]: ...
    def get_all_objects(self, include_inactive: bool = False) -> list[Object]: ...
    def objects_of_type(self, type: str) -> list[Object]: ...
    def set_collision_grid(self, use_grid: bool, min_solid: int = 32) -> None: ...
    @property
    def uses_collision_grid(self) -> bool: ...
    boundary: Box
    view: Box
    view_slack: _Property[Vector, _VectorLike]
    def set_view_position(self, view_position: _VectorLike) -> None: ...
    view_following: Object | None

class GraphicsManager(Manager):
    def draw_character(
        self,
        position: _VectorLike,
        ch: str,
        color: Color = Color.WHITE,
        background: Color | None = None,
    ) -> int: ...
    def draw_string(
        self,
        position: _VectorLike,
        text: str,
        justification: Justification = Justification.LEFT,
        color: Color = Color.WHITE,
        background: Color | None = None,
    ) -> int: ...
    def fill_rectangle(self, box: Box, background: Color) -> int: ...
    def draw_frame(
        self,
        position: _VectorLike,
        frame: Frame,
        centered: bool = True,
        color: Color = Color.WHITE,
        transparent: str = "",
    ) -> int: ...
    @property
    def horizontal_chars(self) -> int: ...
    @property
    def vertical_chars(self) -> int: ...
    @property
    def horizontal_pixels(self) -> int: ...
    @property
    def vertical_pixels(self) -> int: ...
    def cell_at(self, x: int, y: int) -> Cell: ...
    def shown_cell_at(self, x: int, y: int) -> Cell: ...
    def row_text(self, y: int, shown: bool = False) -> str: ...
    damage_tracking: bool
    def mark_all_damaged(self) -> None: ...
    def refresh(self) -> None: ...
    def request_screenshot(self) -> None: ...
    def toggle_overlay(self) -> None: ...
    @property
    def overlay_shown(self) -> bool: ...

class LogManager(Manager):
    def write_log(self, text: str, level: int = 0) -> int: ...
    log_level: int
    def set_flush(self, flush: bool) -> None: ...
    def set_log_time_string(self, on: bool) -> None: ...
    def set_log_step_count(self, on: bool) -> None: ...
    def flush(self) -> None: ...

class PathManager(Manager):
    def find_path(self, obj: Object, goal: _VectorLike,
                  neighbors: PathNeighbors = PathNeighbors.EIGHT) -> int: ...
    @property
    def finder_count(self) -> int: ...
    @property
    def max_cycle_time(self) -> int: ...

class Config(_Pybind11Object):
    def reset(self) -> None: ...
    window_horizontal_pixels: int
    window_vertical_pixels: int
    window_horizontal_chars: int
    window_vertical_chars: int
    window_background_color: int
    frame_time: int
    font_scale: float
    window_style: int
    window_title: str
    show_mouse: bool
    headless: bool
    damage_tracking: bool
    font_file: str
    logfile: str
    record_file: str
    replay_file: str
    random_seed: int

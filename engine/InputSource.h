#pragma once

namespace tw {

/// Physical key codes as a window backend reports them. They are numbered as the desktop
/// window library numbers its keys, and recordings keep them: a browser maps its key codes to
/// these, so that a session recorded in one replays in the other.
namespace KeyCode {
enum Code : int {
  UNKNOWN = -1,
  A = 0,
  B,
  C,
  D,
  E,
  F,
  G,
  H,
  I,
  J,
  K,
  L,
  M,
  N,
  O,
  P,
  Q,
  R,
  S,
  T,
  U,
  V,
  W,
  X,
  Y,
  Z,
  NUM0,
  NUM1,
  NUM2,
  NUM3,
  NUM4,
  NUM5,
  NUM6,
  NUM7,
  NUM8,
  NUM9,
  ESCAPE,
  LCONTROL,
  LSHIFT,
  LALT,
  LSYSTEM,
  RCONTROL,
  RSHIFT,
  RALT,
  RSYSTEM,
  MENU,
  LBRACKET,
  RBRACKET,
  SEMICOLON,
  COMMA,
  PERIOD,
  QUOTE,
  SLASH,
  BACKSLASH,
  TILDE,
  EQUAL,
  HYPHEN,
  SPACE,
  ENTER,
  BACKSPACE,
  TAB,
  PAGEUP,
  PAGEDOWN,
  END,
  HOME,
  INSERT,
  DEL, ///< Delete (named so to keep clear of a Windows macro)
  ADD,
  SUBTRACT,
  MULTIPLY,
  DIVIDE,
  LEFT,
  RIGHT,
  UP,
  DOWN,
  NUMPAD0,
  NUMPAD1,
  NUMPAD2,
  NUMPAD3,
  NUMPAD4,
  NUMPAD5,
  NUMPAD6,
  NUMPAD7,
  NUMPAD8,
  NUMPAD9,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  F13,
  F14,
  F15,
  PAUSE,
  COUNT
};
} // namespace KeyCode

/// Mouse buttons as a window backend reports them.
namespace ButtonCode {
enum Code : int { UNKNOWN = -1, LEFT = 0, RIGHT, MIDDLE, COUNT };
} // namespace ButtonCode

/// Something that happened to the window.
struct WindowEvent {
  enum Type {
    CLOSED,          ///< the user asked to close the window
    KEY_PRESSED,     ///< code went down (repeats while held, when key repeat is on)
    KEY_RELEASED,    ///< code went up
    MOUSE_MOVED,     ///< the pointer moved to x, y
    BUTTON_PRESSED,  ///< button went down at x, y
    BUTTON_RELEASED, ///< button went up at x, y
    FOCUS_GAINED,
    FOCUS_LOST,
    RESIZED, ///< to x by y pixels
    OTHER,   ///< anything else, to be ignored
  };
  Type type = OTHER;
  int code = KeyCode::UNKNOWN;      ///< KeyCode, for key events
  int button = ButtonCode::UNKNOWN; ///< ButtonCode, for button events
  int x = 0;                        ///< window pixels for mouse events; the new size for RESIZED
  int y = 0;
};

/// The window's input: a queue of events, and what is held now.
class InputSource {
public:
  virtual ~InputSource() = default;
  /// Takes the next event off the queue; false when it is empty.
  virtual bool pollEvent(WindowEvent& event) = 0;
  /// Whether the key (a KeyCode) is held now.
  virtual bool isKeyHeld(int code) = 0;
  /// Whether the button (a ButtonCode) is held now.
  virtual bool isButtonHeld(int button) = 0;
  /// The pointer's position in window pixels.
  virtual void pointer(int& x, int& y) = 0;
  /// Turns the repetition of key presses while a key is held on or off.
  virtual void setKeyRepeat(bool on) = 0;
};

} // namespace tw

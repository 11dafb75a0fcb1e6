#pragma once

#include "Event.h"
#include "EventKeyboard.h"
#include "Manager.h"

#include <array>

namespace tw {

class InputSource;
class Pause;
struct WindowEvent;

/// Keyboard keys and actions, as keyboard events carry them.
namespace Keyboard {

/// Engine key numbers, carried in a keyboard event's key. Keys without a name arrive as the
/// window library's key code plus 97.
enum Key : int {
  UNDEFINED_KEY = -1, ///< no key
  SPACE,
  RETURN,
  ESCAPE,
  TAB,
  LEFTARROW,
  RIGHTARROW,
  UPARROW,
  DOWNARROW,
  PAUSE,
  MINUS, ///< the keypad's -
  PLUS,  ///< the keypad's +
  TILDE, ///< the ` ~ key
  PERIOD,
  COMMA,
  SLASH,
  EQUAL,
  BACKSLASH,
  MULTIPLY, ///< the keypad's *
  QUOTE,
  SEMICOLON,
  LEFTCONTROL,
  RIGHTCONTROL,
  LEFTSHIFT,
  RIGHTSHIFT,
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
  A,
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
  NUM1, ///< NUM1 to NUM0: the digits above the letters
  NUM2,
  NUM3,
  NUM4,
  NUM5,
  NUM6,
  NUM7,
  NUM8,
  NUM9,
  NUM0,
  BACKSPACE,
};

/// What a key did.
enum Action : int {
  UNDEFINED_KEYBOARD_ACTION = -1,
  KEY_PRESSED,  ///< the key went down
  KEY_RELEASED, ///< the key went up
  KEY_DOWN,     ///< the key is held; sent every frame
};

/// The engine key of a window's key code.
Key fromKeyCode(int code);
/// Number of keys with a name, SPACE to BACKSPACE.
constexpr int KEY_COUNT = BACKSPACE + 1;
/// The keys' names by Key, as recordings write them ("SPACE", "A", "NUM1").
extern const char* const KEY_NAMES[KEY_COUNT];

} // namespace Keyboard

/// Mouse actions and buttons, as mouse events carry them.
namespace Mouse {

/// What the mouse did.
enum Action : int {
  UNDEFINED_MOUSE_ACTION = -1,
  CLICKED, ///< a button went down
  PRESSED, ///< a button is held; sent every frame
  MOVED,   ///< the pointer moved
};

/// A mouse button.
enum Button : int {
  UNDEFINED_MOUSE_BUTTON = -1, ///< none, as for a move
  LEFT,
  RIGHT,
  MIDDLE,
};

} // namespace Mouse

/// Turns the window's keyboard and mouse input into keyboard and mouse events.
class InputManager : public Manager {
public:
  /// The one input manager, made on first use.
  static InputManager& getInstance();

  /// Only KEYBOARD_EVENT and MOUSE_EVENT.
  bool isValid(std::string event_type) const override;
  /// Turns off the window's key repeat; -1 (logged) when the graphics manager is not started.
  int startUp() override;
  /// Turns the window's key repeat back on.
  void shutDown() override;
  /// Reads the window's events and the held keys and buttons; once per frame.
  void getInput();

  /// A keyboard event with the engine key of the window's key code; its action is undefined.
  static EventKeyboard toEventKeyboard(int code);

  /// Makes the next getInput() ask after every key and button, not only those it saw go down:
  /// for code that has read the window's events itself.
  void rescan();
  /// Holds the game for p_pause: the frame's input stops after the event being sent, and every
  /// later getInput() only hands p_pause the window's key presses, until it finds the pause ended;
  /// the frame's input then goes on where it stopped. Null lets go at once.
  void pause(Pause* p_new_pause);
  /// True while a pause holds the game.
  bool isPaused() const { return p_pause != nullptr; }
  /// The pause holding the game; null when none does.
  Pause* getPause() const { return p_pause; }

private:
  InputManager();

  /// Sends a held event for every sampled key and button that is down.
  void sendHeld(InputSource& input);
  /// Sends an input event to the objects interested, recording it when a session is recorded.
  void send(const Event& event);
  /// Sends the recorded events of this step instead of the window's.
  void replayInput(InputSource* p_input);
  /// Hands the pause the window's key presses, throwing the rest away; true when it ended.
  bool pollPause(InputSource* p_input);
  void closeRequested();
  /// Takes F3 (the overlay) and F12 (a screenshot) for the engine; true when it did.
  static bool handleEngineKey(const WindowEvent& window_event);
  /// Has the next frame drawn whole after a resize or a change of focus.
  static void handleWindowChange(const WindowEvent& window_event);

  // Asking the window system whether a key is down costs a round trip, so only keys and
  // buttons seen going down are asked after, until they are found up.
  static constexpr std::size_t KEY_CODES = 101;  ///< the window's key codes, 0 up
  static constexpr std::size_t BUTTON_CODES = 3; ///< the window's button codes, 0 up
  std::array<bool, KEY_CODES> key_may_be_down{};
  std::array<bool, BUTTON_CODES> button_may_be_down{};
  bool rescan_all = true;
  Pause* p_pause = nullptr;
  /// Where the scan of held buttons, then keys, goes on after a pause stopped it.
  std::size_t held_next = 0;
};

} // namespace tw

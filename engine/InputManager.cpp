#include "InputManager.h"

#include "Config.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputSource.h"
#include "LogManager.h"
#include "Pause.h"

namespace tw {

// The named keys in the order of their numbers: ROW(name, the window's key code, place in the
// sampling of held keys each frame, the arrows first, or UNSAMPLED: no KEY_DOWN events).
#define TW_NAMED_KEYS(ROW)                                                                         \
  ROW(SPACE, SPACE, 4)                                                                             \
  ROW(RETURN, ENTER, 5)                                                                            \
  ROW(ESCAPE, ESCAPE, 7)                                                                           \
  ROW(TAB, TAB, 6)                                                                                 \
  ROW(LEFTARROW, LEFT, 2)                                                                          \
  ROW(RIGHTARROW, RIGHT, 3)                                                                        \
  ROW(UPARROW, UP, 0)                                                                              \
  ROW(DOWNARROW, DOWN, 1)                                                                          \
  ROW(PAUSE, PAUSE, 8)                                                                             \
  ROW(MINUS, SUBTRACT, 9)                                                                          \
  ROW(PLUS, ADD, 10)                                                                               \
  ROW(TILDE, TILDE, 11)                                                                            \
  ROW(PERIOD, PERIOD, 12)                                                                          \
  ROW(COMMA, COMMA, 13)                                                                            \
  ROW(SLASH, SLASH, 14)                                                                            \
  ROW(EQUAL, EQUAL, 15)                                                                            \
  ROW(BACKSLASH, BACKSLASH, 16)                                                                    \
  ROW(MULTIPLY, MULTIPLY, 17)                                                                      \
  ROW(QUOTE, QUOTE, 18)                                                                            \
  ROW(SEMICOLON, SEMICOLON, 19)                                                                    \
  ROW(LEFTCONTROL, LCONTROL, 20)                                                                   \
  ROW(RIGHTCONTROL, RCONTROL, 21)                                                                  \
  ROW(LEFTSHIFT, LSHIFT, 22)                                                                       \
  ROW(RIGHTSHIFT, RSHIFT, 23)                                                                      \
  ROW(F1, F1, 24)                                                                                  \
  ROW(F2, F2, 25)                                                                                  \
  ROW(F3, F3, 26)                                                                                  \
  ROW(F4, F4, 27)                                                                                  \
  ROW(F5, F5, 28)                                                                                  \
  ROW(F6, F6, 29)                                                                                  \
  ROW(F7, F7, 30)                                                                                  \
  ROW(F8, F8, 31)                                                                                  \
  ROW(F9, F9, 32)                                                                                  \
  ROW(F10, F10, 33)                                                                                \
  ROW(F11, F11, UNSAMPLED)                                                                         \
  ROW(F12, F12, UNSAMPLED)                                                                         \
  ROW(A, A, 34)                                                                                    \
  ROW(B, B, 35)                                                                                    \
  ROW(C, C, 36)                                                                                    \
  ROW(D, D, 37)                                                                                    \
  ROW(E, E, 38)                                                                                    \
  ROW(F, F, 39)                                                                                    \
  ROW(G, G, 40)                                                                                    \
  ROW(H, H, 41)                                                                                    \
  ROW(I, I, 42)                                                                                    \
  ROW(J, J, 43)                                                                                    \
  ROW(K, K, 44)                                                                                    \
  ROW(L, L, 45)                                                                                    \
  ROW(M, M, 46)                                                                                    \
  ROW(N, N, 47)                                                                                    \
  ROW(O, O, 48)                                                                                    \
  ROW(P, P, 49)                                                                                    \
  ROW(Q, Q, 50)                                                                                    \
  ROW(R, R, 51)                                                                                    \
  ROW(S, S, 52)                                                                                    \
  ROW(T, T, 53)                                                                                    \
  ROW(U, U, 54)                                                                                    \
  ROW(V, V, 55)                                                                                    \
  ROW(W, W, 56)                                                                                    \
  ROW(X, X, 57)                                                                                    \
  ROW(Y, Y, 58)                                                                                    \
  ROW(Z, Z, 59)                                                                                    \
  ROW(NUM1, NUM1, 60)                                                                              \
  ROW(NUM2, NUM2, 61)                                                                              \
  ROW(NUM3, NUM3, 62)                                                                              \
  ROW(NUM4, NUM4, 63)                                                                              \
  ROW(NUM5, NUM5, 64)                                                                              \
  ROW(NUM6, NUM6, 65)                                                                              \
  ROW(NUM7, NUM7, 66)                                                                              \
  ROW(NUM8, NUM8, 67)                                                                              \
  ROW(NUM9, NUM9, 68)                                                                              \
  ROW(NUM0, NUM0, 69)                                                                              \
  ROW(BACKSPACE, BACKSPACE, 70)

#define TW_KEY_NAME(key, code, held) #key,
const char* const Keyboard::KEY_NAMES[KEY_COUNT] = {TW_NAMED_KEYS(TW_KEY_NAME)};
#undef TW_KEY_NAME

namespace {

constexpr int UNSAMPLED = -1;

struct NamedKey {
  Keyboard::Key key;
  KeyCode::Code code;
  int held; ///< place in the sampling of held keys, or UNSAMPLED
};

#define TW_KEY_ROW(key, code, held) {Keyboard::key, KeyCode::code, held},
constexpr NamedKey NAMED_KEYS[] = {TW_NAMED_KEYS(TW_KEY_ROW)};
#undef TW_KEY_ROW
#undef TW_NAMED_KEYS

constexpr int sampledCount() {
  int count = 0;
  for (const NamedKey& k : NAMED_KEYS) {
    count += k.held != UNSAMPLED;
  }
  return count;
}

// The sampled keys in the order they are sampled.
constexpr std::array<NamedKey, sampledCount()> sampleOrder() {
  std::array<NamedKey, sampledCount()> order{};
  for (NamedKey& k : order) {
    k.held = UNSAMPLED;
  }
  for (const NamedKey& k : NAMED_KEYS) {
    if (k.held != UNSAMPLED) {
      order[static_cast<std::size_t>(k.held)] = k;
    }
  }
  return order;
}
constexpr std::array<NamedKey, sampledCount()> SAMPLED_KEYS = sampleOrder();

constexpr bool inOrder() {
  for (std::size_t i = 0; i < std::size(NAMED_KEYS); i++) {
    if (NAMED_KEYS[i].key != static_cast<int>(i)) {
      return false;
    }
  }
  for (std::size_t i = 0; i < SAMPLED_KEYS.size(); i++) {
    if (SAMPLED_KEYS[i].held != static_cast<int>(i)) { // a place left empty
      return false;
    }
  }
  return std::size(NAMED_KEYS) == Keyboard::KEY_COUNT;
}
static_assert(inOrder(), "each named key once, by number; each place of sampling once");

/// An unnamed key's number: its code moved past the named keys.
constexpr int UNNAMED_KEY_OFFSET = 97;

Mouse::Button mouseButtonOf(int button) {
  switch (button) {
  case ButtonCode::LEFT:
    return Mouse::LEFT;
  case ButtonCode::RIGHT:
    return Mouse::RIGHT;
  case ButtonCode::MIDDLE:
    return Mouse::MIDDLE;
  default:
    return Mouse::UNDEFINED_MOUSE_BUTTON;
  }
}

Vector cellsOf(int x, int y) {
  return pixelsToSpaces(Vector(static_cast<float>(x), static_cast<float>(y)));
}

} // namespace

Keyboard::Key Keyboard::fromKeyCode(int code) {
  for (const NamedKey& named : NAMED_KEYS) {
    if (named.code == code) {
      return named.key;
    }
  }
  return static_cast<Key>(code + UNNAMED_KEY_OFFSET);
}

InputManager::InputManager() {
  static_assert(KEY_CODES == KeyCode::COUNT && BUTTON_CODES == ButtonCode::COUNT,
                "a place for every key and button code");
  setType("InputManager");
}

InputManager& InputManager::getInstance() {
  static InputManager input_manager;
  return input_manager;
}

bool InputManager::isValid(std::string event_type) const {
  return event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT;
}

int InputManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  GraphicsManager& graphics = GraphicsManager::getInstance();
  if (!graphics.isStarted()) {
    log.writeLog("InputManager::startUp(): Error starting InputManager. "
                 "GraphicsManager must be started first.");
    return -1;
  }
  InputSource* p_input = graphics.getInput();
  if (p_input) {
    // Holding a key gives one pressed event; held keys are sampled every frame instead.
    p_input->setKeyRepeat(false);
    log.writeLog(2, "InputManager::startUp(): Keyboard repeated disabled.");
  } else {
    log.writeLog("InputManager::startUp(): Warning - GraphicsManager unexpectedly returned null "
                 "window! Cannot disable keyboard repeat.");
  }
  Manager::startUp();
  log.writeLog(5, "InputManager::startUp(): successfully started.");
  return 0;
}

void InputManager::shutDown() {
  const LogManager& log = LogManager::getInstance();
  InputSource* p_input = GraphicsManager::getInstance().getInput();
  if (p_input) {
    p_input->setKeyRepeat(true);
    log.writeLog(2, "InputManager::shutDown(): Keyboard repeat enabled.");
  }
  p_pause = nullptr;
  held_next = 0;
  Manager::shutDown();
  log.writeLog(1, "InputManager::shutDown(): successfully stopped.");
}

EventKeyboard InputManager::toEventKeyboard(int code) {
  EventKeyboard event;
  const Keyboard::Key key = Keyboard::fromKeyCode(code);
  event.setKey(key);
  LogManager::getInstance().writeLog(15,
                                     "InputManager::toEventKeyboard(): Keyboard event '%c' (%d)",
                                     static_cast<char>(key), code);
  return event;
}

bool InputManager::handleEngineKey(const WindowEvent& window_event) {
  if (window_event.type != WindowEvent::KEY_PRESSED &&
      window_event.type != WindowEvent::KEY_RELEASED) {
    return false;
  }
  const int code = window_event.code;
  if (code != KeyCode::F3 && code != KeyCode::F12) {
    return false;
  }
  if (window_event.type == WindowEvent::KEY_PRESSED) {
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (code == KeyCode::F12) {
      graphics.requestScreenshot();
    } else {
      graphics.toggleOverlay();
    }
  }
  return true;
}

void InputManager::handleWindowChange(const WindowEvent& window_event) {
  // The window may have lost its contents, or the display drawn over them.
  if (window_event.type == WindowEvent::RESIZED || window_event.type == WindowEvent::FOCUS_GAINED ||
      window_event.type == WindowEvent::FOCUS_LOST) {
    GraphicsManager::getInstance().markAllDamaged();
  }
}

void InputManager::send(const Event& event) {
  GameManager& game = GameManager::getInstance();
  Recording& recording = game.getRecording();
  if (recording.isRecording()) {
    if (event.isType(KEYBOARD_EVENT)) {
      const auto& key = static_cast<const EventKeyboard&>(event);
      recording.addKeyboard(game.getStepCount(), key.getKeyboardAction(), key.getKey());
    } else {
      const auto& mouse = static_cast<const EventMouse&>(event);
      recording.addMouse(game.getStepCount(), mouse.getMouseAction(), mouse.getMouseButton(),
                         mouse.getMousePosition());
    }
  }
  onEvent(&event);
}

void InputManager::closeRequested() {
  GameManager& game = GameManager::getInstance();
  LogManager::getInstance().writeLog(
      1, "InputManager::getInput(): Window close event. Setting game over.");
  game.getRecording().addClose(game.getStepCount());
  game.setGameOver(true);
}

void InputManager::replayInput(InputSource* p_input) {
  GameManager& game = GameManager::getInstance();
  Recording& recording = game.getRecording();
  const int step = game.getStepCount();
  // The window's own input is ignored but for its close request and the engine's keys.
  WindowEvent window_event;
  while (p_input && p_input->pollEvent(window_event)) {
    if (window_event.type == WindowEvent::CLOSED) {
      closeRequested();
      return;
    }
    handleWindowChange(window_event);
    handleEngineKey(window_event);
  }
  if (step >= recording.getEndStep()) {
    LogManager::getInstance().writeLog(
        "InputManager::replayInput(): The recording ends at step %d, and the game has not.",
        recording.getEndStep());
    game.setGameOver(true);
    return;
  }
  for (const Recording::Entry* p_entry = recording.next(step); p_entry;
       p_entry = recording.next(step)) {
    if (p_entry->kind == Recording::CLOSE) {
      closeRequested();
      return;
    }
    if (p_entry->kind == Recording::KEY) {
      EventKeyboard event;
      event.setKey(static_cast<Keyboard::Key>(p_entry->code));
      event.setKeyboardAction(static_cast<Keyboard::Action>(p_entry->action));
      send(event);
    } else if (p_entry->kind == Recording::MOUSE) {
      EventMouse event;
      event.setMouseAction(p_entry->action);
      event.setMouseButton(p_entry->code);
      event.setMousePosition(p_entry->position);
      send(event);
    }
    // A resume entry whose pause was not replayed is passed over.
  }
}

bool InputManager::pollPause(InputSource* p_input) {
  // Everything but a key press is thrown away, a close request included.
  WindowEvent window_event;
  while (p_input && p_input->pollEvent(window_event)) {
    if (window_event.type == WindowEvent::KEY_PRESSED) {
      p_pause->keyPressed(window_event.code);
    }
  }
  return p_pause->pollResume();
}

void InputManager::getInput() {
  const LogManager& log = LogManager::getInstance();
  InputSource* p_input = GraphicsManager::getInstance().getInput();
  if (p_pause) {
    if (!pollPause(p_input)) {
      return;
    }
    // The keys that went down or up while paused were never seen here.
    p_pause = nullptr;
    rescan_all = true;
  }
  if (GameManager::getInstance().getRecording().isReplaying()) {
    replayInput(p_input);
    return;
  }
  if (!p_input) { // headless, there is no window and no input to take
    if (!Config::getInstance().headless) {
      log.writeLog("InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
    }
    return;
  }

  WindowEvent window_event;
  while (p_input->pollEvent(window_event)) {
    handleWindowChange(window_event);
    if (handleEngineKey(window_event)) {
      continue;
    }
    switch (window_event.type) {
    case WindowEvent::CLOSED:
      closeRequested();
      return;
    case WindowEvent::KEY_PRESSED:
    case WindowEvent::KEY_RELEASED: {
      const bool pressed = window_event.type == WindowEvent::KEY_PRESSED;
      if (window_event.code >= 0 && window_event.code < KeyCode::COUNT) {
        key_may_be_down[static_cast<std::size_t>(window_event.code)] = pressed;
      }
      EventKeyboard event = toEventKeyboard(window_event.code);
      event.setKeyboardAction(pressed ? Keyboard::KEY_PRESSED : Keyboard::KEY_RELEASED);
      send(event);
      break;
    }
    case WindowEvent::MOUSE_MOVED: {
      EventMouse event;
      event.setMouseAction(Mouse::MOVED);
      event.setMouseButton(Mouse::UNDEFINED_MOUSE_BUTTON);
      event.setMousePosition(cellsOf(window_event.x, window_event.y));
      send(event);
      break;
    }
    case WindowEvent::FOCUS_GAINED:
      // Keys pressed elsewhere were not seen going down.
      rescan_all = true;
      break;
    case WindowEvent::BUTTON_PRESSED: {
      if (window_event.button >= 0 && window_event.button < ButtonCode::COUNT) {
        button_may_be_down[static_cast<std::size_t>(window_event.button)] = true;
      }
      EventMouse event;
      event.setMouseAction(Mouse::CLICKED);
      event.setMousePosition(cellsOf(window_event.x, window_event.y));
      // The button that went down, whether or not it is still down when the event is read.
      event.setMouseButton(mouseButtonOf(window_event.button));
      send(event);
      break;
    }
    default:
      break;
    }
    if (p_pause) {
      return; // the rest of the queue waits for the pause to end
    }
  }

  sendHeld(*p_input);
}

void InputManager::rescan() {
  rescan_all = true;
}

void InputManager::pause(Pause* p_new_pause) {
  p_pause = p_new_pause;
}

void InputManager::sendHeld(InputSource& input) {
  const struct {
    ButtonCode::Code code;
    Mouse::Button button;
  } buttons[] = {{ButtonCode::LEFT, Mouse::LEFT},
                 {ButtonCode::RIGHT, Mouse::RIGHT},
                 {ButtonCode::MIDDLE, Mouse::MIDDLE}};
  constexpr std::size_t BUTTON_COUNT = sizeof(buttons) / sizeof(buttons[0]);
  // A scan that a pause stopped goes on after the event that paused the game.
  const std::size_t first = held_next;
  held_next = 0;
  EventMouse held;
  held.setMouseAction(Mouse::PRESSED);
  bool have_position = false;
  for (std::size_t i = first; i < BUTTON_COUNT; i++) {
    const auto& b = buttons[i];
    bool& maybe = button_may_be_down[static_cast<std::size_t>(b.code)];
    if (!(maybe || rescan_all)) {
      continue;
    }
    maybe = input.isButtonHeld(b.code);
    if (maybe) {
      if (!have_position) {
        int x = 0;
        int y = 0;
        input.pointer(x, y);
        held.setMousePosition(cellsOf(x, y));
        have_position = true;
      }
      held.setMouseButton(b.button);
      send(held);
      if (p_pause) {
        held_next = i + 1;
        return;
      }
    }
  }

  for (std::size_t i = first > BUTTON_COUNT ? first - BUTTON_COUNT : 0; i < SAMPLED_KEYS.size();
       i++) {
    const NamedKey& sampled = SAMPLED_KEYS[i];
    const KeyCode::Code code = sampled.code;
    if (code == KeyCode::F3) {
      continue; // the engine's own key
    }
    bool& maybe = key_may_be_down[static_cast<std::size_t>(code)];
    if (!(maybe || rescan_all)) {
      continue;
    }
    maybe = input.isKeyHeld(code);
    if (maybe) {
      EventKeyboard event;
      event.setKey(sampled.key);
      event.setKeyboardAction(Keyboard::KEY_DOWN);
      send(event);
      if (p_pause) {
        held_next = BUTTON_COUNT + i + 1;
        return;
      }
    }
  }
  rescan_all = false;
}

} // namespace tw

#include "InputManager.h"

#include "Config.h"
#include "EventMouse.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Pause.h"

#include <SFML/Window/Window.hpp>
#include <SFML/Window/Mouse.hpp>

namespace tw {

// The named keys in the order of their numbers: ROW(name, key of the window library, place in the
// sampling of held keys each frame, the arrows first, or UNSAMPLED: no KEY_DOWN events).
#define TW_NAMED_KEYS(ROW)                                                                         \
  ROW(SPACE, Space, 4)                                                                             \
  ROW(RETURN, Enter, 5)                                                                            \
  ROW(ESCAPE, Escape, 7)                                                                           \
  ROW(TAB, Tab, 6)                                                                                 \
  ROW(LEFTARROW, Left, 2)                                                                          \
  ROW(RIGHTARROW, Right, 3)                                                                        \
  ROW(UPARROW, Up, 0)                                                                              \
  ROW(DOWNARROW, Down, 1)                                                                          \
  ROW(PAUSE, Pause, 8)                                                                             \
  ROW(MINUS, Subtract, 9)                                                                          \
  ROW(PLUS, Add, 10)                                                                               \
  ROW(TILDE, Tilde, 11)                                                                            \
  ROW(PERIOD, Period, 12)                                                                          \
  ROW(COMMA, Comma, 13)                                                                            \
  ROW(SLASH, Slash, 14)                                                                            \
  ROW(EQUAL, Equal, 15)                                                                            \
  ROW(BACKSLASH, Backslash, 16)                                                                    \
  ROW(MULTIPLY, Multiply, 17)                                                                      \
  ROW(QUOTE, Quote, 18)                                                                            \
  ROW(SEMICOLON, Semicolon, 19)                                                                    \
  ROW(LEFTCONTROL, LControl, 20)                                                                   \
  ROW(RIGHTCONTROL, RControl, 21)                                                                  \
  ROW(LEFTSHIFT, LShift, 22)                                                                       \
  ROW(RIGHTSHIFT, RShift, 23)                                                                      \
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
  ROW(NUM1, Num1, 60)                                                                              \
  ROW(NUM2, Num2, 61)                                                                              \
  ROW(NUM3, Num3, 62)                                                                              \
  ROW(NUM4, Num4, 63)                                                                              \
  ROW(NUM5, Num5, 64)                                                                              \
  ROW(NUM6, Num6, 65)                                                                              \
  ROW(NUM7, Num7, 66)                                                                              \
  ROW(NUM8, Num8, 67)                                                                              \
  ROW(NUM9, Num9, 68)                                                                              \
  ROW(NUM0, Num0, 69)                                                                              \
  ROW(BACKSPACE, Backspace, 70)

#define TW_KEY_NAME(key, sfml, held) #key,
const char* const Keyboard::KEY_NAMES[KEY_COUNT] = {TW_NAMED_KEYS(TW_KEY_NAME)};
#undef TW_KEY_NAME

namespace {

constexpr int UNSAMPLED = -1;

struct NamedKey {
  Keyboard::Key key;
  sf::Keyboard::Key sfml;
  int held; ///< place in the sampling of held keys, or UNSAMPLED
};

#define TW_KEY_ROW(key, sfml, held) {Keyboard::key, sf::Keyboard::sfml, held},
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

Vector cellsOf(int x, int y) {
  return pixelsToSpaces(Vector(static_cast<float>(x), static_cast<float>(y)));
}

} // namespace

Keyboard::Key Keyboard::fromSFML(sf::Keyboard::Key code) {
  for (const NamedKey& named : NAMED_KEYS) {
    if (named.sfml == code) {
      return named.key;
    }
  }
  return static_cast<Key>(static_cast<int>(code) + UNNAMED_KEY_OFFSET);
}

InputManager::InputManager() {
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
  sf::Window* p_window = graphics.getEventWindow();
  if (p_window) {
    // Holding a key gives one pressed event; held keys are sampled every frame instead.
    p_window->setKeyRepeatEnabled(false);
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
  sf::Window* p_window = GraphicsManager::getInstance().getEventWindow();
  if (p_window) {
    p_window->setKeyRepeatEnabled(true);
    log.writeLog(2, "InputManager::shutDown(): Keyboard repeat enabled.");
  }
  p_pause = nullptr;
  held_next = 0;
  Manager::shutDown();
  log.writeLog(1, "InputManager::shutDown(): successfully stopped.");
}

EventKeyboard InputManager::toEventKeyboard(const sf::Event::KeyEvent& key_event) {
  EventKeyboard event;
  const Keyboard::Key key = Keyboard::fromSFML(key_event.code);
  event.setKey(key);
  LogManager::getInstance().writeLog(15,
                                     "InputManager::toEventKeyboard(): Keyboard event '%c' (%d)",
                                     static_cast<char>(key), static_cast<int>(key_event.code));
  return event;
}

bool InputManager::handleEngineKey(const sf::Event& window_event) {
  if (window_event.type != sf::Event::KeyPressed && window_event.type != sf::Event::KeyReleased) {
    return false;
  }
  const sf::Keyboard::Key code = window_event.key.code;
  if (code != sf::Keyboard::F3 && code != sf::Keyboard::F12) {
    return false;
  }
  if (window_event.type == sf::Event::KeyPressed) {
    GraphicsManager& graphics = GraphicsManager::getInstance();
    if (code == sf::Keyboard::F12) {
      graphics.requestScreenshot();
    } else {
      graphics.toggleOverlay();
    }
  }
  return true;
}

void InputManager::handleWindowChange(const sf::Event& window_event) {
  // The window may have lost its contents, or the display drawn over them.
  if (window_event.type == sf::Event::Resized || window_event.type == sf::Event::GainedFocus ||
      window_event.type == sf::Event::LostFocus) {
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

void InputManager::replayInput(sf::Window* p_window) {
  GameManager& game = GameManager::getInstance();
  Recording& recording = game.getRecording();
  const int step = game.getStepCount();
  // The window's own input is ignored but for its close request and the engine's keys.
  sf::Event window_event;
  while (p_window && p_window->pollEvent(window_event)) {
    if (window_event.type == sf::Event::Closed) {
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

void InputManager::getInput() {
  const LogManager& log = LogManager::getInstance();
  sf::Window* p_window = GraphicsManager::getInstance().getEventWindow();
  if (p_pause) {
    if (!p_pause->pollResume()) {
      return;
    }
    // The keys that went down or up while paused were never seen here.
    p_pause = nullptr;
    rescan_all = true;
  }
  if (GameManager::getInstance().getRecording().isReplaying()) {
    replayInput(p_window);
    return;
  }
  if (!p_window) { // headless, there is no window and no input to take
    if (!Config::getInstance().headless) {
      log.writeLog("InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
    }
    return;
  }

  sf::Event window_event;
  while (p_window->pollEvent(window_event)) {
    handleWindowChange(window_event);
    if (handleEngineKey(window_event)) {
      continue;
    }
    switch (window_event.type) {
    case sf::Event::Closed:
      closeRequested();
      return;
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased: {
      if (window_event.key.code >= 0 && window_event.key.code < sf::Keyboard::KeyCount) {
        key_may_be_down[window_event.key.code] = window_event.type == sf::Event::KeyPressed;
      }
      EventKeyboard event = toEventKeyboard(window_event.key);
      event.setKeyboardAction(window_event.type == sf::Event::KeyPressed ? Keyboard::KEY_PRESSED
                                                                         : Keyboard::KEY_RELEASED);
      send(event);
      break;
    }
    case sf::Event::MouseMoved: {
      EventMouse event;
      event.setMouseAction(Mouse::MOVED);
      event.setMouseButton(Mouse::UNDEFINED_MOUSE_BUTTON);
      event.setMousePosition(cellsOf(window_event.mouseMove.x, window_event.mouseMove.y));
      send(event);
      break;
    }
    case sf::Event::GainedFocus:
      // Keys pressed elsewhere were not seen going down.
      rescan_all = true;
      break;
    case sf::Event::MouseButtonPressed: {
      if (window_event.mouseButton.button < sf::Mouse::ButtonCount) {
        button_may_be_down[window_event.mouseButton.button] = true;
      }
      EventMouse event;
      event.setMouseAction(Mouse::CLICKED);
      event.setMousePosition(cellsOf(window_event.mouseButton.x, window_event.mouseButton.y));
      // The button that went down, whether or not it is still down when the event is read.
      switch (window_event.mouseButton.button) {
      case sf::Mouse::Left:
        event.setMouseButton(Mouse::LEFT);
        break;
      case sf::Mouse::Right:
        event.setMouseButton(Mouse::RIGHT);
        break;
      case sf::Mouse::Middle:
        event.setMouseButton(Mouse::MIDDLE);
        break;
      default:
        event.setMouseButton(Mouse::UNDEFINED_MOUSE_BUTTON);
        break;
      }
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

  sendHeld(*p_window);
}

void InputManager::rescan() {
  rescan_all = true;
}

void InputManager::pause(Pause* p_new_pause) {
  p_pause = p_new_pause;
}

void InputManager::sendHeld(sf::Window& window) {
  const struct {
    sf::Mouse::Button sfml;
    Mouse::Button button;
  } buttons[] = {{sf::Mouse::Left, Mouse::LEFT},
                 {sf::Mouse::Right, Mouse::RIGHT},
                 {sf::Mouse::Middle, Mouse::MIDDLE}};
  constexpr std::size_t BUTTON_COUNT = sizeof(buttons) / sizeof(buttons[0]);
  // A scan that a pause stopped goes on after the event that paused the game.
  const std::size_t first = held_next;
  held_next = 0;
  EventMouse held;
  held.setMouseAction(Mouse::PRESSED);
  bool have_position = false;
  for (std::size_t i = first; i < BUTTON_COUNT; i++) {
    const auto& b = buttons[i];
    bool& maybe = button_may_be_down[b.sfml];
    if (!(maybe || rescan_all)) {
      continue;
    }
    maybe = sf::Mouse::isButtonPressed(b.sfml);
    if (maybe) {
      if (!have_position) {
        const sf::Vector2i pointer = sf::Mouse::getPosition(window);
        held.setMousePosition(cellsOf(pointer.x, pointer.y));
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
    const sf::Keyboard::Key code = sampled.sfml;
    if (code == sf::Keyboard::F3) {
      continue; // the engine's own key
    }
    bool& maybe = key_may_be_down[code];
    if (!(maybe || rescan_all)) {
      continue;
    }
    maybe = sf::Keyboard::isKeyPressed(code);
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

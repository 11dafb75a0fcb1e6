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

const char* const Keyboard::KEY_NAMES[KEY_COUNT] = {"SPACE",       "RETURN",
                                                    "ESCAPE",      "TAB",
                                                    "LEFTARROW",   "RIGHTARROW",
                                                    "UPARROW",     "DOWNARROW",
                                                    "PAUSE",       "MINUS",
                                                    "PLUS",        "TILDE",
                                                    "PERIOD",      "COMMA",
                                                    "SLASH",       "EQUAL",
                                                    "BACKSLASH",   "MULTIPLY",
                                                    "QUOTE",       "SEMICOLON",
                                                    "LEFTCONTROL", "RIGHTCONTROL",
                                                    "LEFTSHIFT",   "RIGHTSHIFT",
                                                    "F1",          "F2",
                                                    "F3",          "F4",
                                                    "F5",          "F6",
                                                    "F7",          "F8",
                                                    "F9",          "F10",
                                                    "F11",         "F12",
                                                    "A",           "B",
                                                    "C",           "D",
                                                    "E",           "F",
                                                    "G",           "H",
                                                    "I",           "J",
                                                    "K",           "L",
                                                    "M",           "N",
                                                    "O",           "P",
                                                    "Q",           "R",
                                                    "S",           "T",
                                                    "U",           "V",
                                                    "W",           "X",
                                                    "Y",           "Z",
                                                    "NUM1",        "NUM2",
                                                    "NUM3",        "NUM4",
                                                    "NUM5",        "NUM6",
                                                    "NUM7",        "NUM8",
                                                    "NUM9",        "NUM0",
                                                    "BACKSPACE"};

namespace {

struct KeyPair {
  sf::Keyboard::Key sfml;
  Keyboard::Key key;
};

// The named keys, in the order their held state is sampled each frame. F11 and F12 come
// last: they are named but not sampled.
const KeyPair SAMPLED_KEYS[] = {
    {sf::Keyboard::Up, Keyboard::UPARROW},
    {sf::Keyboard::Down, Keyboard::DOWNARROW},
    {sf::Keyboard::Left, Keyboard::LEFTARROW},
    {sf::Keyboard::Right, Keyboard::RIGHTARROW},
    {sf::Keyboard::Space, Keyboard::SPACE},
    {sf::Keyboard::Enter, Keyboard::RETURN},
    {sf::Keyboard::Tab, Keyboard::TAB},
    {sf::Keyboard::Escape, Keyboard::ESCAPE},
    {sf::Keyboard::Pause, Keyboard::PAUSE},
    {sf::Keyboard::Subtract, Keyboard::MINUS},
    {sf::Keyboard::Add, Keyboard::PLUS},
    {sf::Keyboard::Tilde, Keyboard::TILDE},
    {sf::Keyboard::Period, Keyboard::PERIOD},
    {sf::Keyboard::Comma, Keyboard::COMMA},
    {sf::Keyboard::Slash, Keyboard::SLASH},
    {sf::Keyboard::Equal, Keyboard::EQUAL},
    {sf::Keyboard::Backslash, Keyboard::BACKSLASH},
    {sf::Keyboard::Multiply, Keyboard::MULTIPLY},
    {sf::Keyboard::Quote, Keyboard::QUOTE},
    {sf::Keyboard::Semicolon, Keyboard::SEMICOLON},
    {sf::Keyboard::LControl, Keyboard::LEFTCONTROL},
    {sf::Keyboard::RControl, Keyboard::RIGHTCONTROL},
    {sf::Keyboard::LShift, Keyboard::LEFTSHIFT},
    {sf::Keyboard::RShift, Keyboard::RIGHTSHIFT},
    {sf::Keyboard::F1, Keyboard::F1},
    {sf::Keyboard::F2, Keyboard::F2},
    {sf::Keyboard::F3, Keyboard::F3},
    {sf::Keyboard::F4, Keyboard::F4},
    {sf::Keyboard::F5, Keyboard::F5},
    {sf::Keyboard::F6, Keyboard::F6},
    {sf::Keyboard::F7, Keyboard::F7},
    {sf::Keyboard::F8, Keyboard::F8},
    {sf::Keyboard::F9, Keyboard::F9},
    {sf::Keyboard::F10, Keyboard::F10},
    {sf::Keyboard::A, Keyboard::A},
    {sf::Keyboard::B, Keyboard::B},
    {sf::Keyboard::C, Keyboard::C},
    {sf::Keyboard::D, Keyboard::D},
    {sf::Keyboard::E, Keyboard::E},
    {sf::Keyboard::F, Keyboard::F},
    {sf::Keyboard::G, Keyboard::G},
    {sf::Keyboard::H, Keyboard::H},
    {sf::Keyboard::I, Keyboard::I},
    {sf::Keyboard::J, Keyboard::J},
    {sf::Keyboard::K, Keyboard::K},
    {sf::Keyboard::L, Keyboard::L},
    {sf::Keyboard::M, Keyboard::M},
    {sf::Keyboard::N, Keyboard::N},
    {sf::Keyboard::O, Keyboard::O},
    {sf::Keyboard::P, Keyboard::P},
    {sf::Keyboard::Q, Keyboard::Q},
    {sf::Keyboard::R, Keyboard::R},
    {sf::Keyboard::S, Keyboard::S},
    {sf::Keyboard::T, Keyboard::T},
    {sf::Keyboard::U, Keyboard::U},
    {sf::Keyboard::V, Keyboard::V},
    {sf::Keyboard::W, Keyboard::W},
    {sf::Keyboard::X, Keyboard::X},
    {sf::Keyboard::Y, Keyboard::Y},
    {sf::Keyboard::Z, Keyboard::Z},
    {sf::Keyboard::Num1, Keyboard::NUM1},
    {sf::Keyboard::Num2, Keyboard::NUM2},
    {sf::Keyboard::Num3, Keyboard::NUM3},
    {sf::Keyboard::Num4, Keyboard::NUM4},
    {sf::Keyboard::Num5, Keyboard::NUM5},
    {sf::Keyboard::Num6, Keyboard::NUM6},
    {sf::Keyboard::Num7, Keyboard::NUM7},
    {sf::Keyboard::Num8, Keyboard::NUM8},
    {sf::Keyboard::Num9, Keyboard::NUM9},
    {sf::Keyboard::Num0, Keyboard::NUM0},
    {sf::Keyboard::Backspace, Keyboard::BACKSPACE},
    {sf::Keyboard::F11, Keyboard::F11},
    {sf::Keyboard::F12, Keyboard::F12},
};

constexpr std::size_t KEY_COUNT = sizeof(SAMPLED_KEYS) / sizeof(SAMPLED_KEYS[0]);
constexpr std::size_t UNSAMPLED_KEYS = 2;

/// An unnamed key's number: its code moved past the named keys.
constexpr int UNNAMED_KEY_OFFSET = 97;

Vector cellsOf(int x, int y) {
  return pixelsToSpaces(Vector(static_cast<float>(x), static_cast<float>(y)));
}

} // namespace

Keyboard::Key Keyboard::fromSFML(sf::Keyboard::Key code) {
  for (const KeyPair& pair : SAMPLED_KEYS) {
    if (pair.sfml == code) {
      return pair.key;
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
        "InputManager::getInput(): The recording ends at step %d, and the game has not.",
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

  for (std::size_t i = first > BUTTON_COUNT ? first - BUTTON_COUNT : 0;
       i < KEY_COUNT - UNSAMPLED_KEYS; i++) {
    const sf::Keyboard::Key code = SAMPLED_KEYS[i].sfml;
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
      event.setKey(SAMPLED_KEYS[i].key);
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

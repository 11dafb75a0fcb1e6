#include "WebInput.h"

#include <emscripten/emscripten.h>

#include <cstring>

namespace tw {

namespace {

// The canvas's rectangle on the page, so that a position in the page's client area becomes
// one in the canvas's pixels however the page lays it out.
EM_JS(void, canvasRect, (double* p_rect), {
  var canvas = Module['canvas'] || document.getElementById('canvas');
  var rect = canvas ? canvas.getBoundingClientRect() : {left : 0, top : 0, width : 0, height : 0};
  HEAPF64[p_rect >> 3] = rect.left;
  HEAPF64[(p_rect >> 3) + 1] = rect.top;
  HEAPF64[(p_rect >> 3) + 2] = rect.width;
  HEAPF64[(p_rect >> 3) + 3] = rect.height;
});

struct KeyName {
  const char* dom_code;
  int code;
};

// The keys whose DOM names do not follow a numbered pattern.
constexpr KeyName NAMED_KEYS[] = {
    {"Escape", KeyCode::ESCAPE},
    {"ControlLeft", KeyCode::LCONTROL},
    {"ShiftLeft", KeyCode::LSHIFT},
    {"AltLeft", KeyCode::LALT},
    {"MetaLeft", KeyCode::LSYSTEM},
    {"OSLeft", KeyCode::LSYSTEM},
    {"ControlRight", KeyCode::RCONTROL},
    {"ShiftRight", KeyCode::RSHIFT},
    {"AltRight", KeyCode::RALT},
    {"MetaRight", KeyCode::RSYSTEM},
    {"OSRight", KeyCode::RSYSTEM},
    {"ContextMenu", KeyCode::MENU},
    {"BracketLeft", KeyCode::LBRACKET},
    {"BracketRight", KeyCode::RBRACKET},
    {"Semicolon", KeyCode::SEMICOLON},
    {"Comma", KeyCode::COMMA},
    {"Period", KeyCode::PERIOD},
    {"Quote", KeyCode::QUOTE},
    {"Slash", KeyCode::SLASH},
    {"Backslash", KeyCode::BACKSLASH},
    {"Backquote", KeyCode::TILDE},
    {"Equal", KeyCode::EQUAL},
    {"Minus", KeyCode::HYPHEN},
    {"Space", KeyCode::SPACE},
    {"Enter", KeyCode::ENTER},
    {"NumpadEnter", KeyCode::ENTER},
    {"Backspace", KeyCode::BACKSPACE},
    {"Tab", KeyCode::TAB},
    {"PageUp", KeyCode::PAGEUP},
    {"PageDown", KeyCode::PAGEDOWN},
    {"End", KeyCode::END},
    {"Home", KeyCode::HOME},
    {"Insert", KeyCode::INSERT},
    {"Delete", KeyCode::DEL},
    {"NumpadAdd", KeyCode::ADD},
    {"NumpadSubtract", KeyCode::SUBTRACT},
    {"NumpadMultiply", KeyCode::MULTIPLY},
    {"NumpadDivide", KeyCode::DIVIDE},
    {"ArrowLeft", KeyCode::LEFT},
    {"ArrowRight", KeyCode::RIGHT},
    {"ArrowUp", KeyCode::UP},
    {"ArrowDown", KeyCode::DOWN},
    {"Pause", KeyCode::PAUSE},
};

/// The number after prefix in name when nothing else follows it, or -1.
int numberAfter(const char* name, const char* prefix) {
  const std::size_t length = std::strlen(prefix);
  if (std::strncmp(name, prefix, length) != 0 || name[length] == '\0') {
    return -1;
  }
  int number = 0;
  for (const char* p = name + length; *p != '\0'; p++) {
    if (*p < '0' || *p > '9' || number > 99) {
      return -1;
    }
    number = number * 10 + (*p - '0');
  }
  return number;
}

// Keys the browser keeps: reload, full screen and its developer tools, and any shortcut with
// Control or Meta held. The page's default for other keys (scrolling, quick find) is stopped.
bool browserKeeps(const EmscriptenKeyboardEvent& event, int code) {
  return event.ctrlKey || event.metaKey || code == KeyCode::F5 || code == KeyCode::F11 ||
         code == KeyCode::F12;
}

int buttonOf(unsigned short dom_button) {
  switch (dom_button) {
  case 0:
    return ButtonCode::LEFT;
  case 1:
    return ButtonCode::MIDDLE;
  case 2:
    return ButtonCode::RIGHT;
  default:
    return ButtonCode::UNKNOWN;
  }
}

} // namespace

int WebInput::keyCodeOf(const char* dom_code) {
  if (dom_code == nullptr) {
    return KeyCode::UNKNOWN;
  }
  if (std::strncmp(dom_code, "Key", 3) == 0 && dom_code[3] >= 'A' && dom_code[3] <= 'Z' &&
      dom_code[4] == '\0') {
    return KeyCode::A + (dom_code[3] - 'A');
  }
  const struct {
    const char* prefix;
    int first;
    int last; ///< the highest number that maps
    int base; ///< the code of number 0 (or 1 for the function keys)
  } numbered[] = {{"Digit", 0, 9, KeyCode::NUM0},
                  {"Numpad", 0, 9, KeyCode::NUMPAD0},
                  {"F", 1, 15, KeyCode::F1 - 1}};
  for (const auto& row : numbered) {
    const int number = numberAfter(dom_code, row.prefix);
    if (number >= row.first && number <= row.last) {
      return row.base + number;
    }
  }
  for (const KeyName& key : NAMED_KEYS) {
    if (std::strcmp(dom_code, key.dom_code) == 0) {
      return key.code;
    }
  }
  return KeyCode::UNKNOWN;
}

WebInput::~WebInput() {
  detach();
}

void WebInput::attach(int width, int height) {
  canvas_width = width;
  canvas_height = height;
  if (attached) {
    return;
  }
  attached = true;
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, this, true, onKey);
  emscripten_set_keyup_callback(window, this, true, onKey);
  // Presses count on the canvas alone; moves and releases anywhere, so that a drag that
  // leaves the canvas still ends.
  emscripten_set_mousedown_callback("#canvas", this, true, onMouse);
  emscripten_set_mousemove_callback(window, this, true, onMouse);
  emscripten_set_mouseup_callback(window, this, true, onMouse);
  emscripten_set_focus_callback(window, this, false, onFocus);
  emscripten_set_blur_callback(window, this, false, onFocus);
  emscripten_set_beforeunload_callback(this, onUnload);
}

void WebInput::detach() {
  if (!attached) {
    return;
  }
  attached = false;
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, nullptr, true, nullptr);
  emscripten_set_keyup_callback(window, nullptr, true, nullptr);
  emscripten_set_mousedown_callback("#canvas", nullptr, true, nullptr);
  emscripten_set_mousemove_callback(window, nullptr, true, nullptr);
  emscripten_set_mouseup_callback(window, nullptr, true, nullptr);
  emscripten_set_focus_callback(window, nullptr, false, nullptr);
  emscripten_set_blur_callback(window, nullptr, false, nullptr);
  emscripten_set_beforeunload_callback(nullptr, nullptr);
  events.clear();
  keys.reset();
  buttons.reset();
}

bool WebInput::pollEvent(WindowEvent& event) {
  if (events.empty()) {
    return false;
  }
  event = events.front();
  events.pop_front();
  return true;
}

bool WebInput::isKeyHeld(int code) {
  return code >= 0 && code < KeyCode::COUNT && keys.test(static_cast<std::size_t>(code));
}

bool WebInput::isButtonHeld(int button) {
  return button >= 0 && button < ButtonCode::COUNT &&
         buttons.test(static_cast<std::size_t>(button));
}

void WebInput::pointer(int& x, int& y) {
  x = pointer_x;
  y = pointer_y;
}

void WebInput::push(WindowEvent::Type type, int code, int button) {
  WindowEvent event;
  event.type = type;
  event.code = code;
  event.button = button;
  event.x = pointer_x;
  event.y = pointer_y;
  events.push_back(event);
}

bool WebInput::toCanvas(const EmscriptenMouseEvent& event, int& x, int& y) const {
  double rect[4] = {0, 0, 0, 0};
  canvasRect(rect);
  const double scale_x = rect[2] > 0 ? canvas_width / rect[2] : 1.0;
  const double scale_y = rect[3] > 0 ? canvas_height / rect[3] : 1.0;
  const double px = (static_cast<double>(event.clientX) - rect[0]) * scale_x;
  const double py = (static_cast<double>(event.clientY) - rect[1]) * scale_y;
  x = static_cast<int>(px < 0 ? px - 1.0 : px); // toward minus infinity for the left edge
  y = static_cast<int>(py < 0 ? py - 1.0 : py);
  return x >= 0 && y >= 0 && x < canvas_width && y < canvas_height;
}

EM_BOOL WebInput::onKey(int type, const EmscriptenKeyboardEvent* p_event, void* p_input) {
  WebInput& input = *static_cast<WebInput*>(p_input);
  const int code = keyCodeOf(p_event->code);
  const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
  if (code != KeyCode::UNKNOWN) {
    input.keys.set(static_cast<std::size_t>(code), down);
  }
  if (!down || !p_event->repeat || input.key_repeat) {
    input.push(down ? WindowEvent::KEY_PRESSED : WindowEvent::KEY_RELEASED, code,
               ButtonCode::UNKNOWN);
  }
  return code != KeyCode::UNKNOWN && !browserKeeps(*p_event, code);
}

EM_BOOL WebInput::onMouse(int type, const EmscriptenMouseEvent* p_event, void* p_input) {
  WebInput& input = *static_cast<WebInput*>(p_input);
  int x = 0;
  int y = 0;
  const bool inside = input.toCanvas(*p_event, x, y);
  const int button = buttonOf(p_event->button);
  const bool known = button != ButtonCode::UNKNOWN;
  input.pointer_x = x;
  input.pointer_y = y;
  switch (type) {
  case EMSCRIPTEN_EVENT_MOUSEDOWN:
    if (known) {
      input.buttons.set(static_cast<std::size_t>(button));
    }
    input.push(WindowEvent::BUTTON_PRESSED, KeyCode::UNKNOWN, button);
    return EM_FALSE; // the page still focuses the canvas
  case EMSCRIPTEN_EVENT_MOUSEUP:
    if (known && input.buttons.test(static_cast<std::size_t>(button))) {
      input.buttons.reset(static_cast<std::size_t>(button));
      input.push(WindowEvent::BUTTON_RELEASED, KeyCode::UNKNOWN, button);
    }
    return EM_FALSE;
  default:
    if (inside || input.buttons.any()) {
      input.push(WindowEvent::MOUSE_MOVED, KeyCode::UNKNOWN, ButtonCode::UNKNOWN);
    }
    return EM_FALSE;
  }
}

EM_BOOL WebInput::onFocus(int type, const EmscriptenFocusEvent*, void* p_input) {
  WebInput& input = *static_cast<WebInput*>(p_input);
  if (type == EMSCRIPTEN_EVENT_BLUR) {
    // Keys let go of elsewhere send no release here.
    input.keys.reset();
    input.buttons.reset();
    input.push(WindowEvent::FOCUS_LOST, KeyCode::UNKNOWN, ButtonCode::UNKNOWN);
  } else {
    input.push(WindowEvent::FOCUS_GAINED, KeyCode::UNKNOWN, ButtonCode::UNKNOWN);
  }
  return EM_FALSE;
}

const char* WebInput::onUnload(int, const void*, void* p_input) {
  static_cast<WebInput*>(p_input)->push(WindowEvent::CLOSED, KeyCode::UNKNOWN, ButtonCode::UNKNOWN);
  return nullptr; // no question to the user
}

} // namespace tw

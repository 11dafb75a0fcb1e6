#pragma once

#include "InputSource.h"

#include <emscripten/html5.h>

#include <bitset>
#include <deque>

namespace tw {

/// The page's keyboard, mouse, focus and unloading as window events. Keys are told apart by
/// the DOM's physical key codes, mapped to the desktop's key numbers, so that a session
/// recorded in a browser replays on the desktop and the other way round.
class WebInput : public InputSource {
public:
  WebInput() = default;
  ~WebInput() override;
  WebInput(const WebInput&) = delete;
  WebInput& operator=(const WebInput&) = delete;

  /// Listens to the page; the pointer is reported in pixels of a canvas of width x height.
  void attach(int width, int height);
  /// Stops listening and forgets what was held.
  void detach();

  bool pollEvent(WindowEvent& event) override;
  bool isKeyHeld(int code) override;
  bool isButtonHeld(int button) override;
  void pointer(int& x, int& y) override;
  void setKeyRepeat(bool on) override { key_repeat = on; }

  /// The KeyCode of a KeyboardEvent.code ("KeyA", "ArrowLeft"); UNKNOWN for others.
  static int keyCodeOf(const char* dom_code);

private:
  static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* p_event, void* p_input);
  static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* p_event, void* p_input);
  static EM_BOOL onFocus(int type, const EmscriptenFocusEvent* p_event, void* p_input);
  static const char* onUnload(int type, const void* p_reserved, void* p_input);
  /// Client coordinates to canvas pixels; false when outside the canvas.
  bool toCanvas(const EmscriptenMouseEvent& event, int& x, int& y) const;
  void push(WindowEvent::Type type, int code, int button);

  std::deque<WindowEvent> events;
  std::bitset<KeyCode::COUNT> keys;
  std::bitset<ButtonCode::COUNT> buttons;
  int pointer_x = 0;
  int pointer_y = 0;
  int canvas_width = 0;
  int canvas_height = 0;
  bool key_repeat = true;
  bool attached = false;
};

} // namespace tw

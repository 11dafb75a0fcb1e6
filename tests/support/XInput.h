#pragma once

#include <string>

namespace twtest {

/// Real X input for a window of this process, sent through the XTest extension on a
/// connection of its own to the display the window is on.
class XInput {
public:
  XInput();
  ~XInput();
  XInput(const XInput&) = delete;
  XInput& operator=(const XInput&) = delete;

  /// False when the display or the XTest extension cannot be had.
  bool isReady() const { return p_display != nullptr; }

  /// Gives window the keyboard focus and raises it.
  void focus(unsigned long window);
  /// Puts the pointer at pixel (x, y) of window.
  void moveTo(unsigned long window, int x, int y);
  /// Button 1 is the left, 2 the middle and 3 the right button.
  void button(int number, bool down);
  /// Presses or releases the key of a keysym name such as "a", "Return" or "KP_Add"; false
  /// when the keyboard map has no key for it.
  bool key(const std::string& keysym, bool down);
  /// Asks the window to close, as a window manager's close button does.
  void requestClose(unsigned long window);
  /// Waits until the display has handled everything sent.
  void sync();

private:
  void* p_display = nullptr;
};

} // namespace twtest

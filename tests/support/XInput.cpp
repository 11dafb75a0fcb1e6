#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace twtest {

#define DPY static_cast<Display*>(p_display)

XInput::XInput() {
  Display* p = XOpenDisplay(nullptr);
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (p && !XTestQueryExtension(p, &event_base, &error_base, &major, &minor)) {
    XCloseDisplay(p);
    p = nullptr;
  }
  p_display = p;
}

XInput::~XInput() {
  if (p_display) {
    XCloseDisplay(DPY);
  }
}

void XInput::sync() {
  XSync(DPY, False);
}

void XInput::focus(unsigned long window) {
  XRaiseWindow(DPY, window);
  XSetInputFocus(DPY, window, RevertToPointerRoot, CurrentTime);
  sync();
}

void XInput::moveTo(unsigned long window, int x, int y) {
  int root_x = 0, root_y = 0;
  ::Window child = 0;
  XTranslateCoordinates(DPY, window, DefaultRootWindow(DPY), x, y, &root_x, &root_y, &child);
  XTestFakeMotionEvent(DPY, DefaultScreen(DPY), root_x, root_y, CurrentTime);
  sync();
}

void XInput::button(int number, bool down) {
  XTestFakeButtonEvent(DPY, static_cast<unsigned>(number), down ? True : False, CurrentTime);
  sync();
}

bool XInput::key(const std::string& keysym, bool down) {
  const KeySym sym = XStringToKeysym(keysym.c_str());
  const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(DPY, sym);
  if (code == 0) {
    return false;
  }
  XTestFakeKeyEvent(DPY, code, down ? True : False, CurrentTime);
  sync();
  return true;
}

void XInput::requestClose(unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(DPY, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(DPY, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(DPY, window, False, NoEventMask, &event);
  sync();
}

} // namespace twtest

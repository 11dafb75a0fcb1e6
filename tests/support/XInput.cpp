#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace twtest {

namespace {

Display* asDisplay(void* p) {
  return static_cast<Display*>(p);
}

} // namespace

XInput::XInput() {
  Display* p = XOpenDisplay(nullptr);
  if (!p) {
    return;
  }
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(p, &event_base, &error_base, &major, &minor)) {
    XCloseDisplay(p);
    return;
  }
  p_display = p;
}

XInput::~XInput() {
  if (p_display) {
    XCloseDisplay(asDisplay(p_display));
  }
}

void XInput::sync() {
  XSync(asDisplay(p_display), False);
}

void XInput::focus(unsigned long window) {
  Display* p = asDisplay(p_display);
  XRaiseWindow(p, window);
  XSetInputFocus(p, window, RevertToPointerRoot, CurrentTime);
  sync();
}

void XInput::moveTo(unsigned long window, int x, int y) {
  Display* p = asDisplay(p_display);
  int root_x = 0;
  int root_y = 0;
  ::Window child = 0;
  XTranslateCoordinates(p, window, DefaultRootWindow(p), x, y, &root_x, &root_y, &child);
  XTestFakeMotionEvent(p, DefaultScreen(p), root_x, root_y, CurrentTime);
  sync();
}

void XInput::button(int number, bool down) {
  Display* p = asDisplay(p_display);
  XTestFakeButtonEvent(p, static_cast<unsigned>(number), down ? True : False, CurrentTime);
  sync();
}

bool XInput::key(const std::string& keysym, bool down) {
  Display* p = asDisplay(p_display);
  const KeySym sym = XStringToKeysym(keysym.c_str());
  if (sym == NoSymbol) {
    return false;
  }
  const KeyCode code = XKeysymToKeycode(p, sym);
  if (code == 0) {
    return false;
  }
  XTestFakeKeyEvent(p, code, down ? True : False, CurrentTime);
  sync();
  return true;
}

void XInput::requestClose(unsigned long window) {
  Display* p = asDisplay(p_display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(p, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(p, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(p, window, False, NoEventMask, &event);
  sync();
}

} // namespace twtest

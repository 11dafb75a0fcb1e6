#pragma once

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "Object.h"

#include <string>

/// The player's bat on one wall of the arena; it also draws the arena frame and handles the
/// escape key and the key E.
class Paddle : public tw::Object {
public:
  Paddle(int side, const std::string& sprite_label);
  int eventHandler(const tw::Event* p_event) override;
  void keyboard(const tw::EventKeyboard* p_keyboard_event);
  void mouse(const tw::EventMouse* p_mouse_event);
  /// Moves to p when the whole box stays inside the boundary; otherwise stays put.
  void move(tw::Vector p);
  int getSide() const { return side; }

private:
  bool isHorizontal() const;

  int side;
};

#pragma once

#include "Button.h"
#include "Color.h"

#include <string>

/// A line of text. Bordered ones are the menu's mode entries: they light up under the mouse
/// and start their mode when pressed. Q held while any text is shown quits.
class Text : public tw::Button {
public:
  Text(tw::Color color, bool border, const std::string& text, tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
  void onClick() override;
  void mouse(const tw::EventMouse* p_mouse_event);
};

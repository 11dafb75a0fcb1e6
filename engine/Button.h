#pragma once

#include "EventMouse.h"
#include "ViewObject.h"

namespace tw {

/// Indexes of the button's own modified flags.
enum ButtonAttribute {
  BUTTON_HIGHLIGHT_COLOR = 0,
  BUTTON_DEFAULT_COLOR,
};

constexpr int BUTTON_ATTR_COUNT = 2;

/// A view object that lights up under the mouse and calls onClick when clicked.
class Button : public ViewObject {
public:
  Button();

  int eventHandler(const Event* p_event) override;
  std::string serialize(bool all = false) override;
  int deserialize(std::string record) override;
  bool isModified() const override;
  using ViewObject::isModified;
  /// Called on a click over the button.
  virtual void onClick() = 0;
  virtual bool isModified(ButtonAttribute attribute) const;

  /// True when the event's position lies on the button's label (and border), edges included.
  bool isMouseOver(const EventMouse* p_mouse_event) const;

  void setHighlightColor(Color new_color);
  Color getHighlightColor() const { return highlight_color; }
  void setDefaultColor(Color new_color);
  Color getDefaultColor() const { return default_color; }

private:
  Color highlight_color = RED;
  Color default_color = WHITE;
  bool button_modified[BUTTON_ATTR_COUNT] = {true, true};
};

} // namespace tw

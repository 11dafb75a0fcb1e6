#pragma once

#include "EventMouse.h"
#include "ViewObject.h"

namespace tw {

/// Indexes of the button's own modified flags.
enum ButtonAttribute {
  BUTTON_HIGHLIGHT_COLOR = 0, ///< the highlight colour
  BUTTON_DEFAULT_COLOR,       ///< the default colour
};

/// Number of ButtonAttribute values.
constexpr int BUTTON_ATTR_COUNT = 2;

/// A view object that lights up under the mouse and calls onClick when clicked.
class Button : public ViewObject {
public:
  /// A bordered button labelled "button" at CENTER_CENTER, without its value, taking mouse
  /// events.
  Button();

  /// A mouse event lights the button while over it and clicks it (1); other events 0.
  int eventHandler(const Event* p_event) override;
  std::string serialize(bool all = false) override;
  int deserialize(std::string record) override;
  bool isModified() const override;
  using ViewObject::isModified;
  /// Called on a click over the button.
  virtual void onClick() = 0;
  /// True when that colour changed since the last serialize; attribute must be valid.
  virtual bool isModified(ButtonAttribute attribute) const;

  /// True when the event's position lies on the button's label (and border), edges included.
  bool isMouseOver(const EventMouse* p_mouse_event) const;

  /// Sets the colour shown while the mouse is over the button.
  void setHighlightColor(Color new_color);
  /// The colour shown while the mouse is over the button.
  Color getHighlightColor() const { return highlight_color; }
  /// Sets the colour shown while the mouse is not over the button.
  void setDefaultColor(Color new_color);
  /// The colour shown while the mouse is not over the button.
  Color getDefaultColor() const { return default_color; }

private:
  Color highlight_color = RED;
  Color default_color = WHITE;
  bool button_modified[BUTTON_ATTR_COUNT] = {true, true};
};

} // namespace tw

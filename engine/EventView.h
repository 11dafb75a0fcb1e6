#pragma once

#include "Event.h"

#include <string>

namespace tw {

/// Changes the value of the view objects whose label equals the tag: added when delta, else set.
class EventView : public Event {
public:
  /// An event of type VIEW_EVENT for the view objects labelled init_tag.
  EventView(std::string init_tag, int init_value, bool init_delta);

  /// The label of the view objects the event is for.
  std::string getTag() const { return tag; }
  /// The tag without a copy.
  const std::string& tagRef() const { return tag; }
  /// The number added to the view object's value, or put in its place.
  int getValue() const { return value; }
  /// True when the value is added to the view object's, false when it replaces it.
  bool getDelta() const { return delta; }

private:
  std::string tag;
  int value;
  bool delta;
};

} // namespace tw

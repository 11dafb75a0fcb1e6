#pragma once

#include "Event.h"

#include <string>

namespace tw {

/// Changes the value of the view objects whose label equals the tag: added when delta, else set.
class EventView : public Event {
public:
  EventView(std::string init_tag, int init_value, bool init_delta);

  std::string getTag() const { return tag; }
  const std::string& tagRef() const { return tag; }
  int getValue() const { return value; }
  bool getDelta() const { return delta; }

private:
  std::string tag;
  int value;
  bool delta;
};

} // namespace tw

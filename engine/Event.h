#pragma once

#include <string>

namespace tw {

extern const std::string UNDEFINED_EVENT;
extern const std::string STEP_EVENT;
extern const std::string COLLISION_EVENT;
extern const std::string OUT_EVENT;
extern const std::string KEYBOARD_EVENT;
extern const std::string MOUSE_EVENT;
extern const std::string VIEW_EVENT;
extern const std::string PATH_EVENT;

/// A value handed to an object's eventHandler for one delivery; told apart by its type string.
class Event {
public:
  Event();
  virtual ~Event();

  void setType(std::string new_type) { event_type = std::move(new_type); }
  std::string getType() const { return event_type; }
  /// True when the type equals t, without copying the type string.
  bool isType(const std::string& t) const { return event_type == t; }

private:
  std::string event_type;
};

} // namespace tw

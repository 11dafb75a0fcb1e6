#pragma once

#include <string>

namespace tw {

/// "tw::undefined": the type of a plain Event.
extern const std::string UNDEFINED_EVENT;
/// "tw::step": EventStep, sent by the game manager once a frame.
extern const std::string STEP_EVENT;
/// "tw::collision": EventCollision, sent by the world manager to both objects.
extern const std::string COLLISION_EVENT;
/// "tw::out": EventOut, sent by the world manager to an object leaving the boundary.
extern const std::string OUT_EVENT;
/// "tw::keyboard": EventKeyboard, sent by the input manager.
extern const std::string KEYBOARD_EVENT;
/// "tw::mouse": EventMouse, sent by the input manager.
extern const std::string MOUSE_EVENT;
/// "tw::view": EventView, sent through the world manager to view objects.
extern const std::string VIEW_EVENT;
/// "tw::path": EventPath, sent by the path manager to the object that asked.
extern const std::string PATH_EVENT;

/// A value handed to an object's eventHandler for one delivery; told apart by its type string.
class Event {
public:
  /// An event of type UNDEFINED_EVENT.
  Event();
  virtual ~Event();

  /// Replaces the type string.
  void setType(std::string new_type) { event_type = std::move(new_type); }
  /// The type string, such as STEP_EVENT, that tells which class to cast to.
  std::string getType() const { return event_type; }
  /// True when the type equals t, without copying the type string.
  bool isType(const std::string& t) const { return event_type == t; }

private:
  std::string event_type;
};

} // namespace tw

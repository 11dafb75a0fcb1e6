#include "Event.h"

namespace tw {

const std::string UNDEFINED_EVENT = "tw::undefined";
const std::string STEP_EVENT = "tw::step";
const std::string COLLISION_EVENT = "tw::collision";
const std::string OUT_EVENT = "tw::out";
const std::string KEYBOARD_EVENT = "tw::keyboard";
const std::string MOUSE_EVENT = "tw::mouse";
const std::string VIEW_EVENT = "tw::view";
const std::string PATH_EVENT = "tw::path";

// The literal, not UNDEFINED_EVENT: an event may be built during another unit's static start-up.
Event::Event() : event_type("tw::undefined") {}

Event::~Event() = default;

} // namespace tw

#pragma once

#include "Event.h"

namespace tw {

/// Sent to an object whose box has just left the world boundary completely.
class EventOut : public Event {
public:
  /// An event of type OUT_EVENT.
  EventOut();
};

} // namespace tw

#pragma once

#include "Event.h"

namespace tw {

/// Sent once a frame by the game manager to the objects registered for STEP_EVENT.
class EventStep : public Event {
public:
  /// An event of type STEP_EVENT for frame init_step_count.
  explicit EventStep(int init_step_count);
  /// Number of the frame, counted from 0 when the game loop started.
  int getStepCount() const { return step_count; }

private:
  int step_count;
};

} // namespace tw

#pragma once

#include "Event.h"

namespace tw {

class EventStep : public Event {
public:
  explicit EventStep(int init_step_count);
  int getStepCount() const { return step_count; }

private:
  int step_count;
};

} // namespace tw

#pragma once

#include "ViewObject.h"

/// Counts a timed game down from 120, one every 30 frames, and ends it at 0 or on T.
class Timer : public tw::ViewObject {
public:
  explicit Timer(tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
};

#pragma once

#include "ViewObject.h"

/// Shows a number and publishes it as the score; the high score of the run follows it.
class Points : public tw::ViewObject {
public:
  Points(int value, bool border, tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
};

#pragma once

#include "Object.h"

/// A blue dot that follows the mouse pointer.
class Reticle : public tw::Object {
public:
  Reticle();
  int eventHandler(const tw::Event* p_event) override;
  void draw() override;
};

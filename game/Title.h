#pragma once

#include "Object.h"

/// The game's title in the menu; the menu ball bounces off it.
class Title : public tw::Object {
public:
  explicit Title(tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
};

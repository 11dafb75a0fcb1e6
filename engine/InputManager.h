#pragma once

#include "Manager.h"

namespace tw {

/// Turns the window's keyboard and mouse input into keyboard and mouse events.
class InputManager : public Manager {
public:
  static InputManager& getInstance();

  bool isValid(std::string event_type) const override;
  int startUp() override;
  void shutDown() override;
  /// Reads the window's events and the held keys and buttons; once per frame.
  void getInput();

private:
  InputManager();
};

} // namespace tw

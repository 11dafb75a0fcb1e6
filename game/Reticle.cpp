#include "Reticle.h"

#include "EventMouse.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "WorldManager.h"

namespace {
// The centred dot of the Latin-1 character set.
constexpr char RETICLE_CHAR = static_cast<char>(0xB7);
} // namespace

Reticle::Reticle() {
  setType("Reticle");
  setSolidness(tw::SPECTRAL);
  setAltitude(4);
  registerInterest(tw::MOUSE_EVENT);
  const tw::Box boundary = tw::WorldManager::getInstance().getBoundary();
  setPosition(tw::Vector(boundary.getHorizontal() * 0.5f, boundary.getVertical() * 0.5f));
  draw();
}

int Reticle::eventHandler(const tw::Event* p_event) {
  if (p_event->isType(tw::MOUSE_EVENT)) {
    const auto* p_mouse_event = static_cast<const tw::EventMouse*>(p_event);
    if (p_mouse_event->getMouseAction() == tw::Mouse::MOVED) {
      setPosition(p_mouse_event->getMousePosition());
      return 1;
    }
  }
  return 0;
}

void Reticle::draw() {
  tw::GraphicsManager::getInstance().drawCharacter(RETICLE_CHAR, tw::BLUE, getPosition());
}

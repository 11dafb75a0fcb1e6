#include "SfmlWindow.h"

#include "GraphicsManager.h"
#include "SfmlRenderer.h"

namespace tw {
namespace sfml {

sf::RenderWindow* getWindow() {
  Renderer* p_renderer = GraphicsManager::getInstance().drawDirectly();
  return p_renderer ? static_cast<SfmlRenderer*>(p_renderer)->getWindow() : nullptr;
}

} // namespace sfml
} // namespace tw

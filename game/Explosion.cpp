#include "Explosion.h"

#include "shared.h"

#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

Explosion::Explosion() {
  // Spectral even without its picture, so that nothing ever bounces off an explosion.
  setType("Explosion");
  setSolidness(tw::SPECTRAL);
  setAltitude(2);
  registerInterest(tw::STEP_EVENT);
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite("explosion");
  if (!p_sprite) {
    // Without a picture there is nothing to show: time_to_live 0 ends it on its first step.
    tw::LogManager::getInstance().writeLog("Explosion::Explosion(): Warning! Sprite '%s' not found",
                                           "explosion");
    return;
  }
  setSprite(p_sprite);
  time_to_live = p_sprite->getFrameCount();
}

int Explosion::eventHandler(const tw::Event* p_event) {
  if (!p_event->isType(tw::STEP_EVENT)) {
    return 0;
  }
  time_to_live--;
  if (time_to_live <= 0) {
    tw::WorldManager::getInstance().markForDelete(this);
  }
  return 1;
}

void explode(tw::Object* p_o) {
  auto* p_explosion = new Explosion;
  p_explosion->setPosition(p_o->getPosition());
  playSound("explode");
  tw::WorldManager::getInstance().markForDelete(p_o);
}

void explodeAll(tw::ObjectList list) {
  for (int i = 0; i < list.getCount(); i++) {
    explode(list.at(i));
  }
}

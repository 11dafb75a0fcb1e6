#include "Title.h"

#include "LogManager.h"
#include "ResourceManager.h"

Title::Title(tw::Vector position) {
  setType("Title");
  setPosition(position);
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite("title");
  if (!p_sprite) {
    tw::LogManager::getInstance().writeLog("Title::Title(): Warning, sprite '%s' not found",
                                           "title");
    return;
  }
  setSprite(p_sprite);
  setCentered(false);
}

int Title::eventHandler(const tw::Event*) {
  return 0;
}

#include "shared.h"

#include "Mode.h"

#include "EventView.h"
#include "GraphicsManager.h"
#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "ViewObject.h"
#include "WorldManager.h"

namespace {

struct Resource {
  enum Kind { SPRITE, SOUND, MUSIC } kind;
  const char* label;
  const char* file;
};

const Resource resources[] = {
    {Resource::SPRITE, "title", "sprites/title-spr.txt"},
    {Resource::SPRITE, "explosion", "sprites/explosion-spr.txt"},
    {Resource::SPRITE, "paddleh", "sprites/paddleh-spr.txt"},
    {Resource::SPRITE, "paddlev", "sprites/paddlev-spr.txt"},
    {Resource::SPRITE, "ball", "sprites/ball-spr.txt"},
    {Resource::SPRITE, "brick-default", "sprites/brick-default-spr.txt"},
    {Resource::SPRITE, "brick-strong", "sprites/brick-strong-spr.txt"},
    {Resource::SPRITE, "brick-super", "sprites/brick-super-spr.txt"},
    {Resource::SPRITE, "brick-moving", "sprites/brick-moving-spr.txt"},
    {Resource::SOUND, "exit", "sounds/exit.wav"},
    {Resource::SOUND, "explode", "sounds/explode.wav"},
    {Resource::SOUND, "lose", "sounds/lose.wav"},
    {Resource::SOUND, "paddle-bounce", "sounds/paddle-bounce.wav"},
    {Resource::SOUND, "time", "sounds/time.wav"},
    {Resource::SOUND, "wall-bounce", "sounds/wall-bounce.wav"},
    {Resource::SOUND, "win", "sounds/win.wav"},
    {Resource::MUSIC, "advanced", "sounds/advanced.wav"},
    {Resource::MUSIC, "menu", "sounds/menu.wav"},
    {Resource::MUSIC, "timed", "sounds/timed.wav"},
};

} // namespace

void loadResources() {
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  for (const Resource& r : resources) {
    switch (r.kind) {
    case Resource::SPRITE:
      rm.loadSprite(r.file, r.label);
      break;
    case Resource::SOUND:
      rm.loadSound(r.file, r.label);
      break;
    case Resource::MUSIC:
      rm.loadMusic(r.file, r.label);
      break;
    }
  }
}

void setArenaBoundary(float x, float y, float dw, float dh) {
  tw::WorldManager::getInstance().setBoundary(tw::Box(tw::Vector(x, y), 80 + dw, 40 + dh));
}

void drawArenaFrame() {
  const tw::Box boundary = tw::WorldManager::getInstance().getBoundary();
  const float x0 = boundary.getCorner().getX();
  const float y0 = boundary.getCorner().getY();
  const float w = boundary.getHorizontal();
  const float h = boundary.getVertical();
  const int mode = Mode::getInstance().mode;
  tw::GraphicsManager& graphics = tw::GraphicsManager::getInstance();

  const char side = mode == ADVANCED ? '*' : '|';
  const tw::Color side_color = mode == ADVANCED ? tw::RED : tw::GREEN;
  for (float y = y0; y < y0 + h + 2; y++) {
    graphics.drawCharacter(side, side_color, tw::Vector(x0 - 1, y));
    graphics.drawCharacter(side, side_color, tw::Vector(x0 + w + 1, y));
  }
  const char top = mode == ADVANCED ? '*' : '_';
  const tw::Color top_color = mode == ADVANCED ? tw::RED : tw::GREEN;
  const char bottom = mode == TIMED ? '-' : '*';
  const tw::Color bottom_color = mode == TIMED ? tw::GREEN : tw::RED;
  for (float x = x0; x < x0 + w + 1; x++) {
    graphics.drawCharacter(top, top_color, tw::Vector(x, y0 - 1));
    graphics.drawCharacter(bottom, bottom_color, tw::Vector(x, y0 + h + 1));
  }
}

void addPoints(int amount) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const tw::EventView view_event("", amount, true);
  world.onEvent(&view_event);
  // The timer has no label either, so it took the points too: give them back.
  const tw::ObjectList timers = world.objectsOfType("Timer");
  for (int i = 0; i < timers.getCount(); i++) {
    auto* p_timer = static_cast<tw::ViewObject*>(timers.at(i));
    p_timer->setValue(p_timer->getValue() - amount);
  }
}

void playSound(const std::string& label) {
  if (tw::Sound* p_sound = tw::ResourceManager::getInstance().getSound(label)) {
    p_sound->play(false);
  }
}

void playMusic(const std::string& label, bool loop) {
  if (tw::Music* p_music = tw::ResourceManager::getInstance().getMusic(label)) {
    p_music->play(loop);
  }
}

void stopMusic(const std::string& label) {
  if (tw::Music* p_music = tw::ResourceManager::getInstance().getMusic(label)) {
    p_music->stop();
  }
}

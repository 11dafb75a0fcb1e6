#include "Paddle.h"

#include "Explosion.h"
#include "Mode.h"
#include "shared.h"

#include "InputManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

Paddle::Paddle(int init_side, const std::string& sprite_label) : side(init_side) {
  setType("Paddle");
  setSolidness(tw::HARD);
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite(sprite_label);
  if (p_sprite) {
    setSprite(p_sprite);
    setSpriteSlowdown(5);
    setCentered(false);
  } else {
    tw::LogManager::getInstance().writeLog("Paddle::Paddle(): Warning! Sprite '%s' not found",
                                           sprite_label.c_str());
  }
  const tw::Box boundary = tw::WorldManager::getInstance().getBoundary();
  const float x0 = boundary.getCorner().getX(), y0 = boundary.getCorner().getY();
  const float big_w = boundary.getHorizontal(), big_h = boundary.getVertical();
  const float w = getBox().getHorizontal(), h = getBox().getVertical();
  switch (side) {
  case SIDE_TOP:
    setPosition(tw::Vector((x0 + big_w - w) * 0.5f, y0));
    break;
  case SIDE_BOTTOM:
    setPosition(tw::Vector((x0 + big_w - w) * 0.5f, y0 + big_h - h));
    break;
  case SIDE_LEFT:
    setPosition(tw::Vector(x0, (y0 + big_h - h) * 0.5f));
    break;
  case SIDE_RIGHT:
    setPosition(tw::Vector(x0 + big_w - w, (y0 + big_h - h) * 0.5f));
    break;
  default:
    break;
  }
  registerInterest(tw::KEYBOARD_EVENT);
  registerInterest(tw::MOUSE_EVENT);
  registerInterest(tw::STEP_EVENT);
}

bool Paddle::isHorizontal() const {
  return side == SIDE_TOP || side == SIDE_BOTTOM;
}

int Paddle::eventHandler(const tw::Event* p_event) {
  if (p_event->isType(tw::STEP_EVENT)) {
    drawArenaFrame();
    return 1;
  }
  if (p_event->isType(tw::COLLISION_EVENT)) {
    return 1;
  }
  if (p_event->isType(tw::KEYBOARD_EVENT)) {
    keyboard(static_cast<const tw::EventKeyboard*>(p_event));
    return 1;
  }
  if (p_event->isType(tw::MOUSE_EVENT)) {
    mouse(static_cast<const tw::EventMouse*>(p_event));
    return 1;
  }
  return 0;
}

void Paddle::keyboard(const tw::EventKeyboard* p_keyboard_event) {
  if (p_keyboard_event->getKeyboardAction() != tw::Keyboard::KEY_DOWN) {
    return;
  }
  const int key = p_keyboard_event->getKey();
  if (key == tw::Keyboard::ESCAPE && Mode::getInstance().status == PLAY) {
    Mode::update(MENU, EXIT);
    return;
  }
  if (key == tw::Keyboard::E) {
    explodeAll(tw::WorldManager::getInstance().objectsOfType("Brick"));
    return;
  }
  tw::Vector p = getPosition();
  if (isHorizontal()) {
    if (key == tw::Keyboard::A) {
      p.setX(p.getX() - 3);
    } else if (key == tw::Keyboard::D) {
      p.setX(p.getX() + 3);
    }
  } else if (side == SIDE_LEFT || side == SIDE_RIGHT) {
    if (key == tw::Keyboard::W) {
      p.setY(p.getY() - 2);
    } else if (key == tw::Keyboard::S) {
      p.setY(p.getY() + 2);
    }
  }
  move(p);
}

void Paddle::mouse(const tw::EventMouse* p_mouse_event) {
  if (p_mouse_event->getMouseAction() != tw::Mouse::MOVED) {
    return;
  }
  tw::Vector p = getPosition();
  const tw::Vector pointer = p_mouse_event->getMousePosition();
  if (isHorizontal()) {
    p.setX(pointer.getX() - getBox().getHorizontal() * 0.5f);
  } else if (side == SIDE_LEFT || side == SIDE_RIGHT) {
    p.setY(pointer.getY() - getBox().getVertical() * 0.5f);
  }
  move(p);
}

void Paddle::move(tw::Vector p) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const tw::Box boundary = world.getBoundary();
  const float x0 = boundary.getCorner().getX(), y0 = boundary.getCorner().getY();
  const float w = getBox().getHorizontal(), h = getBox().getVertical();
  if (p.getX() >= x0 && p.getX() + w <= x0 + boundary.getHorizontal() && p.getY() >= y0 &&
      p.getY() + h <= y0 + boundary.getVertical()) {
    world.moveObject(this, p);
  }
}

#pragma once

#include "Box.h"
#include "Event.h"
#include "Path.h"
#include "Shape.h"
#include "Vector.h"

#include <cstddef>
#include <string>

namespace tw {

class PathFind;
class SceneGraph;
class Sprite;

enum Solidness {
  HARD = 0,
  SOFT,
  SPECTRAL,
};

/// Indexes of the per-attribute modified flags that serialization reads.
enum ObjectAttribute {
  ATTR_ID = 0,
  ATTR_ACTIVE,
  ATTR_VISIBLE,
  ATTR_EVENTS,
  ATTR_BOX,
  ATTR_POSITION,
  ATTR_TYPE,
  ATTR_SPRITE,
  ATTR_ALTITUDE,
  ATTR_SOLIDNESS,
  ATTR_NO_SOFT,
  ATTR_SPEED,
  ATTR_DIRECTION,
  ATTR_ACCELERATION,
};

constexpr int ATTR_COUNT = 14;
constexpr int MAX_OBJ_EVENTS = 100;
constexpr int MIN_ALTITUDE = 0;
constexpr int MAX_ALTITUDE = 4;

/// Everything in the world. Created with new; it enters the world in its constructor and is
/// deleted by the world manager, never by game code.
class Object {
public:
  Object();
  virtual ~Object();
  /// Frees the memory after the world's walk in progress, if any, so that no object made
  /// during the walk can take the address of one destroyed in it.
  static void operator delete(void* p);
  static void* operator new(std::size_t size);
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  virtual void setPosition(Vector new_position);
  /// 1 when the event was handled, 0 when ignored.
  virtual int eventHandler(const Event* p_event);
  virtual void draw();
  /// Key:value record of every attribute (all) or of those modified since the last call.
  virtual std::string serialize(bool all = false);
  virtual int deserialize(std::string record);
  virtual bool isModified() const;
  virtual bool isModified(ObjectAttribute attribute) const;

  int getId() const { return id; }
  void setId(int new_id);
  std::string getType() const { return type; }
  const std::string& typeRef() const { return type; }
  void setType(std::string new_type);
  Vector getPosition() const { return position; }

  bool isActive() const { return is_active; }
  int setActive(bool active = true);
  bool isVisible() const { return is_visible; }
  int setVisible(bool visible = true);

  Box getBox() const { return box; }
  void setBox(Box new_box);

  Vector getDirection() const { return direction; }
  void setDirection(Vector new_direction) { direction = new_direction; }
  float getSpeed() const { return speed; }
  void setSpeed(float new_speed);
  Vector getVelocity() const { return direction * speed; }
  void setVelocity(Vector new_velocity);
  Vector getAcceleration() const { return acceleration; }
  void setAcceleration(Vector new_acceleration);
  /// The position after one more move at the current velocity.
  Vector predictPosition() const { return position + direction * speed; }
  /// Steers toward target: the direction becomes the unit vector to it; speed unchanged.
  void moveTo(Vector target);
  /// Applies the acceleration to the velocity (the world manager calls it after each move).
  void accelerate();

  Solidness getSolidness() const { return solidness; }
  bool isSolid() const { return solidness == HARD || solidness == SOFT; }
  int setSolidness(int new_solidness);
  bool getNoSoft() const { return no_soft; }
  void setNoSoft(bool new_no_soft = true);
  int getAltitude() const { return altitude; }
  int setAltitude(int new_altitude);

  Sprite* getSprite() const { return p_sprite; }
  /// Sets the sprite and sizes the box to it, centred on the position.
  void setSprite(Sprite* p_new_sprite);
  std::string getSpriteName() const { return sprite_name; }
  void setSpriteName(std::string new_sprite_name);
  bool isCentered() const { return sprite_center; }
  void setCentered(bool centered = true);
  char getTransparency() const { return sprite_transparency; }
  void setTransparency(char transparency);
  int getSpriteIndex() const { return sprite_index; }
  void setSpriteIndex(int new_sprite_index);
  int getSpriteSlowdown() const { return sprite_slowdown; }
  void setSpriteSlowdown(int new_sprite_slowdown);
  int getSpriteSlowdownCount() const { return sprite_slowdown_count; }
  void setSpriteSlowdownCount(int new_sprite_slowdown_count);

  int registerInterest(std::string event_type);
  int unregisterInterest(std::string event_type);
  int getEventCount() const { return event_count; }
  std::string getEventName(int index) const;

  Shape& getShape() { return shape; }
  const Shape& getShape() const { return shape; }

  bool isFollowingPath() const { return is_following_path; }
  Path getPath() const { return path; }
  /// Starts following p from its index (as a found path event does).
  void setPath(Path new_path);
  /// Steers along the path being followed; the world manager calls it after every move.
  void doPathFollowing();
  PathFind* getPathFind() const { return p_path_find; }
  /// Takes ownership of a new search for this object; the old one, if any, is dropped.
  void setPathFind(PathFind* p_new_path_find);

  /// Marks or clears one modified flag (serialization clears them all).
  void setModified(ObjectAttribute attribute, bool modified = true);

private:
  void dropPathFind();
  /// The scene graph that holds this object, or null for an object outside the world.
  SceneGraph* sceneGraph() const;
  /// Tells the scene graph that the world box moved or changed size.
  void boxChanged();

  int id;
  bool in_world = false;
  std::string type = "Object";
  bool is_active = true;
  bool is_visible = true;
  Box box;
  Vector position;
  Vector direction;
  float speed = 0.0f;
  Vector acceleration;
  std::string sprite_name;
  Sprite* p_sprite = nullptr;
  bool sprite_center = true;
  char sprite_transparency = 0;
  int sprite_index = 0;
  int sprite_slowdown = 1;
  int sprite_slowdown_count = 0;
  int altitude = 2;
  Solidness solidness = HARD;
  bool no_soft = false;
  int event_count = 0;
  std::string event_name[MAX_OBJ_EVENTS];
  bool modified[ATTR_COUNT];
  Shape shape;
  bool is_following_path = false;
  Path path;
  PathFind* p_path_find = nullptr;
};

} // namespace tw

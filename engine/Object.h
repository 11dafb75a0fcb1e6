#pragma once

#include "Box.h"
#include "Event.h"
#include "Path.h"
#include "Shape.h"
#include "Vector.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

class CollisionGrid;
class PathFind;
class SceneGraph;
class Sprite;

/// How an object takes part in collisions.
enum Solidness {
  HARD = 0, ///< collides, and blocks the moves of other HARD objects
  SOFT,     ///< collides, but blocks only the moves of no_soft objects
  SPECTRAL, ///< never collides
};

/// Indexes of the per-attribute modified flags that serialization reads.
enum ObjectAttribute {
  ATTR_ID = 0,       ///< id
  ATTR_ACTIVE,       ///< is_active
  ATTR_VISIBLE,      ///< is_visible
  ATTR_EVENTS,       ///< event_count and the event names
  ATTR_BOX,          ///< the box: corner, horizontal and vertical
  ATTR_POSITION,     ///< pos-x and pos-y
  ATTR_TYPE,         ///< type
  ATTR_SPRITE,       ///< sprite name, centring, transparency, frame index and slowdown
  ATTR_ALTITUDE,     ///< altitude
  ATTR_SOLIDNESS,    ///< solidness
  ATTR_NO_SOFT,      ///< no_soft
  ATTR_SPEED,        ///< speed
  ATTR_DIRECTION,    ///< x_direction and y_direction
  ATTR_ACCELERATION, ///< x_acceleration and y_acceleration
};

/// Number of ObjectAttribute values.
constexpr int ATTR_COUNT = 14;
/// Most event types one object may register for.
constexpr int MAX_OBJ_EVENTS = 100;
/// Lowest altitude: drawn first, at the back.
constexpr int MIN_ALTITUDE = 0;
/// Highest altitude: drawn last, in front.
constexpr int MAX_ALTITUDE = 4;

/// Everything in the world. Created with new; it enters the world in its constructor and is
/// deleted by the world manager, never by game code.
///
/// The box, relative to the position, decides collisions; boxes whose edges meet collide.
/// Without a sprite it is the cell around the position, (-0.5, -0.5) by 0.99 x 0.99, which
/// does not reach the next cell. A sprite sizes it to the positions of the characters it
/// draws: setSprite() and setCentered() both make it (width - 1) x (height - 1) cells, from
/// the top-left character, which is at the position when not centred and at
/// (-(width / 2), -(height / 2)) from it, halves rounded down, when centred. So a 1 x 1
/// sprite has a box of one point, at the position: objects on neighbouring cells do not
/// collide, objects on one cell do. An object moving by fractions of a cell that should meet
/// others between cells needs a box of its own (setBox() after setSprite()).
class Object {
public:
  /// Enters the world if the world manager is started; ids count up from 0, never reused.
  Object();
  /// Unregisters every interest, drops the path search and leaves the world.
  virtual ~Object();
  /// Frees the memory after the world's walk in progress, if any, so that no object made
  /// during the walk can take the address of one destroyed in it.
  static void operator delete(void* p);
  /// Plain allocation; only the matching delete is special.
  static void* operator new(std::size_t size);
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  /// Places the object at once, in cells, with no collision or boundary test (see
  /// WorldManager::moveObject).
  virtual void setPosition(Vector new_position);
  /// 1 when the event was handled, 0 when ignored.
  virtual int eventHandler(const Event* p_event);
  /// Draws the sprite's current frame and the shape at the position, and advances the animation.
  virtual void draw();
  /// Key:value record of every attribute (all) or of those modified since the last call.
  virtual std::string serialize(bool all = false);
  /// Sets the attributes a serialize record holds; absent keys leave theirs unchanged. Returns 0.
  virtual int deserialize(std::string record);
  /// True when any attribute changed since the last serialize.
  virtual bool isModified() const;
  /// True when that attribute changed since the last serialize; attribute must be a valid index.
  virtual bool isModified(ObjectAttribute attribute) const;

  /// Unique number of the object.
  int getId() const { return id; }
  /// Replaces the id (as deserialize does); new objects still take theirs from the counter.
  void setId(int new_id);
  /// The type name, by convention the class name ("Object" unless set).
  std::string getType() const { return type; }
  /// The type name without a copy.
  const std::string& typeRef() const { return type; }
  /// Replaces the type name.
  void setType(std::string new_type);
  /// Position in the world, in cells (a view object's is relative to the view's corner).
  Vector getPosition() const { return position; }

  /// Whether the object moves, collides, is drawn and receives events.
  bool isActive() const { return is_active; }
  /// Takes the object out of (or back into) the world's updates, drawing and events, without
  /// deleting it; -1 when the scene graph fails.
  int setActive(bool active = true);
  /// Whether the world manager draws the object.
  bool isVisible() const { return is_visible; }
  /// Shows or hides the object; -1 when the scene graph fails.
  int setVisible(bool visible = true);

  /// Bounding box relative to the position, in cells; by default about one cell centred on it
  /// (see the class for the box a sprite gives).
  Box getBox() const { return box; }
  /// Replaces the bounding box, relative to the position, in cells.
  void setBox(Box new_box);

  /// Direction of motion: normally a unit vector, or (0, 0) when not moving.
  Vector getDirection() const { return direction; }
  /// Replaces the direction as given, without normalising it or marking it modified.
  void setDirection(Vector new_direction) { direction = new_direction; }
  /// Cells moved along the direction per frame.
  float getSpeed() const { return speed; }
  /// Sets the cells moved per frame; the direction is kept.
  void setSpeed(float new_speed);
  /// Direction times speed: the move of one frame, in cells.
  Vector getVelocity() const { return direction * speed; }
  /// Speed becomes the vector's length and direction the vector normalised ((0, 0) for zero).
  void setVelocity(Vector new_velocity);
  /// Added to the velocity after every move, in cells per frame per frame.
  Vector getAcceleration() const { return acceleration; }
  /// Sets the change of velocity per frame, in cells per frame per frame.
  void setAcceleration(Vector new_acceleration);
  /// The position after one more move at the current velocity.
  Vector predictPosition() const { return position + direction * speed; }
  /// Steers toward target: the direction becomes the unit vector to it; speed unchanged.
  void moveTo(Vector target);
  /// Applies the acceleration to the velocity (the world manager calls it after each move).
  void accelerate();

  /// How the object collides.
  Solidness getSolidness() const { return solidness; }
  /// True for HARD and SOFT objects: those that collide.
  bool isSolid() const { return solidness == HARD || solidness == SOFT; }
  /// Sets how the object collides, a Solidness; -1 (logged) for any other number or when the
  /// scene graph fails.
  int setSolidness(int new_solidness);
  /// True when SOFT objects stop this object's moves as HARD ones do.
  bool getNoSoft() const { return no_soft; }
  /// Makes SOFT objects block this object's moves, or not.
  void setNoSoft(bool new_no_soft = true);
  /// Drawing layer, MIN_ALTITUDE (drawn first) to MAX_ALTITUDE (drawn last).
  int getAltitude() const { return altitude; }
  /// Moves the object to another drawing layer; -1 (logged) outside MIN_ALTITUDE..MAX_ALTITUDE
  /// or when the scene graph fails.
  int setAltitude(int new_altitude);

  /// The sprite drawn for the object (owned by the resource manager), or null.
  Sprite* getSprite() const { return p_sprite; }
  /// Sets the sprite and, when not null, sizes the box to it as setCentered() does: (width - 1)
  /// x (height - 1) cells, centred or from the position as isCentered() says.
  void setSprite(Sprite* p_new_sprite);
  /// Label of the sprite, as serialized; empty when none was set.
  std::string getSpriteName() const { return sprite_name; }
  /// Changes the label only; the sprite drawn stays the same.
  void setSpriteName(std::string new_sprite_name);
  /// Whether the sprite is drawn centred on the position, else from its top-left corner.
  bool isCentered() const { return sprite_center; }
  /// Draws the sprite centred or from its top-left corner; with a sprite, the box follows:
  /// (width - 1) x (height - 1) cells, from (-(width / 2), -(height / 2)) or from (0, 0).
  void setCentered(bool centered = true);
  /// The sprite character left undrawn so that what is behind shows; 0 for none.
  char getTransparency() const { return sprite_transparency; }
  /// Sets the sprite character left undrawn; 0 draws every character.
  void setTransparency(char transparency);
  /// Index of the sprite frame drawn next.
  int getSpriteIndex() const { return sprite_index; }
  /// Chooses the sprite frame drawn next; an index past the frames draws nothing.
  void setSpriteIndex(int new_sprite_index);
  /// Draws per animation step: 1 advances the frame at every draw, 0 freezes it.
  int getSpriteSlowdown() const { return sprite_slowdown; }
  /// Sets the draws per animation step; 0 freezes the animation.
  void setSpriteSlowdown(int new_sprite_slowdown);
  /// Draws since the frame last advanced.
  int getSpriteSlowdownCount() const { return sprite_slowdown_count; }
  /// Sets the draws since the frame last advanced.
  void setSpriteSlowdownCount(int new_sprite_slowdown_count);

  /// Asks for events of event_type from the manager that sends them; -1 when it refuses the
  /// type or MAX_OBJ_EVENTS are held.
  int registerInterest(std::string event_type);
  /// Stops events of event_type; -1 (logged) when the object was not registered for it.
  int unregisterInterest(std::string event_type);
  /// Number of event types the object is registered for.
  int getEventCount() const { return event_count; }
  /// The event type registered at index, or an empty string outside 0..getEventCount()-1.
  std::string getEventName(int index) const;

  /// The shape drawn at the position besides the sprite; of kind SHAPE_NONE (none) by default.
  Shape& getShape() { return shape; }
  /// The shape, read only.
  const Shape& getShape() const { return shape; }

  /// True while the object steers along its path.
  bool isFollowingPath() const { return is_following_path; }
  /// The path being followed, or the last one.
  Path getPath() const { return path; }
  /// Starts following new_path from its index (as a found path event does).
  void setPath(Path new_path);
  /// Steers along the path being followed, arriving at a node when the box holds it or it is
  /// less than a step away; the world manager calls it after every move.
  void doPathFollowing();
  /// The object's path search in progress, or null.
  PathFind* getPathFind() const { return p_path_find; }
  /// Takes ownership of a new search for this object; the old one, if any, is dropped.
  void setPathFind(PathFind* p_new_path_find);

  /// Marks or clears one modified flag (serialization clears them all).
  void setModified(ObjectAttribute attribute, bool modified = true);

private:
  friend class CollisionGrid;
  friend class SceneGraph;

  /// Where the scene graph holds the object, so that it takes the object out of a long list
  /// without searching it: the object's key in each list (see ObjectList::add) and its entry
  /// in the collision grid.
  struct Places {
    std::uint64_t active = 0;
    std::uint64_t inactive = 0;
    std::uint64_t visible = 0;
    std::uint64_t solid = 0;
    int grid_slot = -1;
  };
  /// An event type of interest, with the key of the object's place in the manager's list.
  struct Interest {
    std::string name;
    std::uint64_t key = 0;
  };

  /// Interests held inside the object; most objects have no more, so they allocate nothing
  /// for them.
  static constexpr int INLINE_INTERESTS = 2;

  /// The interest at index, 0..event_count-1.
  Interest& interest(int index) {
    return index < INLINE_INTERESTS
               ? inline_interests[index]
               : more_interests[static_cast<std::size_t>(index - INLINE_INTERESTS)];
  }
  /// The interest at index, 0..event_count-1, read only.
  const Interest& interest(int index) const {
    return index < INLINE_INTERESTS
               ? inline_interests[index]
               : more_interests[static_cast<std::size_t>(index - INLINE_INTERESTS)];
  }

  void dropPathFind();
  /// The scene graph that holds this object, or null for an object outside the world.
  SceneGraph* sceneGraph() const;
  /// Tells the scene graph that the world box moved or changed size.
  void boxChanged();
  /// The box of the sprite (not null), as the class describes it.
  void sizeBoxToSprite();

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
  // The first event_count interests, in order: inside the object, then out of line.
  Interest inline_interests[INLINE_INTERESTS];
  std::vector<Interest> more_interests;
  bool modified[ATTR_COUNT];
  Shape shape;
  bool is_following_path = false;
  Path path;
  PathFind* p_path_find = nullptr;
  Places places;
};

} // namespace tw

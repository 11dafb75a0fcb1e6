#include "Object.h"

#include "Config.h"
#include "EventPath.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "PathFind.h"
#include "PathManager.h"
#include "ResourceManager.h"
#include "SceneGraph.h"
#include "Sprite.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace tw {

namespace {

int next_id = 0;

Manager& managerFor(const std::string& event_type) {
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT) {
    return InputManager::getInstance();
  }
  if (event_type == STEP_EVENT) {
    return GameManager::getInstance();
  }
  return WorldManager::getInstance();
}

} // namespace

Object::Object() : id(next_id++) {
  box = Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f);
  std::fill(modified, modified + ATTR_COUNT, true);
  const float cell = std::min(charWidth(), charHeight());
  shape.setSize(std::trunc(cell) * Config::getInstance().font_scale);
  // Last: from here on the object is in the world and reachable by others.
  in_world = WorldManager::getInstance().insertObject(this) == 0;
}

Object::~Object() {
  for (int i = event_count - 1; i >= 0; i--) {
    unregisterInterest(interest(i).name);
  }
  dropPathFind();
  WorldManager::getInstance().removeObject(this, in_world);
}

void* Object::operator new(std::size_t size) {
  return ::operator new(size);
}

void Object::operator delete(void* p) {
  WorldManager::getInstance().freeAfterWalk(p);
}

SceneGraph* Object::sceneGraph() const {
  return in_world ? &WorldManager::getInstance().getSceneGraph() : nullptr;
}

void Object::boxChanged() {
  if (in_world) {
    WorldManager::getInstance().getSceneGraph().updateBox(this);
  }
}

void Object::dropPathFind() {
  if (p_path_find) {
    PathManager::getInstance().unregisterPathFind(p_path_find);
    delete p_path_find;
    p_path_find = nullptr;
  }
}

void Object::setPathFind(PathFind* p_new_path_find) {
  if (p_new_path_find != p_path_find) {
    dropPathFind();
    p_path_find = p_new_path_find;
  }
}

void Object::setModified(ObjectAttribute attribute, bool is_modified) {
  if (attribute >= 0 && attribute < ATTR_COUNT) {
    modified[attribute] = is_modified;
  }
}

void Object::setId(int new_id) {
  id = new_id;
  modified[ATTR_ID] = true;
}

void Object::setType(std::string new_type) {
  type = std::move(new_type);
  modified[ATTR_TYPE] = true;
}

void Object::setPosition(Vector new_position) {
  position = new_position;
  modified[ATTR_POSITION] = true;
  boxChanged();
}

int Object::setActive(bool active) {
  SceneGraph* p_graph = sceneGraph();
  if (p_graph && p_graph->updateActive(this, active) != 0) {
    return -1;
  }
  is_active = active;
  modified[ATTR_ACTIVE] = true;
  return 0;
}

int Object::setVisible(bool visible) {
  SceneGraph* p_graph = sceneGraph();
  if (p_graph && p_graph->updateVisible(this, visible) != 0) {
    return -1;
  }
  is_visible = visible;
  modified[ATTR_VISIBLE] = true;
  return 0;
}

void Object::setBox(Box new_box) {
  box = new_box;
  modified[ATTR_BOX] = true;
  boxChanged();
}

void Object::setSpeed(float new_speed) {
  speed = new_speed;
  modified[ATTR_SPEED] = true;
}

void Object::setVelocity(Vector new_velocity) {
  speed = new_velocity.getMagnitude();
  new_velocity.normalize();
  direction = new_velocity;
  modified[ATTR_SPEED] = true;
  modified[ATTR_DIRECTION] = true;
}

void Object::setAcceleration(Vector new_acceleration) {
  acceleration = new_acceleration;
  modified[ATTR_ACCELERATION] = true;
}

void Object::accelerate() {
  const Vector velocity = direction * speed + acceleration;
  speed = velocity.getMagnitude();
  direction = speed > 0.0f ? velocity * (1.0f / speed) : velocity;
  modified[ATTR_SPEED] = true;
  modified[ATTR_DIRECTION] = true;
}

void Object::moveTo(Vector target) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog("Object::moveTo(before): (%.2f, %.2f), speed %.2f, dir (%.2f, %.2f)", target.getX(),
               target.getY(), speed, direction.getX(), direction.getY());
  Vector v = target - position;
  log.writeLog("\t pos (%.2f, %.2f), v (%.2f, %.2f)", position.getX(), position.getY(), v.getX(),
               v.getY());
  v.normalize();
  log.writeLog("\t normalized (%.2f, %.2f)", v.getX(), v.getY());
  direction = v;
  log.writeLog("Object::moveTo(after): (%.2f, %.2f), speed %.2f, dir (%.2f, %.2f)", target.getX(),
               target.getY(), speed, direction.getX(), direction.getY());
}

int Object::setSolidness(int new_solidness) {
  if (new_solidness < HARD || new_solidness > SPECTRAL) {
    LogManager::getInstance().writeLog(
        "Object::setSolidness(): Solidness %d not one of HARD, SOFT or SPECTRAL.", new_solidness);
    return -1;
  }
  const auto value = static_cast<Solidness>(new_solidness);
  SceneGraph* p_graph = sceneGraph();
  if (p_graph && p_graph->updateSolidness(this, value) != 0) {
    return -1;
  }
  solidness = value;
  modified[ATTR_SOLIDNESS] = true;
  return 0;
}

void Object::setNoSoft(bool new_no_soft) {
  no_soft = new_no_soft;
  modified[ATTR_NO_SOFT] = true;
}

int Object::setAltitude(int new_altitude) {
  if (new_altitude < MIN_ALTITUDE || new_altitude > MAX_ALTITUDE) {
    LogManager::getInstance().writeLog("Object::setAltitude(): Altitude %d not in range [%d,%d].  "
                                       "Ignored.",
                                       new_altitude, MIN_ALTITUDE, MAX_ALTITUDE);
    return -1;
  }
  SceneGraph* p_graph = sceneGraph();
  if (p_graph && p_graph->updateAltitude(this, new_altitude) != 0) {
    return -1;
  }
  altitude = new_altitude;
  modified[ATTR_ALTITUDE] = true;
  return 0;
}

void Object::sizeBoxToSprite() {
  // From the first character drawn to the last, at the offsets drawFrame draws them at.
  const int w = p_sprite->getWidth(), h = p_sprite->getHeight();
  const Vector corner = sprite_center
                            ? Vector(static_cast<float>(-(w / 2)), static_cast<float>(-(h / 2)))
                            : Vector(0, 0);
  box = Box(corner, static_cast<float>(w - 1), static_cast<float>(h - 1));
  boxChanged();
}

void Object::setSprite(Sprite* p_new_sprite) {
  p_sprite = p_new_sprite;
  sprite_index = 0;
  modified[ATTR_SPRITE] = true;
  if (p_new_sprite) {
    setSpriteName(p_new_sprite->getLabel());
    sizeBoxToSprite();
  }
}

void Object::setCentered(bool centered) {
  sprite_center = centered;
  if (p_sprite) {
    sizeBoxToSprite();
  }
  modified[ATTR_SPRITE] = true;
}

void Object::setSpriteName(std::string new_sprite_name) {
  if (new_sprite_name != sprite_name) {
    sprite_name = std::move(new_sprite_name);
    modified[ATTR_SPRITE] = true;
  }
}

void Object::setTransparency(char transparency) {
  sprite_transparency = transparency;
  modified[ATTR_SPRITE] = true;
}

void Object::setSpriteIndex(int new_sprite_index) {
  sprite_index = new_sprite_index;
  modified[ATTR_SPRITE] = true;
}

void Object::setSpriteSlowdown(int new_sprite_slowdown) {
  sprite_slowdown = new_sprite_slowdown;
  modified[ATTR_SPRITE] = true;
}

void Object::setSpriteSlowdownCount(int new_sprite_slowdown_count) {
  sprite_slowdown_count = new_sprite_slowdown_count;
  modified[ATTR_SPRITE] = true;
}

int Object::registerInterest(std::string event_type) {
  if (event_count == MAX_OBJ_EVENTS) {
    LogManager::getInstance().writeLog(
        "Object::registerInterest(): maximum (%d) reached, cannot register for event '%s'",
        MAX_OBJ_EVENTS, event_type.c_str());
    return -1;
  }
  std::uint64_t key = 0;
  if (managerFor(event_type).registerKept(this, event_type, key) != 0) {
    return -1;
  }
  if (event_count < INLINE_INTERESTS) {
    inline_interests[event_count] = Interest{std::move(event_type), key};
  } else {
    more_interests.push_back(Interest{std::move(event_type), key});
  }
  event_count++;
  modified[ATTR_EVENTS] = true;
  return 0;
}

int Object::unregisterInterest(std::string event_type) {
  int i = 0;
  while (i < event_count && interest(i).name != event_type) {
    i++;
  }
  if (i == event_count) {
    LogManager::getInstance().writeLog(
        "Object::unregisterInterest(): event '%s' not previously registered", event_type.c_str());
    return -1;
  }
  if (managerFor(event_type).unregisterKept(this, event_type, &interest(i).key) != 0) {
    return -1;
  }
  for (int j = i; j < event_count - 1; j++) {
    interest(j) = std::move(interest(j + 1));
  }
  event_count--;
  if (event_count >= INLINE_INTERESTS) {
    more_interests.pop_back();
  } else {
    inline_interests[event_count] = Interest();
  }
  modified[ATTR_EVENTS] = true;
  return 0;
}

std::string Object::getEventName(int index) const {
  if (index < 0 || index >= event_count) {
    return "";
  }
  return interest(index).name;
}

int Object::eventHandler(const Event* p_event) {
  if (!p_event->isType(PATH_EVENT)) {
    return 0;
  }
  LogManager::getInstance().writeLog("Object::eventHandler(): Object %d (%s) got path event.", id,
                                     type.c_str());
  const auto* p_path_event = static_cast<const EventPath*>(p_event);
  if (p_path_event->getStatus() == FOUND) {
    setPath(p_path_event->getPath());
  }
  dropPathFind();
  return 1;
}

void Object::setPath(Path new_path) {
  path = std::move(new_path);
  is_following_path = true;
  const bool in_range = path.index >= 0 && path.index < static_cast<int>(path.nodes.size());
  moveTo(in_range ? path.nodes[path.index] : Vector(0, 0));
}

void Object::doPathFollowing() {
  if (!is_following_path) {
    return;
  }
  const LogManager& log = LogManager::getInstance();
  const int node_count = static_cast<int>(path.nodes.size());
  auto nodeAt = [&](int i) { return i >= 0 && i < node_count ? path.nodes[i] : Vector(0, 0); };

  const Vector next = nodeAt(path.index);
  log.writeLog("Object::doPathFollowing(): %s, next node (%.0f,%.0f), speed %.2f, dir (%.2f,%.2f)",
               type.c_str(), next.getX(), next.getY(), speed, direction.getX(), direction.getY());
  const Box world_box = getWorldBox(this);
  log.writeLog("\tBox: (%.2f, %.2f), h %.2f, v %.2f", world_box.getCorner().getX(),
               world_box.getCorner().getY(), world_box.getHorizontal(), world_box.getVertical());
  moveTo(next);
  // Less than a step away, the next move would carry the object past the node, and a box
  // smaller than a step (a one-cell sprite's is a point) might never hold it: it arrives.
  const bool within_step = (next - position).getMagnitude() < std::fabs(speed);
  if (!boxContainsPosition(world_box, next) && !within_step) {
    return;
  }
  // Stand on the node before turning, so the object keeps to the path round corners.
  if (position != next) {
    WorldManager::getInstance().moveObject(this, next);
  }
  if (path.index < node_count) {
    path.index++;
  }
  const bool nodes_remain = path.index >= 0 && path.index < node_count;
  if (nodes_remain) {
    const Vector on_to = nodeAt(path.index);
    log.writeLog("\tAt next node. On to (%.0f, %.0f)", on_to.getX(), on_to.getY());
    // Steer once per frame; with a speed of 0 another try would change nothing.
    moveTo(on_to);
    log.writeLog("\tdir (%.2f, %.2f), speed %.2f", direction.getX(), direction.getY(), speed);
  } else {
    log.writeLog("\tAt next node. End of path.");
    direction = Vector(0, 0);
    is_following_path = false;
  }
}

void Object::draw() {
  if (p_sprite) {
    GraphicsManager::getInstance().drawFrame(sprite_center, p_sprite->getColor(),
                                             sprite_transparency, position,
                                             p_sprite->frameRef(sprite_index));
    if (sprite_slowdown != 0) {
      if (static_cast<long long>(sprite_slowdown_count) + 1 < sprite_slowdown) {
        sprite_slowdown_count++;
      } else {
        sprite_slowdown_count = 0;
        const int frames = p_sprite->getFrameCount();
        sprite_index = (sprite_index < 0 || sprite_index >= frames - 1) ? 0 : sprite_index + 1;
      }
      modified[ATTR_SPRITE] = true;
    }
  }
  if (shape.getKind() != SHAPE_NONE) {
    shape.draw(position);
  }
}

bool Object::isModified() const {
  const LogManager& log = LogManager::getInstance();
  for (int i = 0; i < ATTR_COUNT; i++) {
    if (modified[i]) {
      log.writeLog(10, "Object::isModified(): %d is true", i);
      return true;
    }
    log.writeLog(10, "Object::isModified(): %d is false", i);
  }
  return false;
}

bool Object::isModified(ObjectAttribute attribute) const {
  return modified[attribute];
}

} // namespace tw

namespace tw {

namespace {

void append(std::string& record, const char* key, const std::string& value) {
  record += key;
  record += ':';
  record += value;
  record += ',';
}

// The C library's atoi reading, saturating instead of overflowing.
int readInt(const std::string& text) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// strtod (atof, but read alike by every C library: MinGW's atof takes "inf" and "nan" for 0),
// and a value that is not a finite number is refused (false).
bool readFloat(const std::string& text, float& out) {
  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value) || std::fabs(value) > 3.0e38) {
    LogManager::getInstance().writeLog("Object::deserialize(): Warning! '%s' is not a usable "
                                       "number, so ignoring.",
                                       text.c_str());
    return false;
  }
  out = static_cast<float>(value);
  return true;
}

std::string withoutSpace(const std::string& record) {
  std::string text;
  text.reserve(record.size());
  for (char c : record) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r') {
      text += c;
    }
  }
  return text;
}

// The whole value of key in text, up to the next comma. Event types hold colons
// ("tw::step"), which the key:value matcher would cut off at the first one.
std::string wholeValue(const std::string& text, const std::string& key) {
  const std::string start = key + ":";
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = std::min(text.find(',', pos), text.size());
    if (text.compare(pos, start.size(), start) == 0 && pos + start.size() <= end) {
      return text.substr(pos + start.size(), end - pos - start.size());
    }
    pos = end + 1;
  }
  return "";
}

} // namespace

std::string Object::serialize(bool all) {
  std::string record;
  if (all || modified[ATTR_ID]) {
    append(record, "id", toString(id));
  }
  if (all || modified[ATTR_ACTIVE]) {
    append(record, "is_active", toString(is_active));
  }
  if (all || modified[ATTR_VISIBLE]) {
    append(record, "is_visible", toString(is_visible));
  }
  if (all || modified[ATTR_EVENTS]) {
    append(record, "event_count", toString(event_count));
    for (int i = 0; i < event_count; i++) {
      const std::string key = "event_name[" + toString(i) + "]";
      append(record, key.c_str(), interest(i).name);
    }
  }
  if (all || modified[ATTR_BOX]) {
    append(record, "box-corner-x", toString(box.getCorner().getX()));
    append(record, "box-corner-y", toString(box.getCorner().getY()));
    append(record, "box-horizontal", toString(box.getHorizontal()));
    append(record, "box-vertical", toString(box.getVertical()));
  }
  if (all || modified[ATTR_POSITION]) {
    append(record, "pos-x", toString(position.getX()));
    append(record, "pos-y", toString(position.getY()));
  }
  if (all || modified[ATTR_TYPE]) {
    append(record, "type", type);
  }
  if (all || modified[ATTR_SPRITE]) {
    append(record, "sprite_name", sprite_name);
    append(record, "sprite_center", toString(sprite_center));
    append(record, "sprite_transparency", toString(sprite_transparency));
    append(record, "sprite_index", toString(sprite_index));
    append(record, "sprite_slowdown", toString(sprite_slowdown));
    append(record, "sprite_slowdown_count", toString(sprite_slowdown_count));
  }
  if (all || modified[ATTR_ALTITUDE]) {
    append(record, "altitude", toString(altitude));
  }
  if (all || modified[ATTR_SOLIDNESS]) {
    append(record, "solidness", toString(static_cast<int>(solidness)));
  }
  if (all || modified[ATTR_NO_SOFT]) {
    append(record, "no_soft", toString(no_soft));
  }
  if (all || modified[ATTR_DIRECTION]) {
    append(record, "x_direction", toString(direction.getX()));
    append(record, "y_direction", toString(direction.getY()));
  }
  if (all || modified[ATTR_SPEED]) {
    append(record, "speed", toString(speed));
  }
  if (all || modified[ATTR_ACCELERATION]) {
    append(record, "x_acceleration", toString(acceleration.getX()));
    append(record, "y_acceleration", toString(acceleration.getY()));
  }
  std::fill(modified, modified + ATTR_COUNT, false);
  return record;
}

int Object::deserialize(std::string record) {
  const LogManager& log = LogManager::getInstance();
  match(record, "");
  std::string value;
  auto found = [&](const char* key) {
    value = match("", key);
    return !value.empty();
  };

  if (found("id")) {
    log.writeLog(10, "Object::deserialize(): id is %d", readInt(value));
    setId(readInt(value));
  }
  if (found("is_active")) {
    log.writeLog(10, "Object::deserialize(): is_active is %s", value.c_str());
    setActive(value == "true");
  }
  if (found("is_visible")) {
    log.writeLog(10, "Object::deserialize(): is_visible is %s", value.c_str());
    setVisible(value == "true");
  }
  if (found("event_count")) {
    const int count = readInt(value);
    log.writeLog(10, "Object::deserialize(): event_count is %d", count);
    for (int i = event_count - 1; i >= 0; i--) {
      unregisterInterest(interest(i).name);
    }
    // No object holds more than MAX_OBJ_EVENTS interests, so no more names are looked up.
    const int names = std::min(count, MAX_OBJ_EVENTS);
    const std::string text = withoutSpace(record);
    for (int i = 0; i < names; i++) {
      const std::string key = "event_name[" + toString(i) + "]";
      if (found(key.c_str())) {
        const std::string name = wholeValue(text, key);
        log.writeLog(10, "Object::deserialize(): event_name[%d] is '%s'", i, name.c_str());
        registerInterest(name);
      }
    }
  }
  if (found("sprite_name")) {
    log.writeLog(10, "Object::deserialize(): sprite_name is '%s'", value.c_str());
    Sprite* p_found = ResourceManager::getInstance().getSprite(value);
    if (!p_found) {
      log.writeLog("Object::Match(): Object %d (%s), Sprite '%s' not found", id, type.c_str(),
                   value.c_str());
    } else {
      setSprite(p_found);
    }
    setSpriteName(value);
  }

  static const char* box_keys[] = {"box-corner-x", "box-corner-y", "box-horizontal",
                                   "box-vertical"};
  // Read as decimals: the writer stores the box as decimals ("-0.5", "0.99").
  float box_values[4];
  bool box_complete = true;
  for (int i = 0; i < 4; i++) {
    if (found(box_keys[i]) && readFloat(value, box_values[i])) {
      log.writeLog(10, "Object::deserialize(): %s is %.2f", box_keys[i],
                   static_cast<double>(box_values[i]));
    } else {
      box_complete = false;
    }
  }
  if (!box_complete) {
    log.writeLog(10, "Object::deserialize(): box not complete, so ignoring.");
  }

  // The writer stores the position as decimals under pos-x and pos-y; fpos-x and fpos-y,
  // when both are given, take precedence.
  float pos[4];
  bool has[4];
  static const char* pos_keys[] = {"pos-x", "pos-y", "fpos-x", "fpos-y"};
  for (int i = 0; i < 4; i++) {
    has[i] = found(pos_keys[i]) && readFloat(value, pos[i]);
    if (has[i]) {
      log.writeLog(10, "Object::deserialize(): %s is %.2f", pos_keys[i],
                   static_cast<double>(pos[i]));
    }
  }
  if (has[2] && has[3]) {
    setPosition(Vector(pos[2], pos[3]));
  } else if (has[0] && has[1]) {
    setPosition(Vector(pos[0], pos[1]));
  } else {
    log.writeLog(10, "Object::deserialize(): position not complete, so ignoring.");
  }

  if (found("type")) {
    log.writeLog(10, "Object::deserialize(): type is %s", value.c_str());
    setType(value);
  }
  if (found("sprite_center")) {
    log.writeLog(10, "Object::deserialize(): sprite_center is %s", value.c_str());
    setCentered(value == "true");
  }
  // Set after the sprite and its centring, which size the box to the sprite: the record's box
  // may be one of the object's own.
  if (box_complete) {
    box = Box(Vector(box_values[0], box_values[1]), box_values[2], box_values[3]);
    modified[ATTR_BOX] = true;
    boxChanged();
  }
  if (found("sprite_transparency")) {
    log.writeLog(10, "Object::deserialize(): sprite_transparency is '%c'", value[0]);
    setTransparency(value[0]);
  }
  if (found("sprite_index")) {
    log.writeLog(10, "Object::deserialize(): sprite_index is %d", readInt(value));
    setSpriteIndex(readInt(value));
  }
  if (found("sprite_slowdown")) {
    log.writeLog(10, "Object::deserialize(): sprite_slowdown is %d", readInt(value));
    setSpriteSlowdown(readInt(value));
  }
  if (found("sprite_slowdown_count")) {
    log.writeLog(10, "Object::deserialize(): sprite_slowdown_count is %d", readInt(value));
    setSpriteSlowdownCount(readInt(value));
  }
  if (found("altitude")) {
    log.writeLog(10, "Object::deserialize(): altitude is %d", readInt(value));
    setAltitude(readInt(value));
  }
  if (found("solidness")) {
    log.writeLog(10, "Object::deserialize(): solidness is %d", readInt(value));
    setSolidness(readInt(value));
  }
  if (found("no_soft")) {
    log.writeLog(10, "Object::deserialize(): no_soft is %s", value.c_str());
    setNoSoft(value == "true");
  }
  float number = 0.0f;
  if (found("x_direction") && readFloat(value, number)) {
    log.writeLog(10, "Object::deserialize(): x_direction is %.2f", static_cast<double>(number));
    direction.setX(number);
  }
  if (found("y_direction") && readFloat(value, number)) {
    log.writeLog(10, "Object::deserialize(): y_direction is %.2f", static_cast<double>(number));
    direction.setY(number);
  }
  if (found("speed") && readFloat(value, number)) {
    log.writeLog(10, "Object::deserialize(): speed is %.2f", static_cast<double>(number));
    setSpeed(number);
  }
  if (found("x_acceleration") && readFloat(value, number)) {
    log.writeLog(10, "Object::deserialize(): x_acceleration is %.2f", static_cast<double>(number));
    setAcceleration(Vector(number, acceleration.getY()));
  }
  if (found("y_acceleration") && readFloat(value, number)) {
    log.writeLog(10, "Object::deserialize(): y_acceleration is %.2f", static_cast<double>(number));
    setAcceleration(Vector(acceleration.getX(), number));
  }
  return 0;
}

} // namespace tw

#pragma once

#include "Event.h"
#include "ObjectList.h"

#include <cstdint>
#include <string>

namespace tw {

class Object;

/// Most distinct event types one manager holds interests for.
constexpr int MAX_EVENTS = 100;

/// Base of every engine manager: a type name, a started flag and a table of event interests.
class Manager {
public:
  Manager();
  Manager(const Manager&) = delete;
  Manager& operator=(const Manager&) = delete;

  /// Whether objects may register interest in event_type with this manager.
  virtual bool isValid(std::string event_type) const;
  virtual ~Manager();
  /// Starts the manager; 0, or -1 when it cannot start. The base only marks it started.
  virtual int startUp();
  /// Stops the manager; the base only marks it stopped. Registered interests stay.
  virtual void shutDown();

  /// The manager's type name, its class name, as log lines show it.
  std::string getType() const { return type; }
  /// Replaces the type name (each subclass's constructor sets its own).
  void setType(std::string new_type) { type = std::move(new_type); }
  /// True from a successful startUp to shutDown.
  bool isStarted() const { return is_started; }

  /// Adds p_o to the receivers of event_type, even if it is there already; -1 when isValid
  /// refuses the type (logged), p_o is null or MAX_EVENTS types are held.
  int registerInterest(Object* p_o, std::string event_type);
  /// Removes one registration of p_o for event_type; -1 when there is none.
  int unregisterInterest(Object* p_o, std::string event_type);
  /// Delivers p_event to every active object interested in its type; returns how many got it.
  int onEvent(const Event* p_event) const;

private:
  friend class Object;

  /// registerInterest for an object that keeps key, which names its place in the list.
  int registerKept(Object* p_o, const std::string& event_type, std::uint64_t& key);
  /// unregisterInterest of the place p_key names, as the object kept it (when the keys hold).
  int unregisterKept(Object* p_o, const std::string& event_type, const std::uint64_t* p_key);

  std::string type;
  int event_count = 0;
  std::string event[MAX_EVENTS];
  ObjectList obj_list[MAX_EVENTS];
  bool is_started = false;
  // True while every interest came and went through its object, which then keeps the key of
  // each of its places: the first of its keys for a type names its first place in that list.
  bool keys_hold = true;
};

} // namespace tw

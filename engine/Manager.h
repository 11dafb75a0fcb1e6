#pragma once

#include "Event.h"
#include "ObjectList.h"

#include <string>

namespace tw {

class Object;

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
  virtual int startUp();
  virtual void shutDown();

  std::string getType() const { return type; }
  void setType(std::string new_type) { type = std::move(new_type); }
  bool isStarted() const { return is_started; }

  int registerInterest(Object* p_o, std::string event_type);
  int unregisterInterest(Object* p_o, std::string event_type);
  /// Delivers p_event to every active object interested in its type; returns how many got it.
  int onEvent(const Event* p_event) const;

private:
  std::string type;
  int event_count = 0;
  std::string event[MAX_EVENTS];
  ObjectList obj_list[MAX_EVENTS];
  bool is_started = false;
};

} // namespace tw

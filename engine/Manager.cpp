#include "Manager.h"

#include "LogManager.h"
#include "Object.h"
#include "ObjectListIterator.h"

namespace tw {

Manager::Manager() : type("Manager") {
  // An object leaves its lists by the keys it kept, without a search.
  for (ObjectList& list : obj_list) {
    list.keepKeys();
  }
}

Manager::~Manager() {
  is_started = false;
}

bool Manager::isValid(std::string) const {
  return false;
}

int Manager::startUp() {
  if (is_started) {
    LogManager::getInstance().writeLog(1, "Manager::startUp(): Warning! %s already started.",
                                       type.c_str());
  }
  is_started = true;
  return 0;
}

void Manager::shutDown() {
  if (!is_started) {
    LogManager::getInstance().writeLog(1, "Manager::shutDown(): Warning! %s not started.",
                                       type.c_str());
  }
  is_started = false;
}

int Manager::registerInterest(Object* p_o, std::string event_type) {
  keys_hold = false; // the object keeps no key for this place
  std::uint64_t key = 0;
  return registerKept(p_o, event_type, key);
}

int Manager::unregisterInterest(Object* p_o, std::string event_type) {
  keys_hold = false; // the place taken out may be one an object keeps the key of
  return unregisterKept(p_o, event_type, nullptr);
}

int Manager::registerKept(Object* p_o, const std::string& event_type, std::uint64_t& key) {
  if (!isValid(event_type)) {
    LogManager::getInstance().writeLog(
        "Manager(%s)::registerInterest(): Event '%s' not valid for this Manager", type.c_str(),
        event_type.c_str());
    return -1;
  }
  for (int i = 0; i < event_count; i++) {
    if (event[i] == event_type) {
      if (!p_o) {
        return -1;
      }
      return obj_list[i].add(p_o, key);
    }
  }
  if (event_count == MAX_EVENTS) {
    return -1;
  }
  event[event_count] = event_type;
  obj_list[event_count].clear();
  if (!p_o || obj_list[event_count].add(p_o, key) != 0) {
    return -1;
  }
  event_count++;
  return 0;
}

int Manager::unregisterKept(Object* p_o, const std::string& event_type,
                            const std::uint64_t* p_key) {
  int i = 0;
  while (i < event_count && event[i] != event_type) {
    i++;
  }
  if (i == event_count) {
    return -1;
  }
  const int removed =
      p_key && keys_hold ? obj_list[i].remove(p_o, *p_key) : obj_list[i].remove(p_o);
  if (removed != 0) {
    return -1;
  }
  if (obj_list[i].isEmpty()) {
    // The emptied entry moves to the end, past the ones in use.
    for (int j = i; j < event_count - 1; j++) {
      event[j].swap(event[j + 1]);
      obj_list[j].swap(obj_list[j + 1]);
    }
    event_count--;
    event[event_count].clear();
    obj_list[event_count].clear();
  }
  return 0;
}

int Manager::onEvent(const Event* p_event) const {
  if (p_event->isType(UNDEFINED_EVENT)) {
    LogManager::getInstance().writeLog(1, "%s::onEvent(): Warning! Event type is undefined.",
                                       type.c_str());
  }
  int count = 0;
  for (int i = 0; i < event_count; i++) {
    if (!p_event->isType(event[i])) {
      continue;
    }
    // Deliver to a copy, so handlers may change interests while the event goes out.
    const ObjectList list = obj_list[i];
    ObjectListIterator li(&list);
    for (li.first(); !li.isDone(); li.next()) {
      Object* p_o = li.currentObject();
      if (p_o->isActive()) {
        p_o->eventHandler(p_event);
        count++;
      }
    }
    break;
  }
  return count;
}

} // namespace tw

#include "PathManager.h"

#include "EventPath.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"
#include "WorldManager.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tw {

namespace {

/// Log level of the lines of every search's end, written as often as searches end.
constexpr int TRACE = 15;

/// What a ply is reckoned to take in a recorded or replayed session, in microseconds.
constexpr std::int64_t PLY_MICROS = 10;

/// The cell holding coordinate v on an axis of extent cells, or -1 when v lies outside.
int cellOn(float v, float extent) {
  const float limit = std::isfinite(extent) && extent > 0 ? std::min(extent, 1e9f) : 0.0f;
  const float cell = std::floor(v + 0.5f);
  if (!std::isfinite(cell) || cell < 0 || cell >= std::floor(limit)) {
    return -1;
  }
  return static_cast<int>(cell);
}

} // namespace

PathManager::PathManager() {
  setType("PathManager");
}

PathManager& PathManager::getInstance() {
  static PathManager path_manager;
  return path_manager;
}

int PathManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("PathManager::startup(): Warning! PathManager already started.");
    return -1;
  }
  // A replay keeps the budget of the recorded frame time, also when it runs unpaced, so that
  // its searches take the plies they took when recorded.
  GameManager& game = GameManager::getInstance();
  const Recording& recording = game.getRecording();
  max_cycle_time = (recording.isReplaying() ? recording.getFrameTime() : game.getFrameTime()) / 2;
  Manager::startUp();
  log.writeLog(1, "PathManager::startUp(): successfully started.");
  return 0;
}

void PathManager::shutDown() {
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "PathManager::shutDown(): successfully stopped.");
}

void PathManager::cycle() {
  if (place >= 0) {
    return; // called again from a path event handler: the cycle in progress goes on
  }
  GameManager& game = GameManager::getInstance();
  Clock& clock = game.getClock();
  const std::int64_t start = clock.now();
  // A session being recorded or replayed reckons its budget in plies, which a replay repeats,
  // at PLY_MICROS each, rather than in time, which it does not.
  const bool by_plies = game.getRecording().isActive();
  std::int64_t plies = 0;
  auto elapsed = [&] {
    return by_plies ? plies * PLY_MICROS / 1000 : (clock.now() - start) / 1000;
  };
  const LogManager& log = LogManager::getInstance();

  // Every cycle makes at least one pass, so that searches still advance when the budget is
  // nothing (a frame time of 0 or 1 ms, as in a game run unpaced).
  for (bool first = true; !finders.empty() && (elapsed() < max_cycle_time || first);
       first = false) {
    // One pass: a ply for every search. A search that ends is handed to its object, whose
    // handler unregisters it, so the same place then holds the next search.
    place = 0;
    while (place < static_cast<int>(finders.size())) {
      PathFind* p_finder = finders[place];
      const int status = p_finder->cycleOnce();
      plies++;
      if (status == FOUND || status == NOT_FOUND) {
        EventPath event;
        event.setStatus(status);
        event.setPath(p_finder->getPath());
        Object* p_o = p_finder->getObject();
        if (p_o) {
          p_o->eventHandler(&event); // may delete p_finder, and more
        } else {
          unregisterPathFind(p_finder); // nobody to tell, nor to own it
        }
      } else {
        place++;
      }
      if (elapsed() > max_cycle_time) {
        place = -1;
        log.writeLog(1, "PathManager::cycle(): cycle time %d exceeded.", max_cycle_time);
        return;
      }
    }
  }
  place = -1;
  if (elapsed() > max_cycle_time) {
    log.writeLog(1, "PathManager::cycle(): cycle time %d exceeded.", max_cycle_time);
  }
}

int PathManager::findPath(Object* p_o, Vector goal, PathNeighbors neighbors) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (!p_o) {
    log.writeLog("PathManager::findPath(): no object to find a path for.");
    return -1;
  }
  const Box boundary = WorldManager::getInstance().getBoundary();
  const int goal_x = cellOn(goal.getX(), boundary.getHorizontal());
  const int goal_y = cellOn(goal.getY(), boundary.getVertical());
  if (goal_x < 0 || goal_y < 0) {
    log.writeLog("PathManager::findPath(): goal (%.2f, %.2f) for Object %d outside the world.",
                 goal.getX(), goal.getY(), p_o->getId());
    return -1;
  }
  const Vector from = p_o->getPosition();
  const int start_x = cellOn(from.getX(), boundary.getHorizontal());
  const int start_y = cellOn(from.getY(), boundary.getVertical());
  if (start_x < 0 || start_y < 0) {
    log.writeLog("PathManager::findPath(): Object %d at (%.2f, %.2f) outside the world.",
                 p_o->getId(), from.getX(), from.getY());
    return -1;
  }
  finders.reserve(finders.size() + 1); // so that adding it below cannot fail
  auto* p_finder = new PathFind(p_o, start_x, start_y, goal_x, goal_y);
  if (p_finder->getColumns() == 0) {
    log.writeLog("PathManager::findPath(): unable to make a path finder for Object %d.",
                 p_o->getId());
    delete p_finder;
    return -1;
  }
  p_finder->setEndPassable(true), p_finder->setNeighbors(neighbors);
  p_o->setPathFind(p_finder);
  finders.push_back(p_finder);
  return 0;
}

int PathManager::unregisterPathFind(PathFind* p_path_find) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(TRACE, "PathManager::unregisterPathFind(): p_path_find is %s",
               PointerText(p_path_find).c_str());
  if (!p_path_find) {
    return -1;
  }
  bool found = false;
  for (int i = static_cast<int>(finders.size()) - 1; i >= 0; i--) {
    if (finders[i] == p_path_find) {
      finders.erase(finders.begin() + i);
      found = true;
      // A cycle in progress keeps its place on the search it was at.
      if (i < place) {
        place--;
      }
    }
  }
  if (!found) {
    return -1;
  }
  log.writeLog(TRACE, "PathManager::unregisterPathFind(): finder is %d",
               static_cast<int>(finders.size()));
  return 0;
}

} // namespace tw

#include "PathFind.h"

#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>

namespace tw {

namespace {

// A grid larger than this (cells) is not allocated; the search then finds nothing.
constexpr long long MAX_GRID_CELLS = 16LL * 1024 * 1024;

/// A boundary extent as a whole number of cells, 0 for nothing usable.
long long cellsIn(float extent) {
  return std::isfinite(extent) && extent > 0 ? static_cast<long long>(std::min(extent, 1e9f)) : 0;
}

/// Straight-line length, the root taken in double and rounded to float.
float distance(double dx, double dy) {
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

/// Log level of the search's trace, a handful of lines per examined cell: a game that
/// searches often would otherwise write megabytes a second.
constexpr int TRACE = 15;

} // namespace

std::string PathFind::cellsText(const std::vector<Cell>& cells) {
  std::string text;
  char number[16];
  for (const Cell& c : cells) {
    text += '(';
    text.append(number, std::to_chars(number, number + sizeof(number), c.x).ptr);
    text += ',';
    text.append(number, std::to_chars(number, number + sizeof(number), c.y).ptr);
    text += ") ";
  }
  return text;
}

PathFind::PathFind(Object* p_init_obj, int start_x, int start_y, int end_x, int end_y)
    : p_obj(p_init_obj), start{start_x, start_y}, end{end_x, end_y} {
  const Box boundary = WorldManager::getInstance().getBoundary();
  const long long w = cellsIn(boundary.getHorizontal());
  const long long r = cellsIn(boundary.getVertical());
  if (w > 0 && r > 0 && w * r <= MAX_GRID_CELLS) {
    // Every record starts at from_start 0 (as the start cell must) with no parent.
    p_grid = new (std::nothrow) Node[w * r];
    if (p_grid) {
      columns = static_cast<int>(w);
      rows = static_cast<int>(r);
      in_open.assign(w * r, 0);
      in_closed.assign(w * r, 0);
    }
  }
}

PathFind::~PathFind() {
  delete[] p_grid;
}

bool PathFind::blocked(Vector where, bool ignore_at_end) const {
  if (!p_obj) {
    return false;
  }
  WorldManager& world = WorldManager::getInstance();
  const ObjectList in_way = world.getCollisions(p_obj, where);
  ObjectList at_end;
  if (ignore_at_end && !in_way.isEmpty()) {
    at_end =
        world.getCollisions(p_obj, Vector(static_cast<float>(end.x), static_cast<float>(end.y)));
  }
  for (int i = 0; i < in_way.getCount(); i++) {
    const Object* p_other = in_way.at(i);
    if (p_other->getSolidness() == HARD && !at_end.contains(p_other)) {
      LogManager::getInstance().writeLog(TRACE, "\t\tCollision (%s)", p_other->typeRef().c_str());
      return true;
    }
  }
  return false;
}

bool PathFind::stepBlocked(Cell c, int dx, int dy) const {
  // Whatever stands on a passable end cell is where the search leads, not in its way.
  const bool into_end = end_passable && c.x + dx == end.x && c.y + dy == end.y;
  if (!into_end && blocked(Vector(static_cast<float>(c.x + dx), static_cast<float>(c.y + dy)))) {
    return true;
  }
  // A diagonal step must not squeeze past the corner of a HARD object: halfway there the
  // object would overlap it, and the world would stop it on the way.
  return dx != 0 && dy != 0 && blocked(Vector(c.x + 0.5f * dx, c.y + 0.5f * dy), into_end);
}

int PathFind::cycleOnce() {
  const LogManager& log = LogManager::getInstance();
  // The trace costs a line per examined cell: only built when it is written.
  const bool tracing = log.getLogLevel() >= TRACE;
  log.writeLog(TRACE, "-------------------------------");
  ply++;
  log.writeLog(TRACE, "PathFind::cycleOnce(): ply %d", ply);
  log.writeLog(TRACE, "\tFinding lowest cost in open set");

  // Last to first, strictly lower: among equal costs the cell added last wins.
  Cell chosen = start;
  float min_cost = std::numeric_limits<float>::infinity();
  for (auto it = open_set.rbegin(); it != open_set.rend(); ++it) {
    const float cost = nodeAt(*it).cost;
    if (tracing) {
      log.writeLog(TRACE, "\tNode (%d,%d), cost %.2f to min %.2f", it->x, it->y, cost, min_cost);
    }
    if (cost < min_cost) {
      min_cost = cost;
      chosen = *it;
    }
  }
  log.writeLog(TRACE, "\tLowest (%d,%d), cost %.2f", chosen.x, chosen.y, min_cost);
  if (inGrid(chosen) && in_open[indexOf(chosen)]) {
    open_set.erase(std::find(open_set.begin(), open_set.end(), chosen));
    in_open[indexOf(chosen)] = 0;
  }

  closed_set.push_back(chosen);
  if (inGrid(chosen)) {
    in_closed[indexOf(chosen)] = 1;
  }
  if (tracing) {
    log.writeLog(TRACE, "\tOpen set: %s", cellsText(open_set).c_str());
    log.writeLog(TRACE, "\tClosed set: %s", cellsText(closed_set).c_str());
  }

  if (chosen == end) {
    log.writeLog(TRACE, "PathFind::cycleOnce(): done. FOUND.");
    return FOUND;
  }

  // Neighbours must lie inside the world as it is now, and inside the grid as it was made.
  const Box boundary = WorldManager::getInstance().getBoundary();
  const long long w = std::min<long long>(columns, cellsIn(boundary.getHorizontal()));
  const long long h = std::min<long long>(rows, cellsIn(boundary.getVertical()));
  const float chosen_from_start = inGrid(chosen) ? nodeAt(chosen).from_start : 0.0f;
  static const int steps[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                  {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
  for (const auto& step : steps) {
    const long long nx = static_cast<long long>(chosen.x) + step[0];
    const long long ny = static_cast<long long>(chosen.y) + step[1];
    const bool diagonal = step[0] != 0 && step[1] != 0;
    if ((diagonal && neighbors == NEIGHBORS_4) || nx < 0 || nx >= w || ny < 0 || ny >= h) {
      continue;
    }
    const Cell n{static_cast<int>(nx), static_cast<int>(ny)};
    log.writeLog(TRACE, "\tExamining neighbor (%d, %d)", n.x, n.y);
    if (stepBlocked(chosen, step[0], step[1])) {
      continue;
    }
    const int index = indexOf(n);
    if (in_closed[index]) {
      log.writeLog(TRACE, "\t\tin_closed already");
      continue;
    }
    const float g = chosen_from_start + distance(step[0], step[1]);
    Node& node = nodeAt(n);
    if (!in_open[index]) {
      open_set.push_back(n);
      in_open[index] = 1;
      log.writeLog(TRACE, "\t\tin_open new");
    } else {
      log.writeLog(TRACE, "\t\tin_open already");
      if (g > node.from_start) {
        continue;
      }
    }
    node.parent = chosen;
    node.from_start = g;
    node.cost = g + distance(static_cast<double>(n.x) - end.x, static_cast<double>(n.y) - end.y);
    log.writeLog(TRACE, "\t\tbetter path from (%d, %d) (from_start %.2f, to_end %.2f)", chosen.x,
                 chosen.y, node.from_start, node.cost);
  }

  if (open_set.empty()) {
    log.writeLog(TRACE, "PathFind::cycleOnce(): done. NOT_FOUND.");
    return NOT_FOUND;
  }
  log.writeLog(TRACE, "PathFind::cycleOnce(): done. INCOMPLETE.");
  return INCOMPLETE;
}

Path PathFind::getPath() const {
  Path path;
  Cell c = end;
  // Parents always point to cells closed earlier, so the walk ends; the bound is a guard.
  long long steps = 0;
  const long long limit = static_cast<long long>(columns) * rows;
  while (!(c == start) && inGrid(c) && steps <= limit) {
    path.nodes.emplace_back(static_cast<float>(c.x), static_cast<float>(c.y));
    c = nodeAt(c).parent;
    steps++;
  }
  path.nodes.emplace_back(static_cast<float>(start.x), static_cast<float>(start.y));
  std::reverse(path.nodes.begin(), path.nodes.end());

  std::string text;
  for (const Vector& v : path.nodes) {
    text += "(" + toString(v.getX()) + "," + toString(v.getY()) + ") ";
  }
  LogManager::getInstance().writeLog("PathFind::getPath(): %s", text.c_str());
  return path;
}

} // namespace tw

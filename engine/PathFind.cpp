#include "PathFind.h"

#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <string>

namespace tw {

namespace {

// A grid larger than this (cells) is not allocated; the search then finds nothing.
constexpr long long MAX_GRID_CELLS = 16LL * 1024 * 1024;

float distance(float dx, float dy) {
  return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

} // namespace

PathFind::PathFind(Object* p_init_obj, int start_x, int start_y, int end_x, int end_y)
    : p_obj(p_init_obj), start{start_x, start_y}, end{end_x, end_y} {
  const Box boundary = WorldManager::getInstance().getBoundary();
  const float h = boundary.getHorizontal(), v = boundary.getVertical();
  const long long w = std::isfinite(h) && h > 0 ? static_cast<long long>(std::min(h, 1e9f)) : 0;
  const long long r = std::isfinite(v) && v > 0 ? static_cast<long long>(std::min(v, 1e9f)) : 0;
  if (w > 0 && r > 0 && w * r <= MAX_GRID_CELLS) {
    p_grid = new (std::nothrow) Node[w * r];
    if (p_grid) {
      columns = static_cast<int>(w);
      rows = static_cast<int>(r);
      in_open.assign(w * r, 0);
      in_closed.assign(w * r, 0);
    }
  }
}

PathFind::~PathFind() { delete[] p_grid; }

int PathFind::cycleOnce() {
  const LogManager& log = LogManager::getInstance();
  log.writeLog("-------------------------------");
  ply++;
  log.writeLog("PathFind::cycleOnce(): ply %d", ply);
  log.writeLog("\tFinding lowest cost in open set");

  Cell chosen = start;
  float min_cost = std::numeric_limits<float>::infinity();
  for (auto it = open_set.rbegin(); it != open_set.rend(); ++it) {
    const float cost = nodeAt(*it).cost;
    log.writeLog("\tNode (%d,%d), cost %.2f to min %.2f", it->x, it->y, cost, min_cost);
    if (cost < min_cost) {
      min_cost = cost;
      chosen = *it;
    }
  }
  log.writeLog("\tLowest (%d,%d), cost %.2f", chosen.x, chosen.y, min_cost);
  const auto found = std::find(open_set.begin(), open_set.end(), chosen);
  if (found != open_set.end()) {
    open_set.erase(found);
    in_open[chosen.y * columns + chosen.x] = 0;
  }

  std::string text;
  for (const Cell& c : open_set) {
    text += "(" + toString(c.x) + "," + toString(c.y) + ") ";
  }
  log.writeLog("\tOpen set: %s", text.c_str());
  closed_set.push_back(chosen);
  if (inGrid(chosen)) {
    in_closed[chosen.y * columns + chosen.x] = 1;
  }
  text.clear();
  for (const Cell& c : closed_set) {
    text += "(" + toString(c.x) + "," + toString(c.y) + ") ";
  }
  log.writeLog("\tClosed set: %s", text.c_str());

  if (chosen == end) {
    log.writeLog("PathFind::cycleOnce(): done. FOUND.");
    return FOUND;
  }

  const WorldManager& world = WorldManager::getInstance();
  const float chosen_from_start = inGrid(chosen) ? nodeAt(chosen).from_start : 0.0f;
  static const int steps[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                  {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
  for (const auto& step : steps) {
    const Cell n{chosen.x + step[0], chosen.y + step[1]};
    if (!inGrid(n)) {
      continue;
    }
    log.writeLog("\tExamining neighbor (%d, %d)", n.x, n.y);
    const ObjectList in_way = world.getCollisions(
        p_obj, Vector(static_cast<float>(n.x), static_cast<float>(n.y)));
    bool blocked = false;
    for (int i = 0; i < in_way.getCount(); i++) {
      if (in_way.at(i)->getSolidness() == HARD) {
        log.writeLog("\t\tCollision (%s)", in_way.at(i)->typeRef().c_str());
        blocked = true;
        break;
      }
    }
    if (blocked) {
      continue;
    }
    const int index = n.y * columns + n.x;
    if (in_closed[index]) {
      log.writeLog("\t\tin_closed already");
      continue;
    }
    const float g =
        chosen_from_start + distance(static_cast<float>(step[0]), static_cast<float>(step[1]));
    Node& node = nodeAt(n);
    if (!in_open[index]) {
      open_set.push_back(n);
      in_open[index] = 1;
      log.writeLog("\t\tin_open new");
    } else {
      log.writeLog("\t\tin_open already");
      if (g > node.from_start) {
        continue;
      }
    }
    node.parent = chosen;
    node.from_start = g;
    node.cost = g + distance(static_cast<float>(n.x - end.x), static_cast<float>(n.y - end.y));
    log.writeLog("\t\tbetter path from (%d, %d) (from_start %.2f, to_end %.2f)", chosen.x,
                 chosen.y, node.from_start, node.cost);
  }

  if (open_set.empty()) {
    log.writeLog("PathFind::cycleOnce(): done. NOT_FOUND.");
    return NOT_FOUND;
  }
  log.writeLog("PathFind::cycleOnce(): done. INCOMPLETE.");
  return INCOMPLETE;
}

Path PathFind::getPath() const {
  Path path;
  Cell c = end;
  // Bounded by the grid size, so a chain of parents can never loop.
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

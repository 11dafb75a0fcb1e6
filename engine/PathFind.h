#pragma once

#include "Path.h"
#include "Vector.h"

#include <string>
#include <vector>

namespace tw {

class Object;

/// How a path search stands.
enum PathStatus {
  NOT_FOUND = 0, ///< ended: the end cell cannot be reached
  INCOMPLETE,    ///< still searching
  FOUND,         ///< ended: a path was found
};

/// The cells a search may step to from a cell.
enum PathNeighbors {
  NEIGHBORS_4 = 4, ///< the four that share a side with it
  NEIGHBORS_8 = 8, ///< those and the four diagonal ones
};

/// An incremental A* search over the world's cells for one object: each cycleOnce expands
/// one cell; HARD objects in the object's way block a cell. Its trace goes to the log at
/// level 15.
class PathFind {
public:
  /// Searches from start to end (cells); the grid takes the world boundary's size now and
  /// keeps it, whatever later happens to the boundary.
  PathFind(Object* p_obj, int start_x, int start_y, int end_x, int end_y);
  ~PathFind();
  PathFind(const PathFind&) = delete;
  PathFind& operator=(const PathFind&) = delete;

  /// Expands one cell and reports FOUND, NOT_FOUND or INCOMPLETE.
  int cycleOnce();
  /// The path from start to end through the recorded parents.
  Path getPath() const;

  /// Lets the search enter the end cell whatever stands there, so that it can lead to a HARD
  /// object (off by default: a blocked end cell is never reached).
  void setEndPassable(bool passable = true) { end_passable = passable; }
  /// Whether the end cell is entered whatever stands there.
  bool isEndPassable() const { return end_passable; }
  /// Steps to the four side neighbours only, or to all eight (the default).
  void setNeighbors(PathNeighbors new_neighbors) { neighbors = new_neighbors; }
  /// The cells the search steps to.
  PathNeighbors getNeighbors() const { return neighbors; }

  /// The object the path is for.
  Object* getObject() const { return p_obj; }
  /// Number of cycleOnce calls so far.
  int getPly() const { return ply; }
  /// Grid size in cells; 0 when the boundary was empty or too large to hold.
  int getColumns() const { return columns; }
  /// Rows of the grid; 0 as for the columns.
  int getRows() const { return rows; }

private:
  struct Cell {
    int x;
    int y;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
  };
  struct Node {
    float from_start = 0.0f;
    float cost = 0.0f;
    Cell parent{-1, -1};
  };

  int indexOf(Cell c) const { return c.y * columns + c.x; }
  Node& nodeAt(Cell c) { return p_grid[indexOf(c)]; }
  const Node& nodeAt(Cell c) const { return p_grid[indexOf(c)]; }
  bool inGrid(Cell c) const { return c.x >= 0 && c.x < columns && c.y >= 0 && c.y < rows; }
  /// Whether the object would overlap a HARD object at where (and logs the first one);
  /// with ignore_at_end, not counting those it would overlap on the end cell.
  bool blocked(Vector where, bool ignore_at_end = false) const;
  /// Whether the step from c by (dx, dy) is barred by HARD objects.
  bool stepBlocked(Cell c, int dx, int dy) const;

  Object* p_obj;
  Cell start;
  Cell end;
  int columns = 0;
  int rows = 0;
  Node* p_grid = nullptr;
  /// Cells as the trace writes them, "(x,y) " each.
  static std::string cellsText(const std::vector<Cell>& cells);

  // The open set stays a sequence in insertion order (its order decides ties); one flag per
  // cell answers "is it in the open set" and "is it closed" in constant time. The closed set
  // is otherwise only ever logged.
  std::vector<Cell> open_set;
  std::vector<Cell> closed_set;
  std::vector<char> in_open;
  std::vector<char> in_closed;
  int ply = 0;
  bool end_passable = false;
  PathNeighbors neighbors = NEIGHBORS_8;
};

} // namespace tw

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

/// An incremental A* search over the world's cells for one object: each cycleOnce expands
/// one cell; HARD objects in the object's way block a cell.
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
  /// Whether the object would overlap a HARD object at where (and logs the first one).
  bool blocked(Vector where) const;

  Object* p_obj;
  Cell start;
  Cell end;
  int columns = 0;
  int rows = 0;
  Node* p_grid = nullptr;
  // The open set stays a sequence in insertion order (its order decides ties); one flag per
  // cell answers "is it in the open set" and "is it closed" in constant time. The closed set
  // is otherwise only ever logged, so it is kept as its logged text, in the order closed.
  std::vector<Cell> open_set;
  std::vector<char> in_open;
  std::vector<char> in_closed;
  std::string closed_text;
  std::string open_text; // rebuilt every ply; kept to reuse its storage
  int ply = 0;
};

} // namespace tw

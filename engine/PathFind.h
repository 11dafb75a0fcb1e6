#pragma once

#include "Path.h"

#include <vector>

namespace tw {

class Object;

enum PathStatus {
  NOT_FOUND = 0,
  INCOMPLETE,
  FOUND,
};

/// An incremental A* search over the world's cells for one object: each cycleOnce expands
/// one cell; HARD objects in the object's way block a cell.
class PathFind {
public:
  /// Searches from start to end (cells); the grid takes the world boundary's size now.
  PathFind(Object* p_obj, int start_x, int start_y, int end_x, int end_y);
  ~PathFind();
  PathFind(const PathFind&) = delete;
  PathFind& operator=(const PathFind&) = delete;

  /// Expands one cell and reports FOUND, NOT_FOUND or INCOMPLETE.
  int cycleOnce();
  /// The path from start to end through the recorded parents.
  Path getPath() const;

  Object* getObject() const { return p_obj; }
  int getPly() const { return ply; }
  int getColumns() const { return columns; }
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

  Node& nodeAt(Cell c) { return p_grid[c.y * columns + c.x]; }
  const Node& nodeAt(Cell c) const { return p_grid[c.y * columns + c.x]; }
  bool inGrid(Cell c) const { return c.x >= 0 && c.x < columns && c.y >= 0 && c.y < rows; }

  Object* p_obj;
  Cell start;
  Cell end;
  int columns = 0;
  int rows = 0;
  Node* p_grid = nullptr;
  std::vector<Cell> open_set;
  std::vector<Cell> closed_set;
  std::vector<char> in_closed; // one flag per cell, so the closed test is constant time
  std::vector<char> in_open;
  int ply = 0;
};

} // namespace tw

#pragma once

#include "Box.h"
#include "ObjectList.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tw {

class Object;

/// A broad phase for collision tests: the world boxes of the solid objects filed by the grid
/// squares they cover, hashed, so that a query looks only at objects near its box. Queries
/// answer in the order in which objects were inserted, which is the order of the solid list
/// when every append to that list is an insert here. An object is filed in one grid at a time:
/// it keeps its entry's slot. A removed entry stays in its squares, skipped by queries, until
/// the removed outnumber the rest three to one and every square is filed anew, so that
/// removing costs constant time whatever the crowd in the squares, and a query looks at four
/// entries at most for each one in use.
class CollisionGrid {
public:
  /// Side of one grid square, in world cells (a power of two, so the division is exact).
  static constexpr float SQUARE = 2.0f;
  /// A box covering more squares than this is kept in a list that every query scans.
  static constexpr long long MAX_SQUARES = 256;
  /// Filings of removed entries the squares may hold beyond three for each one in use before
  /// they are filed anew.
  static constexpr std::size_t MIN_REFILE = 256;

  CollisionGrid();

  /// Files p_o as the last object in order; an object already filed moves to the end.
  void insert(Object* p_o);
  /// Forgets p_o; nothing for an object not filed.
  void remove(const Object* p_o);
  /// Files p_o again after its world box changed; nothing for an object not filed.
  void update(const Object* p_o);
  /// Forgets every object.
  void clear();

  /// Appends to result every filed solid object but p_ignore whose world box intersects box,
  /// in order of insertion. False, with result untouched, when box is too large or too far
  /// out for the grid to answer cheaply: the caller then scans the whole list instead.
  bool query(const Box& box, const Object* p_ignore, ObjectList& result) const;

private:
  /// The squares a box covers, inclusive; not valid for boxes the grid cannot hold.
  struct Squares {
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool valid = false;
    /// Valid and covering at most MAX_SQUARES squares.
    bool isSmall() const {
      return valid && x1 - x0 < MAX_SQUARES && y1 - y0 < MAX_SQUARES &&
             (x1 - x0 + 1) * (y1 - y0 + 1) <= MAX_SQUARES;
    }
    bool operator==(const Squares& other) const {
      return valid == other.valid && x0 == other.x0 && y0 == other.y0 && x1 == other.x1 &&
             y1 == other.y1;
    }
  };
  struct Entry {
    Object* p_o = nullptr; // null once removed
    std::uint64_t order = 0;
    Squares squares;
    bool wide = false; // in the wide list instead of the buckets
    /// Where each filing of the entry sits in its bucket (or in the wide list), so that it
    /// is taken out without a search: a crowded square holds many objects.
    std::vector<int> where;
  };
  /// One square of an entry's box, filed in a bucket: the entry's slot and which of its
  /// squares it is.
  struct Filing {
    int slot = 0;
    int nth = 0;
  };

  static Squares squaresOf(const Box& box);
  std::size_t bucketOf(long long x, long long y) const;
  /// The slot of p_o's entry, or -1 when it is not filed.
  int slotOf(const Object* p_o) const;
  void file(int slot);
  void unfile(int slot);
  /// Files every entry in use anew in bucket_count buckets, dropping the removed ones.
  void refile(std::size_t bucket_count);

  std::vector<Entry> entries;
  std::vector<int> free_slots; // slots of removed entries no square refers to any more
  std::size_t filed = 0;       // entries in use
  std::size_t live_filings = 0;
  std::size_t dead_filings = 0; // filings of removed entries, still in their squares
  std::vector<std::vector<Filing>> buckets;
  std::vector<Filing> wide;
  std::uint64_t next_order = 0;
  // Scratch of queries: the query that last saw each slot, and what it found.
  mutable std::vector<std::uint64_t> marks;
  mutable std::uint64_t next_mark = 0;
  mutable std::vector<std::pair<std::uint64_t, Object*>> found;
};

} // namespace tw

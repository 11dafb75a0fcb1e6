#pragma once

#include <memory>

namespace tw {

class Object;

/// A growable array of object pointers. It never owns the objects; copies are independent.
/// Removing from a long list costs constant time on average: the list then keeps an index of
/// its pointers, and a removal leaves a hole that the next read by position closes, so that
/// removing many objects one after the other costs one pass over the list, not one each.
class ObjectList {
public:
  /// An empty list with room for one pointer.
  ObjectList();
  /// An independent copy of other; empty when no storage can be had for it.
  ObjectList(const ObjectList& other);
  /// Copies other, reusing this list's storage when it is large enough; empty when no
  /// storage can be had.
  ObjectList& operator=(const ObjectList& other);
  ~ObjectList();

  /// Appends p, doubling the storage when full. -1 for null or when the storage cannot grow.
  int add(Object* p);
  /// Removes the first occurrence of p, keeping the order of the rest. -1 when absent.
  int remove(Object* p);
  /// Empties the list, keeping its storage.
  void clear();
  /// Number of pointers in the list.
  int getCount() const { return count; }
  /// Pointers the storage holds before it must grow.
  int getCapacity() const { return capacity; }
  /// True when the list holds no pointer.
  bool isEmpty() const { return count == 0; }
  /// The pointer at index, or null outside 0..count-1.
  Object* at(int index) const;
  /// True when p is in the list.
  bool contains(const Object* p) const;
  /// Exchanges the contents of the two lists.
  void swap(ObjectList& other) noexcept;

  /// A copy of this list followed by every non-null pointer of other.
  ObjectList operator+(ObjectList other) const;

  /// Lists shorter than this are searched from the front; longer ones get an index on their
  /// first search.
  static constexpr int INDEX_MIN = 64;

private:
  struct Index;

  int grow();
  /// Closes the holes left by removals, keeping the order.
  void compact() const;
  /// The slot of the first occurrence of p, or -1; builds the index when the list is long.
  int find(const Object* p) const;
  void buildIndex() const;
  /// Copies the pointers of other into this list's storage, which has room for them.
  void copyItems(const ObjectList& other);

  int count = 0; // pointers in the list
  int capacity = 0;
  // Slots in use: the pointers and, in an indexed list, holes (null) left by removals.
  mutable int used = 0;
  mutable Object** p_items = nullptr;
  mutable std::unique_ptr<Index> p_index; // only in lists that were searched while long
};

} // namespace tw

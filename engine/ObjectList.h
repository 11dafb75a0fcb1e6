#pragma once

namespace tw {

class Object;

/// A growable array of object pointers. It never owns the objects; copies are independent.
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

  /// A copy of this list followed by every non-null pointer of other.
  ObjectList operator+(ObjectList other) const;

private:
  int grow();

  int count = 0;
  int capacity = 0;
  Object** p_items = nullptr;
};

} // namespace tw

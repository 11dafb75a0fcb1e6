#pragma once

namespace tw {

class Object;

/// A growable array of object pointers. It never owns the objects; copies are independent.
class ObjectList {
public:
  ObjectList();
  ObjectList(const ObjectList& other);
  ObjectList& operator=(const ObjectList& other);
  ~ObjectList();

  /// Appends p, doubling the storage when full. -1 for null or when the storage cannot grow.
  int add(Object* p);
  /// Removes the first occurrence of p, keeping the order of the rest. -1 when absent.
  int remove(Object* p);
  void clear();
  int getCount() const { return count; }
  int getCapacity() const { return capacity; }
  bool isEmpty() const { return count == 0; }
  /// The pointer at index, or null outside 0..count-1.
  Object* at(int index) const;
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

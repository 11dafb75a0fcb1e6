#pragma once

#include <cstdint>
#include <memory>

namespace tw {

class Object;

/// A growable array of object pointers. It never owns the objects; copies are independent.
/// Removing from a long list costs constant time on average: the list then keeps an index of
/// its pointers, and a removal leaves a hole that the next read by position closes, so that
/// removing many objects one after the other costs one pass over the list, not one each.
///
/// A list that keeps keys (keepKeys()) hands out, with each pointer it takes in, a key that
/// finds its place again without the index: an owner that stores the key with the object
/// takes the object out at the cost of reading that place alone.
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
  /// Appends p as add() does and sets key to what finds its place again (in a list keeping
  /// keys; a key names one place for the life of the list).
  int add(Object* p, std::uint64_t& key);
  /// Removes the first occurrence of p, keeping the order of the rest. -1 when absent.
  int remove(Object* p);
  /// Removes the occurrence of p that key (from add) finds; when the key finds no p, the first
  /// occurrence of p, as remove(p) does. -1 when p is absent.
  int remove(Object* p, std::uint64_t key);
  /// Hands out keys from now on (copies of the list do not).
  void keepKeys();
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
  /// The slot that key names, or -1.
  int slotOfKey(std::uint64_t key) const;
  /// Makes the keys of the slots in use, when there are none, and the index of the pointers.
  void buildIndex() const;
  /// Makes the keys of the slots in use, when there are none; false without memory.
  bool buildKeys() const;
  /// Takes the pointer at slot out.
  void removeSlot(int slot);
  /// Copies the pointers of other into this list's storage, which has room for them.
  void copyItems(const ObjectList& other);

  int count = 0; // pointers in the list
  int capacity = 0;
  // Slots in use: the pointers and, in an indexed list, holes (null) left by removals.
  mutable int used = 0;
  mutable Object** p_items = nullptr;
  mutable std::unique_ptr<Index> p_index; // in lists searched while long, or keeping keys
  bool keyed = false;
  mutable std::uint64_t next_key = 0; // keys are never used twice in one list
};

} // namespace tw

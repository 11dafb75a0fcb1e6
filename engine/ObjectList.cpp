#include "ObjectList.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace tw {

/// Where each pointer first occurs. Slots get increasing keys as pointers are appended, and a
/// pointer's key does not change when holes before it close, so the index is kept up to date
/// by appends and removals alone; the slot of a key is found by binary search. The table is
/// open-addressed (linear probing, half full at most), with nothing allocated per pointer; a
/// list keeping keys has the keys alone until it is searched by pointer.
struct ObjectList::Index {
  struct First {
    const Object* p = nullptr; // null: an empty entry
    std::uint64_t key = 0;     // key of the slot of the first occurrence
    int occurrences = 0;
  };
  std::vector<First> table; // empty until the list is searched by pointer
  std::size_t entries = 0;
  std::vector<std::uint64_t> keys; // the key of each slot in use, holes included

  std::size_t home(const Object* p) const {
    const auto h =
        static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(h >> 32) & (table.size() - 1);
  }
  /// The entry of p, or null.
  First* find(const Object* p) {
    for (std::size_t i = home(p);; i = (i + 1) & (table.size() - 1)) {
      if (table[i].p == p) {
        return &table[i];
      }
      if (!table[i].p) {
        return nullptr;
      }
    }
  }
  /// The entry of p, made with key when absent.
  First& insert(const Object* p, std::uint64_t key) {
    if ((entries + 1) * 2 > table.size()) {
      std::vector<First> old(table.size() * 2);
      old.swap(table);
      entries = 0;
      for (const First& f : old) {
        if (f.p) {
          insert(f.p, f.key).occurrences = f.occurrences;
        }
      }
    }
    std::size_t i = home(p);
    while (table[i].p && table[i].p != p) {
      i = (i + 1) & (table.size() - 1);
    }
    if (!table[i].p) {
      table[i] = First{p, key, 0};
      entries++;
    }
    return table[i];
  }
  /// Empties the entry e, moving back later entries of its probe run.
  void erase(First* e) {
    const std::size_t mask = table.size() - 1;
    auto i = static_cast<std::size_t>(e - table.data());
    for (std::size_t j = (i + 1) & mask; table[j].p; j = (j + 1) & mask) {
      const std::size_t k = home(table[j].p);
      // Entry j may fill the gap at i when its home is not in (i, j], cyclically.
      const bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
      if (!stays) {
        table[i] = table[j];
        i = j;
      }
    }
    table[i] = First();
    entries--;
  }
};

ObjectList::ObjectList() {
  p_items = static_cast<Object**>(std::malloc(sizeof(Object*)));
  capacity = p_items ? 1 : 0;
}

ObjectList::ObjectList(const ObjectList& other) {
  if (other.capacity > 0) {
    p_items = static_cast<Object**>(std::malloc(sizeof(Object*) * other.capacity));
  }
  if (p_items) {
    capacity = other.capacity;
    copyItems(other);
  }
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
  if (this == &other) {
    return *this;
  }
  if (other.count <= capacity) {
    // Reuse the storage: walks that copy a list every frame then allocate nothing.
    p_index.reset();
    copyItems(other);
    return *this;
  }
  ObjectList copy(other);
  copy.keyed = keyed;
  copy.next_key = next_key;
  swap(copy);
  return *this;
}

ObjectList::~ObjectList() {
  std::free(p_items);
}

void ObjectList::copyItems(const ObjectList& other) {
  if (other.used == other.count) {
    if (other.count > 0) {
      std::memcpy(p_items, other.p_items, sizeof(Object*) * other.count);
    }
  } else {
    int j = 0;
    for (int i = 0; i < other.used; i++) {
      if (other.p_items[i]) {
        p_items[j++] = other.p_items[i];
      }
    }
  }
  count = other.count;
  used = other.count;
}

void ObjectList::swap(ObjectList& other) noexcept {
  std::swap(count, other.count);
  std::swap(capacity, other.capacity);
  std::swap(used, other.used);
  std::swap(p_items, other.p_items);
  std::swap(p_index, other.p_index);
  std::swap(keyed, other.keyed);
  std::swap(next_key, other.next_key);
}

int ObjectList::grow() {
  // A list whose first allocation failed starts again from one slot.
  if (capacity > INT_MAX / 2) {
    return -1;
  }
  const int new_capacity = capacity == 0 ? 1 : capacity * 2;
  auto p_new = static_cast<Object**>(std::realloc(p_items, sizeof(Object*) * new_capacity));
  if (!p_new) {
    return -1;
  }
  p_items = p_new;
  capacity = new_capacity;
  return 0;
}

void ObjectList::compact() const {
  if (used == count) {
    return;
  }
  std::vector<std::uint64_t>* p_keys = p_index ? &p_index->keys : nullptr;
  int j = 0;
  for (int i = 0; i < used; i++) {
    if (p_items[i]) {
      p_items[j] = p_items[i];
      if (p_keys) {
        (*p_keys)[static_cast<std::size_t>(j)] = (*p_keys)[static_cast<std::size_t>(i)];
      }
      j++;
    }
  }
  used = count;
  if (p_keys) {
    p_keys->resize(static_cast<std::size_t>(count));
  }
}

bool ObjectList::buildKeys() const {
  if (p_index) {
    return true;
  }
  try {
    auto p_new = std::make_unique<Index>();
    p_new->keys.resize(static_cast<std::size_t>(used));
    for (int i = 0; i < used; i++) {
      p_new->keys[static_cast<std::size_t>(i)] = next_key++;
    }
    p_index = std::move(p_new);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void ObjectList::buildIndex() const {
  // Without memory for the index the list is searched from the front, as a short one is.
  if (!buildKeys()) {
    return;
  }
  Index& index = *p_index;
  try {
    index.table.assign(16, Index::First());
    index.entries = 0;
    for (int i = 0; i < used; i++) {
      if (p_items[i]) {
        index.insert(p_items[i], index.keys[static_cast<std::size_t>(i)]).occurrences++;
      }
    }
  } catch (const std::bad_alloc&) {
    std::vector<Index::First>().swap(index.table);
    index.entries = 0;
    if (!keyed) {
      p_index.reset(); // made here: the list has no holes
    }
  }
}

int ObjectList::find(const Object* p) const {
  if (!p) {
    return -1; // never in a list
  }
  if ((!p_index || p_index->table.empty()) && used >= INDEX_MIN) {
    buildIndex();
  }
  if (!p_index || p_index->table.empty()) {
    // Searched from the front; holes, which only a list keeping keys has here, are null.
    for (int i = 0; i < used; i++) {
      if (p_items[i] == p) {
        return i;
      }
    }
    return -1;
  }
  const Index::First* p_first = p_index->find(p);
  return p_first ? slotOfKey(p_first->key) : -1;
}

int ObjectList::slotOfKey(std::uint64_t key) const {
  if (!p_index || used == 0) {
    return -1;
  }
  // Keys grow by one per append and holes close often, so the key's distance from the first
  // one is usually the slot, or near it: look there first, then search between the bounds.
  const std::uint64_t* keys = p_index->keys.data();
  int lo = 0;
  int hi = used - 1;
  const std::uint64_t guess = key - keys[0];
  if (guess < static_cast<std::uint64_t>(used)) {
    const int at = static_cast<int>(guess);
    if (keys[at] == key) {
      return at;
    }
    // Keys only grow, and by one at least, so the slot is at or before the guess.
    hi = at;
    const std::uint64_t back = keys[at] - key;
    if (back <= static_cast<std::uint64_t>(at)) {
      lo = at - static_cast<int>(back);
      if (keys[lo] == key) {
        return lo;
      }
    }
  }
  const std::uint64_t* p_key = std::lower_bound(keys + lo, keys + hi + 1, key);
  return p_key != keys + hi + 1 && *p_key == key ? static_cast<int>(p_key - keys) : -1;
}

int ObjectList::add(Object* p) {
  std::uint64_t key = 0;
  return add(p, key);
}

int ObjectList::add(Object* p, std::uint64_t& key) {
  if (!p) {
    return -1;
  }
  if (used == capacity) {
    if (used > count) {
      compact();
    } else if (grow() != 0) {
      return -1;
    }
  }
  if (keyed) {
    buildKeys();
  }
  key = UINT64_MAX; // names no slot
  if (p_index) {
    Index& index = *p_index;
    try {
      index.keys.push_back(next_key);
      if (!index.table.empty()) {
        index.insert(p, next_key).occurrences++;
      }
      key = next_key++;
    } catch (const std::bad_alloc&) {
      // Give the index up rather than the pointer; it is built again when next needed.
      compact();
      p_index.reset();
    }
  }
  p_items[used++] = p;
  count++;
  return 0;
}

int ObjectList::remove(Object* p) {
  const int slot = find(p);
  if (slot < 0) {
    return -1;
  }
  removeSlot(slot);
  return 0;
}

int ObjectList::remove(Object* p, std::uint64_t key) {
  const int slot = slotOfKey(key);
  if (slot >= 0 && p && p_items[slot] == p) {
    removeSlot(slot);
    return 0;
  }
  return remove(p);
}

void ObjectList::removeSlot(int slot) {
  Object* const p = p_items[slot];
  count--;
  if (!p_index) {
    std::memmove(p_items + slot, p_items + slot + 1, sizeof(Object*) * (used - slot - 1));
    used--;
    return;
  }
  Index& index = *p_index;
  p_items[slot] = nullptr;
  if (!index.table.empty()) {
    Index::First* p_first = index.find(p);
    if (--p_first->occurrences == 0) {
      index.erase(p_first);
    } else if (p_first->key == index.keys[static_cast<std::size_t>(slot)]) {
      for (int i = slot + 1; i < used; i++) {
        if (p_items[i] == p) {
          p_first->key = index.keys[static_cast<std::size_t>(i)];
          break;
        }
      }
    }
  }
  // Holes at the end close at once, so removing from the back keeps the list whole.
  while (used > 0 && !p_items[used - 1]) {
    used--;
    index.keys.pop_back();
  }
}

void ObjectList::keepKeys() {
  keyed = true;
  if (used > 0) {
    buildKeys();
  }
}

void ObjectList::clear() {
  count = 0;
  used = 0;
  if (keyed && p_index) {
    // Kept for the next appends; keys go on counting, so an old one names no new place.
    p_index->keys.clear();
    std::vector<Index::First>().swap(p_index->table);
    p_index->entries = 0;
  } else {
    p_index.reset();
  }
}

Object* ObjectList::at(int index) const {
  if (index < 0 || index >= count) {
    return nullptr;
  }
  compact();
  return p_items[index];
}

bool ObjectList::contains(const Object* p) const {
  return find(p) >= 0;
}

ObjectList ObjectList::operator+(ObjectList other) const {
  ObjectList result(*this);
  for (int i = 0; i < other.count; i++) {
    result.add(other.at(i)); // a pointer that does not fit is skipped
  }
  return result;
}

} // namespace tw

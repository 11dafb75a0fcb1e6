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
/// open-addressed (linear probing, half full at most), with nothing allocated per pointer.
struct ObjectList::Index {
  struct First {
    const Object* p = nullptr; // null: an empty entry
    std::uint64_t key = 0;     // key of the slot of the first occurrence
    int occurrences = 0;
  };
  std::vector<First> table = std::vector<First>(16);
  std::size_t entries = 0;
  std::vector<std::uint64_t> keys; // the key of each slot in use, holes included
  std::uint64_t next_key = 0;

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

void ObjectList::buildIndex() const {
  // Without memory for the index the list is searched from the front, as a short one is.
  try {
    auto p_new = std::make_unique<Index>();
    p_new->keys.resize(static_cast<std::size_t>(used));
    for (int i = 0; i < used; i++) {
      const auto key = static_cast<std::uint64_t>(i);
      p_new->keys[static_cast<std::size_t>(i)] = key;
      p_new->insert(p_items[i], key).occurrences++;
    }
    p_new->next_key = static_cast<std::uint64_t>(used);
    p_index = std::move(p_new);
  } catch (const std::bad_alloc&) {
  }
}

int ObjectList::find(const Object* p) const {
  if (!p_index && used >= INDEX_MIN) {
    buildIndex();
  }
  if (!p_index) {
    // An unindexed list has no holes.
    for (int i = 0; i < used; i++) {
      if (p_items[i] == p) {
        return i;
      }
    }
    return -1;
  }
  const Index::First* p_first = p_index->find(p);
  if (!p_first) {
    return -1;
  }
  // Keys grow by one per append and holes close often, so the key's distance from the first
  // one is usually the slot, or near it: look there first, then search between the bounds.
  const std::uint64_t* keys = p_index->keys.data();
  const std::uint64_t key = p_first->key;
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
  return static_cast<int>(std::lower_bound(keys + lo, keys + hi + 1, key) - keys);
}

int ObjectList::add(Object* p) {
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
  if (p_index) {
    Index& index = *p_index;
    try {
      index.keys.push_back(index.next_key);
      index.insert(p, index.next_key).occurrences++;
      index.next_key++;
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
  count--;
  if (!p_index) {
    std::memmove(p_items + slot, p_items + slot + 1, sizeof(Object*) * (used - slot - 1));
    used--;
    return 0;
  }
  Index& index = *p_index;
  p_items[slot] = nullptr;
  Index::First* p_first = index.find(p);
  if (--p_first->occurrences == 0) {
    index.erase(p_first);
  } else {
    for (int i = slot + 1; i < used; i++) {
      if (p_items[i] == p) {
        p_first->key = index.keys[static_cast<std::size_t>(i)];
        break;
      }
    }
  }
  // Holes at the end close at once, so removing from the back keeps the list whole.
  while (used > 0 && !p_items[used - 1]) {
    used--;
    index.keys.pop_back();
  }
  return 0;
}

void ObjectList::clear() {
  count = 0;
  used = 0;
  p_index.reset();
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

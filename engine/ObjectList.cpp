#include "ObjectList.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace tw {

ObjectList::ObjectList() {
  p_items = static_cast<Object**>(std::malloc(sizeof(Object*)));
  capacity = p_items ? 1 : 0;
}

ObjectList::ObjectList(const ObjectList& other) {
  if (other.capacity > 0) {
    p_items = static_cast<Object**>(std::malloc(sizeof(Object*) * other.capacity));
  }
  if (p_items) {
    if (other.count > 0) {
      std::memcpy(p_items, other.p_items, sizeof(Object*) * other.count);
    }
    capacity = other.capacity;
    count = other.count;
  }
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
  if (this == &other) {
    return *this;
  }
  if (other.count <= capacity) {
    // Reuse the storage: walks that copy a list every frame then allocate nothing.
    if (other.count > 0) {
      std::memcpy(p_items, other.p_items, sizeof(Object*) * other.count);
    }
    count = other.count;
    return *this;
  }
  ObjectList copy(other);
  Object** p_old = p_items;
  p_items = copy.p_items;
  capacity = copy.capacity;
  count = copy.count;
  copy.p_items = p_old;
  return *this;
}

ObjectList::~ObjectList() {
  std::free(p_items);
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

int ObjectList::add(Object* p) {
  if (!p) {
    return -1;
  }
  if (count == capacity && grow() != 0) {
    return -1;
  }
  p_items[count++] = p;
  return 0;
}

int ObjectList::remove(Object* p) {
  for (int i = 0; i < count; i++) {
    if (p_items[i] == p) {
      std::memmove(p_items + i, p_items + i + 1, sizeof(Object*) * (count - i - 1));
      count--;
      return 0;
    }
  }
  return -1;
}

void ObjectList::clear() {
  count = 0;
}

Object* ObjectList::at(int index) const {
  if (index < 0 || index >= count) {
    return nullptr;
  }
  return p_items[index];
}

bool ObjectList::contains(const Object* p) const {
  for (int i = 0; i < count; i++) {
    if (p_items[i] == p) {
      return true;
    }
  }
  return false;
}

ObjectList ObjectList::operator+(ObjectList other) const {
  ObjectList result(*this);
  for (int i = 0; i < other.count; i++) {
    result.add(other.p_items[i]); // a pointer that does not fit is skipped
  }
  return result;
}

} // namespace tw

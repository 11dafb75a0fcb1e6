#pragma once

#include "ObjectList.h"

namespace tw {

class Object;

/// Walks an ObjectList: first(), then while !isDone(): currentObject(), next().
class ObjectListIterator {
public:
  /// Starts at the first object of p_list, which must outlive the iterator.
  explicit ObjectListIterator(const ObjectList* p_list);

  /// Goes back to the first object.
  void first() { index = 0; }
  /// Moves on to the next object; stays past the last one once there.
  void next();
  /// True past the last object.
  bool isDone() const;
  /// The object at the current place, or null when done.
  Object* currentObject() const;

private:
  const ObjectList* p_list;
  int index = 0;
};

} // namespace tw

#pragma once

#include "ObjectList.h"

namespace tw {

class Object;

/// Walks an ObjectList: first(), then while !isDone(): currentObject(), next().
class ObjectListIterator {
public:
  explicit ObjectListIterator(const ObjectList* p_list);

  void first() { index = 0; }
  void next();
  bool isDone() const;
  Object* currentObject() const;

private:
  const ObjectList* p_list;
  int index = 0;
};

} // namespace tw

#include "ObjectListIterator.h"

namespace tw {

ObjectListIterator::ObjectListIterator(const ObjectList* p_init_list) : p_list(p_init_list) {}

void ObjectListIterator::next() {
  index++;
  if (index > p_list->getCount()) {
    index = p_list->getCount();
  }
}

bool ObjectListIterator::isDone() const {
  return index >= p_list->getCount();
}

Object* ObjectListIterator::currentObject() const {
  return p_list->at(index);
}

} // namespace tw

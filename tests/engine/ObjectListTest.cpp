#include "ObjectList.h"
#include "ObjectListIterator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using tw::Object;
using tw::ObjectList;
using List = std::vector<Object*>;

namespace {
/// Distinct, never dereferenced pointers.
Object* fake(int i) {
  return reinterpret_cast<Object*>(static_cast<std::uintptr_t>(16 * (i + 1)));
}

List items(const ObjectList& list) {
  List out;
  tw::ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next()) {
    out.push_back(li.currentObject());
  }
  return out;
}
} // namespace

TEST(ObjectList, GrowsRemovesAndCopies) {
  ObjectList list;
  EXPECT_EQ(list.remove(fake(0)), -1);
  EXPECT_EQ(list.add(nullptr), -1);
  EXPECT_EQ(list.getCapacity(), 1);
  for (int i : {0, 1, 2, 1, 3}) {
    ASSERT_EQ(list.add(fake(i)), 0);
  }
  EXPECT_EQ(list.getCapacity(), 8);
  const ObjectList copy = list;
  EXPECT_EQ(list.remove(fake(1)), 0); // the first occurrence only
  EXPECT_EQ(list.remove(fake(9)), -1);
  EXPECT_EQ(items(list), (List{fake(0), fake(2), fake(1), fake(3)}));
  EXPECT_EQ(list.remove(fake(3)), 0);
  EXPECT_EQ(items(list), (List{fake(0), fake(2), fake(1)}));
  EXPECT_EQ(items(copy), (List{fake(0), fake(1), fake(2), fake(1), fake(3)}));
  EXPECT_EQ(items(list + copy).size(), 8u);
  EXPECT_EQ(items(ObjectList() + list), items(list));
  ObjectList big = copy;
  for (int i = 0; i < 1000; i++) {
    big.add(fake(i));
  }
  EXPECT_EQ(big.getCapacity(), 1024);
  EXPECT_EQ(big.at(1004), fake(999));
  EXPECT_EQ(big.at(1005), nullptr);
  EXPECT_EQ(big.at(-1), nullptr);
  big = list;  // shrinking assignment
  list = copy; // growing assignment
  list = list;
  EXPECT_EQ(items(big), (List{fake(0), fake(2), fake(1)}));
  EXPECT_EQ(items(list), items(copy));
  big.clear();
  EXPECT_TRUE(big.isEmpty());
  EXPECT_EQ(big.getCapacity(), 1024);
}

TEST(ObjectList, IteratorOnAnEmptyListAndClampedNext) {
  ObjectList list;
  tw::ObjectListIterator li(&list);
  li.first();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  list.add(fake(0));
  li.first();
  li.next();
  li.next();
  EXPECT_TRUE(li.isDone());
  list.add(fake(1)); // the index stayed at the old end, so the new member is next
  EXPECT_EQ(li.currentObject(), fake(1));
}

#include "ObjectList.h"
#include "ObjectListIterator.h"

#include <gtest/gtest.h>

using tw::Object;
using tw::ObjectList;
using tw::ObjectListIterator;

namespace {
// Distinct, never dereferenced pointers.
Object* fake(int i) {
  return reinterpret_cast<Object*>(static_cast<std::uintptr_t>(16 * (i + 1)));
}

std::vector<Object*> items(const ObjectList& list) {
  std::vector<Object*> out;
  ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next()) {
    out.push_back(li.currentObject());
  }
  return out;
}
} // namespace

TEST(ObjectList, GrowsByDoublingAndRefusesNull) {
  ObjectList list;
  EXPECT_EQ(list.getCapacity(), 1);
  EXPECT_EQ(list.add(nullptr), -1);
  EXPECT_TRUE(list.isEmpty());
  for (int i = 0; i < 5; i++) {
    ASSERT_EQ(list.add(fake(i)), 0);
  }
  EXPECT_EQ(list.getCount(), 5);
  EXPECT_EQ(list.getCapacity(), 8);
  for (int i = 5; i < 1000; i++) {
    ASSERT_EQ(list.add(fake(i)), 0);
  }
  EXPECT_EQ(list.getCapacity(), 1024);
  EXPECT_EQ(list.at(999), fake(999));
  EXPECT_EQ(list.at(1000), nullptr);
  EXPECT_EQ(list.at(-1), nullptr);
}

TEST(ObjectList, RemoveTakesTheFirstOccurrenceAndKeepsOrder) {
  ObjectList list;
  EXPECT_EQ(list.remove(fake(0)), -1);
  for (int i : {0, 1, 2, 1, 3}) {
    list.add(fake(i));
  }
  EXPECT_EQ(list.remove(fake(1)), 0);
  EXPECT_EQ(items(list), (std::vector<Object*>{fake(0), fake(2), fake(1), fake(3)}));
  EXPECT_EQ(list.remove(fake(9)), -1);
  list.clear();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.getCapacity(), 8);
}

TEST(ObjectList, CopiesAndAssignmentsAreIndependent) {
  ObjectList a;
  a.add(fake(0));
  ObjectList b(a);
  b.add(fake(1));
  EXPECT_EQ(a.getCount(), 1);
  EXPECT_EQ(b.getCount(), 2);
  ObjectList c;
  for (int i = 0; i < 10; i++) {
    c.add(fake(i));
  }
  c = a; // shrinking assignment keeps storage, copies the members
  EXPECT_EQ(items(c), (std::vector<Object*>{fake(0)}));
  a = b; // growing assignment
  b.remove(fake(0));
  EXPECT_EQ(items(a), (std::vector<Object*>{fake(0), fake(1)}));
  a = a;
  EXPECT_EQ(a.getCount(), 2);
}

TEST(ObjectList, CombineAppendsTheSecondList) {
  ObjectList a, b;
  a.add(fake(0));
  b.add(fake(1));
  b.add(fake(2));
  const ObjectList c = a + b;
  EXPECT_EQ(items(c), (std::vector<Object*>{fake(0), fake(1), fake(2)}));
  EXPECT_EQ(a.getCount(), 1);
  EXPECT_EQ(items(ObjectList() + ObjectList()), std::vector<Object*>{});
}

TEST(ObjectListIterator, EmptyListAndClampedNext) {
  ObjectList list;
  ObjectListIterator li(&list);
  li.first();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  list.add(fake(0));
  li.first();
  li.next();
  li.next();
  li.next();
  EXPECT_TRUE(li.isDone());
  list.add(fake(1)); // the index stayed at the old end, so the new member is next
  EXPECT_FALSE(li.isDone());
  EXPECT_EQ(li.currentObject(), fake(1));
}

#include "ObjectList.h"
#include "ObjectListIterator.h"

#include <gtest/gtest.h>

#include <cstdint>

using tw::ObjectList;
using List = std::vector<tw::Object*>;

/// Distinct, never dereferenced pointers.
static tw::Object* fake(int i) {
  return reinterpret_cast<tw::Object*>(static_cast<std::uintptr_t>(16 * (i + 1)));
}

static List items(const ObjectList& list) {
  List out;
  tw::ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next())
    out.push_back(li.currentObject());
  return out;
}

TEST(ObjectList, GrowsRemovesAndCopies) {
  ObjectList list, big;
  EXPECT_EQ(list.remove(fake(0)) + list.add(nullptr) - list.getCapacity(), -3);
  for (int i : {0, 1, 2, 1, 3})
    ASSERT_EQ(list.add(fake(i)), 0);
  const ObjectList copy = list;
  EXPECT_EQ(list.remove(fake(1)) + list.remove(fake(9)) + list.getCapacity(), 7); // the first 1
  EXPECT_EQ(items(list), (List{fake(0), fake(2), fake(1), fake(3)}));
  EXPECT_EQ(list.remove(fake(3)), 0);
  EXPECT_EQ(items(list), (List{fake(0), fake(2), fake(1)}));
  EXPECT_EQ(items(copy), (List{fake(0), fake(1), fake(2), fake(1), fake(3)}));
  EXPECT_EQ(items(list + copy).size() + items(ObjectList() + list).size(), 11u);
  for (int i = 0; i < 1000; i++)
    big.add(fake(i));
  EXPECT_EQ((List{big.at(999), big.at(1000), big.at(-1)}), (List{fake(999), nullptr, nullptr}));
  EXPECT_EQ(big.getCapacity(), 1024);
  big = list, list = copy, list = list; // shrinking, growing and self assignment
  EXPECT_EQ(items(big), (List{fake(0), fake(2), fake(1)}));
  EXPECT_EQ(items(list), items(copy));
  big.clear();
  EXPECT_EQ(big.getCount() + big.isEmpty() + big.getCapacity(), 1025);
  tw::ObjectListIterator li(&big);
  EXPECT_EQ((li.first(), li.isDone()) + !li.currentObject(), 2); // on an empty list
  big.add(fake(0)), li.first(), li.next(), li.next(), big.add(fake(1));
  EXPECT_EQ(li.currentObject(), fake(1)); // next stops at the end, so the new member is next
}

#include "ObjectListIterator.h"
#include "TestSupport.h"

#include <cstdint>
#include <sstream>

using tw::Box;
using tw::Vector;

static std::ostream& operator<<(std::ostream& s, Vector v) {
  return s << "(" << v.getX() << "," << v.getY() << ")";
}

/// Vector arithmetic; maps of which boxes meet a 4 x 2 box at (0, 0), '#' both ways, '.'
/// neither ('?' one way only), for boxes of three sizes whose corner steps by half a cell;
/// then which points a 2 x 3 box at (1, 1) contains.
TEST(Box, VectorsAndBoxesWhoseTestsIncludeEdgesAndCorners) {
  Vector v(3, 4), zero;
  std::ostringstream s;
  s << v.getMagnitude() << " " << (v.normalize(), v) << " " << (zero.normalize(), zero) << " "
    << Vector(1, 2) + Vector(3, 4) - Vector(0, 7) << " " << Vector(1, -2) * 2.5f << " "
    << (Vector(0.1f, 0) == Vector(0.1000001f, 0)) << (Vector(0, 1) != Vector(0, 2)) << "\n";
  const Box a(Vector(0, 0), 4, 2), b(Vector(1, 1), 2, 3);
  for (Vector size : {Vector(1, 1), Vector(0, 0), Vector(9, 6)})
    for (float y = -7; y <= 3.1f; y += 0.5f, s << "\n")
      for (float x = -10; x <= 5; x += 0.5f) {
        const Box o(Vector(x, y), size.getX(), size.getY());
        s << ".??#"[tw::boxIntersectsBox(a, o) + 2 * tw::boxIntersectsBox(o, a)];
      }
  for (float y = 0; y <= 5; y += 0.5f, s << "\n")
    for (float x = 0; x <= 4; x += 0.25f)
      s << (tw::boxContainsPosition(b, Vector(x, y)) ? '#' : '.');
  EXPECT_TRUE(twtest::matchesFile("golden/Box.VectorsAndBoxes.txt", s.str()));
}

/// A result, then the list as an iterator walks it (fake(i) shows as i), count and capacity.
static std::string show(int result, const tw::ObjectList& list) {
  std::string s = std::to_string(result) + " [";
  tw::ObjectListIterator li(&list);
  for (li.first(); !li.isDone(); li.next())
    s += " " + std::to_string(reinterpret_cast<std::uintptr_t>(li.currentObject()) / 16 - 1);
  return s + " ] " + std::to_string(list.getCount()) + "/" + std::to_string(list.getCapacity()) +
         (list.isEmpty() ? " empty\n" : "\n");
}

TEST(ObjectList, GrowsRemovesAndCopies) {
  tw::Object* p[1001]; // distinct, never dereferenced
  for (int i = 0; i <= 1000; i++)
    p[i] = reinterpret_cast<tw::Object*>(static_cast<std::uintptr_t>(16 * (i + 1)));
  tw::ObjectList list, big;
  std::string t = show(list.remove(p[0]), list) + show(list.add(nullptr), list);
  for (int i : {0, 1, 2, 1, 3})
    t += show(list.add(p[i]), list);
  const tw::ObjectList copy = list;
  for (int i : {1, 9, 3, 0}) // the first 1 goes; the rest keep their order
    t += show(list.remove(p[i]), list);
  t += show(0, copy) + show(0, list + copy) + show(0, tw::ObjectList() + list);
  for (int i = 0; i < 1000; i++)
    big.add(p[i]);
  t += show(big.at(999) == p[999] && !big.at(1000) && !big.at(-1), tw::ObjectList());
  big = list, t += show(1, big), list = copy, list = list; // shrinking, growing, self
  t += show(0, list), big.clear(), t += show(big.getCapacity(), big);
  tw::ObjectListIterator li(&big);
  t += show((li.first(), li.isDone()) + !li.currentObject(), big); // on an empty list
  big.add(p[0]), li.first(), li.next(), li.next(), big.add(p[1]);
  t += show(li.currentObject() == p[1], big); // next stops at the end: the new one is next
  EXPECT_TRUE(twtest::matchesFile("golden/ObjectList.GrowsRemovesAndCopies.txt", t));
}

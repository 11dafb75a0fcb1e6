#include "ObjectListIterator.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <vector>

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

/// Long lists, searched through their index, against a plain array doing what a list must:
/// runs of appends (many pointers more than once), runs of removals from the front, the back
/// or anywhere (some of absent pointers) with reads between some of them, look-ups, copies,
/// swaps, sums and clears.
TEST(ObjectList, LongListsAnswerAsAPlainArrayWhateverTheOrderOfRemovals) {
  using Model = std::vector<tw::Object*>;
  std::mt19937 rng(7);
  auto ptr = [](unsigned i) { return reinterpret_cast<tw::Object*>(std::uintptr_t{16} * (i + 1)); };
  auto same = [](const tw::ObjectList& list, const Model& model) {
    bool ok = list.getCount() == static_cast<int>(model.size());
    for (std::size_t i = 0; ok && i < model.size(); i++)
      ok = list.at(static_cast<int>(i)) == model[i];
    return ok;
  };
  tw::ObjectList list, other;
  Model model, other_model;
  for (int round = 0; round < 500; round++) {
    const unsigned op = rng() % 20;
    if (op < 8) {
      for (unsigned k = rng() % 200; k > 0; k--)
        model.push_back(ptr(rng() % 3000)), list.add(model.back());
    } else if (op < 15) {
      const unsigned from = rng() % 3;
      for (unsigned k = rng() % 150; k > 0 && !model.empty(); k--) {
        const std::size_t at = from == 0 ? 0 : from == 1 ? model.size() - 1 : rng() % model.size();
        tw::Object* p = rng() % 10 ? model[at] : ptr(3000 + rng() % 10);
        const auto it = std::find(model.begin(), model.end(), p);
        ASSERT_EQ(list.remove(p), it == model.end() ? -1 : 0) << "round " << round;
        if (it != model.end())
          model.erase(it);
        ASSERT_EQ(list.getCount(), static_cast<int>(model.size()));
        if (rng() % 16 == 0 && !model.empty()) {
          const std::size_t i = rng() % model.size();
          ASSERT_EQ(list.at(static_cast<int>(i)), model[i]) << "round " << round;
        }
      }
    } else if (op == 15) {
      for (unsigned i = 0; i < 3010; i += 7)
        ASSERT_EQ(list.contains(ptr(i)), std::count(model.begin(), model.end(), ptr(i)) > 0);
    } else if (op == 16) {
      other = list, other_model = model;
    } else if (op == 17) {
      list.swap(other), model.swap(other_model);
    } else if (op == 18 && model.size() + other_model.size() < 8000) {
      list = other + list, model.insert(model.begin(), other_model.begin(), other_model.end());
    } else if (rng() % 4 == 0) {
      list.clear(), model.clear();
    }
    ASSERT_TRUE(same(list, model)) << "round " << round;
    ASSERT_TRUE(same(other, other_model)) << "round " << round;
  }
}

/// A list keeping keys against a plain array: runs of appends (many pointers more than once)
/// and of removals by the key of a place anywhere, with reads and searches by pointer between
/// some of them; a key whose place has gone removes the first occurrence, as remove(p) does.
TEST(ObjectList, KeysRemoveThePlaceTheyName) {
  struct Place {
    tw::Object* p;
    std::uint64_t key;
  };
  std::mt19937 rng(3);
  auto ptr = [](unsigned i) { return reinterpret_cast<tw::Object*>(std::uintptr_t{16} * (i + 1)); };
  std::vector<Place> model, gone;
  tw::ObjectList list;
  list.keepKeys();
  for (int round = 0; round < 400; round++) {
    const unsigned op = rng() % 10;
    for (unsigned k = op < 9 ? rng() % 120 : 0; k > 0; k--) {
      if (op < 4) {
        model.push_back({ptr(rng() % 500), 0});
        ASSERT_EQ(list.add(model.back().p, model.back().key), 0);
        continue;
      }
      std::size_t at = model.empty() ? 0 : rng() % model.size();
      const bool stale = op == 8 && !gone.empty();
      const Place place = stale ? gone[rng() % gone.size()] : model.empty() ? Place{} : model[at];
      if (!place.p)
        break;
      if (stale)
        at = std::find_if(model.begin(), model.end(), [&](Place q) { return q.p == place.p; }) -
             model.begin();
      ASSERT_EQ(list.remove(place.p, place.key), at < model.size() ? 0 : -1) << round;
      if (at < model.size())
        gone.push_back(model[at]), model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
      if (rng() % 32 == 0 && !model.empty()) {
        const std::size_t i = rng() % model.size();
        ASSERT_EQ(list.at(static_cast<int>(i)), model[i].p) << round;
      }
    }
    for (unsigned i = 0; op == 9 && i < 510; i += 17) // builds the index of pointers
      ASSERT_EQ(list.contains(ptr(i)),
                std::any_of(model.begin(), model.end(), [&](Place q) { return q.p == ptr(i); }));
    if (rng() % 50 == 0)
      gone.insert(gone.end(), model.begin(), model.end()), model.clear(), list.clear();
    ASSERT_EQ(list.getCount(), static_cast<int>(model.size())) << round;
    for (std::size_t i = 0; round % 5 == 0 && i < model.size(); i++) // closes the holes
      ASSERT_EQ(list.at(static_cast<int>(i)), model[i].p) << round;
  }
}

#include "TestSupport.h"

using namespace twtest;
using Seen = std::vector<std::string>;
using ManagerTest = WorldTest;

struct AnyManager : tw::Manager {
  AnyManager() { setType("AnyManager"); }
  bool isValid(std::string) const override { return true; }
};

/// Sends an event of that type; returns how many objects got it.
static int send(tw::Manager& m, const std::string& type) {
  tw::Event e;
  return e.setType(type), m.onEvent(&e);
}

TEST_F(ManagerTest, PackedTableOfAHundredTypesDeliversInOrderToActiveObjects) {
  tw::LogManager::getInstance().setLogLevel(1);
  AnyManager m;
  std::map<char, WorldProbe*> p;
  for (char c : std::string("abco"))
    p[c] = new WorldProbe(std::string(1, c));
  EXPECT_EQ(tw::Manager().registerInterest(p['a'], "tw::step") + m.registerInterest(nullptr, "t"),
            -2);
  for (std::string r : {"b t", "a t", "b t", "a mid", "c z", "o z", "c tw::undefined"})
    m.registerInterest(p[r[0]], r.substr(2));
  p['o']->setActive(false);
  EXPECT_EQ(m.unregisterInterest(p['a'], "mid") + m.unregisterInterest(p['b'], "t"), 0);
  EXPECT_EQ(m.unregisterInterest(p['a'], "mid") + m.unregisterInterest(p['b'], "never") +
                m.unregisterInterest(p['c'], "t"),
            -3);
  p['a']->on_event = [&](const tw::Event*) { // changes the list being delivered to
    m.unregisterInterest(p['a'], "t"), m.unregisterInterest(p['b'], "t");
    m.registerInterest(p['c'], "t");
  };
  EXPECT_EQ((std::vector{send(m, "t"), send(m, "t"), send(m, "mid"), send(m, "z"),
                         send(m, "tw::undefined")}),
            (std::vector{2, 1, 0, 1, 1}));
  EXPECT_EQ(probe_events, (Seen{"a:t", "b:t", "c:t", "c:z", "c:tw::undefined"}));
  for (int i = 0; i < tw::MAX_EVENTS - 3; i++) // the emptied slot is free again
    ASSERT_EQ(m.registerInterest(p['c'], "more" + std::to_string(i)), 0) << i;
  EXPECT_EQ(m.registerInterest(p['c'], "overflow") + m.registerInterest(nullptr, "more96"), -2);
  EXPECT_EQ(m.registerInterest(p['b'], "more96"), 0);
  EXPECT_EQ((std::vector{send(m, "more96"), send(m, "z"), send(m, "overflow")}),
            (std::vector{2, 1, 0}));
  EXPECT_EQ(m.startUp() + m.startUp(), 0);
  EXPECT_TRUE(m.isStarted());
  m.shutDown(), m.shutDown();
  EXPECT_FALSE(m.isStarted());
  const auto lines = stopLog();
  EXPECT_EQ(countContaining(lines, "Warning! AnyManager"), 2);
  EXPECT_TRUE(inOrder(
      lines, {"Manager(Manager)::registerInterest(): Event 'tw::step' not valid for this Manager",
              "AnyManager::onEvent(): Warning! Event type is undefined.",
              "Manager::startUp(): Warning! AnyManager already started.",
              "Manager::shutDown(): Warning! AnyManager not started."}));
}

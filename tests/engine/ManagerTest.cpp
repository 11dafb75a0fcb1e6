#include "TestSupport.h"

using namespace twtest;
using Seen = std::vector<std::string>;

struct AnyManager : tw::Manager {
  AnyManager() { setType("AnyManager"); }
  bool isValid(std::string) const override { return true; }
};

/// Sends an event of that type; returns how many objects got it.
static int send(tw::Manager& m, const std::string& type) {
  tw::Event e;
  return e.setType(type), m.onEvent(&e);
}

using ManagerTest = WorldTest;

TEST_F(ManagerTest, TableOfAHundredTypesRefusesNullAndWhatIsNotValid) {
  AnyManager m;
  auto *p_a = new WorldProbe("a"), *p_b = new WorldProbe("b");
  EXPECT_EQ(tw::Manager().registerInterest(p_a, "tw::step") + m.registerInterest(nullptr, "t"), -2);
  for (int i = 0; i < tw::MAX_EVENTS; i++)
    ASSERT_EQ(m.registerInterest(p_a, "t" + std::to_string(i)), 0);
  EXPECT_EQ(m.registerInterest(p_a, "one-too-many") + m.registerInterest(nullptr, "t99"), -2);
  EXPECT_EQ(m.registerInterest(p_b, "t99"), 0);
  EXPECT_EQ((std::vector{send(m, "t99"), send(m, "t0"), send(m, "one-too-many")}),
            (std::vector{2, 1, 0}));
  EXPECT_TRUE(contains(
      stopLog(),
      "Manager(Manager)::registerInterest(): Event 'tw::step' not valid for this Manager"));
}

TEST_F(ManagerTest, DeliveryInOrderToActiveObjectsWhileHandlersChangeThePackedTable) {
  tw::LogManager::getInstance().setLogLevel(1);
  AnyManager m;
  auto *p_a = new WorldProbe("a"), *p_b = new WorldProbe("b"), *p_c = new WorldProbe("c");
  auto* p_off = new WorldProbe("off");
  for (auto [p, type] : {std::pair(p_b, "t"),
                         {p_a, "t"},
                         {p_b, "t"},
                         {p_a, "mid"},
                         {p_c, "z"},
                         {p_off, "z"},
                         {p_c, "tw::undefined"}})
    m.registerInterest(p, type);
  p_off->setActive(false);
  EXPECT_EQ(m.unregisterInterest(p_a, "mid") + m.unregisterInterest(p_b, "t"), 0);
  EXPECT_EQ(m.unregisterInterest(p_a, "mid") + m.unregisterInterest(p_b, "never") +
                m.unregisterInterest(p_c, "t"),
            -3);
  p_a->on_event = [&](const tw::Event*) {
    m.unregisterInterest(p_a, "t"), m.unregisterInterest(p_b, "t"), m.registerInterest(p_c, "t");
  };
  EXPECT_EQ((std::vector{send(m, "t"), send(m, "t"), send(m, "mid"), send(m, "z")}),
            (std::vector{2, 1, 0, 1}));
  EXPECT_EQ(send(m, "tw::undefined"), 1);
  EXPECT_EQ(probe_events, (Seen{"a:t", "b:t", "c:t", "c:z", "c:tw::undefined"}));
  for (int i = 0; i < tw::MAX_EVENTS - 3; i++) // the emptied slot is free again
    ASSERT_EQ(m.registerInterest(p_c, "more" + std::to_string(i)), 0) << i;
  EXPECT_EQ(m.registerInterest(p_c, "overflow"), -1);
  EXPECT_EQ(m.startUp() + m.startUp(), 0);
  EXPECT_TRUE(m.isStarted());
  m.shutDown(), m.shutDown();
  EXPECT_FALSE(m.isStarted());
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "AnyManager::onEvent(): Warning! Event type is undefined."));
  EXPECT_EQ(countContaining(lines, "Manager::startUp(): Warning! AnyManager already started."), 1);
  EXPECT_EQ(countContaining(lines, "Manager::shutDown(): Warning! AnyManager not started."), 1);
}

#include "Event.h"
#include "LogManager.h"
#include "Manager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <functional>
#include <string>
#include <vector>

using namespace twtest;

namespace {

class AnyManager : public tw::Manager {
public:
  AnyManager() { setType("AnyManager"); }
  bool isValid(std::string) const override { return true; }
};

std::vector<std::string> received;

/// Records "name:type" for every event it gets, and can run a hook.
class Listener : public tw::Object {
public:
  explicit Listener(std::string init_name) : name(std::move(init_name)) {}
  int eventHandler(const tw::Event* p_e) override {
    received.push_back(name + ":" + p_e->getType());
    if (on_event) {
      on_event();
    }
    return 1;
  }
  std::string name;
  std::function<void()> on_event;
};

class ManagerTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    received.clear();
  }
  void TearDown() override {
    tw::WorldManager::getInstance().shutDown(); // deletes the listeners
    stopLog();
    TempDirTest::TearDown();
  }
  tw::Event eventOf(const std::string& type) {
    tw::Event e;
    e.setType(type);
    return e;
  }
};

} // namespace

TEST_F(ManagerTest, BaseManagerAcceptsNoEventType) {
  tw::Manager plain;
  Listener* p_l = new Listener("a");
  EXPECT_EQ(plain.registerInterest(p_l, "tw::step"), -1);
  EXPECT_TRUE(contains(stopLog(),
                       "Manager(Manager)::registerInterest(): Event 'tw::step' not valid for this "
                       "Manager"));
  startLog();
}

TEST_F(ManagerTest, AHundredEventTypesAtMost) {
  AnyManager m;
  Listener* p_l = new Listener("a");
  for (int i = 0; i < tw::MAX_EVENTS; i++) {
    ASSERT_EQ(m.registerInterest(p_l, "type" + std::to_string(i)), 0);
  }
  EXPECT_EQ(m.registerInterest(p_l, "one-too-many"), -1);
  EXPECT_EQ(m.registerInterest(new Listener("b"), "type99"), 0);
  const tw::Event e = eventOf("type99");
  EXPECT_EQ(m.onEvent(&e), 2);
  const tw::Event missing = eventOf("one-too-many");
  EXPECT_EQ(m.onEvent(&missing), 0);
}

TEST_F(ManagerTest, NullObjectsAreRefusedAndLeaveNoEmptyEntry) {
  AnyManager m;
  EXPECT_EQ(m.registerInterest(nullptr, "t"), -1);
  Listener* p_l = new Listener("a");
  EXPECT_EQ(m.registerInterest(p_l, "t"), 0);
  EXPECT_EQ(m.registerInterest(nullptr, "t"), -1);
  const tw::Event e = eventOf("t");
  EXPECT_EQ(m.onEvent(&e), 1);
}

TEST_F(ManagerTest, DeliveryFollowsRegistrationOrderAndDuplicates) {
  AnyManager m;
  Listener* p_a = new Listener("a");
  Listener* p_b = new Listener("b");
  m.registerInterest(p_b, "t");
  m.registerInterest(p_a, "t");
  m.registerInterest(p_b, "t");
  const tw::Event e = eventOf("t");
  EXPECT_EQ(m.onEvent(&e), 3);
  EXPECT_EQ(received, (std::vector<std::string>{"b:t", "a:t", "b:t"}));
}

TEST_F(ManagerTest, RemovingAMiddleTypeKeepsTheOthersAndTheirOrder) {
  AnyManager m;
  Listener* p_a = new Listener("a");
  Listener* p_b = new Listener("b");
  m.registerInterest(p_a, "first");
  m.registerInterest(p_a, "middle");
  m.registerInterest(p_b, "last");
  m.registerInterest(p_a, "last");
  EXPECT_EQ(m.unregisterInterest(p_a, "middle"), 0);
  EXPECT_EQ(m.unregisterInterest(p_a, "middle"), -1);
  EXPECT_EQ(m.unregisterInterest(p_b, "never"), -1);
  EXPECT_EQ(m.unregisterInterest(p_b, "first"), -1);
  for (const char* type : {"first", "middle", "last"}) {
    const tw::Event e = eventOf(type);
    m.onEvent(&e);
  }
  EXPECT_EQ(received, (std::vector<std::string>{"a:first", "b:last", "a:last"}));
  // The emptied slot is reusable: a hundred types fit again.
  for (int i = 0; i < tw::MAX_EVENTS - 2; i++) {
    ASSERT_EQ(m.registerInterest(p_b, "more" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(m.registerInterest(p_b, "overflow"), -1);
}

TEST_F(ManagerTest, UnregisteringDuringDeliveryDoesNotStopIt) {
  AnyManager m;
  Listener* p_a = new Listener("a");
  Listener* p_b = new Listener("b");
  Listener* p_c = new Listener("c");
  for (Listener* p : {p_a, p_b, p_c}) {
    m.registerInterest(p, "t");
  }
  p_a->on_event = [&] {
    m.unregisterInterest(p_a, "t");
    m.unregisterInterest(p_b, "t");
    m.registerInterest(new Listener("late"), "t");
  };
  const tw::Event e = eventOf("t");
  EXPECT_EQ(m.onEvent(&e), 3);
  EXPECT_EQ(received, (std::vector<std::string>{"a:t", "b:t", "c:t"}));
  received.clear();
  EXPECT_EQ(m.onEvent(&e), 2);
  EXPECT_EQ(received, (std::vector<std::string>{"c:t", "late:t"}));
}

TEST_F(ManagerTest, InactiveObjectsGetNothingAndAreNotCounted) {
  tw::WorldManager::getInstance().startUp();
  AnyManager m;
  Listener* p_a = new Listener("a");
  Listener* p_b = new Listener("b");
  m.registerInterest(p_a, "t");
  m.registerInterest(p_b, "t");
  ASSERT_EQ(p_b->setActive(false), 0);
  const tw::Event e = eventOf("t");
  EXPECT_EQ(m.onEvent(&e), 1);
  EXPECT_EQ(received, (std::vector<std::string>{"a:t"}));
}

TEST_F(ManagerTest, UndefinedEventsWarnButStillGoOut) {
  tw::LogManager::getInstance().setLogLevel(1);
  AnyManager m;
  m.registerInterest(new Listener("a"), "tw::undefined");
  const tw::Event e;
  EXPECT_EQ(m.onEvent(&e), 1);
  EXPECT_TRUE(contains(stopLog(), "AnyManager::onEvent(): Warning! Event type is undefined."));
  startLog();
}

TEST_F(ManagerTest, StartAndShutDownBookkeepingWarns) {
  tw::LogManager::getInstance().setLogLevel(1);
  AnyManager m;
  EXPECT_EQ(m.startUp(), 0);
  EXPECT_EQ(m.startUp(), 0);
  EXPECT_TRUE(m.isStarted());
  m.shutDown();
  m.shutDown();
  EXPECT_FALSE(m.isStarted());
  const auto lines = stopLog();
  EXPECT_EQ(countContaining(lines, "Manager::startUp(): Warning! AnyManager already started."), 1);
  EXPECT_EQ(countContaining(lines, "Manager::shutDown(): Warning! AnyManager not started."), 1);
  startLog();
}

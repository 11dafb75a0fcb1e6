#include "TestSupport.h"

using namespace twtest;
using ManagerTest = WorldTest;

struct AnyManager : tw::Manager {
  AnyManager() { setType("AnyManager"); }
  bool isValid(std::string) const override { return true; }
};

/// Registrations ("+a t": a for t, "+0 t": null), removals ("-a t") and deliveries ("!t"),
/// each result logged with what the probes heard.
TEST_F(ManagerTest, PackedTableOfAHundredTypesDeliversInOrderToActiveObjects) {
  tw::LogManager& log = tw::LogManager::getInstance();
  AnyManager m;
  std::map<char, WorldProbe*> p = {{'0', nullptr}};
  for (char c : std::string("abco"))
    p[c] = new WorldProbe(std::string(1, c));
  p['o']->setActive(false), log.setLogLevel(1);
  log.writeLog("base: %d", tw::Manager().registerInterest(p['a'], "tw::step"));
  auto act = [&](const std::string& s) {
    tw::Event e;
    e.setType(s.substr(1));
    log.writeLog("%s: %d", s.c_str(),
                 s[0] == '!'   ? m.onEvent(&e)
                 : s[0] == '+' ? m.registerInterest(p[s[1]], s.substr(3))
                               : m.unregisterInterest(p[s[1]], s.substr(3)));
    for (const std::string& heard : probe_events)
      log.writeLog("  %s", heard.c_str());
    probe_events.clear();
  };
  for (const char* s : {"+0 t", "+b t", "+a t", "+b t", "+a mid", "+c z", "+o z",
                        "+c tw::undefined", "-a mid", "-b t", "-a mid", "-b never", "-c t"})
    act(s);
  p['a']->on_event = [&](const tw::Event*) { // changes the list being delivered to
    m.unregisterInterest(p['a'], "t"), m.unregisterInterest(p['b'], "t");
    m.registerInterest(p['c'], "t");
  };
  for (const char* s : {"!t", "!t", "!mid", "!z", "!tw::undefined"})
    act(s);
  for (int i = 0; i < tw::MAX_EVENTS - 3; i++) // the emptied slot is free again
    ASSERT_EQ(m.registerInterest(p['c'], "more" + std::to_string(i)), 0) << i;
  for (const char* s : {"+c overflow", "+0 more96", "+b more96", "!more96", "!z", "!overflow"})
    act(s);
  log.writeLog("started: %d", m.startUp()), log.writeLog("again: %d", m.startUp());
  log.writeLog("is started: %d", m.isStarted());
  m.shutDown(), m.shutDown(), log.writeLog("stopped: %d", m.isStarted());
  EXPECT_TRUE(matchesFile("golden/Manager.PackedTable.txt", withoutTimes(stopLog())));
}

/// An object that leaves a type leaves its first place in the list, also when the manager was
/// asked directly for a place before the object's own: b's event then comes first.
TEST_F(ManagerTest, AnObjectLeavesItsFirstPlaceWhoeverMadeIt) {
  for (bool direct : {false, true}) { // once asked directly, a manager stays so
    auto *p_a = new WorldProbe("a"), *p_b = new WorldProbe("b");
    if (direct)
      world.registerInterest(p_a, "game::t");
    else
      p_a->registerInterest("game::t");
    p_b->registerInterest("game::t"), p_a->registerInterest("game::t");
    p_a->unregisterInterest("game::t");
    tw::Event e;
    e.setType("game::t"), world.onEvent(&e);
    EXPECT_EQ(probe_events, (std::vector<std::string>{"b:game::t", "a:game::t"})) << direct;
    if (direct) // the place the object does not know of
      world.unregisterInterest(p_a, "game::t");
    world.markForDelete(p_a), world.markForDelete(p_b), world.update(), probe_events.clear();
  }
}

#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace Keyboard = tw::Keyboard;
using tw::InputManager;

namespace {

TEST(KeyTable, EverySfmlCodeMapsToItsEngineKey) {
  // The named keys, from the window library's code to the engine's number.
  const std::map<int, int> named = {
      {57, 0},  {58, 1},  {36, 2},  {60, 3},  {71, 4},  {72, 5},  {73, 6},  {74, 7},  {100, 8},
      {68, 9},  {67, 10}, {54, 11}, {50, 12}, {49, 13}, {52, 14}, {55, 15}, {53, 16}, {69, 17},
      {51, 18}, {48, 19}, {37, 20}, {41, 21}, {38, 22}, {42, 23}, {26, 71}, {59, 72}};
  int named_count = 0;
  for (int code = -1; code < sf::Keyboard::KeyCount; code++) {
    SCOPED_TRACE(code);
    int expected = code + 97;
    if (named.count(code)) {
      expected = named.at(code);
    } else if (code >= 85 && code <= 96) {
      expected = 24 + (code - 85); // F1 to F12
    } else if (code >= 0 && code <= 25) {
      expected = 36 + code; // A to Z
    } else if (code >= 27 && code <= 35) {
      expected = 62 + (code - 27); // Num1 to Num9
    }
    const int key = Keyboard::fromSFML(static_cast<sf::Keyboard::Key>(code));
    EXPECT_EQ(key, expected);
    if (key <= Keyboard::BACKSPACE) {
      named_count++;
    }
  }
  // 73 named keys, each reached from exactly one code.
  EXPECT_EQ(named_count, 73);
  EXPECT_EQ(Keyboard::fromSFML(sf::Keyboard::Unknown), 96);
  EXPECT_EQ(Keyboard::fromSFML(sf::Keyboard::Delete), 163);
  EXPECT_EQ(Keyboard::fromSFML(sf::Keyboard::F15), 196);
  EXPECT_EQ(Keyboard::fromSFML(sf::Keyboard::Enter), Keyboard::RETURN);
  EXPECT_EQ(Keyboard::fromSFML(sf::Keyboard::Q), Keyboard::Q);
}

TEST(KeyTable, KeyEventsCarryTheMappedKeyAndNoAction) {
  sf::Event::KeyEvent key_event{};
  key_event.code = sf::Keyboard::W;
  const tw::EventKeyboard event = InputManager::toEventKeyboard(key_event);
  EXPECT_EQ(event.getKey(), Keyboard::W);
  EXPECT_EQ(event.getKeyboardAction(), Keyboard::UNDEFINED_KEYBOARD_ACTION);
  EXPECT_EQ(event.getType(), tw::KEYBOARD_EVENT);
}

class InputWithoutWindow : public twtest::TempDirTest {};

TEST_F(InputWithoutWindow, StartUpNeedsTheGraphicsManagerAndInputNeedsAWindow) {
  twtest::startLog();
  InputManager& input = InputManager::getInstance();
  EXPECT_EQ(input.startUp(), -1);
  EXPECT_FALSE(input.isStarted());
  input.getInput();
  input.getInput();
  EXPECT_TRUE(input.isValid(tw::KEYBOARD_EVENT));
  EXPECT_TRUE(input.isValid(tw::MOUSE_EVENT));
  EXPECT_FALSE(input.isValid(tw::STEP_EVENT));
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_TRUE(twtest::contains(lines, "InputManager::startUp(): Error starting InputManager. "
                                      "GraphicsManager must be started first."));
  EXPECT_EQ(twtest::countContaining(
                lines, "InputManager::getInput(): GraphicsManager unexpectedly returned null "
                       "window!"),
            2);
}

} // namespace

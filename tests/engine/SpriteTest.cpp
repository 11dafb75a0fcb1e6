#include "Object.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

#include <sstream>

using tw::Frame;
using tw::Sprite;
using twtest::contains;

namespace {

const std::string GOOD =
    "frames 2\nwidth 3\nheight 2\ncolor red\nabc\ndef\nend\nghi\njkl\nend\neof\n";

std::string fixture(const std::string& name) {
  return twtest::sourceDir() + "/tests/data/sprites/" + name;
}

/// A started resource manager, the log showing the sprite reader's detail lines.
class Sprites : public twtest::LoggedTest {
protected:
  void SetUp() override {
    LoggedTest::SetUp(), tw::LogManager::getInstance().setLogLevel(10);
    ASSERT_EQ(rm.startUp(), 0);
  }
  /// The colour of sprite label, then its frames from -1 to one past the last, after "/".
  std::string framesOf(const std::string& label) {
    const Sprite* p = rm.getSprite(label);
    std::string all = p ? std::to_string(p->getColor()) : "none";
    for (int i = -1; p && i <= p->getFrameCount(); i++) {
      all += "/" + p->getFrame(i).getString();
    }
    return all;
  }
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
};

TEST_F(Sprites, WellFormedFilesLoadInEveryColour) {
  ASSERT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "two") +
                rm.loadSprite(fixture("good-crlf.txt"), "crlf") +
                rm.loadSprite(fixture("good-default-color.txt"), "default"),
            0);
  EXPECT_FALSE(contains(logLines(), "Unrecognized color"));
  ASSERT_EQ(rm.loadSprite(fixture("good-unknown-color.txt"), "purple"), 0);
  EXPECT_EQ(framesOf("two"), "1//abcdef/ghijkl/"); // no frame before the first or after the last
  EXPECT_EQ(framesOf("crlf"), framesOf("two"));
  const Sprite* p_two = rm.getSprite("two");
  EXPECT_EQ(p_two->getLabel() + std::to_string(p_two->getWidth() * 10 + p_two->getHeight()),
            "two32");
  EXPECT_EQ(rm.getSprite("Two"), nullptr);
  EXPECT_EQ(rm.getSprite("default")->getColor() + rm.getSprite("purple")->getColor(), 14);
  tw::Object object; // an object drawing the sprite steps through its frames and wraps
  object.setSprite(rm.getSprite("two"));
  std::string indices;
  for (int i = 0; i < 4; i++, indices += std::to_string(object.getSpriteIndex())) {
    object.draw();
  }
  EXPECT_EQ(indices, "1010");
  EXPECT_TRUE(twtest::inOrder(
      logLines(),
      {"ResourceManager::loadSprite(): Opened file '" + fixture("good-2x3x2.txt") + "'",
       "                               Frames: 2", "                                Width: 3",
       "                               Height: 2", "                                Color: red",
       "ResourceManager::loadSprite(): Sprite 'two' successfully loaded",
       "ResourceManager::loadSprite(): Unrecognized color 'purple'",
       "  Valid colors are: black, red, green, yellow,",
       "                    blue, magenta, cyan and white.",
       "Sprite 'purple' successfully loaded"}));
  const char* names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int c = 0; c < 8; c++) {
    writeFile("c.txt",
              "frames 1\nwidth 1\nheight 1\ncolor " + std::string(names[c]) + "\nx\nend\neof\n");
    ASSERT_EQ(rm.loadSprite("c.txt", names[c]), 0);
    EXPECT_EQ(rm.getSprite(names[c])->getColor(), c) << names[c];
  }
  // The game's sprites load, every frame the sprite's size.
  for (const char* name : {"title", "explosion", "paddleh", "paddlev", "ball", "brick-default",
                           "brick-strong", "brick-super", "brick-moving"}) {
    ASSERT_EQ(rm.loadSprite(twtest::sourceDir() + "/sprites/" + name + "-spr.txt", name), 0);
    const Sprite* p = rm.getSprite(name);
    for (int i = 0; i < p->getFrameCount(); i++) {
      EXPECT_EQ(p->getFrame(i).getString().size(), std::size_t(p->getWidth() * p->getHeight()));
    }
  }
}

TEST_F(Sprites, MalformedFilesFailWithTheirMessages) {
  // Each row of expected.txt: a file, then the lines its load logs, in order, split by "|".
  std::istringstream table(twtest::readText(fixture("expected.txt")));
  std::size_t seen = 0, rows = 0;
  for (std::string row; std::getline(table, row); rows++) {
    std::vector<std::string> fields;
    for (std::istringstream in(row); std::getline(in, fields.emplace_back(), '|');) {
    }
    fields.pop_back();
    SCOPED_TRACE(row);
    EXPECT_EQ(rm.loadSprite(fixture(fields[0]), fields[0]), -1);
    EXPECT_EQ(rm.getSprite(fields[0]), nullptr);
    const std::vector<std::string> lines = logLines();
    const std::vector<std::string> these(lines.begin() + static_cast<long>(seen), lines.end());
    seen = lines.size();
    EXPECT_TRUE(twtest::inOrder(these, {fields.begin() + 1, fields.end()}));
    EXPECT_FALSE(contains(these, "successfully loaded"));
  }
  EXPECT_EQ(rows * 1000 + rm.getSpriteCount(), 28000u);
  for (std::size_t end = 0; (end = GOOD.find('\n', end) + 1) < GOOD.size();) {
    writeFile("cut.txt", GOOD.substr(0, end)); // cut after a line, and inside the next one
    EXPECT_EQ(rm.loadSprite("cut.txt", "cut"), -1) << end;
    writeFile("cut.txt", GOOD.substr(0, end + 1));
    EXPECT_EQ(rm.loadSprite("cut.txt", "cut"), -1) << end;
  }
  EXPECT_EQ(rm.getSpriteCount(), 0);
}

TEST_F(Sprites, TablesAndLabels) {
  std::string many = "frames 100000\nwidth 2\nheight 1\ncolor green\n";
  for (int i = 0; i < 100000; i++) {
    many += std::string(1, static_cast<char>('a' + i % 26)) + "z\nend\n";
  }
  writeFile("many.txt", many + "eof\n");
  ASSERT_EQ(rm.loadSprite("many.txt", "many"), 0);
  EXPECT_EQ(rm.getSprite("many")->getFrame(99999).getString(), "dz");
  writeFile("more.txt", "frames 100001" + many.substr(13) + "eof\n");
  EXPECT_EQ(rm.loadSprite("more.txt", "more"), -1);
  EXPECT_TRUE(contains(logLines(), "ResourceManager::loadSprite(): Cannot add frame!"));
  tw::LogManager::getInstance().setLogLevel(0);
  writeFile("s.txt", GOOD);
  EXPECT_EQ(rm.loadSprite("nowhere.txt", "x"), -1);
  ASSERT_EQ(rm.loadSprite(fixture("good-default-color.txt"), ""), 0);
  for (int i = 1; i < 999; i++) {
    ASSERT_EQ(rm.loadSprite("s.txt", i < 998 ? "s" + std::to_string(i) : ""), 0);
  }
  EXPECT_EQ(rm.loadSprite("s.txt", "one too many"), -1);
  EXPECT_EQ(rm.getSprite("s997")->getLabel(), "s997");
  EXPECT_EQ(rm.getSprite("")->getColor(), tw::WHITE); // the first loaded under a label
  EXPECT_EQ(rm.getSprite("one too many"), nullptr);
  rm.shutDown();
  EXPECT_EQ(rm.getSprite("s1"), nullptr);
  EXPECT_EQ(rm.loadSprite("s.txt", "late"), -1);
  EXPECT_TRUE(twtest::inOrder(
      logLines(), {"ResourceManager::loadSprite(): Cannot open file 'nowhere.txt'",
                   "ResourceManager::loadSprite(): Unable to add more Sprites (max is 1000)",
                   "ResourceManager not started!"}));
  Sprite sprite(2), none(-3); // a sprite refuses frames beyond its room
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "a")) + sprite.addFrame(Frame(1, 1, "b")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "c")) + none.addFrame(Frame(1, 1, "a")), -2);
  EXPECT_EQ(sprite.getFrameCount() * 10 + none.getMaxFrameCount(), 20);
  EXPECT_EQ(sprite.getFrame(1).getString() + sprite.getLabel(), "b[Undefined]");
}

} // namespace

#include "LogManager.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <string>
#include <vector>

using tw::Frame;
using tw::ResourceManager;
using tw::Sprite;

namespace {

const std::string GOOD =
    "frames 2\nwidth 3\nheight 2\ncolor red\nabc\ndef\nend\nghi\njkl\nend\neof\n";

std::string fixture(const std::string& name) {
  return twtest::sourceDir() + "/tests/data/sprites/" + name;
}

/// Each of expected appears in lines, in this order, each on a line after the one before.
::testing::AssertionResult inOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const std::string& text : expected) {
    while (at < lines.size() && lines[at].find(text) == std::string::npos) {
      at++;
    }
    if (at == lines.size()) {
      std::string all;
      for (const std::string& line : lines) {
        all += "\n  " + line;
      }
      return ::testing::AssertionFailure() << "no line with '" << text << "' in order in:" << all;
    }
    at++;
  }
  return ::testing::AssertionSuccess();
}

/// The log at the level that shows the sprite reader's detail lines, and a started manager.
class Sprites : public twtest::TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    twtest::startLog();
    tw::LogManager::getInstance().setLogLevel(10);
    ASSERT_EQ(ResourceManager::getInstance().startUp(), 0);
  }
  void TearDown() override {
    ResourceManager::getInstance().shutDown();
    tw::LogManager::getInstance().setLogLevel(0);
    twtest::stopLog();
    TempDirTest::TearDown();
  }
  std::vector<std::string> log() const { return logLines(); }
};

TEST_F(Sprites, WellFormedFileLoadsItsFramesInOrder) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "two"), 0);
  Sprite* p = rm.getSprite("two");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->getFrameCount(), 2);
  EXPECT_EQ(p->getWidth(), 3);
  EXPECT_EQ(p->getHeight(), 2);
  EXPECT_EQ(p->getColor(), tw::RED);
  EXPECT_EQ(p->getLabel(), "two");
  EXPECT_EQ(p->getFrame(0).getString(), "abcdef");
  EXPECT_EQ(p->getFrame(1).getString(), "ghijkl");
  EXPECT_EQ(p->getFrame(1).getWidth(), 3);
  EXPECT_TRUE(p->getFrame(2).getString().empty());
  EXPECT_TRUE(p->getFrame(-1).getString().empty());
  EXPECT_EQ(rm.getSprite("Two"), nullptr);
  EXPECT_TRUE(inOrder(
      log(),
      {"ResourceManager::loadSprite(): Opened file '" + fixture("good-2x3x2.txt") + "'",
       "                               Frames: 2", "                                Width: 3",
       "                               Height: 2", "                                Color: red",
       "ResourceManager::loadSprite(): Sprite 'two' successfully loaded"}));
}

TEST_F(Sprites, CarriageReturnLineEndsReadTheSame) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite(fixture("good-crlf.txt"), "crlf"), 0);
  const Sprite* p = rm.getSprite("crlf");
  EXPECT_EQ(p->getFrame(0).getString(), "abcdef");
  EXPECT_EQ(p->getFrame(1).getString(), "ghijkl");
  EXPECT_EQ(p->getColor(), tw::RED);
}

TEST_F(Sprites, ColourNamesAndUnknownColours) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite(fixture("good-default-color.txt"), "default"), 0);
  EXPECT_EQ(rm.getSprite("default")->getColor(), tw::WHITE);
  EXPECT_FALSE(twtest::contains(log(), "Unrecognized color"));

  ASSERT_EQ(rm.loadSprite(fixture("good-unknown-color.txt"), "purple"), 0);
  EXPECT_EQ(rm.getSprite("purple")->getColor(), tw::WHITE);
  EXPECT_TRUE(inOrder(log(), {"ResourceManager::loadSprite(): Unrecognized color 'purple'",
                              "  Valid colors are: black, red, green, yellow,",
                              "                    blue, magenta, cyan and white.",
                              "Sprite 'purple' successfully loaded"}));

  const std::pair<const char*, tw::Color> names[] = {
      {"black", tw::BLACK}, {"red", tw::RED},         {"green", tw::GREEN}, {"yellow", tw::YELLOW},
      {"blue", tw::BLUE},   {"magenta", tw::MAGENTA}, {"cyan", tw::CYAN},   {"white", tw::WHITE}};
  for (const auto& name : names) {
    std::string text = GOOD;
    text.replace(text.find("red"), 3, name.first);
    writeFile("c.txt", text);
    ASSERT_EQ(rm.loadSprite("c.txt", name.first), 0);
    EXPECT_EQ(rm.getSprite(name.first)->getColor(), name.second) << name.first;
  }
}

struct Malformed {
  const char* file;
  std::vector<std::string> lines;
};

TEST_F(Sprites, MalformedFilesFailWithTheirMessages) {
  const std::vector<Malformed> corpus = {
      {"bad-empty.txt",
       {"\tError line 1.  Unexpected end of file.", "error readLineInt().  frames -1"}},
      {"bad-binary.txt",
       {"\tError line 1.  Expected 'frames #'", "\tHave '", "error readLineInt().  frames -1"}},
      {"bad-cr-only.txt", {"\tError line 1.  Unexpected end of file."}},
      {"bad-frames-no-newline.txt", {"\tError line 1.  Unexpected end of file."}},
      {"bad-tag-alone-frames.txt", {"error readLineInt().  frames 0"}},
      {"bad-tag-alone-width.txt", {"error readLineInt().  width 0"}},
      {"bad-tag-alone-color.txt", {"error readLineStr().  Color ''"}},
      {"bad-tag-misspelt.txt",
       {"\tError line 1.  Expected 'frames #'", "\tHave 'frame 2'", "frames -1"}},
      {"bad-width-line-missing.txt",
       {"\tError line 2.  Expected 'width #'", "\tHave 'height 2'",
        "error readLineInt().  width -1"}},
      {"bad-frames-zero.txt", {"error readLineInt().  frames 0"}},
      {"bad-frames-negative.txt", {"error readLineInt().  frames -5"}},
      {"bad-frames-letters.txt", {"error readLineInt().  frames 0"}},
      {"bad-height-negative.txt", {"error readLineInt().  height -1"}},
      {"bad-frames-huge.txt",
       {"ResourceManager::loadSprite(): Cannot make room for 2147483647 frames (max is 1000000)"}},
      {"bad-frames-overflow.txt",
       {"ResourceManager::loadSprite(): Cannot make room for 2147483647 frames (max is 1000000)"}},
      {"bad-frames-too-many.txt", {"ResourceManager::loadSprite(): Cannot add frame!"}},
      {"bad-width-huge.txt",
       {"\tError line 5.  Width 3 of 2147483647.", "\tLine is 'abc'", "Cannot add frame!"}},
      {"bad-row-short.txt",
       {"\tError line 6.  Width 2 of 3.", "\tLine is 'de'", "Cannot add frame!"}},
      {"bad-row-long.txt",
       {"\tError line 8.  Width 4 of 3.", "\tLine is 'ghij'", "Cannot add frame!"}},
      {"bad-row-crlf-mixed.txt", {"\tError line 5.  Width 4 of 3.", "Cannot add frame!"}},
      {"bad-end-missing.txt",
       {"\tError line 7.  Expected 'end'.", "\tLine is 'ned'.", "Cannot add frame!"}},
      {"bad-eof-missing.txt", {"\tError line 11. End of file reached or missing newline."}},
      {"bad-eof-no-newline.txt", {"\tError line 11. End of file reached or missing newline."}},
      {"bad-eof-wrong.txt", {"\tError line 11.  Expected 'eof'.", "\tLine is 'EOF'."}},
      {"bad-truncated-header.txt",
       {"\tError line 3.  Unexpected end of file.", "error readLineInt().  height -1"}},
      {"bad-truncated-mid-frame.txt", {"ResourceManager::loadSprite(): Cannot add frame!"}},
      {"bad-truncated-after-row.txt", {"ResourceManager::loadSprite(): Cannot add frame!"}},
  };
  ResourceManager& rm = ResourceManager::getInstance();
  std::size_t seen = 0;
  for (const Malformed& m : corpus) {
    SCOPED_TRACE(m.file);
    EXPECT_EQ(rm.loadSprite(fixture(m.file), m.file), -1);
    EXPECT_EQ(rm.getSprite(m.file), nullptr);
    EXPECT_EQ(rm.getSpriteCount(), 0);
    const std::vector<std::string> lines = log();
    const std::vector<std::string> these(lines.begin() + static_cast<long>(seen), lines.end());
    seen = lines.size();
    EXPECT_TRUE(inOrder(these, m.lines));
    EXPECT_FALSE(twtest::contains(these, "successfully loaded"));
  }

  // Every bad-*.txt of the corpus is in the table above.
  std::size_t on_disk = 0;
  DIR* p_dir = opendir((twtest::sourceDir() + "/tests/data/sprites").c_str());
  ASSERT_NE(p_dir, nullptr);
  while (const dirent* p_entry = readdir(p_dir)) {
    on_disk += std::string(p_entry->d_name).rfind("bad-", 0) == 0;
  }
  closedir(p_dir);
  EXPECT_EQ(on_disk, corpus.size());
  EXPECT_GE(corpus.size(), 20u);
}

TEST_F(Sprites, FileCutAfterAnyLineFails) {
  ResourceManager& rm = ResourceManager::getInstance();
  std::size_t end = 0;
  int cut_lines = 0;
  while ((end = GOOD.find('\n', end)) != std::string::npos && end + 1 < GOOD.size()) {
    end++;
    cut_lines++;
    SCOPED_TRACE(cut_lines);
    writeFile("cut.txt", GOOD.substr(0, end));
    EXPECT_EQ(rm.loadSprite("cut.txt", "cut"), -1);
    // The same cut in the middle of the next line.
    writeFile("cut.txt", GOOD.substr(0, end + 1));
    EXPECT_EQ(rm.loadSprite("cut.txt", "cut"), -1);
  }
  EXPECT_EQ(cut_lines, 10);
  EXPECT_EQ(rm.getSpriteCount(), 0);
  EXPECT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "whole"), 0);
}

TEST_F(Sprites, HundredThousandFramesLoadAndOneMoreDeclaredFails) {
  std::string text = "frames 100000\nwidth 2\nheight 1\ncolor green\n";
  for (int i = 0; i < 100000; i++) {
    text += static_cast<char>('a' + i % 26);
    text += "z\nend\n";
  }
  text += "eof\n";
  writeFile("many.txt", text);
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite("many.txt", "many"), 0);
  EXPECT_EQ(rm.getSprite("many")->getFrameCount(), 100000);
  EXPECT_EQ(rm.getSprite("many")->getFrame(99999).getString(), "dz");

  text.replace(0, 13, "frames 100001");
  writeFile("more.txt", text);
  EXPECT_EQ(rm.loadSprite("more.txt", "more"), -1);
  EXPECT_TRUE(twtest::contains(log(), "ResourceManager::loadSprite(): Cannot add frame!"));
  EXPECT_EQ(rm.getSpriteCount(), 1);
}

TEST_F(Sprites, TableHoldsAThousandSprites) {
  ResourceManager& rm = ResourceManager::getInstance();
  writeFile("s.txt", GOOD);
  tw::LogManager::getInstance().setLogLevel(0);
  for (int i = 0; i < 1000; i++) {
    ASSERT_EQ(rm.loadSprite("s.txt", "s" + std::to_string(i)), 0);
  }
  EXPECT_EQ(rm.loadSprite("s.txt", "one too many"), -1);
  EXPECT_TRUE(twtest::contains(
      log(), "ResourceManager::loadSprite(): Unable to add more Sprites (max is 1000)"));
  EXPECT_EQ(rm.getSprite("s999")->getLabel(), "s999");
  EXPECT_EQ(rm.getSprite("one too many"), nullptr);
}

TEST_F(Sprites, RepeatedAndEmptyLabelsFindTheFirstLoaded) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "same"), 0);
  ASSERT_EQ(rm.loadSprite(fixture("good-default-color.txt"), "same"), 0);
  ASSERT_EQ(rm.loadSprite(fixture("good-default-color.txt"), ""), 0);
  EXPECT_EQ(rm.getSprite("same")->getColor(), tw::RED);
  EXPECT_EQ(rm.getSprite("")->getColor(), tw::WHITE);
  EXPECT_EQ(rm.getSpriteCount(), 3);
}

TEST_F(Sprites, MissingFileAndStoppedManagerFail) {
  ResourceManager& rm = ResourceManager::getInstance();
  EXPECT_EQ(rm.loadSprite("nowhere.txt", "x"), -1);
  EXPECT_TRUE(
      twtest::contains(log(), "ResourceManager::loadSprite(): Cannot open file 'nowhere.txt'"));
  ASSERT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "gone"), 0);
  rm.shutDown();
  EXPECT_EQ(rm.getSprite("gone"), nullptr);
  EXPECT_EQ(rm.loadSprite(fixture("good-2x3x2.txt"), "late"), -1);
  EXPECT_TRUE(twtest::contains(log(), "ResourceManager not started!"));
  ASSERT_EQ(rm.startUp(), 0);
}

TEST_F(Sprites, EveryGameSpriteLoads) {
  ResourceManager& rm = ResourceManager::getInstance();
  const char* names[] = {"title",         "explosion",    "paddleh",     "paddlev",     "ball",
                         "brick-default", "brick-strong", "brick-super", "brick-moving"};
  for (const char* name : names) {
    const std::string file = twtest::sourceDir() + "/sprites/" + name + "-spr.txt";
    EXPECT_EQ(rm.loadSprite(file, name), 0) << file;
    ASSERT_NE(rm.getSprite(name), nullptr);
    const Sprite* p = rm.getSprite(name);
    for (int i = 0; i < p->getFrameCount(); i++) {
      EXPECT_EQ(p->getFrame(i).getString().size(),
                static_cast<std::size_t>(p->getWidth() * p->getHeight()));
    }
  }
}

TEST(Sprite, FramesBeyondItsRoomAreRefused) {
  Sprite sprite(2);
  EXPECT_EQ(sprite.getMaxFrameCount(), 2);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "a")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "b")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "c")), -1);
  EXPECT_EQ(sprite.getFrameCount(), 2);
  EXPECT_EQ(sprite.getFrame(1).getString(), "b");
  EXPECT_EQ(sprite.getLabel(), "[Undefined]");
  Sprite none(-3);
  EXPECT_EQ(none.getMaxFrameCount(), 0);
  EXPECT_EQ(none.addFrame(Frame(1, 1, "a")), -1);
}

} // namespace

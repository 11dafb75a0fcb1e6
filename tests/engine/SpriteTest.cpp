#include "Object.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

#include <filesystem>
#include <set>
#include <sstream>

using tw::Frame;
using tw::Sprite;

namespace {

const std::string GOOD =
    "frames 2\nwidth 3\nheight 2\ncolor red\nabc\ndef\nend\nghi\njkl\nend\neof\n";

/// A started resource manager, the log showing the sprite reader's detail lines, and the
/// sprite files of tests/data/sprites in the current directory.
class Sprites : public twtest::LoggedTest {
protected:
  void SetUp() override {
    LoggedTest::SetUp(), tw::LogManager::getInstance().setLogLevel(10);
    ASSERT_EQ(rm.startUp(), 0);
    twtest::copyIn({"."}, twtest::sourceDir() + "/tests/data/sprites");
  }
  /// The colour of sprite label, then its frames from -1 to one past the last, after "/".
  std::string framesOf(const std::string& label) {
    const Sprite* p = rm.getSprite(label);
    std::string all = p ? std::to_string(p->getColor()) : "none";
    for (int i = -1; p && i <= p->getFrameCount(); i++)
      all += "/" + p->getFrame(i).getString();
    return p ? all + " " + std::to_string(p->getWidth()) + "x" + std::to_string(p->getHeight()) +
                   " " + p->getLabel()
             : all;
  }
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  std::ostringstream out;
};

TEST_F(Sprites, FilesLoadOrFailWithTheirMessages) {
  std::set<std::string> names; // good-* and bad-*, in order
  for (const auto& file : std::filesystem::directory_iterator(".")) {
    const std::string name = file.path().filename().string();
    if (name.rfind("good-", 0) == 0 || name.rfind("bad-", 0) == 0)
      names.insert(name);
  }
  for (const std::string& name : names) {
    out << "== " << name << ": " << rm.loadSprite(name, name) << " " << framesOf(name) << "\n"
        << logged();
  }
  out << framesOf("Good-2x3x2.txt") << "\n"; // labels are case sensitive
  for (const char* color : {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white",
                            "#FF8000", "#0a0b0c", "#ff800", "#ff80000", "#ff80g0", "ff8000"}) {
    writeFile("c.txt",
              "frames 1\nwidth 1\nheight 1\ncolor " + std::string(color) + "\nx\nend\neof\n");
    out << color << ": " << rm.loadSprite("c.txt", color) << " " << framesOf(color) << "\n";
  }
  // The good file cut after a line, and inside the next one.
  for (std::size_t end = 0; (end = GOOD.find('\n', end) + 1) < GOOD.size();) {
    writeFile("cut.txt", GOOD.substr(0, end)), out << logged() << rm.loadSprite("cut.txt", "cut");
    writeFile("cut.txt", GOOD.substr(0, end + 1)), out << rm.loadSprite("cut.txt", "cut") << "\n";
  }
  EXPECT_TRUE(twtest::matchesFile("golden/Sprites.FilesLoadOrFail.txt", out.str() + logged()));
}

TEST_F(Sprites, TablesAndLabels) {
  tw::LogManager::getInstance().setLogLevel(0);
  writeFile("s.txt", GOOD);
  out << rm.loadSprite("nowhere.txt", "x") << rm.loadSprite("good-default-color.txt", "");
  for (int i = 1; i < 1000; i++) // to a full table
    out << (rm.loadSprite("s.txt", i < 999 ? "s" + std::to_string(i) : "") ? "-" : "");
  out << rm.loadSprite("s.txt", "one too many") << "\n"
      << framesOf("s997") << ", " << framesOf("") << ", " << framesOf("one too many") << "\n";
  rm.shutDown(), out << framesOf("s1") << " " << rm.loadSprite("s.txt", "late") << "\n";
  Sprite sprite(2), none(-3); // a sprite refuses frames beyond its room
  out << sprite.addFrame(Frame(1, 1, "a")) << sprite.addFrame(Frame(1, 1, "b"))
      << sprite.addFrame(Frame(1, 1, "c")) << none.addFrame(Frame(1, 1, "a")) << " "
      << sprite.getFrameCount() << none.getMaxFrameCount() << " " << sprite.getFrame(1).getString()
      << sprite.getLabel() << "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/Sprites.TablesAndLabels.txt", out.str() + logged()));
}

} // namespace

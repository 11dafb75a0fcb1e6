#include "Config.h"
#include "TestSupport.h"

#include <filesystem>
#include <random>
#include <regex>
#include <set>

using namespace twtest;
using ConfigTest = LoggedTest;

/// Each file of config-cases.txt (\n and \r stand for line ends), then more, read after a
/// reset (unless keep) and written to the log with the font scale; each fault has a warning,
/// as has a file missing (at level 0) or unreadable.
TEST_F(ConfigTest, SettingsFollowTheFileWithinTheirBoundsAndGoToTheLog) {
  tw::LogManager& log = tw::LogManager::getInstance();
  auto load = [&](const std::string& name, const std::string& text, bool keep = false) {
    keep ? void() : tw::Config::getInstance().reset();
    log.writeLog("== %s", name.c_str()), writeFile("tw-config.txt", text);
    tw::loadConfig(tw::readConfig()), tw::writeToLog();
    log.writeLog("  Font scale: %g", static_cast<double>(tw::Config::getInstance().font_scale));
  };
  tw::loadConfig(tw::readConfig()), log.setLogLevel(1), tw::writeToLog(); // no file: defaults
  for (std::string c : linesOf(sourceDir() + "/tests/data/config-cases.txt")) {
    std::string text = c;
    for (auto [esc, ch] : {std::pair("\\n", "\n"), {"\\r", "\r"}})
      for (size_t at; (at = text.find(esc)) != text.npos;)
        text.replace(at, 2, ch);
    load(c, text);
  }
  load("kept", "headless:TRUE,show_mouse:,window_style:default,window_background_color:black",
       true);
  std::mt19937 rng(7); // garbage and huge files neither crash nor hang
  std::string garbage, huge;
  for (int i = 0; i < 200000; i++)
    garbage += static_cast<char>(rng());
  while (huge.size() < 10 << 20)
    huge += "k:v,,::,x\n";
  load("garbage", garbage), load("huge", huge + "frame_time:1");
  std::filesystem::remove("tw-config.txt"), std::filesystem::create_directory("tw-config.txt");
  tw::readConfig(); // a folder cannot be read, and on Windows not even opened
  std::vector<std::string> lines = stopLog();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(contains({lines.end()[-2]}, std::string("Cannot ") + (WINDOWS ? "open" : "read") +
                                              " Tarnwick configuration file 'tw-config.txt'."));
  lines.erase(lines.end() - 2);
  EXPECT_TRUE(matchesFile("golden/Config.SettingsFollowTheFile.txt", withoutTimes(lines)));
}

/// The documentation's table of keys and the fuzzer's dictionary name the settings' keys, whose
/// documented defaults read back as their defaults.
TEST_F(ConfigTest, EveryKeyIsDocumentedWithItsDefault) {
  std::set<std::string> keys, documented, fuzzed;
  for (const tw::Config::Setting& s : tw::Config::settings())
    keys.insert(s.key);
  EXPECT_EQ(keys.size(), tw::Config::settings().size());
  std::string defaults;
  std::smatch m;
  for (const std::string& line : linesOf(sourceDir() + "/docs/mainpage.md"))
    if (std::regex_match(line, m, std::regex(R"(\| `(\w+)` \| `?([^`|]*?)`? \|.*)")))
      documented.insert(m[1]),
          defaults += m[2] == "(none)" ? "" : m[1].str() + ":" + m[2].str() + ",";
  for (const std::string& line : linesOf(sourceDir() + "/fuzz/ConfigFile.dict"))
    if (std::regex_match(line, m, std::regex(R"("(\w+):")")))
      fuzzed.insert(m[1]);
  EXPECT_EQ(documented, keys);
  EXPECT_EQ(fuzzed, keys);
  tw::LogManager::getInstance().setLogLevel(1);
  logged(), tw::Config::getInstance().reset(), tw::writeToLog();
  const std::string kept = logged(); // no warning, and nothing changed
  tw::loadConfig(defaults), tw::writeToLog();
  EXPECT_EQ(logged(), kept);
}

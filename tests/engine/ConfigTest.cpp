#include "Config.h"
#include "TestSupport.h"

#include <random>

using namespace twtest;

/// Every setting as "name:value", each followed by a space.
static std::string settings() {
  const tw::Config& c = tw::Config::getInstance();
  std::ostringstream s;
  s << " hpx:" << c.window_horizontal_pixels << " vpx:" << c.window_vertical_pixels
    << " hch:" << c.window_horizontal_chars << " vch:" << c.window_vertical_chars
    << " style:" << c.window_style << " color:" << c.window_background_color
    << " frame:" << c.frame_time << " scale:" << c.font_scale << " title:" << c.getWindowTitle()
    << " mouse:" << c.show_mouse << " headless:" << c.headless << " font:" << c.getFontFile()
    << " log:" << c.getLogFile() << " seed:" << c.random_seed << " ";
  return s.str();
}

static const std::string defaults = settings();

struct ConfigTest : TempDirTest {
  /// Reads text as the configuration file (after a reset, unless keep); returns the settings
  /// that differ from the defaults, then each line written to standard error after "| ".
  std::string load(const std::string& text, bool keep = false) {
    keep ? void() : tw::Config::getInstance().reset();
    writeFile("tw-config.txt", text);
    testing::internal::CaptureStderr();
    tw::loadConfig(tw::readConfig());
    std::istringstream now(settings()), err(testing::internal::GetCapturedStderr());
    std::string out;
    for (std::string word; now >> word;)
      out += defaults.find(" " + word + " ") == std::string::npos ? word + " " : "";
    for (std::string line; std::getline(err, line);)
      out += "| " + line.substr(14); // after the time and the step count
    return out;
  }
};

TEST_F(ConfigTest, SettingsFollowTheFileWithinTheirBoundsAndGoToTheLog) {
  EXPECT_EQ(tw::readConfig(), "");
  EXPECT_EQ(defaults,
            " hpx:1024 vpx:768 hch:80 vch:24 style:5 color:0 frame:33 scale:2 "
            "title:Tarnwick mouse:0 headless:0 font:tw-font.ttf log:tarnwick.log seed:0 ");
  // One case a line: the file, with \n and \r for line ends, then "=>" and what load says.
  for (std::string c : linesOf(sourceDir() + "/tests/data/config-cases.txt")) {
    for (auto [esc, ch] : {std::pair("\\n", "\n"), {"\\r", "\r"}})
      for (size_t at; (at = c.find(esc)) != c.npos;)
        c.replace(at, 2, ch);
    EXPECT_EQ(load(c.substr(0, c.find(" => "))), c.substr(c.find(" => ") + 4)) << c;
  }
  EXPECT_EQ(load("window_title:" + std::string(500, 'T')), "title:" + std::string(500, 'T') + " ");
  load("headless:true,show_mouse:true,window_style:fullscreen,window_background_color:red");
  EXPECT_EQ(
      load("headless:TRUE,show_mouse:,window_style:default,window_background_color:black", true),
      "mouse:1 ");
  std::mt19937 rng(7); // garbage and huge files neither crash nor hang
  std::string garbage, huge;
  for (int i = 0; i < 200000; i++)
    garbage += static_cast<char>(rng());
  load(garbage);
  EXPECT_GT(tw::Config::getInstance().window_horizontal_chars, 0);
  while (huge.size() < 10 << 20)
    huge += "k:v,,::,x\n";
  EXPECT_EQ(load(huge + "frame_time:21"), ""); // parsing stopped at the first field of colons
  load("window_style:fullscreen,window_title:T,show_mouse:true,window_background_color:cyan,"
       "random_seed:5,font_scale:3");
  startLog(), tw::LogManager::getInstance().setLogLevel(1), tw::writeToLog();
  std::string text;
  for (const std::string& line : stopLog())
    text += line.substr(14) + "\n"; // after the time and the step count
  EXPECT_TRUE(matchesFile("config-log.txt", text));
}

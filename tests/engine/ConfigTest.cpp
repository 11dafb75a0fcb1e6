#include "Config.h"
#include "LogManager.h"

#include "TestSupport.h"

#include <chrono>
#include <random>

using namespace twtest;

namespace {

class ConfigTest : public TempDirTest {
protected:
  tw::Config& config = tw::Config::getInstance();

  /// Reads text as the configuration file and returns what went to standard error.
  std::string load(const std::string& text) {
    writeFile("tw-config.txt", text);
    testing::internal::CaptureStderr();
    tw::loadConfig(tw::readConfig());
    return testing::internal::GetCapturedStderr();
  }
};

void expectDefaults(const tw::Config& c) {
  EXPECT_EQ(c.window_horizontal_pixels, 1024);
  EXPECT_EQ(c.window_vertical_pixels, 768);
  EXPECT_EQ(c.window_horizontal_chars, 80);
  EXPECT_EQ(c.window_vertical_chars, 24);
  EXPECT_EQ(c.window_style, 5);
  EXPECT_EQ(c.window_background_color, 0);
  EXPECT_EQ(c.frame_time, 33);
  EXPECT_FLOAT_EQ(c.font_scale, 2.0f);
  EXPECT_EQ(c.getWindowTitle(), "Tarnwick");
  EXPECT_FALSE(c.show_mouse);
  EXPECT_FALSE(c.headless);
  EXPECT_EQ(c.getFontFile(), "tw-font.ttf");
  EXPECT_EQ(c.getLogFile(), "tarnwick.log");
  EXPECT_EQ(c.random_seed, 0);
}

} // namespace

TEST_F(ConfigTest, MissingEmptyOrCommentOnlyFilesGiveDefaults) {
  EXPECT_EQ(tw::readConfig(), "");
  tw::loadConfig(tw::readConfig());
  expectDefaults(config);
  load("");
  expectDefaults(config);
  load("# only a comment\n#frame_time:10\n\n");
  expectDefaults(config);
}

TEST_F(ConfigTest, EverySettingIsRead) {
  const std::string err = load("window_horizontal_pixels:800,\nwindow_vertical_pixels:600,\n"
                               "window_horizontal_chars:100,\nwindow_vertical_chars:30,\n"
                               "window_background_color:yellow,\nwindow_style:fullscreen,\n"
                               "frame_time:20,\nfont_scale:1.5,\nwindow_title:My Game,\n"
                               "show_mouse:true,\nheadless:true,\nfont_file:f.ttf,\n"
                               "logfile:l.log,\nrandom_seed:-7\n");
  EXPECT_EQ(err, "");
  EXPECT_EQ(config.window_horizontal_pixels, 800);
  EXPECT_EQ(config.window_vertical_pixels, 600);
  EXPECT_EQ(config.window_horizontal_chars, 100);
  EXPECT_EQ(config.window_vertical_chars, 30);
  EXPECT_EQ(config.window_background_color, 3);
  EXPECT_EQ(config.window_style, 8);
  EXPECT_EQ(config.frame_time, 20);
  EXPECT_FLOAT_EQ(config.font_scale, 1.5f);
  EXPECT_EQ(config.getWindowTitle(), "MyGame"); // white space is removed
  EXPECT_TRUE(config.show_mouse);
  EXPECT_TRUE(config.headless);
  EXPECT_EQ(config.getFontFile(), "f.ttf");
  EXPECT_EQ(config.getLogFile(), "l.log");
  EXPECT_EQ(config.random_seed, -7);
}

TEST_F(ConfigTest, UnsupportedNamesKeepTheDefaultWithAMessage) {
  const std::string err = load("window_background_color:Yellow,\nwindow_style:tiny\n");
  EXPECT_EQ(config.window_background_color, 0);
  EXPECT_EQ(config.window_style, 5);
  EXPECT_NE(err.find("loadConfig(): Unsupported window color 'Yellow'"), std::string::npos) << err;
  EXPECT_NE(err.find("loadConfig(): Unsupported window style 'tiny'"), std::string::npos);
}

TEST_F(ConfigTest, FlagsAreSetOnlyByLowerCaseTrue) {
  load("headless:true,show_mouse:true");
  load("headless:TRUE,show_mouse:\n");
  EXPECT_FALSE(config.headless);
  EXPECT_TRUE(config.show_mouse); // an empty value keeps the setting
}

TEST_F(ConfigTest, LineEndsCommentsAndJoinedLines) {
  load("frame_time:20,\r\nwindow_title:a\r\n");
  EXPECT_EQ(config.frame_time, 20);
  EXPECT_EQ(config.getWindowTitle(), "a");
  config.reset();
  // A "#" after spaces is no comment: its text joins the next item.
  load("  #frame_time:10,\nlogfile:x.log\n");
  EXPECT_EQ(config.frame_time, 33);
  EXPECT_EQ(config.getLogFile(), "x.log");
  config.reset();
  // A missing comma joins two settings; the first reads its leading digits.
  load("frame_time:25\nwindow_title:lost\n");
  EXPECT_EQ(config.frame_time, 25);
  EXPECT_EQ(config.getWindowTitle(), "Tarnwick");
  config.reset();
  load("frame_time:12,frame_time:99,logfile:last-line-without-newline");
  EXPECT_EQ(config.frame_time, 12);
  EXPECT_EQ(config.getLogFile(), "last-line-without-newline");
}

TEST_F(ConfigTest, NumbersFollowTheCLibraryReading) {
  load("frame_time:abc,random_seed:12abc,font_scale:0.5x");
  EXPECT_EQ(config.frame_time, 0);
  EXPECT_EQ(config.random_seed, 12);
  EXPECT_FLOAT_EQ(config.font_scale, 0.5f);
  config.reset();
  load("frame_time:-40,random_seed:99999999999999999999");
  EXPECT_EQ(config.frame_time, -40); // a loop that never sleeps, as asked
  EXPECT_EQ(config.random_seed, 2147483647);
}

TEST_F(ConfigTest, UnsafeSizesKeepTheDefaultWithAClearLine) {
  const std::string err =
      load("window_horizontal_pixels:-1024,window_vertical_pixels:0,window_horizontal_chars:0,"
           "window_vertical_chars:-3,font_scale:-2,window_title:" +
           std::string(500, 'T'));
  EXPECT_EQ(config.window_horizontal_pixels, 1024);
  EXPECT_EQ(config.window_vertical_pixels, 768);
  EXPECT_EQ(config.window_horizontal_chars, 80);
  EXPECT_EQ(config.window_vertical_chars, 24);
  EXPECT_FLOAT_EQ(config.font_scale, 2.0f);
  EXPECT_EQ(config.getWindowTitle(), std::string(500, 'T'));
  EXPECT_NE(
      err.find("loadConfig(): Warning! window_horizontal_chars 0 not in [1,1000], keeping 80."),
      std::string::npos)
      << err;
  EXPECT_NE(err.find("window_vertical_pixels 0 not in [1,16384], keeping 768."), std::string::npos);
  EXPECT_NE(err.find("font_scale '-2'"), std::string::npos);
}

TEST_F(ConfigTest, GarbageAndHugeFilesNeitherCrashNorHang) {
  std::mt19937 rng(7);
  std::string garbage;
  for (int i = 0; i < 200000; i++) {
    garbage += static_cast<char>(rng() & 0xff);
  }
  load(garbage);
  EXPECT_GT(config.window_horizontal_chars, 0);
  EXPECT_GT(config.window_vertical_pixels, 0);

  // Ten megabytes of items, commas and colons, read well within a test's time.
  config.reset();
  std::string huge;
  huge.reserve(10 * 1024 * 1024);
  while (huge.size() < 10 * 1024 * 1024) {
    huge += "k:v,,::,x\n";
  }
  huge += "frame_time:21";
  const auto begin = std::chrono::steady_clock::now();
  load(huge);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(30));
  EXPECT_EQ(config.frame_time, 33); // parsing stopped at the first field of colons
}

TEST_F(ConfigTest, WriteToLogListsEverySetting) {
  load("window_style:fullscreen,window_title:T");
  startLog();
  tw::LogManager::getInstance().setLogLevel(1);
  tw::writeToLog();
  const auto lines = stopLog();
  const char* expected[] = {"-----------------------------------",
                            "Tarnwick configuration:",
                            "  Window horizontal pixels: 1024",
                            "  Window vertical pixels: 768",
                            "  Window horizontal characters: 80",
                            "  Window vertical characters: 24",
                            "  Window background color: 0",
                            "  Frame time: 33",
                            "  Window style: fullscreen",
                            "  Window title: T",
                            "  Show mouse: false",
                            "  Headless: false",
                            "  Font file: tw-font.ttf",
                            "  Log file: tarnwick.log",
                            "  Random seed: 0",
                            "-----------------------------------"};
  ASSERT_GE(lines.size(), 16u);
  for (int i = 0; i < 16; i++) {
    const std::string& line = lines[i];
    EXPECT_EQ(line.substr(line.size() - std::string(expected[i]).size()), expected[i]) << i;
  }
}

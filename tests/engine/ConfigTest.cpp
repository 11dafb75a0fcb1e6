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
  const std::string t500(500, 'T'), w = "| loadConfig(): Warning! ";
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"# only a comment\n#frame_time:10\n\n", ""},
      {"window_horizontal_pixels:800,\nwindow_vertical_pixels:600,\nwindow_horizontal_chars:100,"
       "\nwindow_vertical_chars:30,\nwindow_background_color:yellow,\nwindow_style:fullscreen,\n"
       "frame_time:20,\nfont_scale:1.5,\nwindow_title:My Game,\nshow_mouse:true,\n"
       "headless:true,\nfont_file:f.ttf,\nlogfile:l.log,\nrandom_seed:-7\n",
       "hpx:800 vpx:600 hch:100 vch:30 style:8 color:3 frame:20 scale:1.5 title:MyGame mouse:1 "
       "headless:1 font:f.ttf log:l.log seed:-7 "},
      {"window_background_color:Yellow,", "| loadConfig(): Unsupported window color 'Yellow'"},
      {"window_style:tiny", "| loadConfig(): Unsupported window style 'tiny'"},
      {"frame_time:20,\r\nwindow_title:a\r\n", "frame:20 title:a "},
      {"  #frame_time:10,\nlogfile:x.log\n", "log:x.log "}, // no comment: joins the next line
      {"frame_time:25\nwindow_title:lost\n", "frame:25 "},  // a missing comma joins two
      {"frame_time:12,frame_time:99,logfile:last", "frame:12 log:last "},
      {"frame_time:abc,random_seed:12abc,font_scale:0.5x", "frame:0 scale:0.5 seed:12 "},
      {"frame_time:-40,random_seed:99999999999999999999", "frame:-40 seed:2147483647 "},
      {"window_horizontal_pixels:-1,window_vertical_pixels:16384,window_horizontal_chars:1000",
       "vpx:16384 hch:1000 " + w + "window_horizontal_pixels -1 not in [1,16384], keeping 1024."},
      {"window_vertical_pixels:16385,window_horizontal_chars:0,window_vertical_chars:1",
       "vch:1 " + w + "window_vertical_pixels 16385 not in [1,16384], keeping 768." + w +
           "window_horizontal_chars 0 not in [1,1000], keeping 80."},
      {"window_vertical_chars:1001,font_scale:-2",
       w + "font_scale '-2' not in (0,100], keeping 2." + w +
           "window_vertical_chars 1001 not in [1,1000], keeping 24."},
      {"font_scale:100,window_horizontal_pixels:1", "hpx:1 scale:100 "},
      {"window_title:" + t500, "title:" + t500 + " "},
  };
  for (const auto& [file, expected] : cases)
    EXPECT_EQ(load(file), expected) << file;
  const char* colors[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int i = 1; i < 8; i++)
    EXPECT_EQ(load(std::string("window_background_color:") + colors[i]),
              "color:" + std::to_string(i) + " ");
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

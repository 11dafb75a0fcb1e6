#include "Config.h"
#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

using namespace twtest;
using LogManagerTest = TempDirTest;

/// The log file, then what went to standard error, without the time of day (checked on its
/// own) and without the loop's lines for each frame.
TEST_F(LogManagerTest, LinesCarryTimeAndStepAndGoToStandardErrorWhileClosed) {
  tw::LogManager& log = tw::LogManager::getInstance();
  tw::GameManager& game = tw::GameManager::getInstance();
  testing::internal::CaptureStderr();
  tw::Config::getInstance().setLogFile("no/such/dir/x.log");
  log.writeLog("before start"), log.writeLog("open fails: %d", log.startUp());
  log.writeLog("started: %d", log.isStarted());
  tw::Config::getInstance().setLogFile("tarnwick.log"), startLog();
  const int again = log.startUp(), unlevelled = log.writeLog("hello %d", 5);
  log.writeLog("results %d %d %d", again, unlevelled, log.writeLog(1, "levelled %s", "hidden"));
  log.setLogLevel(1), log.writeLog(1, "levelled %s", "shown"), log.writeLog("ends in newline\n");
  FakeClock clock; // five-digit step counts widen the prefix
  game.setClock(&clock), game.setFrameTime(0);
  auto* p_stop = new WorldProbe;
  p_stop->registerInterest(tw::STEP_EVENT);
  p_stop->on_event = [&](const tw::Event*) { game.setGameOver(game.getStepCount() == 10000); };
  game.run(), log.writeLog("wide"), stopLog(), log.writeLog("after stop");
  delete p_stop;
  std::vector<std::string> lines = linesOf("tarnwick.log"), all;
  lines.push_back("         stderr:");
  std::istringstream err(testing::internal::GetCapturedStderr());
  for (std::string line; std::getline(err, line);)
    lines.push_back(line);
  for (const std::string& line : lines) {
    // Each line starts with the time ("12:34:56 ") or, written by the test, a space.
    const std::string time = line.substr(0, 9);
    EXPECT_TRUE(line.empty() || line[0] == ' ' ||
                (time.size() == 9 && time[2] == ':' && time[5] == ':' && time[8] == ' ' &&
                 time.find_first_not_of("0123456789: ") == std::string::npos))
        << line;
    if (line.find("Manager::getInput") == line.npos && line.find("not started!") == line.npos)
      all.push_back(line);
  }
  EXPECT_TRUE(matchesFile("golden/LogManager.LinesCarryTimeAndStep.txt", withoutTimes(all)));
}

/// Lines reach the file as they are written, without setFlush; with flushing off, at the end
/// of the frame that wrote them.
TEST_F(LogManagerTest, LinesReachTheFileAsWrittenOrByTheEndOfTheFrame) {
  tw::LogManager& log = tw::LogManager::getInstance();
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("at once");
  EXPECT_TRUE(contains(linesOf("tarnwick.log"), "at once"));
  FakeClock clock;
  game.setClock(&clock), log.setFlush(false), log.writeLog("in the frame");
  auto* p_stop = new WorldProbe; // ends the loop after its first frame
  p_stop->registerInterest(tw::STEP_EVENT);
  p_stop->on_event = [&](const tw::Event*) { game.setGameOver(); };
  game.run();
  EXPECT_TRUE(contains(linesOf("tarnwick.log"), "in the frame"));
  delete p_stop, log.shutDown(), game.setClock(nullptr);
}

/// A line's "Class::function():" names the function that writes it, where a file's own helper
/// (a function without a class) may speak for a function of that file that calls it; but for
/// these texts of the system's own, kept as they stand (the loop's and the pause's lines, now
/// written by the functions that the loop and the pause's wait were cut into, among them).
TEST(LogPrefixes, NameTheFunctionThatWritesThem) {
  std::set<std::string> verbatim, met; // the system's own texts, by their start; those found
  std::istringstream texts("GameManager()::|InputManager::getInput(): Window close|Manager(%s)::|"
                           "LogManager::startup():|Object::Match():|PathManager::startup():|"
                           "ResourceManager::loadmusic():|GameManager::run():|"
                           "Pause::eventHandler(): Keypress|Pause::eventHandler(): Game resumed|"
                           "colorToSFML():");
  for (std::string text; std::getline(texts, text, '|');)
    verbatim.insert(text);
  const std::regex definition(R"(^(?:[^=(]*[\s*&>])?(~?[A-Za-z_]\w*(?:::~?\w+)*)\s*\()"),
      keyword("if|for|while|switch|catch"), logging(R"(writeLog\(\s*(\d+,\s*)?$)"),
      prefix(R"("(\w+(?:::\w+)*)\([^)]*\):.*)");
  std::vector<std::string> wrong;
  for (const char* area : {"/engine", "/game"})
    for (const auto& file : std::filesystem::directory_iterator(sourceDir() + area)) {
      const std::string text = readText(file.path().string());
      std::vector<std::pair<std::string, std::size_t>> open; // each brace's function, and where
      std::map<std::string, std::string> bodies;
      std::vector<std::pair<std::string, std::string>> written; // function, text
      std::string head;                                         // the code before a brace
      std::smatch m;
      for (std::size_t i = 0, end = 0; i < text.size(); i++) {
        if (text.compare(i, 2, "/*") == 0) {
          i = std::min(text.find("*/", i), text.size()) + 1;
        } else if (text.compare(i, 2, "//") == 0 ||
                   (text[i] == '#' && (i == 0 || text[i - 1] == '\n'))) {
          while (i < text.size() && (text[i] != '\n' || text[i - 1] == '\\'))
            i++;
        } else if (text[i] == '"' || text[i] == '\'') {
          for (end = i + 1; end < text.size() && text[end] != text[i]; end++)
            end += text[end] == '\\';
          if (!open.empty() && std::regex_search(head, logging))
            written.emplace_back(open.back().first, text.substr(i, end + 1 - i));
          head += text.substr(i, end + 1 - i), i = end;
        } else if (text[i] == '{') {
          const bool named = std::regex_search(head, m, definition) &&
                             !std::regex_match(m[1].str(), keyword) && head.find(']') == head.npos;
          open.emplace_back(named ? m[1].str() : open.empty() ? "" : open.back().first, i);
          head.clear();
        } else if (text[i] == '}' && !open.empty()) {
          bodies[open.back().first] += text.substr(open.back().second, i - open.back().second);
          open.pop_back(), head.clear();
        } else {
          head = text[i] == ';' ? "" : head + (std::isspace(text[i]) ? ' ' : text[i]);
        }
      }
      for (const auto& [function, line] : written) {
        const auto kept = std::find_if(verbatim.begin(), verbatim.end(), [&](const auto& v) {
          return line.compare(1, v.size(), v) == 0;
        });
        if (kept != verbatim.end())
          met.insert(*kept);
        else if (std::regex_match(line, m, prefix) &&
                 !std::regex_match(m[1].str(), std::regex("(\\w+::)?" + function)) &&
                 (function.find(':') != function.npos ||
                  bodies[m[1]].find(function + "(") == std::string::npos))
          wrong.push_back(file.path().filename().string() + ": " + function + " writes " + line);
      }
    }
  EXPECT_EQ(wrong, std::vector<std::string>());
  EXPECT_EQ(met, verbatim); // each still written
}

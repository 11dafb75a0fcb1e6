// The fuzzing harnesses, one per kind of text the program reads; the CMake build compiles this
// file once per harness with TW_FUZZ_<NAME> defined. Any sanitizer report or abort() is a find.
#include "Button.h"
#include "Config.h"
#include "LogManager.h"
#include "Recording.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TextObject.h"
#include "WorldManager.h"
#include "utility.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

#define check(ok) ((ok) ? void() : std::abort())

/// A temporary file holding text, made once and removed at exit.
std::string tempFile(const std::string& text) {
  static std::string name;
  if (name.empty()) {
    char pattern[] = "/tmp/tw-fuzz-XXXXXX";
    const int fd = mkstemp(pattern);
    check(fd >= 0);
    close(fd);
    name = pattern;
    std::atexit([] { std::remove(name.c_str()); });
  }
  FILE* p_file = std::fopen(name.c_str(), "wb");
  check(p_file &&
        (text.empty() || std::fwrite(text.data(), 1, text.size(), p_file) == text.size()));
  std::fclose(p_file);
  return name;
}

/// Records: read, written back with nothing left modified, and read again by another object.
template <class T> void roundTrip(const std::string& record) {
  T object, copy;
  object.deserialize(record), object.isModified(), object.serialize(false);
  check(object.serialize(false).empty());
  copy.deserialize(object.serialize(true)), copy.serialize(true);
}

class FuzzButton : public tw::Button {
public:
  void onClick() override {}
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Every log line of the code under test is formatted, none is kept.
  tw::Config::getInstance().setLogFile("/dev/null");
  tw::LogManager::getInstance().startUp(), tw::LogManager::getInstance().setLogLevel(20);
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  check(resources.startUp() == 0);
  // Records may name the sprite "ball"; objects live in an 80 x 24 world.
  const std::string ball = "frames 2\nwidth 1\nheight 1\ncolor red\nO\nend\no\nend\neof\n";
  check(resources.loadSprite(tempFile(ball), "ball") == 0);
  tw::WorldManager& world = tw::WorldManager::getInstance();
  check(world.startUp() == 0);
  world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 24)), world.setView(world.getBoundary());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
#if defined(TW_FUZZ_SPRITEFILE)
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (resources.loadSprite(tempFile(input), "fuzzed") == 0) {
    // A loaded sprite holds what its header promised.
    const tw::Sprite* p_sprite = resources.getSprite("fuzzed");
    check(p_sprite && p_sprite->getWidth() > 0 && p_sprite->getHeight() > 0);
    for (int i = 0; i < p_sprite->getFrameCount(); i++)
      check(p_sprite->getFrame(i).getString().size() ==
            static_cast<std::size_t>(p_sprite->getWidth()) * p_sprite->getHeight());
    resources.shutDown(), resources.startUp(); // afresh, so the sprite table never fills up
  }
#elif defined(TW_FUZZ_CONFIGFILE)
  tw::Config& config = tw::Config::getInstance();
  config.reset(), tw::loadConfig(tw::readConfig(tempFile(input))), tw::writeToLog();
  // The window is built from these: whatever the file says, they stay usable.
  check(config.window_horizontal_pixels >= 1 && config.window_vertical_pixels >= 1 &&
        config.window_horizontal_chars >= 1 && config.window_vertical_chars >= 1 &&
        std::isfinite(config.font_scale) && config.font_scale > 0.0f &&
        config.window_background_color >= 0 && config.window_background_color <= 7 &&
        (config.window_style == 5 || config.window_style == 8));
#elif defined(TW_FUZZ_MATCH)
  // The line, then after a NUL byte the key to look up.
  const std::size_t end = input.find('\0');
  const std::string line = input.substr(0, end);
  const std::string key = end == std::string::npos ? "" : input.substr(end + 1);
  const std::string value = tw::match(line, key);
  // A value never holds a separator, and the same key looked up again finds the same.
  check(value.find_first_of(",: \t\n\v\f\r") == std::string::npos);
  check(line.empty() || tw::match("", key) == value);
#elif defined(TW_FUZZ_OBJECT)
  roundTrip<tw::Object>(input);
#elif defined(TW_FUZZ_VIEWOBJECT)
  roundTrip<tw::ViewObject>(input);
#elif defined(TW_FUZZ_TEXTOBJECT)
  roundTrip<tw::TextObject>(input);
#elif defined(TW_FUZZ_BUTTON)
  roundTrip<FuzzButton>(input);
#elif defined(TW_FUZZ_RECORDING)
  // A recording is read whole or refused with a reason; what it holds lies within its steps.
  static tw::Recording recording;
  std::string error;
  if (recording.parse(input, error) != 0) {
    check(!error.empty());
    return 0;
  }
  for (const tw::Recording::Entry& e : recording.getEntries())
    check(e.step >= 0 && e.step <= recording.getEndStep());
#endif
  return 0;
}

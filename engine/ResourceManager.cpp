#include "ResourceManager.h"

#include "LogManager.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace tw {

namespace {

/// Drops one carriage return at the end of line, so CR LF files read like LF files.
void discardCR(std::string& line) {
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
}

/// Leading white space, an optional sign and decimal digits up to the first other character;
/// 0 without digits. Values past the range of int are held at its ends.
int toInt(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) {
    return INT_MAX;
  }
  if (value < INT_MIN) {
    return INT_MIN;
  }
  return static_cast<int>(value);
}

/// Reads the header line "tag value" and returns the text after the tag and one separator
/// character. Sets ok to false, after logging why, when the line is missing or has no tag.
std::string readTagged(std::istream& file, int& line_number, const std::string& tag, bool& ok) {
  const LogManager& log = LogManager::getInstance();
  std::string line;
  line_number++;
  std::getline(file, line);
  if (!file.good()) {
    log.writeLog("\tError line %d.  Unexpected end of file.", line_number);
    ok = false;
    return "";
  }
  discardCR(line);
  if (line.compare(0, tag.size(), tag) != 0) {
    log.writeLog("\tError line %d.  Expected '%s #'", line_number, tag.c_str());
    log.writeLog("\tHave '%s'", line.c_str());
    ok = false;
    return "";
  }
  ok = true;
  // A line holding the tag alone has no separator and nothing after it.
  const std::size_t start = tag.size() + 1;
  return start < line.size() ? line.substr(start) : std::string();
}

int readLineInt(std::istream& file, int& line_number, const std::string& tag) {
  bool ok = false;
  const std::string rest = readTagged(file, line_number, tag, ok);
  return ok ? toInt(rest) : -1;
}

std::string readLineStr(std::istream& file, int& line_number, const std::string& tag) {
  bool ok = false;
  return readTagged(file, line_number, tag, ok);
}

/// Reads height rows of width characters and the "end" line after them; an empty frame when
/// the file does not hold them.
Frame readFrame(std::istream& file, int& line_number, int width, int height) {
  const LogManager& log = LogManager::getInstance();
  std::string line;
  std::string frame_str;
  for (int row = 0; row < height; row++) {
    line_number++;
    std::getline(file, line);
    if (!file.good()) {
      return Frame();
    }
    discardCR(line);
    if (line.size() != static_cast<std::size_t>(width)) {
      log.writeLog("\tError line %d.  Width %d of %d.", line_number,
                   static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX)), width);
      log.writeLog("\tLine is '%s'", line.c_str());
      return Frame();
    }
    frame_str += line;
  }
  line_number++;
  std::getline(file, line);
  if (!file.good()) {
    return Frame();
  }
  discardCR(line);
  if (line != "end") {
    log.writeLog("\tError line %d.  Expected '%s'.", line_number, "end");
    log.writeLog("\tLine is '%s'.", line.c_str());
    return Frame();
  }
  return Frame(width, height, frame_str);
}

Color colorNamed(const std::string& name, bool& known) {
  static const struct {
    const char* name;
    Color color;
  } names[] = {{"black", BLACK},   {"red", RED},     {"green", GREEN},
               {"yellow", YELLOW}, {"blue", BLUE},   {"magenta", MAGENTA},
               {"cyan", CYAN},     {"white", WHITE}, {"default", WHITE}};
  for (const auto& entry : names) {
    if (name == entry.name) {
      known = true;
      return entry.color;
    }
  }
  known = false;
  return WHITE;
}

} // namespace

ResourceManager::ResourceManager() {
  setType("ResourceManager");
  // Made first, the log manager is destroyed after this one at exit.
  LogManager::getInstance();
}

// The members go in reverse order: the music streams (each joining its feeding thread), then
// the sound voices with their samples, then the sprites; all before the audio library's own
// state, which was made before this manager.
ResourceManager::~ResourceManager() = default;

ResourceManager& ResourceManager::getInstance() {
  static ResourceManager resource_manager;
  return resource_manager;
}

int ResourceManager::startUp() {
  sprite_count = 0;
  sound_count = 0;
  music_count = 0;
  Manager::startUp();
  LogManager::getInstance().writeLog(1, "ResourceManager::startUp(): successfully started.");
  return 0;
}

void ResourceManager::shutDown() {
  for (int i = 0; i < sprite_count; i++) {
    sprite[i].reset();
  }
  sprite_count = 0;
  for (int i = 0; i < sound_count; i++) {
    sound[i].stop();
  }
  for (int i = 0; i < music_count; i++) {
    music[i].stop();
  }
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "ResourceManager::shutDown(): successfully stopped.");
}

int ResourceManager::loadSprite(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (sprite_count == MAX_SPRITES) {
    log.writeLog("ResourceManager::loadSprite(): Unable to add more Sprites (max is %d)\n",
                 MAX_SPRITES);
    return -1;
  }
  std::ifstream file(filename, std::ios::in | std::ios::binary);
  if (!file.is_open()) {
    log.writeLog("ResourceManager::loadSprite(): Cannot open file '%s'", filename.c_str());
    return -1;
  }
  log.writeLog(1, "ResourceManager::loadSprite(): Opened file '%s'", filename.c_str());
  int line_number = 0;

  const int frames = readLineInt(file, line_number, "frames");
  if (frames <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  frames %d", frames);
    return -1;
  }
  const int width = readLineInt(file, line_number, "width");
  if (width <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  width %d", width);
    return -1;
  }
  const int height = readLineInt(file, line_number, "height");
  if (height <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  height %d", height);
    return -1;
  }
  const std::string color = readLineStr(file, line_number, "color");
  if (color.empty()) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineStr().  Color '%s'",
                 color.c_str());
    return -1;
  }
  log.writeLog(5, "                               Frames: %d", frames);
  log.writeLog(5, "                                Width: %d", width);
  log.writeLog(5, "                               Height: %d", height);
  log.writeLog(5, "                                Color: %s", color.c_str());

  std::unique_ptr<Sprite> p_sprite;
  if (frames <= MAX_SPRITE_FRAMES) {
    p_sprite = std::make_unique<Sprite>(frames);
  }
  if (!p_sprite || p_sprite->getMaxFrameCount() != frames) {
    log.writeLog("ResourceManager::loadSprite(): Cannot make room for %d frames (max is %d)",
                 frames, MAX_SPRITE_FRAMES);
    return -1;
  }
  p_sprite->setWidth(width);
  p_sprite->setHeight(height);

  bool known = false;
  const Color sprite_color = colorNamed(color, known);
  if (!known) {
    log.writeLog("ResourceManager::loadSprite(): Unrecognized color '%s'", color.c_str());
    log.writeLog("  Valid colors are: black, red, green, yellow,");
    log.writeLog("                    blue, magenta, cyan and white.");
  }
  p_sprite->setColor(sprite_color);

  for (int i = 0; i < frames; i++) {
    Frame frame = readFrame(file, line_number, width, height);
    if (frame.stringRef().empty()) {
      log.writeLog("ResourceManager::loadSprite(): Cannot add frame!");
      return -1;
    }
    p_sprite->addFrame(std::move(frame));
  }

  std::string line;
  std::getline(file, line);
  if (!file.good()) {
    log.writeLog("\tError line %d. End of file reached or missing newline.", line_number + 1);
    return -1;
  }
  discardCR(line);
  if (line != "eof") {
    log.writeLog("\tError line %d.  Expected '%s'.", line_number + 1, "eof");
    log.writeLog("\tLine is '%s'.", line.c_str());
    return -1;
  }

  p_sprite->setLabel(label);
  sprite[sprite_count++] = std::move(p_sprite);
  log.writeLog(1, "ResourceManager::loadSprite(): Sprite '%s' successfully loaded", label.c_str());
  return 0;
}

Sprite* ResourceManager::getSprite(std::string label) const {
  for (int i = 0; i < sprite_count; i++) {
    if (sprite[i]->getLabel() == label) {
      return sprite[i].get();
    }
  }
  return nullptr;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (sound_count == MAX_SOUNDS) {
    log.writeLog("ResourceManager::loadSound(): Unable to add more sounds (max is %d)", MAX_SOUNDS);
    return -1;
  }
  Sound& record = sound[sound_count];
  if (record.loadSound(filename) != 0) {
    log.writeLog("ResourceManager::loadSound(): Cannot load sound from file '%s'",
                 filename.c_str());
    return -1;
  }
  record.setLabel(label);
  log.writeLog(1, "ResourceManager::loadSound(): Sound '%s' successfully loaded",
               record.getLabel().c_str());
  sound_count++;
  return 0;
}

Sound* ResourceManager::getSound(std::string label) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(5, "ResourceManager::getSound(): Looking for sound '%s'", label.c_str());
  for (int i = 0; i < sound_count; i++) {
    if (sound[i].getLabel() == label) {
      return &sound[i];
    }
  }
  log.writeLog("ResourceManager::getSound(): Sound '%s' not found", label.c_str());
  return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (music_count == MAX_MUSICS) {
    log.writeLog("ResourceManager::loadMusic(): Unable to add more musics (max is %d)", MAX_MUSICS);
    return -1;
  }
  if (label.empty()) {
    log.writeLog("ResourceManager::loadMusic(): Must provide label for music");
    return -1;
  }
  Music& record = music[music_count];
  if (record.loadMusic(filename) != 0) {
    log.writeLog("ResourceManager::loadmusic(): Cannot load music from file '%s'",
                 filename.c_str());
    return -1;
  }
  record.setLabel(label);
  log.writeLog(1, "ResourceManager::loadMusic(): Music '%s' successfully loaded",
               record.getLabel().c_str());
  music_count++;
  return 0;
}

Music* ResourceManager::getMusic(std::string label) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(5, "ResourceManager::getMusic(): Looking for music '%s'", label.c_str());
  for (int i = 0; i < music_count; i++) {
    if (music[i].getLabel() == label) {
      return &music[i];
    }
  }
  log.writeLog("ResourceManager::getMusic(): Music '%s' not found", label.c_str());
  return nullptr;
}

} // namespace tw

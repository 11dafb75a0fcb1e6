#include "ResourceManager.h"

#include "Color.h"
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

/// A sprite file being read: the stream, its name and the number of the line read last.
struct SpriteFile {
  std::istream& in;
  const std::string& name;
  int line_number = 0;

  /// Reads the next line without its carriage return; false at the end of the file, and for a
  /// last line without its newline.
  bool next(std::string& line) {
    line_number++;
    std::getline(in, line);
    if (!in.good()) {
      return false;
    }
    discardCR(line);
    return true;
  }
  /// The reader's messages give the line but not the file: this names the file, the line (the
  /// one read last unless number is given) and what is wrong there, on a line of its own.
  void where(const std::string& detail, int number = 0) const {
    LogManager::getInstance().writeLog("\tIn file '%s', line %d: %s.", name.c_str(),
                                       number ? number : line_number, detail.c_str());
  }
};

/// Reads the header line "tag value" and returns the text after the tag and one separator
/// character. Sets ok to false, after logging why, when the line is missing or has no tag.
std::string readTagged(SpriteFile& file, const std::string& tag, bool& ok, std::string& line) {
  const LogManager& log = LogManager::getInstance();
  ok = false;
  if (!file.next(line)) {
    log.writeLog("\tError line %d.  Unexpected end of file.", file.line_number);
    file.where("the file ends before its '" + tag + "' line");
    return "";
  }
  if (line.compare(0, tag.size(), tag) != 0) {
    log.writeLog("\tError line %d.  Expected '%s #'", file.line_number, tag.c_str());
    log.writeLog("\tHave '%s'", line.c_str());
    file.where("not the '" + tag + "' line");
    return "";
  }
  ok = true;
  // A line holding the tag alone has no separator and nothing after it.
  const std::size_t start = tag.size() + 1;
  return start < line.size() ? line.substr(start) : std::string();
}

/// The number after tag; -1 when the line is missing or has no tag, and a value below 1,
/// logged, when it holds no number above 0.
int readLineInt(SpriteFile& file, const std::string& tag) {
  bool ok = false;
  std::string line;
  const std::string rest = readTagged(file, tag, ok, line);
  if (!ok) {
    return -1;
  }
  const int value = toInt(rest);
  if (value <= 0) {
    file.where("'" + line + "' holds no number above 0");
  }
  return value;
}

/// The text after tag; empty when the line is missing, has no tag, or names nothing (logged).
std::string readLineStr(SpriteFile& file, const std::string& tag) {
  bool ok = false;
  std::string line;
  const std::string rest = readTagged(file, tag, ok, line);
  if (ok && rest.empty()) {
    file.where("'" + line + "' names nothing");
  }
  return rest;
}

/// Reads height rows of width characters and the "end" line after them; an empty frame, with
/// what is wrong in error, when the file does not hold them. which names the frame for error.
Frame readFrame(SpriteFile& file, int width, int height, const std::string& which,
                std::string& error) {
  const LogManager& log = LogManager::getInstance();
  std::string line;
  std::string frame_str;
  for (int row = 0; row < height; row++) {
    if (!file.next(line)) {
      error = "the file ends in " + which;
      return Frame();
    }
    if (line.size() != static_cast<std::size_t>(width)) {
      const int length = static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX));
      log.writeLog("\tError line %d.  Width %d of %d.", file.line_number, length, width);
      log.writeLog("\tLine is '%s'", line.c_str());
      error = which + " has a row of " + std::to_string(length) +
              (length == 1 ? " character" : " characters") + ", not the sprite's width of " +
              std::to_string(width);
      return Frame();
    }
    frame_str += line;
  }
  if (!file.next(line)) {
    error = "the file ends before the 'end' line of " + which;
    return Frame();
  }
  if (line != "end") {
    log.writeLog("\tError line %d.  Expected '%s'.", file.line_number, "end");
    log.writeLog("\tLine is '%s'.", line.c_str());
    error = "the " + std::to_string(height) + " rows of " + which +
            " are not followed by an 'end' line";
    return Frame();
  }
  return Frame(width, height, frame_str);
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
    log.writeLog("\tFile '%s' not loaded.", filename.c_str());
    return -1;
  }
  std::ifstream file(filename, std::ios::in | std::ios::binary);
  if (!file.is_open()) {
    log.writeLog("ResourceManager::loadSprite(): Cannot open file '%s'", filename.c_str());
    return -1;
  }
  log.writeLog(1, "ResourceManager::loadSprite(): Opened file '%s'", filename.c_str());
  SpriteFile reader{file, filename};

  const int frames = readLineInt(reader, "frames");
  if (frames <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  frames %d", frames);
    return -1;
  }
  const int width = readLineInt(reader, "width");
  if (width <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  width %d", width);
    return -1;
  }
  const int height = readLineInt(reader, "height");
  if (height <= 0) {
    log.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  height %d", height);
    return -1;
  }
  const std::string color = readLineStr(reader, "color");
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
    reader.where("too many frames", 1);
    return -1;
  }
  p_sprite->setWidth(width);
  p_sprite->setHeight(height);

  Color sprite_color = WHITE;
  if (color != "default" && !colorFromText(color, sprite_color)) {
    log.writeLog("ResourceManager::loadSprite(): Unrecognized color '%s'", color.c_str());
    log.writeLog("  Valid colors are: black, red, green, yellow,");
    log.writeLog("                    blue, magenta, cyan and white.");
    log.writeLog("                    Any other colour is written #rrggbb.");
    reader.where("the sprite is drawn in white");
  }
  p_sprite->setColor(sprite_color);

  for (int i = 0; i < frames; i++) {
    std::string error;
    const std::string which = "frame " + std::to_string(i + 1) + " of " + std::to_string(frames);
    Frame frame = readFrame(reader, width, height, which, error);
    if (frame.stringRef().empty()) {
      log.writeLog("ResourceManager::loadSprite(): Cannot add frame!");
      reader.where(error);
      return -1;
    }
    p_sprite->addFrame(std::move(frame));
  }

  std::string line;
  if (!reader.next(line)) {
    log.writeLog("\tError line %d. End of file reached or missing newline.", reader.line_number);
    reader.where("no 'eof' line, or no newline after it");
    return -1;
  }
  if (line != "eof") {
    log.writeLog("\tError line %d.  Expected '%s'.", reader.line_number, "eof");
    log.writeLog("\tLine is '%s'.", line.c_str());
    reader.where("not the 'eof' line");
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

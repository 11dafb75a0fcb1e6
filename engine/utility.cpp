#include "utility.h"

#include "LogManager.h"
#include "Object.h"

#include <new>
#include <sstream>
#include <vector>

namespace tw {

std::string toString(int i) {
  std::ostringstream ss;
  ss << i;
  return ss.str();
}

std::string toString(float f) {
  std::ostringstream ss;
  ss << f;
  return ss.str();
}

std::string toString(char c) {
  if (c == 0) {
    return "0";
  }
  return std::string(1, c);
}

std::string toString(bool b) {
  return b ? "true" : "false";
}

namespace {

struct MatchItems {
  std::vector<std::string> keys;
  std::vector<std::string> values;
  int count = 0;
};

MatchItems& matchItems() {
  static MatchItems items;
  return items;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The non-empty runs of text between separators, as the C library's tokenizer finds them.
void splitRuns(const std::string& text, char sep, std::vector<std::string>& runs) {
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t next = text.find(sep, pos);
    const size_t end = next == std::string::npos ? text.size() : next;
    if (end > pos) {
      runs.push_back(text.substr(pos, end - pos));
    }
    pos = end + 1;
  }
}

} // namespace

int hexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

std::string match(std::string line, std::string token) {
  const LogManager& log = LogManager::getInstance();
  MatchItems& items = matchItems();
  log.writeLog(15, "match(\"%s\", \"%s\")", line.c_str(), token.c_str());

  if (!line.empty()) {
    std::string text;
    text.reserve(line.size());
    int commas = 0;
    for (char c : line) {
      if (!isSpace(c)) {
        text += c;
        commas += c == ',';
      }
    }
    items.keys.clear();
    items.values.clear();
    items.count = 0;
    log.writeLog(15, "match(): number of elements allocated is %d", commas + 1);
    try {
      std::vector<std::string> fields;
      splitRuns(text, ',', fields);
      std::vector<std::string> parts;
      for (const std::string& field : fields) {
        log.writeLog(15, "\titem number %d", items.count);
        log.writeLog(17, "\tp_element is '%s' (%s)", field.c_str(),
                     PointerText(field.c_str()).c_str());
        parts.clear();
        splitRuns(field, ':', parts);
        if (parts.empty()) {
          break; // a field of colons only ends the parse
        }
        log.writeLog(17, "\ttoken is '%s' (%s)", parts[0].c_str(),
                     PointerText(parts[0].c_str()).c_str());
        items.keys.push_back(parts[0]);
        log.writeLog(15, "\tkey %s", parts[0].c_str());
        items.values.push_back(parts.size() > 1 ? parts[1] : std::string());
        log.writeLog(15, "\tval %s", items.values.back().c_str());
        items.count++;
      }
    } catch (const std::bad_alloc&) {
      log.writeLog("match(): unable to allocate key array!");
      items.keys.clear();
      items.values.clear();
      items.count = 0;
      return "";
    }
    log.writeLog(15, "match(): parsed.");
    for (int i = 0; i < items.count; i++) {
      log.writeLog(17, "\t%d  %s : %s", i, items.keys[i].c_str(), items.values[i].c_str());
    }
  }

  log.writeLog(15, "match(): Looking for match '%s' among %d items.", token.c_str(), items.count);
  for (int i = 0; i < items.count; i++) {
    log.writeLog(17, "match(): %d: %s == %s?", i, items.keys[i].c_str(), token.c_str());
    if (items.keys[i] == token) {
      return items.values[i];
    }
  }
  return "";
}

namespace {

// PCG32 (XSH RR): a 64-bit linear congruential state, each output its top bits xor-shifted
// and rotated into 32. Fixed-width arithmetic only, so a seed replays the same everywhere.
constexpr std::uint64_t MULTIPLIER = 6364136223846793005u;
constexpr std::uint64_t INCREMENT = 109u; // odd: the stream

constexpr std::uint64_t seededState(std::uint32_t seed) {
  return (INCREMENT + seed) * MULTIPLIER + INCREMENT;
}

std::uint64_t random_state = seededState(0);

} // namespace

void seedRandom(std::uint32_t seed) {
  random_state = seededState(seed);
}

int randomNumber() {
  const std::uint64_t old = random_state;
  random_state = old * MULTIPLIER + INCREMENT;
  const auto shifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
  const auto rotation = static_cast<std::uint32_t>(old >> 59);
  const std::uint32_t output = (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
  return static_cast<int>(output >> 1);
}

Box getWorldBox(const Object* p_o) {
  return getWorldBox(p_o, p_o->getPosition());
}

Box getWorldBox(const Object* p_o, Vector where) {
  Box box = p_o->getBox();
  box.setCorner(box.getCorner() + where);
  return box;
}

} // namespace tw

#include "TextObject.h"

#include "LogManager.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tw {

namespace {

// A record has no quoting, and its reader drops white space: the separators, '%', spaces and
// control characters are written as %XX.
std::string escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '%' || c == ',' || c == ':' || static_cast<unsigned char>(c) <= ' ') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

// A '%' not followed by two hexadecimal digits stands for itself.
std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i++) {
    const bool code = text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                      hexDigit(text[i + 2]) >= 0;
    if (code) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

int readInt(const std::string& text) {
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

TextObject::TextObject(std::string new_text, Vector position) {
  setType("TextObject");
  setSolidness(SPECTRAL);
  setAltitude(MAX_ALTITUDE);
  setPosition(position);
  setText(std::move(new_text));
}

void TextObject::setText(std::string new_text) {
  text = std::move(new_text);
  lines.clear();
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  text_modified = true;
}

void TextObject::setColor(Color new_color) {
  color = new_color;
  text_modified = true;
}

void TextObject::setBackground(Color new_background) {
  background = new_background;
  has_background = true;
  text_modified = true;
}

void TextObject::clearBackground() {
  has_background = false;
  text_modified = true;
}

void TextObject::setJustification(Justification new_justification) {
  justification = new_justification;
  text_modified = true;
}

void TextObject::setOnView(bool new_on_view) {
  on_view = new_on_view;
  text_modified = true;
}

void TextObject::draw() {
  GraphicsManager& graphics = GraphicsManager::getInstance();
  const Vector p = on_view ? viewToWorld(getPosition()) : getPosition();
  for (std::size_t i = 0; i < lines.size(); i++) {
    const Vector where(p.getX(), p.getY() + static_cast<float>(i));
    if (has_background) {
      graphics.drawString(where, lines[i], justification, color, background);
    } else {
      graphics.drawString(where, lines[i], justification, color);
    }
  }
}

std::string TextObject::serialize(bool all) {
  std::string record = Object::serialize(all);
  if (all || text_modified) {
    record += "text:" + escape(text) + ",";
    record += "color:" + toString(static_cast<int>(color)) + ",";
    record += "background:" +
              (has_background ? toString(static_cast<int>(background)) : std::string("none")) + ",";
    record += "justification:" + toString(static_cast<int>(justification)) + ",";
    record += "on_view:" + toString(on_view) + ",";
  }
  text_modified = false;
  return record;
}

int TextObject::deserialize(std::string record) {
  const LogManager& log = LogManager::getInstance();
  Object::deserialize(record);
  // The object's part parsed the record last, so the matcher still holds its items.
  std::string value;
  auto found = [&](const char* key) {
    value = match("", key);
    return !value.empty();
  };
  if (found("text")) {
    log.writeLog(10, "TextObject::deserialize(): text is '%s'", value.c_str());
    setText(unescape(value));
  }
  if (found("color")) {
    log.writeLog(10, "TextObject::deserialize(): color is %s", value.c_str());
    setColor(static_cast<Color>(readInt(value)));
  }
  if (found("background")) {
    log.writeLog(10, "TextObject::deserialize(): background is %s", value.c_str());
    if (value == "none") {
      clearBackground();
    } else {
      setBackground(static_cast<Color>(readInt(value)));
    }
  }
  if (found("justification")) {
    log.writeLog(10, "TextObject::deserialize(): justification is %s", value.c_str());
    const int j = readInt(value);
    setJustification(j == JUSTIFY_CENTER || j == JUSTIFY_RIGHT ? static_cast<Justification>(j)
                                                               : JUSTIFY_LEFT);
  }
  if (found("on_view")) {
    log.writeLog(10, "TextObject::deserialize(): on_view is %s", value.c_str());
    setOnView(value == "true");
  }
  return 0;
}

bool TextObject::isModified() const {
  return text_modified || Object::isModified();
}

} // namespace tw

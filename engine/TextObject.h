#pragma once

#include "Color.h"
#include "GraphicsManager.h"
#include "Object.h"

#include <string>
#include <vector>

namespace tw {

/// A line (or lines) of text shown at its position every frame until changed or deleted: a
/// message, a label over a monster, a status line. Its position is in the world, so it scrolls
/// with the view, unless setOnView(true) fixes it relative to the view's corner. It is
/// SPECTRAL, never collides, and is drawn at MAX_ALTITUDE, above the other objects.
///
///     auto* p_msg = new tw::TextObject("You found 12 gold.", tw::Vector(1, 23));
///     p_msg->setColor(tw::YELLOW);
///     ...
///     p_msg->setText("The door is locked.");
class TextObject : public Object {
public:
  /// Shows text at position, white and left-justified.
  explicit TextObject(std::string text = "", Vector position = Vector());

  /// Draws every line of the text, line i at row i below the position; no sprite.
  void draw() override;
  /// Object's record followed by "text", "color", "background" (a colour or "none"),
  /// "justification" and "on_view"; in the text,
  /// '%', ',', ':', spaces and control characters are written as %XX (%2C for ',').
  std::string serialize(bool all = false) override;
  int deserialize(std::string record) override;
  bool isModified() const override;
  using Object::isModified;

  /// Replaces the text; a '\n' starts a new line, drawn on the next row.
  void setText(std::string new_text);
  /// The text shown.
  const std::string& getText() const { return text; }
  /// Sets the colour of the characters.
  void setColor(Color new_color);
  /// Colour of the characters.
  Color getColor() const { return color; }
  /// Draws the text on cells of this colour.
  void setBackground(Color new_background);
  /// Draws the text on the cells' own background again (the default).
  void clearBackground();
  /// Whether the text has a background of its own.
  bool hasBackground() const { return has_background; }
  /// The text's background colour, when it has one.
  Color getBackground() const { return background; }
  /// Where each line stands relative to the position: starting there, centred on it, or
  /// ending just before it.
  void setJustification(Justification new_justification);
  /// Where each line stands relative to the position.
  Justification getJustification() const { return justification; }
  /// Fixes the text on the screen (the position relative to the view's corner) or not.
  void setOnView(bool new_on_view);
  /// Whether the position is relative to the view's corner rather than to the world.
  bool isOnView() const { return on_view; }

private:
  std::string text;
  std::vector<std::string> lines; ///< the text cut at its line breaks, for draw
  Color color = WHITE;
  Color background = BLACK;
  bool has_background = false;
  Justification justification = JUSTIFY_LEFT;
  bool on_view = false;
  bool text_modified = true; ///< any of the four fields changed since the last serialize
};

} // namespace tw

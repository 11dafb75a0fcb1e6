#pragma once

#include "Box.h"
#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "RenderTypes.h"
#include "Vector.h"

#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class CellBatch;
class DamageMap;
class InputSource;
class Renderer;

/// Where drawString places a string relative to its position.
enum Justification {
  /// The string starts at the position.
  JUSTIFY_LEFT = 0,
  /// The string's middle character (at index length / 2) is at the position.
  JUSTIFY_CENTER,
  /// The string ends in the cell left of the position.
  JUSTIFY_RIGHT,
};

/// What one character cell of the screen shows: the last character drawn there, its colour and
/// the cell's background colour. A cell nothing was drawn into holds a space in the window's
/// background colour, on that colour.
struct Cell {
  /// The character.
  char ch = ' ';
  /// Its colour.
  Color color = BLACK;
  /// The colour of the cell behind it.
  Color background = BLACK;
};

/// Pixels per cell, horizontally and vertically.
float charWidth();
/// Pixels per cell vertically: the window's height over its rows.
float charHeight();
/// A position in cells (spaces) as pixels of the window.
Vector spacesToPixels(Vector spaces);
/// A position in pixels of the window as cells (spaces).
Vector pixelsToSpaces(Vector pixels);
/// The window colour of a Color, opaque; white for CUSTOM and unknown values.
Rgba colorToRgba(Color color);
/// Writes the colour's channels; leaves them unchanged for CUSTOM and unknown values.
void colorToRGB(Color color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

/// Owns the window, through the platform's renderer, and draws the world's character cells
/// into it. Cells are collected and sent to the window in as few draw calls as possible: at
/// displayFrame, and whenever something draws on the window directly (a shape, or a user with
/// the window library), so that it draws over them.
///
/// With damage tracking, the window keeps the last frame's picture and displayFrame redraws
/// and shows only the parts whose pixels changed; a frame that changed nothing draws and
/// shows nothing. Where the platform cannot show part of the window (no
/// GLX_MESA_copy_sub_buffer), every frame is drawn and shown whole.
class GraphicsManager : public Manager {
public:
  /// The one graphics manager, made on first use.
  static GraphicsManager& getInstance();
  ~GraphicsManager() override;

  /// Opens the window and loads the font as configured; -1 (logged) when either fails.
  int startUp() override;
  /// Starts with the screen's cells but no window, for replaying a session headless.
  int startUpWithoutWindow();
  /// Closes the window and forgets the screen's cells.
  void shutDown() override;

  /// Draws ch in the cell nearest world_pos (cells), on the background that cell has this frame
  /// (the window's, unless a background was drawn there); nothing off the screen. -1 when not
  /// started.
  int drawCharacter(char ch, Color color, Vector world_pos);
  /// Draws ch on a cell of the background colour.
  int drawCharacter(char ch, Color color, Color background, Vector world_pos);
  /// Draws text along the row of world_pos, placed by justification; -1 when not started.
  int drawString(Vector world_pos, std::string text, Justification justification, Color color);
  /// Draws text on cells of the background colour.
  int drawString(Vector world_pos, std::string text, Justification justification, Color color,
                 Color background);
  /// Gives the cells of world_box (horizontal x vertical of them, from the cell nearest its
  /// corner) the background colour, keeping the characters drawn on them; later characters
  /// keep it too. -1 when not started.
  int fillRectangle(Box world_box, Color background);
  /// Draws frame with its top-left corner or its centre at world_pos, leaving out the
  /// transparent character (0: none); -1 when not started or the frame is empty.
  int drawFrame(bool centered, Color color, char transparent, Vector world_pos, const Frame& frame);
  /// Shows the frame drawn since the last call (with damage tracking, what changed of it) and
  /// readies the window for the next one.
  void displayFrame();
  /// Sends the cells collected so far to the window; the frame is then drawn whole.
  void flush() const;
  /// With damage tracking, draws the frame last shown again, whole, and shows it: for a window
  /// that lost its contents. Otherwise, or while a frame is being drawn, does nothing.
  void refresh();

  /// Turns damage tracking on or off; the next frame is drawn and shown whole.
  void setDamageTracking(bool on);
  /// Whether damage tracking is on (it may still be unavailable: see isShowingInPart).
  bool isDamageTracking() const { return damage_tracking; }
  /// Whether frames are now drawn and shown in part: tracking is on and the platform allows it.
  bool isShowingInPart() const;
  /// The next frame is drawn and shown whole: the window was resized, exposed, or lost or
  /// gained the focus.
  void markAllDamaged();
  /// Pixels the last frame drawn in part redrew.
  unsigned getDamagedArea() const;

  /// The renderer with every cell drawn so far already in it, for drawing on the window
  /// directly: the frame is then drawn and shown whole. Null when there is no window.
  Renderer* drawDirectly() const;
  /// What the window holds now, every cell drawn so far included, before it is shown; an
  /// empty image when there is no window. Between frames (nothing drawn since displayFrame),
  /// with damage tracking, the frame last shown.
  Image capture() const;
  /// The window's events and input state; null when there is no window.
  InputSource* getInput() const;
  /// Columns of cells on the screen (the configured number while there is no window).
  int getHorizontalChars() const;
  /// Rows of cells on the screen (the configured number while there is no window).
  int getVerticalChars() const;
  /// Width of the window in pixels (the configured one while there is no window).
  int getHorizontalPixels() const;
  /// Height of the window in pixels (the configured one while there is no window).
  int getVerticalPixels() const;

  /// The cell at column x, row y of the frame being drawn; a blank cell outside the screen.
  Cell cellAt(int x, int y) const;
  /// The same for the frame last shown by displayFrame.
  Cell shownCellAt(int x, int y) const;
  /// Row y of the frame being drawn (or of the last shown one) as text, one char per cell.
  std::string rowText(int y, bool shown = false) const;

  /// Saves the next frame shown as "tarnwick-<date>-<time>.png" in the working directory.
  void requestScreenshot() { screenshot_requested = true; }
  /// Shows or hides the frame-time overlay; it is drawn over the cells, never into them.
  void toggleOverlay();
  /// Whether the frame-time overlay is shown.
  bool isOverlayShown() const { return overlay_shown; }
  /// Replaces the overlay's text (the game manager writes it about once a second).
  void setOverlayText(const std::string& text);

  /// Size of the glyphs in pixels: the smaller side of a cell times the font scale.
  unsigned int getCharacterSize() const { return character_size; }
  /// The configured window background, which every frame starts from.
  Color getBackground() const { return background; }
  /// Draw calls made for cells since start-up.
  long getCellDrawCalls() const { return cell_draw_calls; }

private:
  GraphicsManager();
  void refreshDimensions();
  const Glyph& glyphOf(std::uint32_t code_point);
  /// Whether a window is open.
  bool hasWindow() const;
  int drawCell(char ch, Color color, Color cell_background, bool set_background, Vector world_pos);
  int drawText(Vector world_pos, const std::string& text, Justification justification, Color color,
               Color cell_background, bool set_background);
  void clearCells(std::vector<Cell>& grid) const;
  Cell cellIn(const std::vector<Cell>& grid, int x, int y) const;

  std::unique_ptr<Renderer> p_renderer;
  int window_horizontal_pixels = 0;
  int window_vertical_pixels = 0;
  int window_horizontal_chars = 0;
  int window_vertical_chars = 0;
  Rgba background_color;
  Color background = BLACK;
  unsigned int character_size = 0;

  // The batch and the damage map are the engine's own: made once, held
  // through pointers so that users of this header need not see them, and used by reference.
  std::unique_ptr<CellBatch> p_batch;
  CellBatch& batch;
  mutable long cell_draw_calls = 0;
  /// Glyphs of the 256 byte values, fetched from the font on first use.
  std::array<Glyph, 256> glyphs;
  std::bitset<256> glyph_known;

  std::vector<Cell> cells;
  std::vector<Cell> shown_cells;

  /// The window holds this frame's cells alone from now on (cleared if it held the last one).
  void startWholeFrame() const;
  void displayDamage();
  /// Appends an opaque quad of the background colour over rect.
  void addCover(const PixelRect& rect, std::vector<Vertex>& out) const;

  bool damage_tracking = true;
  bool drawing = false;             ///< cells were drawn since the last frame was shown
  mutable bool whole_frame = false; ///< this frame's cells already went to the window
  std::unique_ptr<DamageMap> p_damage;
  DamageMap& damage;
  /// The quads sent to the window this frame, and those of the frame last shown.
  mutable std::vector<Vertex> frame_vertices;
  std::vector<Vertex> shown_vertices;
  std::vector<Vertex> scratch;
  PixelRect font_texture_size;
  std::chrono::steady_clock::time_point last_whole_show;

  void saveScreenshot();
  void drawOverlay();
  bool screenshot_requested = false;
  bool overlay_shown = false;
  std::string overlay_text;
  /// The overlay's box and glyphs, made again for every frame that shows it.
  std::unique_ptr<CellBatch> p_overlay;
};

} // namespace tw

#include "GraphicsManager.h"

#include "CellBatch.h"
#include "Config.h"
#include "DamageMap.h"
#include "LogManager.h"
#include "Platform.h"
#include "Renderer.h"
#include "WorldManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace tw {

float charWidth() {
  const GraphicsManager& g = GraphicsManager::getInstance();
  return static_cast<float>(g.getHorizontalPixels()) / static_cast<float>(g.getHorizontalChars());
}

float charHeight() {
  const GraphicsManager& g = GraphicsManager::getInstance();
  return static_cast<float>(g.getVerticalPixels()) / static_cast<float>(g.getVerticalChars());
}

Vector spacesToPixels(Vector spaces) {
  const Vector pixels(spaces.getX() * charWidth(), spaces.getY() * charHeight());
  LogManager::getInstance().writeLog(
      15, "spacesToPixels(int): spaces (%d,%d) = pixels (%d,%d)", static_cast<int>(spaces.getX()),
      static_cast<int>(spaces.getY()), static_cast<int>(pixels.getX()),
      static_cast<int>(pixels.getY()));
  return pixels;
}

Vector pixelsToSpaces(Vector pixels) {
  const Vector spaces(pixels.getX() / charWidth(), pixels.getY() / charHeight());
  LogManager::getInstance().writeLog(15,
                                     "pixelsToSpaces(): pixels (%.2f,%.2f) = spaces (%.2f,%.2f)",
                                     pixels.getX(), pixels.getY(), spaces.getX(), spaces.getY());
  return spaces;
}

Rgba colorToRgba(Color color) {
  if (isRGB(color)) {
    return Rgba{static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 8),
                static_cast<std::uint8_t>(color), 255};
  }
  switch (color) {
  case BLACK:
    return Rgba{0, 0, 0, 255};
  case RED:
    return Rgba{255, 0, 0, 255};
  case GREEN:
    return Rgba{0, 255, 0, 255};
  case YELLOW:
    return Rgba{255, 255, 0, 255};
  case BLUE:
    return Rgba{0, 0, 255, 255};
  case MAGENTA:
    return Rgba{255, 0, 255, 255};
  case CYAN:
    return Rgba{0, 255, 255, 255};
  case WHITE:
    return Rgba{255, 255, 255, 255};
  case CUSTOM:
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color is CUSTOM.");
    return Rgba{255, 255, 255, 255};
  }
  LogManager::getInstance().writeLog(5, "colorToSFML(): Color %d not supported.",
                                     static_cast<int>(color));
  return Rgba{255, 255, 255, 255};
}

void colorToRGB(Color color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
  if (color == CUSTOM) {
    return;
  }
  if ((color < BLACK || color > CUSTOM) && !isRGB(color)) {
    LogManager::getInstance().writeLog(5, "colorToRGB(): Color %d not supported.",
                                       static_cast<int>(color));
    return;
  }
  const Rgba c = colorToRgba(color);
  red = c.r;
  green = c.g;
  blue = c.b;
}

GraphicsManager::GraphicsManager()
    : p_renderer(makeRenderer()), p_batch(std::make_unique<CellBatch>()), batch(*p_batch),
      p_damage(std::make_unique<DamageMap>()), damage(*p_damage),
      p_overlay(std::make_unique<CellBatch>()) {
  setType("GraphicsManager");
  // Lines written while the window is closed at exit need the log still there.
  LogManager::getInstance();
  refreshDimensions();
}

GraphicsManager::~GraphicsManager() {
  // Release the batch before the window and its context go.
  batch.clear();
}

void GraphicsManager::markAllDamaged() {
  damage.markAll();
}

unsigned GraphicsManager::getDamagedArea() const {
  return damage.getDamagedArea();
}

bool GraphicsManager::hasWindow() const {
  return p_renderer->isOpen();
}

InputSource* GraphicsManager::getInput() const {
  return hasWindow() ? p_renderer->input() : nullptr;
}

bool GraphicsManager::isShowingInPart() const {
  return damage_tracking && hasWindow() && p_renderer->showsInPart() && batch.hasWhiteTexel();
}

void GraphicsManager::setDamageTracking(bool on) {
  if (on == damage_tracking) {
    return;
  }
  // Drawn whole, a frame starts on a cleared window; in part, on the last frame's picture.
  if (isShowingInPart() && !whole_frame) {
    p_renderer->clear(background_color);
  }
  damage_tracking = on;
  damage.markAll();
}

GraphicsManager& GraphicsManager::getInstance() {
  static GraphicsManager graphics_manager;
  return graphics_manager;
}

void GraphicsManager::refreshDimensions() {
  const Config& config = Config::getInstance();
  window_horizontal_pixels = config.window_horizontal_pixels;
  window_vertical_pixels = config.window_vertical_pixels;
  window_horizontal_chars = config.window_horizontal_chars;
  window_vertical_chars = config.window_vertical_chars;
}

int GraphicsManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("GraphicsManager::startUp(): Already started.");
    return 0;
  }
  // A window left open by a start-up that failed (no font) is replaced.
  p_renderer->close();
  const Config& config = Config::getInstance();
  refreshDimensions();
  if (window_horizontal_pixels <= 0 || window_vertical_pixels <= 0 ||
      window_horizontal_chars <= 0 || window_vertical_chars <= 0) {
    log.writeLog("GraphicsManager::startUp(): Window of %d x %d pixels and %d x %d characters "
                 "is not possible.",
                 window_horizontal_pixels, window_vertical_pixels, window_horizontal_chars,
                 window_vertical_chars);
    return -1;
  }
  if (std::string why; !canOpenWindow(why)) {
    log.writeLog("GraphicsManager::startUp(): No display to open a window on (%s).", why.c_str());
    return -1;
  }

  platform::keepFreedMemory();
  WindowSettings settings;
  settings.width = window_horizontal_pixels;
  settings.height = window_vertical_pixels;
  settings.title = config.getWindowTitle();
  settings.style = static_cast<unsigned>(config.window_style);
  settings.show_mouse = config.show_mouse;
  if (!p_renderer->open(settings)) {
    log.writeLog("GraphicsManager::startUp(): Unable to open a window.");
    return -1;
  }

  const float scaled = std::min(charWidth(), charHeight()) * config.font_scale;
  character_size = scaled >= 1.0f && scaled < 65536.0f ? static_cast<unsigned int>(scaled) : 0;
  glyph_known.reset();
  if (!p_renderer->loadFont(config.getFontFile(), character_size)) {
    log.writeLog("GraphicsManager::startUp(): Unable to load font from file '%s'.",
                 config.getFontFile().c_str());
    return -1;
  }

  // Rectangles are drawn with the font's texture, on a texel of it that is opaque white.
  Point texel;
  const bool has_white = p_renderer->whiteTexel(texel);
  batch.clear();
  batch.setWhiteTexel(has_white, texel);
  p_overlay->setWhiteTexel(has_white, texel);
  if (!has_white) {
    log.writeLog("GraphicsManager::startUp(): Warning! Font texture has no white corner; "
                 "backgrounds come out in the colour of its first pixels.");
  }

  background = static_cast<Color>(config.window_background_color);
  background_color = colorToRgba(background);
  clearCells(cells);
  clearCells(shown_cells);
  p_renderer->clear(background_color);
  batch.setCells(Point{charWidth(), charHeight()}, window_horizontal_chars, window_vertical_chars);

  damage_tracking = config.damage_tracking;
  drawing = false;
  whole_frame = false;
  frame_vertices.clear();
  shown_vertices.clear();
  damage.setSize(p_renderer->width(), p_renderer->height());
  font_texture_size = p_renderer->textureSize();
  last_whole_show = std::chrono::steady_clock::now();
  if (!p_renderer->showsInPart()) {
    log.writeLog(1, "GraphicsManager::startUp(): The window cannot be shown in part here: every "
                    "frame is drawn whole.");
  } else {
    log.writeLog(5, "GraphicsManager::startUp(): Damage tracking %s.",
                 damage_tracking ? "on" : "off");
  }

  Manager::startUp();
  log.writeLog(1, "GraphicsManager::startUp(): successfully started.");
  return 0;
}

int GraphicsManager::startUpWithoutWindow() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("GraphicsManager::startUpWithoutWindow(): Already started.");
    return 0;
  }
  refreshDimensions();
  if (window_horizontal_chars <= 0 || window_vertical_chars <= 0) {
    log.writeLog("GraphicsManager::startUpWithoutWindow(): A grid of %d x %d characters is not "
                 "possible.",
                 window_horizontal_chars, window_vertical_chars);
    return -1;
  }
  background = static_cast<Color>(Config::getInstance().window_background_color);
  background_color = colorToRgba(background);
  clearCells(cells);
  clearCells(shown_cells);
  Manager::startUp();
  log.writeLog(1, "GraphicsManager::startUpWithoutWindow(): successfully started, without a "
                  "window.");
  return 0;
}

void GraphicsManager::shutDown() {
  batch.clear();
  p_renderer->close();
  cells.clear();
  shown_cells.clear();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "GraphicsManager::shutDown(): successfully stopped.");
}

const Glyph& GraphicsManager::glyphOf(std::uint32_t code_point) {
  if (!glyph_known[code_point]) {
    glyphs[code_point] = p_renderer->glyph(code_point);
    glyph_known[code_point] = true;
  }
  return glyphs[code_point];
}

int GraphicsManager::drawCharacter(char ch, Color color, Vector world_pos) {
  return drawCell(ch, color, background, false, world_pos);
}

int GraphicsManager::drawCharacter(char ch, Color color, Color cell_background, Vector world_pos) {
  return drawCell(ch, color, cell_background, true, world_pos);
}

int GraphicsManager::drawCell(char ch, Color color, Color cell_background, bool set_background,
                              Vector world_pos) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  const Vector view_pos = worldToView(world_pos);
  const float column = std::floor(view_pos.getX() + 0.5f);
  const float row = std::floor(view_pos.getY() + 0.5f);
  if (column >= 0 && row >= 0 && column < static_cast<float>(window_horizontal_chars) &&
      row < static_cast<float>(window_vertical_chars)) {
    Cell& cell = cells[static_cast<std::size_t>(row) * window_horizontal_chars +
                       static_cast<std::size_t>(column)];
    cell.ch = ch;
    cell.color = color;
    if (set_background) {
      cell.background = cell_background;
    } else {
      cell_background = cell.background; // a character drawn on a coloured cell keeps its colour
    }
  }
  if (!hasWindow()) {
    return 0; // no window: only the cells are kept
  }
  drawing = true;
  const Vector p = spacesToPixels(view_pos);
  const float cw = charWidth();
  const float chh = charHeight();
  const Point back_corner{p.getX() - cw / 10, p.getY() + chh / 5};
  if (cell_background == background) {
    batch.addBackground(back_corner, Point{cw, chh}, background_color);
  } else {
    batch.addRectangle(back_corner, Point{cw, chh}, colorToRgba(cell_background));
  }

  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  colorToRGB(color, red, green, blue);
  // The byte is a Latin-1 character, so 0xB7 is the middle dot whatever the locale.
  const std::uint32_t code_point = static_cast<unsigned char>(ch);
  // A text object draws nothing for white space and skips carriage returns.
  if (code_point != ' ' && code_point != '\n' && code_point != '\t' && code_point != '\r') {
    batch.addGlyph(Point{p.getX(), p.getY()}, glyphOf(code_point), character_size,
                   Rgba{red, green, blue, 255});
  }
  return 0;
}

int GraphicsManager::fillRectangle(Box world_box, Color cell_background) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  const Vector corner = worldToView(world_box.getCorner());
  const int x0 = static_cast<int>(std::floor(corner.getX() + 0.5f));
  const int y0 = static_cast<int>(std::floor(corner.getY() + 0.5f));
  const int width = static_cast<int>(std::floor(world_box.getHorizontal() + 0.5f));
  const int height = static_cast<int>(std::floor(world_box.getVertical() + 0.5f));
  // Only the cells on the screen: a huge box costs no more than the screen.
  const int left = std::max(x0, 0);
  const int top = std::max(y0, 0);
  const int right = std::min(x0 + std::max(width, 0), window_horizontal_chars);
  const int bottom = std::min(y0 + std::max(height, 0), window_vertical_chars);
  const Vector view_corner = viewToWorld(Vector());
  for (int y = top; y < bottom; y++) {
    for (int x = left; x < right; x++) {
      const Cell cell = cellIn(cells, x, y);
      drawCell(cell.ch, cell.color, cell_background, true,
               Vector(view_corner.getX() + static_cast<float>(x),
                      view_corner.getY() + static_cast<float>(y)));
    }
  }
  return 0;
}

int GraphicsManager::drawString(Vector world_pos, std::string text, Justification justification,
                                Color color) {
  return drawText(world_pos, text, justification, color, background, false);
}

int GraphicsManager::drawString(Vector world_pos, std::string text, Justification justification,
                                Color color, Color cell_background) {
  return drawText(world_pos, text, justification, color, cell_background, true);
}

int GraphicsManager::drawText(Vector world_pos, const std::string& text,
                              Justification justification, Color color, Color cell_background,
                              bool set_background) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  float x0 = world_pos.getX();
  if (justification == JUSTIFY_CENTER) {
    x0 -= static_cast<float>(text.size() / 2);
  } else if (justification == JUSTIFY_RIGHT) {
    x0 -= static_cast<float>(text.size());
  }
  for (std::size_t i = 0; i < text.size(); i++) {
    drawCell(text[i], color, cell_background, set_background,
             Vector(x0 + static_cast<float>(i), world_pos.getY()));
  }
  return 0;
}

int GraphicsManager::drawFrame(bool centered, Color color, char transparent, Vector world_pos,
                               const Frame& frame) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  const std::string& str = frame.stringRef();
  if (str.empty()) {
    return -1;
  }
  const int width = frame.getWidth();
  const int height = frame.getHeight();
  const int x_offset = centered ? width / 2 : 0;
  const int y_offset = centered ? height / 2 : 0;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      // A frame whose string is shorter than its size draws only the characters it has.
      const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x);
      if (index >= str.size()) {
        return 0;
      }
      const char c = str[index];
      if (transparent != 0 && c == transparent) {
        continue;
      }
      drawCharacter(c, color,
                    Vector(world_pos.getX() + static_cast<float>(x - x_offset),
                           world_pos.getY() + static_cast<float>(y - y_offset)));
    }
  }
  return 0;
}

void GraphicsManager::startWholeFrame() const {
  if (!whole_frame && isShowingInPart()) {
    p_renderer->clear(background_color);
  }
  whole_frame = true;
}

void GraphicsManager::flush() const {
  if (hasWindow() && !batch.isEmpty()) {
    startWholeFrame();
    if (isShowingInPart()) {
      frame_vertices.insert(frame_vertices.end(), batch.getVertices().begin(),
                            batch.getVertices().end());
    }
    cell_draw_calls += batch.draw(*p_renderer);
  }
}

void GraphicsManager::displayFrame() {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return;
  }
  shown_cells.swap(cells);
  clearCells(cells);
  if (!hasWindow()) {
    return;
  }
  if (isShowingInPart() && p_renderer->drawsOneToOne()) {
    displayDamage();
  } else {
    startWholeFrame();
    flush();
    if (overlay_shown) {
      drawOverlay();
    }
    if (screenshot_requested) {
      screenshot_requested = false;
      saveScreenshot();
    }
    p_renderer->display();
    p_renderer->clear(background_color);
    damage.markAll();
  }
  shown_vertices.swap(frame_vertices);
  frame_vertices.clear();
  drawing = false;
  whole_frame = false;
  batch.newFrame();
}

void GraphicsManager::displayDamage() {
  if (!(p_renderer->textureSize() == font_texture_size)) {
    // Glyphs fetched for the first time grew the font's texture.
    font_texture_size = p_renderer->textureSize();
    damage.markAll();
  }
  const int width = p_renderer->width();
  const int height = p_renderer->height();
  if (width != damage.getWidth() || height != damage.getHeight()) {
    damage.setSize(width, height);
  }
  // X does not tell the program when the window's contents were lost (uncovered, say): the
  // whole picture, which the back buffer keeps, is shown again once a second.
  const auto now = std::chrono::steady_clock::now();
  bool show_whole = now - last_whole_show >= std::chrono::seconds(1);
  if (whole_frame) {
    // The cells went to the window as they came, for whoever drew on it directly; what that
    // was, the next frame erases.
    flush();
    damage.markAll();
    show_whole = true;
  } else {
    // The pixels of a tile follow from the quads that reach it, hidden ones included. Quads
    // are left out as hidden only where much is to be drawn: the search costs more than the
    // pixels it saves on small damage.
    const std::vector<PixelRect>& rects = damage.update(batch.getVertices());
    std::size_t culled = 0;
    if (damage.getDamagedArea() * 4 >
        static_cast<unsigned>(damage.getWidth()) * static_cast<unsigned>(damage.getHeight())) {
      culled = batch.cullHidden(width, height);
    }
    batch.takeVertices(frame_vertices);
    if (culled > 0 && !rects.empty() && !damage.isAllDamaged()) {
      damage.measure(frame_vertices); // the quads update measured are no longer all there
    }
    if (damage.isAllDamaged()) {
      p_renderer->clear(background_color);
      if (!frame_vertices.empty()) {
        cell_draw_calls += p_renderer->drawTriangles(frame_vertices.data(), frame_vertices.size());
      }
    } else {
      for (const PixelRect& rect : rects) {
        // Covered in the background colour and drawn again with every quad that reaches it,
        // as a whole frame would be. (A scissored clear costs a software renderer a draw of
        // its own, and a change of state.)
        scratch.clear();
        addCover(rect, scratch);
        damage.quadsIn(frame_vertices, rect, scratch);
        p_renderer->scissor(&rect);
        cell_draw_calls += p_renderer->drawTriangles(scratch.data(), scratch.size());
      }
      p_renderer->scissor(nullptr);
    }
    show_whole = show_whole || damage.isAllDamaged();
  }
  if (overlay_shown) {
    drawOverlay();
    damage.markAll();
    show_whole = true;
  }
  drawing = false;
  if (screenshot_requested) {
    screenshot_requested = false;
    saveScreenshot();
  }
  if (show_whole) {
    last_whole_show = now;
    p_renderer->show(PixelRect{0, 0, width, height});
  } else {
    for (const PixelRect& rect : damage.getShows()) {
      p_renderer->show(rect);
    }
  }
}

void GraphicsManager::addCover(const PixelRect& rect, std::vector<Vertex>& out) const {
  const Point texel = batch.getWhiteTexel();
  const float left = static_cast<float>(rect.left);
  const float top = static_cast<float>(rect.top);
  const float right = static_cast<float>(rect.left + rect.width);
  const float bottom = static_cast<float>(rect.top + rect.height);
  for (const Point corner : {Point{left, top}, Point{right, top}, Point{left, bottom},
                             Point{left, bottom}, Point{right, top}, Point{right, bottom}}) {
    out.push_back(Vertex{corner, background_color, texel});
  }
}

void GraphicsManager::refresh() {
  if (drawing || whole_frame || !isShowingInPart()) {
    return;
  }
  p_renderer->clear(background_color);
  if (!shown_vertices.empty()) {
    p_renderer->drawTriangles(shown_vertices.data(), shown_vertices.size());
  }
  p_renderer->show(PixelRect{0, 0, p_renderer->width(), p_renderer->height()});
}

void GraphicsManager::saveScreenshot() {
  const LogManager& log = LogManager::getInstance();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char stamp[32] = "time-unknown";
  if (platform::localTime(now, &local)) {
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  }
  // A second shot within the same second gets a number rather than replacing the first.
  std::string name = std::string("tarnwick-") + stamp + ".png";
  for (int i = 2; std::ifstream(name).good() && i < 100; i++) {
    name = std::string("tarnwick-") + stamp + "-" + std::to_string(i) + ".png";
  }
  if (!p_renderer->savePng(capture(), name)) {
    log.writeLog("GraphicsManager::saveScreenshot(): Cannot save the screenshot to '%s'.",
                 name.c_str());
    return;
  }
  log.writeLog("GraphicsManager::saveScreenshot(): Screenshot saved to '%s'.", name.c_str());
}

void GraphicsManager::toggleOverlay() {
  overlay_shown = !overlay_shown;
  setOverlayText("-- fps");
}

void GraphicsManager::setOverlayText(const std::string& text) {
  overlay_text = text;
}

void GraphicsManager::drawOverlay() {
  // White text on a translucent black box at the top right, over the cells.
  float text_width = 0.0f;
  for (const char c : overlay_text) {
    text_width += glyphOf(static_cast<unsigned char>(c)).advance;
  }
  const float margin = charWidth() / 2;
  const float width = text_width + 2 * margin;
  const float x = static_cast<float>(window_horizontal_pixels) - width;
  CellBatch& overlay = *p_overlay;
  overlay.addRectangle(Point{x, 0.0f}, Point{width, charHeight() + margin}, Rgba{0, 0, 0, 200});
  Point pen{x + margin, margin / 2};
  for (const char c : overlay_text) {
    const Glyph& glyph = glyphOf(static_cast<unsigned char>(c));
    if (c != ' ') {
      overlay.addGlyph(pen, glyph, character_size, Rgba{255, 255, 255, 255});
    }
    pen.x += glyph.advance;
  }
  overlay.draw(*p_renderer);
}

Image GraphicsManager::capture() const {
  Image image;
  if (!hasWindow()) {
    return image;
  }
  if (drawing || !batch.isEmpty()) {
    startWholeFrame();
    flush();
  }
  if (!p_renderer->readBack(image)) {
    image = Image();
  }
  return image;
}

Renderer* GraphicsManager::drawDirectly() const {
  if (hasWindow()) {
    startWholeFrame();
  }
  flush();
  // Whatever the caller draws is unknown to the batch: no background may be left out.
  batch.markAllDrawn();
  return hasWindow() ? p_renderer.get() : nullptr;
}

int GraphicsManager::getHorizontalChars() const {
  return hasWindow() ? window_horizontal_chars : Config::getInstance().window_horizontal_chars;
}
int GraphicsManager::getVerticalChars() const {
  return hasWindow() ? window_vertical_chars : Config::getInstance().window_vertical_chars;
}
int GraphicsManager::getHorizontalPixels() const {
  return hasWindow() ? window_horizontal_pixels : Config::getInstance().window_horizontal_pixels;
}
int GraphicsManager::getVerticalPixels() const {
  return hasWindow() ? window_vertical_pixels : Config::getInstance().window_vertical_pixels;
}

void GraphicsManager::clearCells(std::vector<Cell>& grid) const {
  Cell blank;
  blank.color = background;
  blank.background = background;
  grid.assign(static_cast<std::size_t>(window_horizontal_chars) *
                  static_cast<std::size_t>(window_vertical_chars),
              blank);
}

Cell GraphicsManager::cellIn(const std::vector<Cell>& grid, int x, int y) const {
  if (x < 0 || y < 0 || x >= window_horizontal_chars || y >= window_vertical_chars ||
      grid.empty()) {
    Cell blank;
    blank.color = background;
    blank.background = background;
    return blank;
  }
  return grid[static_cast<std::size_t>(y) * static_cast<std::size_t>(window_horizontal_chars) +
              static_cast<std::size_t>(x)];
}

Cell GraphicsManager::cellAt(int x, int y) const {
  return cellIn(cells, x, y);
}

Cell GraphicsManager::shownCellAt(int x, int y) const {
  return cellIn(shown_cells, x, y);
}

std::string GraphicsManager::rowText(int y, bool shown) const {
  std::string row;
  for (int x = 0; x < window_horizontal_chars; x++) {
    row += (shown ? shownCellAt(x, y) : cellAt(x, y)).ch;
  }
  return row;
}

} // namespace tw

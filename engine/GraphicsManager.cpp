#include "GraphicsManager.h"

#include "CellBatch.h"
#include "Config.h"
#include "DamageMap.h"
#include "LogManager.h"
#include "Platform.h"
#include "WindowSurface.h"
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

sf::Color colorToSFML(Color color) {
  if (isRGB(color)) {
    return sf::Color(static_cast<sf::Uint8>(color >> 16), static_cast<sf::Uint8>(color >> 8),
                     static_cast<sf::Uint8>(color));
  }
  switch (color) {
  case BLACK:
    return sf::Color::Black;
  case RED:
    return sf::Color::Red;
  case GREEN:
    return sf::Color::Green;
  case YELLOW:
    return sf::Color::Yellow;
  case BLUE:
    return sf::Color::Blue;
  case MAGENTA:
    return sf::Color::Magenta;
  case CYAN:
    return sf::Color::Cyan;
  case WHITE:
    return sf::Color::White;
  case CUSTOM:
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color is CUSTOM.");
    return sf::Color::White;
  }
  LogManager::getInstance().writeLog(5, "colorToSFML(): Color %d not supported.",
                                     static_cast<int>(color));
  return sf::Color::White;
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
  const sf::Color c = colorToSFML(color);
  red = c.r;
  green = c.g;
  blue = c.b;
}

GraphicsManager::GraphicsManager()
    : p_batch(std::make_unique<CellBatch>()), batch(*p_batch),
      p_surface(std::make_unique<WindowSurface>()), surface(*p_surface),
      p_damage(std::make_unique<DamageMap>()), damage(*p_damage) {
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

bool GraphicsManager::isShowingInPart() const {
  return damage_tracking && surface.showsInPart() && p_window && batch.hasWhiteTexel();
}

void GraphicsManager::setDamageTracking(bool on) {
  if (on == damage_tracking) {
    return;
  }
  // Drawn whole, a frame starts on a cleared window; in part, on the last frame's picture.
  if (isShowingInPart() && !whole_frame) {
    p_window->clear(background_color);
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
  if (p_window) {
    p_window->close();
    p_window.reset();
  }
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
  if (std::string why; !WindowSurface::canOpenWindow(why)) {
    log.writeLog("GraphicsManager::startUp(): No display to open a window on (%s).", why.c_str());
    return -1;
  }

  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  log.writeLog(5, "GraphicsManager::startUp(): Window resolution (%d, %d) pixels",
               static_cast<int>(desktop.width), static_cast<int>(desktop.height));

  platform::keepFreedMemory();
  p_window = std::make_unique<sf::RenderWindow>(
      sf::VideoMode(static_cast<unsigned>(window_horizontal_pixels),
                    static_cast<unsigned>(window_vertical_pixels), 32),
      sf::String(config.getWindowTitle()), static_cast<sf::Uint32>(config.window_style),
      sf::ContextSettings());
  if (!p_window->isOpen()) {
    log.writeLog("GraphicsManager::startUp(): Unable to open a window.");
    p_window.reset();
    return -1;
  }
  p_window->setMouseCursorVisible(config.show_mouse);
  p_window->setVerticalSyncEnabled(true);

  if (!font.loadFromFile(config.getFontFile())) {
    log.writeLog("GraphicsManager::startUp(): Unable to load font from file '%s'.",
                 config.getFontFile().c_str());
    return -1;
  }

  const float scaled = std::min(charWidth(), charHeight()) * config.font_scale;
  character_size = scaled >= 1.0f && scaled < 65536.0f ? static_cast<unsigned int>(scaled) : 0;
  glyph_known.reset();

  // Rectangles are drawn with the font's texture, on a corner of it that the font keeps
  // opaque white for underlines; check that it is there.
  const sf::Image page = font.getTexture(character_size).copyToImage();
  bool has_white = page.getSize().x >= 2 && page.getSize().y >= 2;
  for (unsigned x = 0; has_white && x < 2; x++) {
    for (unsigned y = 0; has_white && y < 2; y++) {
      has_white = page.getPixel(x, y) == sf::Color::White;
    }
  }
  batch.clear();
  batch.setWhiteTexel(has_white, sf::Vector2f(1.0f, 1.0f));
  if (!has_white) {
    log.writeLog("GraphicsManager::startUp(): Warning! Font texture has no white corner; "
                 "drawing each cell on its own.");
  }

  background = static_cast<Color>(config.window_background_color);
  background_color = colorToSFML(background);
  clearCells(cells);
  clearCells(shown_cells);
  p_window->clear(background_color);
  batch.setCells(sf::Vector2f(charWidth(), charHeight()), window_horizontal_chars,
                 window_vertical_chars);

  damage_tracking = config.damage_tracking;
  drawing = false;
  whole_frame = false;
  frame_vertices.clear();
  shown_vertices.clear();
  damage.setSize(p_window->getSize());
  font_texture_size = font.getTexture(character_size).getSize();
  last_whole_show = std::chrono::steady_clock::now();
  if (!surface.open(*p_window)) {
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
  background_color = colorToSFML(background);
  clearCells(cells);
  clearCells(shown_cells);
  Manager::startUp();
  log.writeLog(1, "GraphicsManager::startUpWithoutWindow(): successfully started, without a "
                  "window.");
  return 0;
}

void GraphicsManager::shutDown() {
  batch.clear();
  surface.close();
  if (p_window) {
    p_window->close();
    p_window.reset();
  }
  cells.clear();
  shown_cells.clear();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "GraphicsManager::shutDown(): successfully stopped.");
}

const sf::Glyph& GraphicsManager::glyphOf(std::uint32_t code_point) {
  if (!glyph_known[code_point]) {
    glyphs[code_point] = font.getGlyph(code_point, character_size, true);
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
  if (!p_window) {
    return 0; // no window: only the cells are kept
  }
  drawing = true;
  const Vector p = spacesToPixels(view_pos);
  const float cw = charWidth();
  const float chh = charHeight();
  const sf::Vector2f back_corner(p.getX() - cw / 10, p.getY() + chh / 5);
  if (cell_background == background) {
    batch.addBackground(back_corner, sf::Vector2f(cw, chh), background_color);
  } else {
    batch.addRectangle(back_corner, sf::Vector2f(cw, chh), colorToSFML(cell_background));
  }

  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  colorToRGB(color, red, green, blue);
  // The byte is a Latin-1 character, so 0xB7 is the middle dot whatever the locale.
  const std::uint32_t code_point = static_cast<unsigned char>(ch);
  // A text object draws nothing for white space and skips carriage returns.
  if (code_point != ' ' && code_point != '\n' && code_point != '\t' && code_point != '\r') {
    batch.addGlyph(sf::Vector2f(p.getX(), p.getY()), glyphOf(code_point), character_size,
                   sf::Color(red, green, blue, 255));
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
    p_window->clear(background_color);
  }
  whole_frame = true;
}

void GraphicsManager::flush() const {
  if (p_window && !batch.isEmpty()) {
    startWholeFrame();
    if (isShowingInPart()) {
      frame_vertices.insert(frame_vertices.end(), batch.getVertices().begin(),
                            batch.getVertices().end());
    }
    cell_draw_calls += batch.draw(*p_window, &font.getTexture(character_size));
  }
}

bool GraphicsManager::viewIsPixels() const {
  const sf::View& view = p_window->getView();
  const sf::Vector2f size(p_window->getSize());
  return view.getSize() == size && view.getCenter() == size / 2.0f && view.getRotation() == 0.0f &&
         view.getViewport() == sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f);
}

void GraphicsManager::displayFrame() {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return;
  }
  shown_cells.swap(cells);
  clearCells(cells);
  if (!p_window) {
    return;
  }
  if (isShowingInPart() && viewIsPixels()) {
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
    p_window->display();
    p_window->clear(background_color);
    damage.markAll();
  }
  shown_vertices.swap(frame_vertices);
  frame_vertices.clear();
  drawing = false;
  whole_frame = false;
  batch.newFrame();
}

void GraphicsManager::displayDamage() {
  const sf::Texture& texture = font.getTexture(character_size);
  if (texture.getSize() != font_texture_size) {
    // Glyphs fetched for the first time grew the font's texture.
    font_texture_size = texture.getSize();
    damage.markAll();
  }
  if (p_window->getSize() != damage.getSize()) {
    damage.setSize(p_window->getSize());
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
    const std::vector<sf::IntRect>& rects = damage.update(batch.getVertices());
    std::size_t culled = 0;
    if (damage.getDamagedArea() * 4 > damage.getSize().x * damage.getSize().y) {
      culled = batch.cullHidden(p_window->getSize());
    }
    batch.takeVertices(frame_vertices);
    if (culled > 0 && !rects.empty() && !damage.isAllDamaged()) {
      damage.measure(frame_vertices); // the quads update measured are no longer all there
    }
    sf::RenderStates states;
    states.texture = &texture;
    if (damage.isAllDamaged()) {
      p_window->clear(background_color);
      cell_draw_calls +=
          CellBatch::drawQuads(*p_window, frame_vertices.data(), frame_vertices.size(), states);
    } else {
      for (const sf::IntRect& rect : rects) {
        // Covered in the background colour and drawn again with every quad that reaches it,
        // as a whole frame would be. (A scissored clear costs a software renderer a draw of
        // its own, and a change of state.)
        scratch.clear();
        addCover(rect, scratch);
        damage.quadsIn(frame_vertices, rect, scratch);
        setScissor(&rect);
        cell_draw_calls += CellBatch::drawQuads(*p_window, scratch.data(), scratch.size(), states);
      }
      setScissor(nullptr);
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
    show(sf::IntRect(sf::Vector2i(0, 0), sf::Vector2i(p_window->getSize())));
  } else {
    for (const sf::IntRect& rect : damage.getShows()) {
      show(rect);
    }
  }
}

void GraphicsManager::addCover(const sf::IntRect& rect, std::vector<sf::Vertex>& out) const {
  const sf::Vector2f texel = batch.getWhiteTexel();
  const float left = static_cast<float>(rect.left);
  const float top = static_cast<float>(rect.top);
  const float right = static_cast<float>(rect.left + rect.width);
  const float bottom = static_cast<float>(rect.top + rect.height);
  for (const sf::Vector2f corner :
       {sf::Vector2f(left, top), sf::Vector2f(right, top), sf::Vector2f(left, bottom),
        sf::Vector2f(left, bottom), sf::Vector2f(right, top), sf::Vector2f(right, bottom)}) {
    out.emplace_back(corner, background_color, texel);
  }
}

void GraphicsManager::setScissor(const sf::IntRect* p_rect) {
  surface.scissor(p_rect);
}

void GraphicsManager::show(const sf::IntRect& rect) {
  surface.show(rect);
}

void GraphicsManager::refresh() {
  if (drawing || whole_frame || !isShowingInPart()) {
    return;
  }
  p_window->clear(background_color);
  if (!shown_vertices.empty()) {
    sf::RenderStates states;
    states.texture = &font.getTexture(character_size);
    CellBatch::drawQuads(*p_window, shown_vertices.data(), shown_vertices.size(), states);
  }
  show(sf::IntRect(sf::Vector2i(0, 0), sf::Vector2i(p_window->getSize())));
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
  if (!capture().saveToFile(name)) {
    log.writeLog("GraphicsManager::saveScreenshot(): Cannot save the screenshot to '%s'.",
                 name.c_str());
    return;
  }
  log.writeLog("GraphicsManager::saveScreenshot(): Screenshot saved to '%s'.", name.c_str());
}

void GraphicsManager::toggleOverlay() {
  overlay_shown = !overlay_shown;
  overlay_text.setFont(font);
  overlay_text.setCharacterSize(static_cast<unsigned>(charHeight() * 0.8f));
  overlay_text.setFillColor(sf::Color::White);
  overlay_back.setFillColor(sf::Color(0, 0, 0, 200));
  setOverlayText("-- fps");
}

void GraphicsManager::setOverlayText(const std::string& text) {
  overlay_text.setString(text);
  const sf::FloatRect bounds = overlay_text.getLocalBounds();
  const float margin = charWidth() / 2;
  const float width = bounds.left + bounds.width + 2 * margin;
  const float height = charHeight() + margin;
  const float x = static_cast<float>(window_horizontal_pixels) - width;
  overlay_back.setSize(sf::Vector2f(width, height));
  overlay_back.setPosition(x, 0);
  overlay_text.setPosition(x + margin, margin / 2);
}

void GraphicsManager::drawOverlay() {
  p_window->draw(overlay_back);
  p_window->draw(overlay_text);
}

sf::Image GraphicsManager::capture() const {
  sf::Image image;
  if (!p_window) {
    return image;
  }
  if (drawing || !batch.isEmpty()) {
    startWholeFrame();
    flush();
  }
  std::vector<sf::Uint8> pixels;
  if (surface.readBack(*p_window, pixels)) {
    image.create(p_window->getSize().x, p_window->getSize().y, pixels.data());
  }
  return image;
}

sf::RenderWindow* GraphicsManager::getWindow() const {
  if (p_window) {
    startWholeFrame();
  }
  flush();
  // Whatever the caller draws is unknown to the batch: no background may be left out.
  batch.markAllDrawn();
  return p_window.get();
}

int GraphicsManager::getHorizontalChars() const {
  return p_window ? window_horizontal_chars : Config::getInstance().window_horizontal_chars;
}
int GraphicsManager::getVerticalChars() const {
  return p_window ? window_vertical_chars : Config::getInstance().window_vertical_chars;
}
int GraphicsManager::getHorizontalPixels() const {
  return p_window ? window_horizontal_pixels : Config::getInstance().window_horizontal_pixels;
}
int GraphicsManager::getVerticalPixels() const {
  return p_window ? window_vertical_pixels : Config::getInstance().window_vertical_pixels;
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

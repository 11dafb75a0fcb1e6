#pragma once

#include <SFML/Graphics.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

/// Character cells collected for drawing in one call: each cell's background rectangle and
/// glyph become textured triangles on the font's texture, in the order they were added, so
/// that later cells cover earlier ones just as separate draws would.
class CellBatch {
public:
  /// Where the font texture holds opaque white, in texture pixels; rectangles sample it so
  /// that they come out in their plain colour. Without one, rectangles are drawn untextured
  /// in draws of their own (slower, same picture).
  void setWhiteTexel(bool has_white, sf::Vector2f texel = sf::Vector2f(1.0f, 1.0f));
  /// Whether rectangles are drawn textured from the white texel, with the glyphs.
  bool hasWhiteTexel() const { return has_white_texel; }
  /// Where the font texture holds opaque white, in texture pixels.
  sf::Vector2f getWhiteTexel() const { return white_texel; }

  /// A filled axis-aligned rectangle with its top-left corner at position.
  void addRectangle(sf::Vector2f position, sf::Vector2f size, sf::Color color);
  /// A glyph placed as a text object holding only this character, at origin, places it.
  /// Texture coordinates are kept in texture pixels, so they stay right when the font's
  /// texture grows before the batch is drawn.
  void addGlyph(sf::Vector2f origin, const sf::Glyph& glyph, unsigned int character_size,
                sf::Color color);

  /// The grid of cells, in pixels, over which the batch notes where quads were drawn.
  void setCells(sf::Vector2f cell_size, int columns, int rows);
  /// A rectangle in the colour the window was cleared to. Where no quad has been drawn on its
  /// cells since the clear, it would change no pixel, so it is left out: most of a frame's
  /// cells lie on bare background, and on a software renderer every pixel costs.
  void addBackground(sf::Vector2f position, sf::Vector2f size, sf::Color color);
  /// Counts every cell as drawn on, for pixels drawn on the window outside the batch.
  void markAllDrawn() { all_drawn = true; }
  /// The window was cleared: no cell is drawn on.
  void newFrame();

  /// Leaves out every quad that would change no pixel of a target of size pixels: quads
  /// wholly off it, and quads that opaque rectangles added after them cover entirely (cells
  /// drawn over, as when explosions overlap). Positions are taken as the target's pixels.
  /// Returns the number of quads left out.
  std::size_t cullHidden(sf::Vector2u size);

  /// Draws what was collected into target with the font texture and empties the batch, leaving
  /// out hidden quads when target shows its pixels one to one. Returns the number of draw calls.
  int draw(sf::RenderTarget& target, const sf::Texture* p_texture);
  /// Draws count vertices (whole quads) in as few draw calls as keep every quad whole on
  /// software renderers; returns the number of calls.
  static int drawQuads(sf::RenderTarget& target, const sf::Vertex* p_vertices, std::size_t count,
                       const sf::RenderStates& states);
  /// Quads the last draw left out as hidden.
  std::size_t getLastCulled() const { return last_culled; }
  /// Drops what was collected, without drawing it.
  void clear();
  /// True when nothing is collected.
  bool isEmpty() const { return vertices.empty(); }
  /// Vertices collected: six a quad.
  std::size_t getVertexCount() const { return vertices.size(); }
  /// Six vertices a quad, two triangles, in the order the quads were added.
  const std::vector<sf::Vertex>& getVertices() const { return vertices; }
  /// Swaps the collected vertices with out's and empties the batch, keeping out's storage.
  void takeVertices(std::vector<sf::Vertex>& out);

private:
  enum Kind : std::uint8_t { RECTANGLE, GLYPH };

  void addQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, sf::Vector2f tex_top_left,
               sf::Vector2f tex_bottom_right, sf::Color color, Kind kind);

  /// The range of cells a pixel rectangle touches, clamped to one cell beyond each edge.
  void cellRange(sf::Vector2f top_left, sf::Vector2f bottom_right, int& column0, int& row0,
                 int& column1, int& row1) const;

  /// The pixels a quad's corners may touch (outer) or surely cover (inner), clipped to the
  /// coverage map; false when there are none.
  bool pixelRange(std::size_t quad, bool inner, int& x0, int& y0, int& x1, int& y1) const;
  bool isCovered(int x0, int y0, int x1, int y1) const;
  void cover(int x0, int y0, int x1, int y1);

  std::vector<sf::Vertex> vertices;
  /// The kind of each quad (six vertices), for drawing without a white texel.
  std::vector<Kind> kinds;
  bool has_white_texel = true;
  sf::Vector2f white_texel = sf::Vector2f(1.0f, 1.0f);

  sf::Vector2f cell_size = sf::Vector2f(1.0f, 1.0f);
  int grid_columns = 0; ///< including the cell beyond each edge
  int grid_rows = 0;
  /// Per cell: a quad has been drawn on it since the last clear.
  std::vector<std::uint8_t> drawn;
  bool all_drawn = true;

  /// One bit per pixel of the target, set where a later opaque rectangle covers it.
  std::vector<std::uint64_t> coverage;
  int coverage_width = 0;
  int coverage_height = 0;
  int coverage_words = 0; ///< per row
  std::vector<std::uint8_t> keep;
  std::size_t last_culled = 0;
};

} // namespace tw

#pragma once

#include "RenderTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

class Renderer;

/// Character cells collected for drawing in one call: each cell's background rectangle and
/// glyph become textured triangles on the font's texture, in the order they were added, so
/// that later cells cover earlier ones just as separate draws would.
class CellBatch {
public:
  /// Where the font texture holds opaque white, in texture pixels; rectangles sample it so
  /// that they come out in their plain colour, drawn with the glyphs.
  void setWhiteTexel(bool has_white, Point texel = Point{1.0f, 1.0f});
  /// Whether the font texture has a white texel to draw rectangles with.
  bool hasWhiteTexel() const { return has_white_texel; }
  /// Where the font texture holds opaque white, in texture pixels.
  Point getWhiteTexel() const { return white_texel; }

  /// A filled axis-aligned rectangle with its top-left corner at position.
  void addRectangle(Point position, Point size, Rgba color);
  /// A glyph placed as a text object holding only this character, at origin, places it.
  /// Texture coordinates are kept in texture pixels, so they stay right when the font's
  /// texture grows before the batch is drawn.
  void addGlyph(Point origin, const Glyph& glyph, unsigned int character_size, Rgba color);

  /// The grid of cells, in pixels, over which the batch notes where quads were drawn.
  void setCells(Point cell_size, int columns, int rows);
  /// A rectangle in the colour the window was cleared to. Where no quad has been drawn on its
  /// cells since the clear, it would change no pixel, so it is left out: most of a frame's
  /// cells lie on bare background, and on a software renderer every pixel costs.
  void addBackground(Point position, Point size, Rgba color);
  /// Counts every cell as drawn on, for pixels drawn on the window outside the batch.
  void markAllDrawn() { all_drawn = true; }
  /// The window was cleared: no cell is drawn on.
  void newFrame();

  /// Leaves out every quad that would change no pixel of a target of size pixels: quads
  /// wholly off it, and quads that opaque rectangles added after them cover entirely (cells
  /// drawn over, as when explosions overlap). Positions are taken as the target's pixels.
  /// Returns the number of quads left out.
  std::size_t cullHidden(int width, int height);

  /// Draws what was collected through renderer and empties the batch, leaving out hidden quads
  /// when the renderer draws its pixels one to one. Returns the number of draw calls.
  int draw(Renderer& renderer);
  /// Quads the last draw left out as hidden.
  std::size_t getLastCulled() const { return last_culled; }
  /// Drops what was collected, without drawing it.
  void clear();
  /// True when nothing is collected.
  bool isEmpty() const { return vertices.empty(); }
  /// Vertices collected: six a quad.
  std::size_t getVertexCount() const { return vertices.size(); }
  /// Six vertices a quad, two triangles, in the order the quads were added.
  const std::vector<Vertex>& getVertices() const { return vertices; }
  /// Swaps the collected vertices with out's and empties the batch, keeping out's storage.
  void takeVertices(std::vector<Vertex>& out);

private:
  enum Kind : std::uint8_t { RECTANGLE, GLYPH };

  void addQuad(Point top_left, Point bottom_right, Point tex_top_left, Point tex_bottom_right,
               Rgba color, Kind kind);

  /// The range of cells a pixel rectangle touches, clamped to one cell beyond each edge.
  void cellRange(Point top_left, Point bottom_right, int& column0, int& row0, int& column1,
                 int& row1) const;

  /// The pixels a quad's corners may touch (outer) or surely cover (inner), clipped to the
  /// coverage map; false when there are none.
  bool pixelRange(std::size_t quad, bool inner, int& x0, int& y0, int& x1, int& y1) const;
  bool isCovered(int x0, int y0, int x1, int y1) const;
  void cover(int x0, int y0, int x1, int y1);

  std::vector<Vertex> vertices;
  /// The kind of each quad (six vertices): glyphs hide nothing.
  std::vector<Kind> kinds;
  bool has_white_texel = true;
  Point white_texel{1.0f, 1.0f};

  Point cell_size{1.0f, 1.0f};
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

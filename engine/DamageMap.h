#pragma once

#include "RenderTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

/// Which parts of the window a frame changes. The window is cut into square tiles of pixels;
/// each tile keeps a hash of every quad that reaches it (corners, colour, texture corners), in
/// drawing order. A tile whose hash is the one of the last frame gets the same quads drawn the
/// same way, so its pixels are the same; the others are damaged and are gathered into
/// rectangles to redraw and show.
class DamageMap {
public:
  static constexpr int TILE = 16; ///< pixels a side

  /// A window of size pixels; the next frame is all damaged.
  void setSize(int new_width, int new_height);
  /// The window size in pixels that the tiles cover.
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  /// The next frame is all damaged, whatever its quads.
  void markAll() { all = true; }

  /// Takes in the frame's quads (six vertices a quad, two triangles, the first vertex the
  /// top-left corner and the last the bottom-right), and returns the rectangles to redraw, in
  /// pixels, top-left origin: damaged tiles far apart give several; more than eight, or over a
  /// fifth of the window, give one for all of it. They may overlap.
  const std::vector<PixelRect>& update(const std::vector<Vertex>& vertices);
  /// The rectangles to show of the last update: fewer and larger than those to redraw.
  const std::vector<PixelRect>& getShows() const { return shows; }
  /// Pixels of the damaged tiles of the last update.
  unsigned getDamagedArea() const { return damaged_area; }
  /// Whether the last update found the whole window damaged.
  bool isAllDamaged() const { return whole; }

  /// Notes which pixels each quad of vertices may reach, for quadsIn; update does it too, so
  /// this is needed only for vertices that changed since (quads left out as hidden).
  void measure(const std::vector<Vertex>& vertices);
  /// Appends to out the vertices of the quads last measured that reach rect.
  void quadsIn(const std::vector<Vertex>& vertices, const PixelRect& rect,
               std::vector<Vertex>& out) const;

private:
  struct Reach {
    std::int32_t x0, y0, x1, y1; ///< pixels, inclusive; x1 < x0 when none
  };
  /// False when the quad's corners are not numbers (it may then reach any pixel).
  bool reach(const Vertex& top_left, const Vertex& bottom_right, Reach& r) const;
  void gather();

  int width = 0;
  int height = 0;
  int columns = 0; ///< tiles
  int rows = 0;
  bool all = true;
  bool whole = true;
  unsigned damaged_area = 0;
  std::vector<std::uint64_t> hashes;
  std::vector<std::uint64_t> last_hashes;
  std::vector<Reach> reaches; ///< per quad last measured
  std::vector<PixelRect> rects;
  std::vector<PixelRect> shows;
  /// Rectangles (in tiles while gathered) that the next row of tiles may extend.
  std::vector<std::size_t> open;
  std::vector<std::size_t> next_open;
};

} // namespace tw

#include "CellBatch.h"

#include "Renderer.h"

#include <algorithm>
#include <cmath>

namespace tw {

void CellBatch::setWhiteTexel(bool has_white, Point texel) {
  has_white_texel = has_white;
  white_texel = texel;
}

void CellBatch::addQuad(Point top_left, Point bottom_right, Point tex_top_left,
                        Point tex_bottom_right, Rgba color, Kind kind) {
  const Point top_right{bottom_right.x, top_left.y};
  const Point bottom_left{top_left.x, bottom_right.y};
  const Point tex_top_right{tex_bottom_right.x, tex_top_left.y};
  const Point tex_bottom_left{tex_top_left.x, tex_bottom_right.y};
  vertices.push_back(Vertex{top_left, color, tex_top_left});
  vertices.push_back(Vertex{top_right, color, tex_top_right});
  vertices.push_back(Vertex{bottom_left, color, tex_bottom_left});
  vertices.push_back(Vertex{bottom_left, color, tex_bottom_left});
  vertices.push_back(Vertex{top_right, color, tex_top_right});
  vertices.push_back(Vertex{bottom_right, color, tex_bottom_right});
  kinds.push_back(kind);

  if (!all_drawn) {
    int column0, row0, column1, row1;
    cellRange(top_left, bottom_right, column0, row0, column1, row1);
    for (int row = row0; row <= row1; row++) {
      for (int column = column0; column <= column1; column++) {
        drawn[static_cast<std::size_t>(row * grid_columns + column)] = 1;
      }
    }
  }
}

void CellBatch::setCells(Point size, int columns, int rows) {
  cell_size = size;
  grid_columns = columns + 2;
  grid_rows = rows + 2;
  drawn.assign(static_cast<std::size_t>(grid_columns) * static_cast<std::size_t>(grid_rows), 0);
  all_drawn = !(size.x > 0.0f && size.y > 0.0f);
}

void CellBatch::newFrame() {
  std::fill(drawn.begin(), drawn.end(), 0);
  all_drawn = drawn.empty() || !(cell_size.x > 0.0f && cell_size.y > 0.0f);
}

void CellBatch::cellRange(Point top_left, Point bottom_right, int& column0, int& row0, int& column1,
                          int& row1) const {
  // Clamping keeps overlapping ranges overlapping, so the answer errs only towards drawing.
  auto cell = [](float pixel, float size, int count) {
    const float c = std::floor(pixel / size) + 1.0f;
    if (!(c > 0.0f)) {
      return 0;
    }
    return c > static_cast<float>(count - 1) ? count - 1 : static_cast<int>(c);
  };
  column0 = cell(std::min(top_left.x, bottom_right.x), cell_size.x, grid_columns);
  column1 = cell(std::max(top_left.x, bottom_right.x), cell_size.x, grid_columns);
  row0 = cell(std::min(top_left.y, bottom_right.y), cell_size.y, grid_rows);
  row1 = cell(std::max(top_left.y, bottom_right.y), cell_size.y, grid_rows);
}

void CellBatch::addBackground(Point position, Point size, Rgba color) {
  if (!all_drawn && color.a == 255) {
    int column0, row0, column1, row1;
    cellRange(position, Point{position.x + size.x, position.y + size.y}, column0, row0, column1,
              row1);
    bool bare = true;
    for (int row = row0; bare && row <= row1; row++) {
      for (int column = column0; bare && column <= column1; column++) {
        bare = drawn[static_cast<std::size_t>(row * grid_columns + column)] == 0;
      }
    }
    if (bare) {
      return;
    }
  }
  addRectangle(position, size, color);
}

void CellBatch::addRectangle(Point position, Point size, Rgba color) {
  // Corners are computed as a shape's transform computes them: local point plus position.
  const Point bottom_right{size.x + position.x, size.y + position.y};
  addQuad(position, bottom_right, white_texel, white_texel, color, RECTANGLE);
}

void CellBatch::addGlyph(Point origin, const Glyph& glyph, unsigned int character_size,
                         Rgba color) {
  // A text object puts its first glyph on the baseline at (0, character size) of its own
  // space and widens the quad by one pixel on every side, in the texture as well, so that
  // smoothing at the glyph's edges is not cut off.
  const float padding = 1.0f;
  const float baseline = static_cast<float>(character_size);
  const float left = glyph.left - padding;
  const float top = glyph.top - padding;
  const float right = glyph.left + glyph.width + padding;
  const float bottom = glyph.top + glyph.height + padding;
  const Point local_top_left{0.0f + left, baseline + top};
  const Point local_bottom_right{0.0f + right, baseline + bottom};

  const float u1 = static_cast<float>(glyph.texture.left) - padding;
  const float v1 = static_cast<float>(glyph.texture.top) - padding;
  const float u2 = static_cast<float>(glyph.texture.left + glyph.texture.width) + padding;
  const float v2 = static_cast<float>(glyph.texture.top + glyph.texture.height) + padding;

  addQuad(Point{local_top_left.x + origin.x, local_top_left.y + origin.y},
          Point{local_bottom_right.x + origin.x, local_bottom_right.y + origin.y}, Point{u1, v1},
          Point{u2, v2}, color, GLYPH);
}

namespace {

// Pixel centres closer than this to a quad's edge count as possibly on either side, so that
// the rasterizer's rounding and fill rules can never make a culled quad show.
constexpr double EDGE_MARGIN = 1.0 / 64.0;

std::uint64_t bitsOfWord(int word, int x0, int x1) {
  const int first = std::max(x0 - word * 64, 0);
  const int last = std::min(x1 - word * 64, 63);
  const std::uint64_t upto_last =
      last == 63 ? ~std::uint64_t(0) : (std::uint64_t(1) << (last + 1)) - 1;
  return upto_last & ~((std::uint64_t(1) << first) - 1);
}

} // namespace

bool CellBatch::pixelRange(std::size_t quad, bool inner, int& x0, int& y0, int& x1, int& y1) const {
  const Point a = vertices[quad * 6].position;
  const Point b = vertices[quad * 6 + 5].position;
  // Pixel i has its centre at i + 0.5; inner ranges keep clear of the edges, outer ones
  // reach past them.
  const double margin = inner ? EDGE_MARGIN : -EDGE_MARGIN;
  const double left = std::ceil(std::min(a.x, b.x) + margin - 0.5);
  const double right = std::floor(std::max(a.x, b.x) - margin - 0.5);
  const double top = std::ceil(std::min(a.y, b.y) + margin - 0.5);
  const double bottom = std::floor(std::max(a.y, b.y) - margin - 0.5);
  const double clipped_left = std::max(left, 0.0);
  const double clipped_right = std::min(right, static_cast<double>(coverage_width - 1));
  const double clipped_top = std::max(top, 0.0);
  const double clipped_bottom = std::min(bottom, static_cast<double>(coverage_height - 1));
  if (!(clipped_left <= clipped_right && clipped_top <= clipped_bottom)) {
    return false;
  }
  x0 = static_cast<int>(clipped_left);
  x1 = static_cast<int>(clipped_right);
  y0 = static_cast<int>(clipped_top);
  y1 = static_cast<int>(clipped_bottom);
  return true;
}

bool CellBatch::isCovered(int x0, int y0, int x1, int y1) const {
  for (int y = y0; y <= y1; y++) {
    const std::uint64_t* p_row = &coverage[static_cast<std::size_t>(y) * coverage_words];
    for (int word = x0 / 64; word <= x1 / 64; word++) {
      const std::uint64_t bits = bitsOfWord(word, x0, x1);
      if ((p_row[word] & bits) != bits) {
        return false;
      }
    }
  }
  return true;
}

void CellBatch::cover(int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; y++) {
    std::uint64_t* p_row = &coverage[static_cast<std::size_t>(y) * coverage_words];
    for (int word = x0 / 64; word <= x1 / 64; word++) {
      p_row[word] |= bitsOfWord(word, x0, x1);
    }
  }
}

std::size_t CellBatch::cullHidden(int width, int height) {
  const std::size_t quads = kinds.size();
  if (quads == 0 || width <= 0 || height <= 0 || width > 65536 || height > 65536) {
    return 0;
  }
  if (width != coverage_width || height != coverage_height) {
    coverage_width = width;
    coverage_height = height;
    coverage_words = (coverage_width + 63) / 64;
  }
  coverage.assign(
      static_cast<std::size_t>(coverage_words) * static_cast<std::size_t>(coverage_height), 0);
  keep.assign(quads, 1);

  // From the last quad back: what later opaque rectangles cover is known by the time a quad
  // is looked at.
  for (std::size_t q = quads; q-- > 0;) {
    const Point a = vertices[q * 6].position;
    const Point b = vertices[q * 6 + 5].position;
    if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y))) {
      continue; // where the rasterizer puts it is anyone's guess: keep it
    }
    int x0, y0, x1, y1;
    if (!pixelRange(q, false, x0, y0, x1, y1) || isCovered(x0, y0, x1, y1)) {
      keep[q] = 0;
      continue;
    }
    const bool opaque = kinds[q] == RECTANGLE && vertices[q * 6].color.a == 255;
    if (opaque && pixelRange(q, true, x0, y0, x1, y1)) {
      cover(x0, y0, x1, y1);
    }
  }

  std::size_t kept = 0;
  for (std::size_t q = 0; q < quads; q++) {
    if (!keep[q]) {
      continue;
    }
    if (kept != q) {
      std::copy(vertices.begin() + static_cast<std::ptrdiff_t>(q * 6),
                vertices.begin() + static_cast<std::ptrdiff_t>(q * 6 + 6),
                vertices.begin() + static_cast<std::ptrdiff_t>(kept * 6));
      kinds[kept] = kinds[q];
    }
    kept++;
  }
  vertices.resize(kept * 6);
  kinds.resize(kept);
  return quads - kept;
}

int CellBatch::draw(Renderer& renderer) {
  last_culled = 0;
  if (renderer.drawsOneToOne()) {
    last_culled = cullHidden(renderer.width(), renderer.height());
  }
  const int calls = vertices.empty() ? 0 : renderer.drawTriangles(vertices.data(), vertices.size());
  clear();
  return calls;
}

void CellBatch::takeVertices(std::vector<Vertex>& out) {
  vertices.swap(out);
  clear();
}

void CellBatch::clear() {
  vertices.clear();
  kinds.clear();
}

} // namespace tw

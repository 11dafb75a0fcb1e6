#include "CellBatch.h"

#include <algorithm>
#include <cmath>

namespace tw {

void CellBatch::setWhiteTexel(bool has_white, sf::Vector2f texel) {
  has_white_texel = has_white;
  white_texel = texel;
}

void CellBatch::addQuad(sf::Vector2f top_left, sf::Vector2f bottom_right, sf::Vector2f tex_top_left,
                        sf::Vector2f tex_bottom_right, sf::Color color, Kind kind) {
  const sf::Vector2f top_right(bottom_right.x, top_left.y);
  const sf::Vector2f bottom_left(top_left.x, bottom_right.y);
  const sf::Vector2f tex_top_right(tex_bottom_right.x, tex_top_left.y);
  const sf::Vector2f tex_bottom_left(tex_top_left.x, tex_bottom_right.y);
  vertices.emplace_back(top_left, color, tex_top_left);
  vertices.emplace_back(top_right, color, tex_top_right);
  vertices.emplace_back(bottom_left, color, tex_bottom_left);
  vertices.emplace_back(bottom_left, color, tex_bottom_left);
  vertices.emplace_back(top_right, color, tex_top_right);
  vertices.emplace_back(bottom_right, color, tex_bottom_right);
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

void CellBatch::setCells(sf::Vector2f size, int columns, int rows) {
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

void CellBatch::cellRange(sf::Vector2f top_left, sf::Vector2f bottom_right, int& column0, int& row0,
                          int& column1, int& row1) const {
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

void CellBatch::addBackground(sf::Vector2f position, sf::Vector2f size, sf::Color color) {
  if (!all_drawn && color.a == 255) {
    int column0, row0, column1, row1;
    cellRange(position, position + size, column0, row0, column1, row1);
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

void CellBatch::addRectangle(sf::Vector2f position, sf::Vector2f size, sf::Color color) {
  // Corners are computed as a shape's transform computes them: local point plus position.
  const sf::Vector2f bottom_right(size.x + position.x, size.y + position.y);
  addQuad(position, bottom_right, white_texel, white_texel, color, RECTANGLE);
}

void CellBatch::addGlyph(sf::Vector2f origin, const sf::Glyph& glyph, unsigned int character_size,
                         sf::Color color) {
  // A text object puts its first glyph on the baseline at (0, character size) of its own
  // space and widens the quad by one pixel on every side, in the texture as well, so that
  // smoothing at the glyph's edges is not cut off.
  const float padding = 1.0f;
  const float baseline = static_cast<float>(character_size);
  const float left = glyph.bounds.left - padding;
  const float top = glyph.bounds.top - padding;
  const float right = glyph.bounds.left + glyph.bounds.width + padding;
  const float bottom = glyph.bounds.top + glyph.bounds.height + padding;
  const sf::Vector2f local_top_left(0.0f + left, baseline + top);
  const sf::Vector2f local_bottom_right(0.0f + right, baseline + bottom);

  const float u1 = static_cast<float>(glyph.textureRect.left) - padding;
  const float v1 = static_cast<float>(glyph.textureRect.top) - padding;
  const float u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
  const float v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;

  addQuad(local_top_left + origin, local_bottom_right + origin, sf::Vector2f(u1, v1),
          sf::Vector2f(u2, v2), color, GLYPH);
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
  const sf::Vector2f a = vertices[quad * 6].position;
  const sf::Vector2f b = vertices[quad * 6 + 5].position;
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

std::size_t CellBatch::cullHidden(sf::Vector2u size) {
  const std::size_t quads = kinds.size();
  if (quads == 0 || size.x == 0 || size.y == 0 || size.x > 65536 || size.y > 65536) {
    return 0;
  }
  if (static_cast<int>(size.x) != coverage_width || static_cast<int>(size.y) != coverage_height) {
    coverage_width = static_cast<int>(size.x);
    coverage_height = static_cast<int>(size.y);
    coverage_words = (coverage_width + 63) / 64;
  }
  coverage.assign(
      static_cast<std::size_t>(coverage_words) * static_cast<std::size_t>(coverage_height), 0);
  keep.assign(quads, 1);

  // From the last quad back: what later opaque rectangles cover is known by the time a quad
  // is looked at.
  for (std::size_t q = quads; q-- > 0;) {
    const sf::Vector2f a = vertices[q * 6].position;
    const sf::Vector2f b = vertices[q * 6 + 5].position;
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

int CellBatch::drawQuads(sf::RenderTarget& target, const sf::Vertex* p_vertices, std::size_t count,
                         const sf::RenderStates& states) {
  // Mesa's software renderer takes two triangles that form a rectangle as one, in pieces of
  // 341 triangles of a draw; a rectangle cut in two by a piece's end comes out a little
  // different at its edges. Draws of whole pieces' worth of quads keep every quad whole, so
  // that a quad comes out the same whatever else is drawn with it.
  constexpr std::size_t MAX_VERTICES = 170 * 6;
  int calls = 0;
  for (std::size_t first = 0; first < count; first += MAX_VERTICES) {
    target.draw(p_vertices + first, std::min(MAX_VERTICES, count - first), sf::Triangles, states);
    calls++;
  }
  return calls;
}

int CellBatch::draw(sf::RenderTarget& target, const sf::Texture* p_texture) {
  const sf::View& view = target.getView();
  const sf::Vector2f size(target.getSize());
  last_culled = 0;
  if (view.getSize() == size && view.getCenter() == size / 2.0f && view.getRotation() == 0.0f &&
      view.getViewport() == sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f)) {
    last_culled = cullHidden(target.getSize());
  }
  if (vertices.empty()) {
    return 0;
  }
  int calls = 0;
  if (has_white_texel) {
    sf::RenderStates states;
    states.texture = p_texture;
    calls = drawQuads(target, vertices.data(), vertices.size(), states);
  } else {
    // One draw per run of quads of the same kind keeps the order of the cells.
    std::size_t run_start = 0;
    for (std::size_t q = 1; q <= kinds.size(); q++) {
      if (q < kinds.size() && kinds[q] == kinds[run_start]) {
        continue;
      }
      sf::RenderStates states;
      states.texture = kinds[run_start] == GLYPH ? p_texture : nullptr;
      calls += drawQuads(target, &vertices[run_start * 6], (q - run_start) * 6, states);
      run_start = q;
    }
  }
  clear();
  return calls;
}

void CellBatch::takeVertices(std::vector<sf::Vertex>& out) {
  vertices.swap(out);
  clear();
}

void CellBatch::clear() {
  vertices.clear();
  kinds.clear();
}

} // namespace tw

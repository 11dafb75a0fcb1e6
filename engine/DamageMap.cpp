#include "DamageMap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tw {

namespace {

// As for culling: pixel centres this close to a quad's edge may be drawn by it or not.
constexpr double EDGE_MARGIN = 1.0 / 64.0;
constexpr std::uint64_t EMPTY_TILE = 0x6a09e667f3bcc909ULL;
// What a draw call and a copy to the X server cost with a software renderer, in tiles
// redrawn or copied, about (a copy: 0.1 ms; copying the whole window: 0.25 ms).
constexpr int DRAW_MERGE_TILES = 8;
constexpr int SHOW_MERGE_TILES = 1536;
// Past this many rectangles, or a fifth of the window, redrawing in pieces costs more.
constexpr std::size_t MAX_RECTS = 8;

std::uint64_t mix(std::uint64_t h, std::uint64_t value) {
  h ^= value + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  return h * 0xff51afd7ed558ccdULL;
}

std::uint64_t bitsOf(Point v) {
  std::uint32_t x, y;
  std::memcpy(&x, &v.x, sizeof x);
  std::memcpy(&y, &v.y, sizeof y);
  return static_cast<std::uint64_t>(x) << 32 | y;
}

std::uint64_t hashQuad(const Vertex& top_left, const Vertex& bottom_right) {
  const Rgba c = top_left.color;
  std::uint64_t h = mix(EMPTY_TILE, bitsOf(top_left.position));
  h = mix(h, bitsOf(bottom_right.position));
  h = mix(h, bitsOf(top_left.tex));
  h = mix(h, bitsOf(bottom_right.tex));
  return mix(h, static_cast<std::uint64_t>(c.r) << 24 | c.g << 16 | c.b << 8 | c.a);
}

/// The pixels from low to high may reach, within 0 to size - 1; false when none.
bool span(float low, float high, int size, std::int32_t& first, std::int32_t& last) {
  // Pixel i has its centre at i + 0.5. Clamped first, so that the conversions stay in range;
  // whole numbers are rounded by hand, which is much cheaper here than std::ceil and floor.
  const double limit = static_cast<double>(size);
  const double a = std::min(std::max(std::min(low, high) - EDGE_MARGIN - 0.5, -1.0), limit);
  const double b = std::min(std::max(std::max(low, high) + EDGE_MARGIN - 0.5, -1.0), limit);
  std::int32_t up = static_cast<std::int32_t>(a);
  up += static_cast<double>(up) < a;
  std::int32_t down = static_cast<std::int32_t>(b);
  down -= static_cast<double>(down) > b;
  if (up > down || down < 0 || up > size - 1) {
    return false;
  }
  first = std::max(up, 0);
  last = std::min(down, size - 1);
  return true;
}

/// Replaces any two rectangles of list by their bounding box where that adds at most slack
/// (in area), until no two are left that it would. Overlaps are harmless: every rectangle is
/// drawn or shown whole.
void merge(std::vector<PixelRect>& list, int slack) {
  auto area = [](const PixelRect& r) { return r.width * r.height; };
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < list.size(); i++) {
      for (std::size_t j = i + 1; j < list.size(); j++) {
        const PixelRect& a = list[i];
        const PixelRect& b = list[j];
        const int left = std::min(a.left, b.left);
        const int top = std::min(a.top, b.top);
        const PixelRect box{left, top, std::max(a.left + a.width, b.left + b.width) - left,
                            std::max(a.top + a.height, b.top + b.height) - top};
        if (area(box) - area(a) - area(b) <= slack) {
          list[i] = box;
          list[j] = list.back();
          list.pop_back();
          merged = true;
          j = i;
        }
      }
    }
  }
}

} // namespace

void DamageMap::setSize(int new_width, int new_height) {
  width = std::min(std::max(new_width, 0), 65536);
  height = std::min(std::max(new_height, 0), 65536);
  columns = (width + TILE - 1) / TILE;
  rows = (height + TILE - 1) / TILE;
  hashes.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
  last_hashes = hashes;
  all = true;
}

bool DamageMap::reach(const Vertex& top_left, const Vertex& bottom_right, Reach& r) const {
  const Point a = top_left.position;
  const Point b = bottom_right.position;
  if (!(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y))) {
    // Where the rasterizer puts it is anyone's guess: anywhere.
    r = {0, 0, width - 1, height - 1};
    return false;
  }
  if (!span(a.x, b.x, width, r.x0, r.x1) || !span(a.y, b.y, height, r.y0, r.y1)) {
    r = {0, 0, -1, -1};
  }
  return true;
}

const std::vector<PixelRect>& DamageMap::update(const std::vector<Vertex>& vertices) {
  const std::size_t quads = vertices.size() / 6;
  std::fill(hashes.begin(), hashes.end(), EMPTY_TILE);
  reaches.resize(quads); // measured here for quadsIn as well
  bool unknown = false;
  for (std::size_t q = 0; q < quads; q++) {
    const Vertex& a = vertices[q * 6];
    const Vertex& b = vertices[q * 6 + 5];
    Reach& r = reaches[q];
    if (!reach(a, b, r)) {
      unknown = true;
      continue;
    }
    if (r.x1 < r.x0) {
      continue;
    }
    const std::uint64_t h = hashQuad(a, b);
    for (int row = r.y0 / TILE; row <= r.y1 / TILE; row++) {
      std::uint64_t* p_row = &hashes[static_cast<std::size_t>(row) * columns];
      for (int column = r.x0 / TILE; column <= r.x1 / TILE; column++) {
        p_row[column] = mix(p_row[column], h);
      }
    }
  }
  whole = all || unknown;
  if (!whole) {
    gather();
  }
  if (whole) {
    rects.assign(1, PixelRect{0, 0, width, height});
    shows = rects;
    damaged_area = static_cast<unsigned>(width) * static_cast<unsigned>(height);
  }
  hashes.swap(last_hashes);
  all = false;
  return rects;
}

void DamageMap::measure(const std::vector<Vertex>& vertices) {
  reaches.resize(vertices.size() / 6);
  for (std::size_t q = 0; q < reaches.size(); q++) {
    reach(vertices[q * 6], vertices[q * 6 + 5], reaches[q]);
  }
}

void DamageMap::gather() {
  rects.clear();
  open.clear();
  long damaged = 0;
  for (int row = 0; row < rows; row++) {
    const std::uint64_t* p_now = &hashes[static_cast<std::size_t>(row) * columns];
    const std::uint64_t* p_last = &last_hashes[static_cast<std::size_t>(row) * columns];
    next_open.clear();
    for (int column = 0; column < columns;) {
      if (p_now[column] == p_last[column]) {
        column++;
        continue;
      }
      const int first = column;
      while (column < columns && p_now[column] != p_last[column]) {
        column++;
      }
      damaged += column - first;
      // A run under one of the same columns on the row above extends it downwards.
      auto above = std::find_if(open.begin(), open.end(), [&](std::size_t i) {
        return rects[i].left == first && rects[i].width == column - first;
      });
      if (above != open.end()) {
        rects[*above].height++;
        next_open.push_back(*above);
      } else {
        rects.push_back(PixelRect{first, row, column - first, 1});
        next_open.push_back(rects.size() - 1);
      }
    }
    open.swap(next_open);
  }
  damaged_area = static_cast<unsigned>(damaged) * TILE * TILE;
  // Each rectangle drawn costs a draw call and each one shown a copy to the X server,
  // whatever their size; two close enough become one.
  merge(rects, DRAW_MERGE_TILES);
  // Redrawing much of the window in pieces (overlaps drawn twice, quads that reach several
  // pieces sent with each) costs more than redrawing it whole: measured with the explosions
  // after a lost game.
  long drawn = 0;
  for (const PixelRect& r : rects) {
    drawn += static_cast<long>(r.width) * r.height;
  }
  if (drawn * 5 > static_cast<long>(columns) * rows || rects.size() > MAX_RECTS) {
    whole = true;
    return;
  }
  shows = rects;
  merge(shows, SHOW_MERGE_TILES);
  for (std::vector<PixelRect>* p_list : {&rects, &shows}) {
    for (PixelRect& r : *p_list) {
      r.left *= TILE;
      r.top *= TILE;
      r.width = std::min(r.width * TILE, width - r.left);
      r.height = std::min(r.height * TILE, height - r.top);
    }
  }
}

void DamageMap::quadsIn(const std::vector<Vertex>& vertices, const PixelRect& rect,
                        std::vector<Vertex>& out) const {
  const std::size_t quads = std::min(vertices.size() / 6, reaches.size());
  for (std::size_t q = 0; q < quads; q++) {
    const Reach& r = reaches[q];
    if (r.x0 <= r.x1 && r.x1 >= rect.left && r.x0 < rect.left + rect.width && r.y1 >= rect.top &&
        r.y0 < rect.top + rect.height) {
      out.insert(out.end(), vertices.begin() + static_cast<std::ptrdiff_t>(q * 6),
                 vertices.begin() + static_cast<std::ptrdiff_t>(q * 6 + 6));
    }
  }
}

} // namespace tw

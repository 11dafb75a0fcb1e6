#include "GlyphAtlas.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tw {

namespace {

constexpr int FIRST_SIZE = 128;
/// Empty pixels around each glyph: the cells sample one pixel beyond a glyph's rectangle.
constexpr int PADDING = 2;
/// The corner kept for the white block and, beside it, a blank spot where glyphs without
/// pixels point, so that their padded quad samples nothing.
constexpr int CORNER = 8;
constexpr PixelRect BLANK{4, 4, 0, 0};

bool readFile(const std::string& file, std::vector<unsigned char>& data) {
  std::FILE* p_file = std::fopen(file.c_str(), "rb");
  if (p_file == nullptr) {
    return false;
  }
  data.clear();
  unsigned char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, p_file)) > 0) {
    data.insert(data.end(), buffer, buffer + got);
  }
  const bool failed = std::ferror(p_file) != 0;
  std::fclose(p_file);
  return !failed && !data.empty();
}

} // namespace

GlyphAtlas::GlyphAtlas() = default;
GlyphAtlas::~GlyphAtlas() = default;

bool GlyphAtlas::load(const std::string& file, unsigned character_size, int max_texture_size) {
  std::vector<unsigned char> data;
  auto p_record = std::make_unique<stbtt_fontinfo>();
  if (!readFile(file, data)) {
    return false;
  }
  const int offset = stbtt_GetFontOffsetForIndex(data.data(), 0);
  if (offset < 0 || stbtt_InitFont(p_record.get(), data.data(), offset) == 0) {
    return false;
  }
  // The record points into the font's bytes: the vector's buffer moves intact.
  font_data = std::move(data);
  p_font = std::move(p_record);
  scale = character_size > 0
              ? stbtt_ScaleForMappingEmToPixels(p_font.get(), static_cast<float>(character_size))
              : 0.0f;
  max_size = std::max(max_texture_size, FIRST_SIZE);
  tex_width = FIRST_SIZE;
  tex_height = FIRST_SIZE;
  coverage.assign(static_cast<std::size_t>(tex_width) * tex_height, 0);
  for (int y = 0; y < 2; y++) {
    coverage[static_cast<std::size_t>(y) * tex_width] = 255;
    coverage[static_cast<std::size_t>(y) * tex_width + 1] = 255;
  }
  glyphs.clear();
  pen_x = CORNER;
  pen_y = 0;
  row_height = CORNER;
  changed = true;
  return true;
}

Glyph GlyphAtlas::glyph(std::uint32_t code_point) {
  if (!isLoaded()) {
    return Glyph{};
  }
  const auto found = glyphs.find(code_point);
  if (found != glyphs.end()) {
    return found->second;
  }
  const Glyph made = rasterise(code_point);
  glyphs.emplace(code_point, made);
  return made;
}

bool GlyphAtlas::takeChanged() {
  const bool was = changed;
  changed = false;
  return was;
}

Glyph GlyphAtlas::rasterise(std::uint32_t code_point) {
  stbtt_fontinfo& font = *p_font;
  const int index = stbtt_FindGlyphIndex(&font, static_cast<int>(code_point));
  int advance = 0;
  int bearing = 0;
  stbtt_GetGlyphHMetrics(&font, index, &advance, &bearing);
  Glyph glyph;
  glyph.texture = BLANK;
  // The desktop's hinted glyphs advance by whole pixels.
  glyph.advance = std::floor(static_cast<float>(advance) * scale + 0.5f);
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  stbtt_GetGlyphBitmapBox(&font, index, scale, scale, &x0, &y0, &x1, &y1);
  const int w = x1 - x0;
  const int h = y1 - y0;
  int x = 0;
  int y = 0;
  if (w <= 0 || h <= 0 || !place(w + 2 * PADDING, h + 2 * PADDING, x, y)) {
    return glyph;
  }
  x += PADDING;
  y += PADDING;
  stbtt_MakeGlyphBitmap(&font, &coverage[static_cast<std::size_t>(y) * tex_width + x], w, h,
                        tex_width, scale, scale, index);
  glyph.left = static_cast<float>(x0);
  glyph.top = static_cast<float>(y0);
  glyph.width = static_cast<float>(w);
  glyph.height = static_cast<float>(h);
  glyph.texture = PixelRect{x, y, w, h};
  changed = true;
  return glyph;
}

bool GlyphAtlas::place(int w, int h, int& x, int& y) {
  for (;;) {
    if (pen_x + w > tex_width) {
      pen_x = 0;
      pen_y += row_height;
      row_height = 0;
    }
    if (pen_x + w <= tex_width && pen_y + h <= tex_height) {
      x = pen_x;
      y = pen_y;
      pen_x += w;
      row_height = std::max(row_height, h);
      return true;
    }
    if (tex_width >= max_size && tex_height >= max_size) {
      return false;
    }
    grow();
  }
}

void GlyphAtlas::grow() {
  // Wider first while the texture is square, so that the current row has room again.
  const int new_width = tex_width <= tex_height && tex_width < max_size ? tex_width * 2 : tex_width;
  const int new_height = new_width == tex_width ? std::min(tex_height * 2, max_size) : tex_height;
  std::vector<std::uint8_t> grown(static_cast<std::size_t>(new_width) * new_height, 0);
  for (int y = 0; y < tex_height; y++) {
    std::memcpy(&grown[static_cast<std::size_t>(y) * new_width],
                &coverage[static_cast<std::size_t>(y) * tex_width], tex_width);
  }
  coverage.swap(grown);
  tex_width = new_width;
  tex_height = new_height;
  changed = true;
}

} // namespace tw

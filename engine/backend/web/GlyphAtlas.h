#pragma once

#include "RenderTypes.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct stbtt_fontinfo;

namespace tw {

/// A font rasterised into one texture of coverage, one byte a pixel, with a 2 x 2 block of full
/// coverage at its corner for plain rectangles. Glyphs are added on first use, in rows; the
/// texture doubles when they no longer fit.
class GlyphAtlas {
public:
  GlyphAtlas();
  ~GlyphAtlas();
  GlyphAtlas(const GlyphAtlas&) = delete;
  GlyphAtlas& operator=(const GlyphAtlas&) = delete;

  /// Reads the font file and starts an empty texture for character_size pixels to the em;
  /// false when the file cannot be read as a font.
  bool load(const std::string& file, unsigned character_size, int max_texture_size);
  bool isLoaded() const { return !font_data.empty(); }
  /// The glyph of code_point, placed as the desktop places it: offsets from the pen on the
  /// baseline, a whole-pixel advance. Empty (with its advance) when the texture is full.
  Glyph glyph(std::uint32_t code_point);
  int width() const { return tex_width; }
  int height() const { return tex_height; }
  const std::uint8_t* pixels() const { return coverage.data(); }
  /// Whether the texture changed since the last call; clears the mark.
  bool takeChanged();

private:
  Glyph rasterise(std::uint32_t code_point);
  /// Finds room for a w x h picture; false when the texture cannot grow enough.
  bool place(int w, int h, int& x, int& y);
  void grow();

  std::vector<unsigned char> font_data;
  std::unique_ptr<stbtt_fontinfo> p_font; ///< points into font_data
  float scale = 0.0f;
  int max_size = 0;
  int tex_width = 0;
  int tex_height = 0;
  std::vector<std::uint8_t> coverage;
  std::map<std::uint32_t, Glyph> glyphs;
  int pen_x = 0; ///< where the current row continues
  int pen_y = 0; ///< top of the current row
  int row_height = 0;
  bool changed = false;
};

} // namespace tw

// FreeType text into an object: one line, grey coverage as the mask.
#include "textrender.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <filesystem>
#include <vector>

namespace lvhost {

namespace {

// Strict UTF-8 to code points; false for malformed or overlong sequences.
bool DecodeUtf8(const std::string& text, std::vector<char32_t>* out) {
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) return false;
    char32_t cp = extra == 0 ? lead : lead & (0x3f >> extra);
    for (int k = 1; k <= extra; ++k) {
      unsigned char c = static_cast<unsigned char>(text[i + k]);
      if ((c & 0xc0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3f);
    }
    static const char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return false;
    out->push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

// One drawn glyph: its coverage rows and where its top left lies.
struct Glyph {
  int left = 0;  // pixels from the origin, right
  int top = 0;   // pixels from the baseline, down
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;
};

// FreeType's library and face, released together.
struct Font {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Font() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

bool OpenFont(const std::string& file, int sizePx, Font* font, std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) {
    *error = "font file '" + file + "' is a folder";
    return false;
  }
  if (!std::filesystem::is_regular_file(file, ec)) {
    *error = "font file '" + file + "' does not exist";
    return false;
  }
  if (FT_Init_FreeType(&font->library) != 0) {
    *error = "cannot start the font renderer";
    return false;
  }
  if (FT_New_Face(font->library, file.c_str(), 0, &font->face) != 0) {
    *error = "'" + file + "' is not a font file the renderer can read";
    return false;
  }
  if (FT_Set_Pixel_Sizes(font->face, 0, static_cast<FT_UInt>(sizePx)) != 0) {
    *error = "the font '" + file + "' cannot be drawn at " + std::to_string(sizePx) + " pixels";
    return false;
  }
  return true;
}

// Lays the code points out on one line; glyphs without ink are skipped.
bool LayOut(const Font& font, const std::vector<char32_t>& text, std::vector<Glyph>* glyphs, std::string* error) {
  FT_Face face = font.face;
  int64_t pen = 0;  // 26.6 fixed point
  FT_UInt previous = 0;
  for (char32_t cp : text) {
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (previous && index && FT_HAS_KERNING(face)) {
      FT_Vector kern;
      if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern) == 0) pen += kern.x;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) {
      *error = "the font cannot draw the character U+" + std::to_string(static_cast<uint32_t>(cp));
      return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width > 0 && bitmap.rows > 0 && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      Glyph g;
      g.left = static_cast<int>((pen >> 6) + slot->bitmap_left);
      g.top = -slot->bitmap_top;
      g.width = static_cast<int>(bitmap.width);
      g.rows = static_cast<int>(bitmap.rows);
      g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
      for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        std::copy(row, row + g.width, g.coverage.begin() + static_cast<ptrdiff_t>(y) * g.width);
      }
      glyphs->push_back(std::move(g));
    }
    pen += slot->advance.x;
    if (pen > (int64_t(INT_MAX) << 1)) {
      *error = "the text is too long to draw";
      return false;
    }
    previous = index;
  }
  return true;
}

}  // namespace

TextRenderFault RenderTextObject(const std::string& utf8, const std::string& fontFile, int sizePx, uint32_t rgb,
                                 ObjectImage* object, std::string* error) {
  std::vector<char32_t> text;
  if (utf8.empty()) {
    *error = "the text is empty";
    return TextRenderFault::BadText;
  }
  if (!DecodeUtf8(utf8, &text) || text.size() > kMaxTextChars) {
    *error = text.size() > kMaxTextChars ? "the text is longer than " + std::to_string(kMaxTextChars) + " characters"
                                         : "the text is not valid UTF-8";
    return TextRenderFault::BadText;
  }
  Font font;
  if (!OpenFont(fontFile, std::clamp(sizePx, kMinTextSize, kMaxTextSize), &font, error))
    return TextRenderFault::BadFont;
  std::vector<Glyph> glyphs;
  if (!LayOut(font, text, &glyphs, error)) return TextRenderFault::BadText;
  if (glyphs.empty()) {
    *error = "the text has no visible characters";
    return TextRenderFault::BadText;
  }
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const Glyph& g : glyphs) {
    left = std::min<int64_t>(left, g.left), top = std::min<int64_t>(top, g.top);
    right = std::max<int64_t>(right, int64_t(g.left) + g.width);
    bottom = std::max<int64_t>(bottom, int64_t(g.top) + g.rows);
  }
  const int64_t width = right - left + 2 * kTextBorder, height = bottom - top + 2 * kTextBorder;
  if (!ImageSizeAcceptable(width, height)) {
    *error = "the drawn text would be " + std::to_string(width) + " x " + std::to_string(height) + " pixels, too large";
    return TextRenderFault::TooLarge;
  }
  if (!MakeObject(static_cast<int>(width), static_cast<int>(height), rgb, object, error))
    return TextRenderFault::TooLarge;
  for (const Glyph& g : glyphs) {
    const int64_t x0 = g.left - left + kTextBorder, y0 = g.top - top + kTextBorder;
    for (int y = 0; y < g.rows; ++y) {
      uint8_t* row = object->mask.data() + static_cast<size_t>((y0 + y) * width + x0);
      const uint8_t* ink = g.coverage.data() + static_cast<size_t>(y) * g.width;
      for (int x = 0; x < g.width; ++x) row[x] = std::max(row[x], ink[x]);
    }
  }
  return TextRenderFault::None;
}

}  // namespace lvhost

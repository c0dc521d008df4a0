// Text drawn with FreeType into an object for the text effects.
#pragma once

#include <cstdint>
#include <string>

#include "textcompose.h"

namespace lvhost {

// The font used when none is given (Debian's fonts-dejavu-core).
constexpr const char* kDefaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Limits of what is drawn: pixel size of the font and characters of text.
constexpr int kMinTextSize = 4;
constexpr int kMaxTextSize = 1000;
constexpr size_t kMaxTextChars = 1000;

// Empty space left around the drawn glyphs on every side.
constexpr int kTextBorder = 4;

// Why rendering failed.
enum class TextRenderFault {
  None,
  BadText,  // empty, not UTF-8, too long, or no visible glyph
  BadFont,  // the font file is missing or not a font
  TooLarge, // the drawn text would exceed the image limits
};

// Draws `utf8` on one line with the font file at `sizePx` pixels: the
// object's colour is filled with rgb (0xRRGGBB), its mask is the glyphs'
// coverage; the object is the tight box of the inked pixels plus
// kTextBorder on every side, at position 0, 0. Returns None on success,
// otherwise the fault and an error text.
TextRenderFault RenderTextObject(const std::string& utf8, const std::string& fontFile, int sizePx, uint32_t rgb,
                                 ObjectImage* object, std::string* error);

}  // namespace lvhost

// Conversion of decoded rows into the host's row forms, and of the host's
// rows into the samples the encoders store.
#include <cstring>

#include "internal.h"

namespace lvcodecs::detail {
namespace {

// Luminance 0.299 R + 0.587 G + 0.114 B, rounded.
std::uint8_t luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint8_t>((299u * r + 587u * g + 114u * b + 500u) / 1000u);
}

// VALUE with ALPHA shown over white.
std::uint8_t overWhite(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

// C, M, Y, K as decoded into R, G, B. Files with the Adobe marker store the
// inks inverted (0 full ink), others store them plainly.
void cmykToRgb(const std::uint8_t* cmyk, bool inverted, std::uint8_t* rgb) {
  unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
  for (int i = 0; i < 3; ++i) {
    unsigned c = inverted ? cmyk[i] : 255u - cmyk[i];
    rgb[i] = static_cast<std::uint8_t>((c * k + 127u) / 255u);
  }
}

// Any source row as R, G, B (transparency over white).
void sourceToRgb(const SourceRow& row, std::uint8_t* out) {
  const std::uint8_t* in = row.data;
  for (std::uint32_t x = 0; x < row.width; ++x, out += 3) {
    switch (row.kind) {
      case SourceKind::Grey8:
        out[0] = out[1] = out[2] = in[x];
        break;
      case SourceKind::GreyAlpha8:
        out[0] = out[1] = out[2] = overWhite(in[2 * x], in[2 * x + 1]);
        break;
      case SourceKind::Indexed8: {
        const Rgb& c = row.palette->colours[in[x]];
        std::uint8_t a = row.palette->alpha[in[x]];
        out[0] = overWhite(c.r, a);
        out[1] = overWhite(c.g, a);
        out[2] = overWhite(c.b, a);
        break;
      }
      case SourceKind::Rgb24:
        std::memcpy(out, in + 3 * x, 3);
        break;
      case SourceKind::Rgba32: {
        const std::uint8_t* p = in + 4 * x;
        out[0] = overWhite(p[0], p[3]);
        out[1] = overWhite(p[1], p[3]);
        out[2] = overWhite(p[2], p[3]);
        break;
      }
      case SourceKind::Cmyk32:
        cmykToRgb(in + 4 * x, row.invertedCmyk, out);
        break;
    }
  }
}

// Any source row as one grey byte a pixel.
void sourceToGrey(const SourceRow& row, std::uint8_t* out) {
  const std::uint8_t* in = row.data;
  switch (row.kind) {
    case SourceKind::Grey8:
      std::memcpy(out, in, row.width);
      return;
    case SourceKind::GreyAlpha8:
      for (std::uint32_t x = 0; x < row.width; ++x) out[x] = overWhite(in[2 * x], in[2 * x + 1]);
      return;
    default:
      break;
  }
  std::vector<std::uint8_t> rgb(3 * std::size_t{row.width});
  sourceToRgb(row, rgb.data());
  for (std::uint32_t x = 0; x < row.width; ++x) {
    out[x] = luminance(rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]);
  }
}

// Grey bytes packed into bits, 1 where the grey is 128 or more.
void greyToBits(const std::uint8_t* grey, std::uint32_t width, std::uint8_t* out) {
  std::memset(out, 0, rowBytes(RowForm::Bw1, width));
  for (std::uint32_t x = 0; x < width; ++x) {
    if (grey[x] >= 128) out[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
  }
}

}  // namespace

bool canConvert(SourceKind kind, RowForm form) {
  if (form != RowForm::Indexed8) return true;
  return kind == SourceKind::Grey8 || kind == SourceKind::GreyAlpha8 ||
         kind == SourceKind::Indexed8;
}

void convertRow(const SourceRow& row, RowForm form, std::uint8_t* out) {
  switch (form) {
    case RowForm::Rgb24:
      sourceToRgb(row, out);
      return;
    case RowForm::Indexed8:
      if (row.kind == SourceKind::Indexed8) {
        std::memcpy(out, row.data, row.width);
      } else {
        sourceToGrey(row, out);
      }
      return;
    case RowForm::Grey8:
      sourceToGrey(row, out);
      return;
    case RowForm::Bw1: {
      std::vector<std::uint8_t> grey(row.width);
      sourceToGrey(row, grey.data());
      greyToBits(grey.data(), row.width, out);
      return;
    }
  }
}

void rowToRgb(RowForm form, const std::uint8_t* row, std::uint32_t width,
              const std::vector<Rgb>& palette, std::uint8_t* rgb) {
  if (form == RowForm::Rgb24) {
    std::memcpy(rgb, row, 3 * std::size_t{width});
    return;
  }
  if (form == RowForm::Indexed8) {
    for (std::uint32_t x = 0; x < width; ++x, rgb += 3) {
      const Rgb& c = palette[row[x]];
      rgb[0] = c.r;
      rgb[1] = c.g;
      rgb[2] = c.b;
    }
    return;
  }
  std::vector<std::uint8_t> grey(width);
  rowToGrey(form, row, width, grey.data());
  for (std::uint32_t x = 0; x < width; ++x, rgb += 3) rgb[0] = rgb[1] = rgb[2] = grey[x];
}

void rowToGrey(RowForm form, const std::uint8_t* row, std::uint32_t width, std::uint8_t* grey) {
  if (form == RowForm::Bw1) {
    for (std::uint32_t x = 0; x < width; ++x) {
      grey[x] = (row[x >> 3] & (0x80u >> (x & 7))) ? 255 : 0;
    }
    return;
  }
  std::memcpy(grey, row, width);
}

}  // namespace lvcodecs::detail

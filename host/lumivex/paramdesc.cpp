// The per-plug-in parameter tables and the parsing of named values.
#include "paramdesc.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace lvhost {

namespace {

// Grid and partition: 32-byte block; the two line counts are derived.
constexpr size_t kGridRows = 0, kGridColumns = 4, kGridWidth = 8, kGridColour = 12,
                 kGridBorder = 16, kGridCells = 20, kGridVertical = 24, kGridHorizontal = 28;
constexpr int32_t kGridMaxObjects = 1000;

void DeriveGridCounts(ParamBlock& block) {
  int32_t extra = GetField(block, kGridBorder) ? 2 : 0;
  SetField(block, kGridVertical, GetField(block, kGridColumns) - 1 + extra);
  SetField(block, kGridHorizontal, GetField(block, kGridRows) - 1 + extra);
}

bool CheckGridObjects(const ParamBlock& block, std::string* error) {
  int64_t cells = int64_t(GetField(block, kGridRows)) * GetField(block, kGridColumns);
  if (GetField(block, kGridCells) && cells > kGridMaxObjects) {
    *error = "cells=1 makes one object per cell, at most " + std::to_string(kGridMaxObjects) +
             "; rows x columns is " + std::to_string(cells);
    return false;
  }
  return true;
}

const std::vector<ModuleParams>& Table() {
  static const std::vector<ModuleParams> table = {
      {"gridsplit",
       32,
       {
           {"rows", "number of rows of cells", ParamKind::Integer, kGridRows, 1, 99},
           {"columns", "number of columns of cells", ParamKind::Integer, kGridColumns, 1, 99},
           {"width", "width of the grid lines in pixels", ParamKind::Integer, kGridWidth, 1, 99},
           {"colour", "colour of the grid lines", ParamKind::Colour, kGridColour, 0, 0xffffff},
           {"border", "also draw lines along the image edges", ParamKind::Flag, kGridBorder, 0, 1},
           {"cells", "write every cell as an image of its own", ParamKind::Flag, kGridCells, 0, 1},
       },
       DeriveGridCounts,
       CheckGridObjects},
  };
  return table;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool ParseDecimal(const std::string& text, int64_t* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, *value);
  return ec == std::errc() && end == last && first != last;
}

bool ParseColour(const std::string& text, int32_t* value) {
  if (text.size() != 7 || text[0] != '#') return false;
  uint32_t rgb = 0;
  auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (ec != std::errc() || end != text.data() + 7) return false;
  uint32_t r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
  *value = static_cast<int32_t>(r | (g << 8) | (b << 16));
  return true;
}

}  // namespace

const ModuleParams* FindModuleParams(const std::string& module) {
  for (const ModuleParams& m : Table())
    if (EqualNoCase(m.module, module)) return &m;
  return nullptr;
}

int32_t GetField(const ParamBlock& block, size_t offset) {
  if (offset + 4 > block.size()) return 0;
  uint32_t v = uint32_t(block[offset]) | (uint32_t(block[offset + 1]) << 8) |
               (uint32_t(block[offset + 2]) << 16) | (uint32_t(block[offset + 3]) << 24);
  return static_cast<int32_t>(v);
}

void SetField(ParamBlock& block, size_t offset, int32_t value) {
  if (offset + 4 > block.size()) return;
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string DescribeRange(const ParamDesc& desc) {
  switch (desc.kind) {
    case ParamKind::Flag: return "0 or 1";
    case ParamKind::Colour: return "#rrggbb";
    case ParamKind::Integer: break;
  }
  return std::to_string(desc.min) + ".." + std::to_string(desc.max);
}

bool ParseParamValue(const ParamDesc& desc, const std::string& text, int32_t* value,
                     std::string* error) {
  if (desc.kind == ParamKind::Colour) {
    if (!ParseColour(text, value)) {
      *error = "value '" + text + "' for " + desc.name + " is not a colour #rrggbb";
      return false;
    }
    return true;
  }
  int64_t number = 0;
  if (!ParseDecimal(text, &number) || number < desc.min || number > desc.max) {
    *error = "value '" + text + "' for " + desc.name + " is outside " + DescribeRange(desc);
    return false;
  }
  *value = static_cast<int32_t>(number);
  return true;
}

bool SetNamedValue(const ModuleParams& params, const std::string& name, const std::string& text,
                   ParamBlock& block, std::string* error) {
  for (const ParamDesc& desc : params.params) {
    if (!EqualNoCase(desc.name, name)) continue;
    int32_t value = 0;
    if (!ParseParamValue(desc, text, &value, error)) return false;
    SetField(block, desc.offset, value);
    if (params.derive) params.derive(block);
    return true;
  }
  std::string known;
  for (const ParamDesc& desc : params.params) known += std::string(known.empty() ? "" : ", ") + desc.name;
  *error = "unknown parameter '" + name + "' for " + params.module + " (known: " + known + ")";
  return false;
}

bool CheckBlock(const ModuleParams& params, const ParamBlock& block, std::string* error) {
  if (block.size() != params.blockSize) {
    *error = std::string("a parameter block of ") + params.module + " has " +
             std::to_string(params.blockSize) + " bytes, not " + std::to_string(block.size());
    return false;
  }
  for (const ParamDesc& desc : params.params) {
    int32_t v = GetField(block, desc.offset);
    bool ok = desc.kind == ParamKind::Colour ? (static_cast<uint32_t>(v) & 0xff000000u) == 0
                                             : v >= desc.min && v <= desc.max;
    if (!ok) {
      *error = std::string("parameter ") + desc.name + " is " + std::to_string(v) + ", outside " +
               DescribeRange(desc);
      return false;
    }
  }
  return params.check ? params.check(block, error) : true;
}

std::string FormatParamValue(const ParamDesc& desc, const ParamBlock& block) {
  int32_t v = GetField(block, desc.offset);
  if (desc.kind != ParamKind::Colour) return std::to_string(v);
  char text[8];
  uint32_t c = static_cast<uint32_t>(v);
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
  return text;
}

}  // namespace lvhost

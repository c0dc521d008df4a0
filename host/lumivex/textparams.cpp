// The text effects' names and named parameters, and EffectBlocks built from
// them.
#include "textparams.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>

namespace lvhost {

namespace {

using K = TextParamKind;

constexpr int32_t kRadioFirst = 1001;
constexpr int32_t kRadioLast = 1003;

TextParam LightDirection(int offset) {
  return {"lightDirection", "light direction in degrees", K::Long, offset, 0, 359, 45, {}};
}

// Feuer and Schnee share one layout with their own default colours.
std::vector<TextParam> FlameParams(int32_t inner, int32_t middle, int32_t outer) {
  return {
      {"innerColour", "colour at the object", K::Colour, 0, 0, 0xffffff, inner, {}},
      {"middleColour", "colour in the middle", K::Colour, 3, 0, 0xffffff, middle, {}},
      {"outerColour", "colour at the outside", K::Colour, 6, 0, 0xffffff, outer, {}},
      {"strength", "strength", K::Long, 12, 1, 10, 5, {}},
  };
}

std::vector<TextEffect> MakeTable() {
  const TextParam reflection = {"reflection", "reflection", K::Long, 0, 1, 4, 2, {}};
  const TextParam flakiness = {"flakiness", "flakiness", K::Long, 4, 1, 20, 5, {}};
  const TextParam thickness = {"thickness", "thickness", K::Long, 0, 1, 10, 2, {}};
  const TextParam amount = {"amount", "amount", K::Long, 4, 1, 50, 20, {}};
  return {
      {"Farbverlauf", "Farbverlauf", "gradient", 0, 16,
       {{"style", "gradient shape", K::Radio, 0, kRadioFirst, kRadioLast, 1001,
         {"linear", "rectangular", "circular"}},
        {"startOpacity", "opacity at the start", K::Byte, 4, 0, 255, 255, {}},
        {"endOpacity", "opacity at the end", K::Byte, 5, 0, 255, 0, {}},
        {"recolour", "fill the object with fillColour", K::Flag, 8, 0, 1, 0, {}},
        {"fillColour", "fill colour", K::Colour, 12, 0, 0xffffff, 0xff0000, {}}}},
      {"Loch", "Loch", "hole", 0, 284,
       {{"size", "tile size in percent", K::Long, 0, 1, 100, 50, {}},
        {"variation", "random tile offset in percent", K::Long, 4, 0, 100, 0, {}},
        {"invert", "invert the holes", K::Flag, 8, 0, 1, 0, {}},
        {"fill", "fill the object with fillColour", K::Flag, 12, 0, 1, 1, {}},
        {"fillColour", "fill colour", K::Colour, 16, 0, 0xffffff, 0x000000, {}},
        {"shapePath", "hole shape (BMP file; default: built in)", K::Path, 24, 0, 0, 0, {}}}},
      {"Glas", "Glas", "glass", 20, 12,
       {reflection, flakiness, {"colour", "glass colour", K::Colour, 8, 0, 0xffffff, 0x00ff00, {}}}},
      {"Metall", "Metall", "metal", 20, 8, {reflection, flakiness}},
      {"Relief", "Relief", "relief", 10, 16,
       {thickness, amount, LightDirection(8),
        {"profile", "edge profile", K::Radio, 12, kRadioFirst, kRadioLast, 1001, {"smooth", "plateau", "steep"}}}},
      {"Relief-Umriß", "Relief-Umriss", "relief-outline", 10, 12, {thickness, amount, LightDirection(8)}},
      {"Relief-Textur", "Relief-Textur", "relief-texture", 1, 276,
       {{"textureSize", "texture size in percent", K::Long, 0, 1, 100, 100, {}},
        {"transparency", "transparency in percent", K::Long, 4, 0, 100, 1, {}},
        {"amount", "amount", K::Long, 8, 1, 50, 10, {}},
        {"texturePath", "texture (BMP file; default: built in)", K::Path, 16, 0, 0, 0, {}}}},
      {"Konkret", "Konkret", "concrete", 20, 12,
       {{"roughness", "roughness", K::Long, 0, 1, 20, 5, {}}, LightDirection(4),
        {"colour", "colour", K::Colour, 8, 0, 0xffffff, 0xffff00, {}}}},
      {"Sand", "Sand", "sand", 20, 8, {{"roughness", "roughness", K::Long, 0, 1, 20, 3, {}}, LightDirection(4)}},
      {"Blitz", "Blitz", "lightning", 12, 284,
       {{"elevation", "elevation", K::Long, 0, 1, 100, 1, {}}, LightDirection(4),
        {"lightColour", "light colour", K::Colour, 8, 0, 0xffffff, 0xffff00, {}},
        {"objectColour", "object colour", K::Colour, 11, 0, 0xffffff, 0xffffff, {}},
        {"bumpMap", "use a bump map", K::Flag, 16, 0, 1, 0, {}},
        {"bumpPath", "bump map (BMP file; default: built in)", K::Path, 24, 0, 0, 0, {}}}},
      {"Feuer", "Feuer", "fire", 100, 16, FlameParams(0xffff00, 0xff8000, 0xff0000)},
      {"Schnee", "Schnee", "snow", 100, 16, FlameParams(0xffffff, 0xc0c0c0, 0x808080)},
      {"Neon", "Neon", "neon", 100, 12,
       {{"colour", "colour", K::Colour, 0, 0, 0xffffff, 0xff00ff, {}},
        {"side", "side of the outline", K::Radio, 4, kRadioFirst, kRadioLast, 1001, {"inside", "outside", "both"}},
        {"width", "width", K::Long, 8, 1, 100, 10, {}}}},
      {"Siegel", "Siegel", "seal", 8, 8,
       {{"colour", "colour", K::Colour, 0, 0, 0xffffff, 0xff0000, {}},
        {"pressure", "pressure in percent", K::Long, 4, 0, 100, 20, {}}}},
  };
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

bool ParseInt(const std::string& text, int64_t* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, *value);
  return ec == std::errc() && end == last && first != last;
}

void PutLong(uint8_t* at, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t GetLong(const uint8_t* at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(at[i]) << (8 * i);
  return static_cast<int32_t>(v);
}

void PutColour(uint8_t* at, uint32_t rgb) {
  at[0] = static_cast<uint8_t>(rgb >> 16);
  at[1] = static_cast<uint8_t>(rgb >> 8);
  at[2] = static_cast<uint8_t>(rgb);
}

// Stores a number, radio, flag or colour value into the effect data.
void StoreValue(const TextParam& p, int32_t value, uint8_t* data) {
  uint8_t* at = data + p.offset;
  switch (p.kind) {
    case K::Byte: *at = static_cast<uint8_t>(value); break;
    case K::Colour: PutColour(at, static_cast<uint32_t>(value)); break;
    case K::Path: break;
    default: PutLong(at, value); break;
  }
}

std::string RangeText(const TextParam& p) {
  switch (p.kind) {
    case K::Colour: return "#rrggbb";
    case K::Flag: return "0 or 1";
    case K::Radio: return std::string(p.choices[0]) + ", " + p.choices[1] + " or " + p.choices[2];
    case K::Path: return "a BMP file";
    default: return std::to_string(p.min) + ".." + std::to_string(p.max);
  }
}

// A Unix path of an existing file as the module opens it: Z: and backslashes.
bool PathValue(const TextParam& p, const std::string& text, std::string* winPath, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(text, ec)) {
    *error = p.name + std::string(": no such file '") + text + "'";
    return false;
  }
  std::string absolute = fs::absolute(text, ec).lexically_normal().string();
  std::replace(absolute.begin(), absolute.end(), '/', '\\');
  *winPath = "Z:" + absolute;
  if (winPath->size() >= static_cast<size_t>(kEffectPathSize)) {
    *error = p.name + std::string(": the path '") + text + "' is too long (at most 255 characters)";
    return false;
  }
  return true;
}

// Parses a number, radio name or colour for the parameter and checks it.
bool ParseValue(const TextParam& p, const std::string& text, int32_t* value, std::string* error) {
  int64_t number = 0;
  bool ok = false;
  if (p.kind == K::Colour) {
    uint32_t rgb = 0;
    ok = ParseHexColour(text, &rgb);
    number = rgb;
  } else if (p.kind == K::Radio) {
    for (size_t i = 0; i < p.choices.size() && !ok; ++i)
      if (EqualNoCase(text, p.choices[i])) ok = true, number = kRadioFirst + static_cast<int64_t>(i);
    if (!ok) ok = ParseInt(text, &number) && number >= p.min && number <= p.max;
  } else {
    ok = ParseInt(text, &number) && number >= p.min && number <= p.max;
  }
  if (!ok) {
    *error = std::string("--set ") + p.name + "=" + text + ": " + p.name + " takes " + RangeText(p);
    return false;
  }
  *value = static_cast<int32_t>(number);
  return true;
}

const TextParam* FindParam(const TextEffect& effect, const std::string& name) {
  for (const TextParam& p : effect.params)
    if (EqualNoCase(name, p.name)) return &p;
  return nullptr;
}

std::string ParamNames(const TextEffect& effect) {
  std::string names;
  for (const TextParam& p : effect.params) names += std::string(names.empty() ? "" : ", ") + p.name;
  return names;
}

bool SetOne(const TextEffect& effect, const std::string& name, const std::string& text, uint8_t* data,
            std::string* error) {
  const TextParam* p = FindParam(effect, name);
  if (!p) {
    *error = "--set " + name + ": " + effect.alias + " has no parameter '" + name + "' (it has " +
             ParamNames(effect) + ")";
    return false;
  }
  if (p->kind == K::Path) {
    std::string winPath;
    if (!PathValue(*p, text, &winPath, error)) return false;
    std::memset(data + p->offset, 0, kEffectPathSize);
    std::memcpy(data + p->offset, winPath.data(), winPath.size());
    return true;
  }
  int32_t value = 0;
  if (!ParseValue(*p, text, &value, error)) return false;
  StoreValue(*p, value, data);
  return true;
}

}  // namespace

const std::vector<TextEffect>& TextEffectTable() {
  static const std::vector<TextEffect> table = MakeTable();
  return table;
}

int FindTextEffect(const std::string& name) {
  const std::vector<TextEffect>& table = TextEffectTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const TextEffect& e = table[i];
    if (EqualNoCase(name, e.name) || EqualNoCase(name, e.ascii) || EqualNoCase(name, e.alias))
      return static_cast<int>(i);
  }
  return -1;
}

bool ParseHexColour(const std::string& text, uint32_t* rgb) {
  if (text.size() != 7 || text[0] != '#') return false;
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
  if (ec != std::errc() || end != text.data() + 7) return false;
  *rgb = value;
  return true;
}

bool BuildEffectBlock(int effect, const std::vector<std::pair<std::string, std::string>>& sets,
                      std::vector<uint8_t>* block, std::string* error) {
  const std::vector<TextEffect>& table = TextEffectTable();
  if (effect < 0 || effect >= static_cast<int>(table.size())) {
    *error = "no text effect number " + std::to_string(effect);
    return false;
  }
  const TextEffect& e = table[static_cast<size_t>(effect)];
  block->assign(kEffectBlockSize, 0);
  uint8_t* header = block->data();
  PutLong(header + 0, effect);
  PutLong(header + 4, e.margin);
  PutLong(header + 8, e.dataSize);
  PutLong(header + 12, static_cast<int32_t>(kEffectDataOffset));  // the data is present
  uint8_t* data = block->data() + kEffectDataOffset;
  for (const TextParam& p : e.params) StoreValue(p, p.def, data);
  std::vector<const TextParam*> given;
  for (const auto& [name, value] : sets) {
    const TextParam* p = FindParam(e, name);
    if (p && std::find(given.begin(), given.end(), p) != given.end()) {
      *error = "--set " + name + ": the parameter is given twice";
      return false;
    }
    given.push_back(p);
    if (!SetOne(e, name, value, data, error)) return false;
  }
  return true;
}

std::string FormatEffectParam(int effect, const std::string& name, const std::vector<uint8_t>& block) {
  const std::vector<TextEffect>& table = TextEffectTable();
  if (effect < 0 || effect >= static_cast<int>(table.size()) || block.size() != kEffectBlockSize) return "";
  const TextParam* p = FindParam(table[static_cast<size_t>(effect)], name);
  if (!p) return "";
  const uint8_t* at = block.data() + kEffectDataOffset + p->offset;
  switch (p->kind) {
    case K::Byte: return std::to_string(*at);
    case K::Colour: {
      char text[8];
      static const char kHex[] = "0123456789abcdef";
      text[0] = '#';
      for (int i = 0; i < 3; ++i) text[1 + 2 * i] = kHex[at[i] >> 4], text[2 + 2 * i] = kHex[at[i] & 15];
      return std::string(text, 7);
    }
    case K::Path: return std::string(reinterpret_cast<const char*>(at), strnlen(reinterpret_cast<const char*>(at), kEffectPathSize));
    case K::Radio: {
      int32_t v = GetLong(at);
      return v >= kRadioFirst && v <= kRadioLast ? p->choices[static_cast<size_t>(v - kRadioFirst)] : std::to_string(v);
    }
    default: return std::to_string(GetLong(at));
  }
}

std::string DescribeTextEffects() {
  std::string text;
  const std::vector<TextEffect>& table = TextEffectTable();
  for (size_t i = 0; i < table.size(); ++i) {
    const TextEffect& e = table[i];
    std::vector<uint8_t> defaults;
    std::string ignored;
    BuildEffectBlock(static_cast<int>(i), {}, &defaults, &ignored);
    std::string names = std::string(e.name) + (std::strcmp(e.name, e.ascii) ? std::string(", ") + e.ascii : "");
    text += "  " + std::string(e.alias) + " (" + names + ")\n";
    for (const TextParam& p : e.params) {
      std::string line = "    " + std::string(p.name) + "=" + RangeText(p);
      line.resize(std::max<size_t>(line.size() + 2, 34), ' ');
      std::string def = p.kind == K::Path ? "" : ", default " + FormatEffectParam(static_cast<int>(i), p.name, defaults);
      text += line + p.label + def + "\n";
    }
  }
  return text;
}

}  // namespace lvhost

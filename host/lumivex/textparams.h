// The text effects as the host names them: each effect's German name, its
// ASCII form and English alias, its margin and data size, and the named
// parameters of its data (one declaration per parameter: name, place in the
// data, range, default). The `text` command builds its EffectBlock from
// these; the manual lists them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lvhost {

enum class TextParamKind {
  Long,    // 32-bit number within [min, max]
  Byte,    // 8-bit number within [min, max]
  Radio,   // 32-bit control id 1001..1003, named by `choices`
  Flag,    // 32-bit 0 or 1
  Colour,  // three bytes red, green, blue; written #rrggbb
  Path,    // 260-byte file path (a BMP file); empty: the module's bitmap
};

struct TextParam {
  const char* name;   // as given to --set
  const char* label;  // what it means, for the manual
  TextParamKind kind;
  int offset;         // in the effect data (the block's offset 20 onwards)
  int32_t min;
  int32_t max;
  int32_t def;        // numbers, radios, flags; colours as 0xRRGGBB
  std::vector<const char*> choices;  // radio names for 1001, 1002, 1003
};

struct TextEffect {
  const char* name;     // German name as the module shows it (UTF-8)
  const char* ascii;    // the name in ASCII letters (ß as ss)
  const char* alias;    // English alias
  int32_t margin;
  int32_t dataSize;
  std::vector<TextParam> params;
};

// Size of the EffectBlock, the offset of its data, the data word's value
// when the block carries its data, and the size of a path field.
constexpr size_t kEffectBlockSize = 1024;
constexpr size_t kEffectDataOffset = 20;
constexpr int kEffectPathSize = 260;

// The fourteen effects, indexed by effect number.
const std::vector<TextEffect>& TextEffectTable();

// The effect number of a name: German (any case), its ASCII form or the
// English alias; -1 when none fits.
int FindTextEffect(const std::string& name);

// "#rrggbb" as 0xRRGGBB; false for anything else.
bool ParseHexColour(const std::string& text, uint32_t* rgb);

// Builds the 1024-byte EffectBlock of `effect` (0..13): the header (effect,
// margin, data size, data present), the defaults, then each NAME=VALUE in
// order. Path values are Unix paths of existing files, stored as Z: paths.
// False with an error text naming the parameter and what it accepts (or
// that it was given twice); the block is then unusable.
bool BuildEffectBlock(int effect, const std::vector<std::pair<std::string, std::string>>& sets,
                      std::vector<uint8_t>* block, std::string* error);

// The value of a named parameter in a block as --set takes it (for tests and
// the manual); empty for an unknown name.
std::string FormatEffectParam(int effect, const std::string& name, const std::vector<uint8_t>& block);

// The manual's list of effects and their parameters.
std::string DescribeTextEffects();

}  // namespace lvhost

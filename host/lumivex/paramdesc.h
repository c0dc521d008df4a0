// Named parameters: for each plug-in the host knows, a table that names the
// fields of its parameter block, with their kind and range. The table is the
// one place these are declared; --set, the params command and the checks
// before a run all read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lvhost {

enum class ParamKind {
  Integer,  // 32-bit signed number within [min, max]
  Flag,     // 0 or 1
  Colour,   // colour reference 0x00BBGGRR, written as #rrggbb
};

struct ParamDesc {
  const char* name;   // as given to --set
  const char* label;  // what it means, for the manual and the params command
  ParamKind kind;
  size_t offset;      // byte offset of the 32-bit field in the block
  int32_t min;
  int32_t max;
};

typedef std::vector<uint8_t> ParamBlock;

struct ModuleParams {
  const char* module;     // module name, without extension
  size_t blockSize;       // size of the whole parameter block
  std::vector<ParamDesc> params;
  // Recomputes fields derived from the named ones (may be null).
  void (*derive)(ParamBlock& block);
  // Checks rules between fields; false with an error text (may be null).
  bool (*check)(const ParamBlock& block, std::string* error);
};

// The description of a module's parameters (name without extension, any
// case), or null when the host has none for it.
const ModuleParams* FindModuleParams(const std::string& module);

// The 32-bit field at offset (0 when the block is too short).
int32_t GetField(const ParamBlock& block, size_t offset);
void SetField(ParamBlock& block, size_t offset, int32_t value);

// Parses `text` for the parameter (number, 0/1, #rrggbb) and checks its
// range; false with an error text naming the parameter and the range.
bool ParseParamValue(const ParamDesc& desc, const std::string& text, int32_t* value,
                     std::string* error);

// Sets NAME=VALUE in the block; false with an error text when the name is
// unknown (the text lists the known names) or the value is refused.
bool SetNamedValue(const ModuleParams& params, const std::string& name, const std::string& text,
                   ParamBlock& block, std::string* error);

// Checks every named field of the block against its range and the module's
// rules; false with an error text naming the first offending field.
bool CheckBlock(const ModuleParams& params, const ParamBlock& block, std::string* error);

// The field's value as --set would take it (decimal, or #rrggbb for colours).
std::string FormatParamValue(const ParamDesc& desc, const ParamBlock& block);

// Range text for the manual: "1..99", "0 or 1", "#rrggbb".
std::string DescribeRange(const ParamDesc& desc);

}  // namespace lvhost

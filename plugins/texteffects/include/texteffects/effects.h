// What the module knows about each of its fourteen effects: names,
// resources, margins and data sizes, and every parameter of every effect
// declared once (name, place in the data, range, step, default, controls),
// for the defaults, the variations, the dialog pages and the host's named
// parameters alike.
#pragma once

#include <windows.h>

#include <texteffects/params.h>

namespace texfx {

// Per-effect constants.
struct EffectInfo {
  const char* key;      // short name for the host's named parameters
  UINT nameString;      // string id of the German name
  UINT pageDialog;      // dialog id of the parameter page
  UINT thumbnail;       // bitmap id of the 80 x 50 thumbnail
  LONG helpContext;     // help context of the page
  LONG margin;          // padding of the dialog's preview source
  LONG dataSize;        // bytes of effect data
};

// Kinds of parameter fields.
enum class ParamKind {
  kLong,     // 32-bit number with a range (trackbar, edit, spin)
  kByte,     // 8-bit number with a range (edit, spin)
  kRadio,    // 32-bit control id of the chosen radio button
  kFlag,     // 32-bit 0/1 (check box)
  kColour,   // three bytes red, green, blue (colour swatch)
  kHandle,   // 32-bit image buffer at run time, stored as 0
  kPath,     // 260-byte file path (image button)
};

// One parameter of an effect's data.
struct ParamDef {
  const char* name;     // name for the host's named parameters
  ParamKind kind;
  LONG offset;          // in the effect data
  LONG minimum;         // range of numbers, radios and flags
  LONG maximum;
  LONG step;            // trackbar tick frequency and page size
  LONG defaultValue;    // numbers, radios, flags; colours as 0x00BBGGRR
  int trackbar;         // control ids on the page (0: none)
  int edit;
  int spin;
};

// The effect's parameters (count in *count), or NULL for an effect number
// outside 0..13.
const ParamDef* EffectParams(LONG effect, int* count);
// The effect's constants, or NULL for an effect number outside 0..13.
const EffectInfo* FindEffect(LONG effect);

// Writes the defaults of `effect` into data (dataSize bytes of the effect,
// zero between fields). FALSE for an unknown effect, data left untouched.
BOOL WriteDefaultData(LONG effect, BYTE* data);

// A parameter's value read from effect data (colours as 0x00BBGGRR,
// handles as their number, paths as 0).
LONG ReadParam(const ParamDef& def, const BYTE* data);
// Stores a value into effect data (numbers as the field's width holds them,
// colours from 0x00BBGGRR). Paths are not written.
void WriteParam(const ParamDef& def, LONG value, BYTE* data);
// The parameter named `name` of an effect, or NULL.
const ParamDef* FindParam(LONG effect, const char* name);

// Holds every number of the effect's data inside its declared range
// (radio values outside theirs take the default), so a stored block with
// wild values cannot make a run huge or slow. Unknown effects are left.
void ClampToRanges(LONG effect, BYTE* data);

// Fills block with the module's default block: header {effect 0, margin 0,
// dataSize 16, data 0, pageProc 0}, no data, the rest zero.
void MakeDefaultBlock(EffectBlock* block);
// When the block's data word is 0, writes the defaults of its effect at
// offset 20 (bytes past the effect's data cleared) and sets the data word.
// FALSE for an effect number outside 0..13 (block untouched).
BOOL CompleteBlock(EffectBlock* block);

}  // namespace texfx

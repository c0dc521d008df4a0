// The fourteen effects' constants and parameter declarations, their
// defaults and the default block.
#include <texteffects/effects.h>

#include <cstring>

#include "resources/resource.h"

namespace texfx {

namespace {

using K = ParamKind;

constexpr LONG Rgb(int r, int g, int b) { return RGB(r, g, b); }

// The light direction shared by several effects: degrees with 45-degree steps.
#define LIGHT_DIRECTION(offset, track, edit, spin) \
  {"lightDirection", K::kLong, offset, 0, 359, 45, 45, track, edit, spin}

const ParamDef kGradientParams[] = {
    {"style", K::kRadio, offsetof(GradientData, style), kRadioFirst, kRadioLast, 1, 1001, 0, 0, 0},
    {"startOpacity", K::kByte, offsetof(GradientData, startOpacity), 0, 255, 10, 255, 0, 2001, 3001},
    {"endOpacity", K::kByte, offsetof(GradientData, endOpacity), 0, 255, 10, 0, 0, 2002, 3002},
    {"recolour", K::kFlag, offsetof(GradientData, recolour), 0, 1, 1, 0, 0, 0, 0},
    {"fillColour", K::kColour, offsetof(GradientData, fillColour), 0, 0, 0, Rgb(255, 0, 0), 0, 0, 0},
};

const ParamDef kHoleParams[] = {
    {"size", K::kLong, offsetof(HoleData, size), 1, 100, 10, 50, 5001, 2001, 3001},
    {"variation", K::kLong, offsetof(HoleData, variation), 0, 100, 10, 0, 5002, 2002, 3002},
    {"invert", K::kFlag, offsetof(HoleData, invert), 0, 1, 1, 0, 0, 0, 0},
    {"fill", K::kFlag, offsetof(HoleData, fill), 0, 1, 1, 1, 0, 0, 0},
    {"fillColour", K::kColour, offsetof(HoleData, fillColour), 0, 0, 0, Rgb(0, 0, 0), 0, 0, 0},
    {"shapeImage", K::kHandle, offsetof(HoleData, shapeImage), 0, 0, 0, 0, 0, 0, 0},
    {"shapePath", K::kPath, offsetof(HoleData, shapePath), 0, 0, 0, 0, 0, 0, 0},
};

const ParamDef kGlassParams[] = {
    {"reflection", K::kLong, offsetof(GlassData, reflection), 1, 4, 1, 2, 5001, 2001, 3001},
    {"flakiness", K::kLong, offsetof(GlassData, flakiness), 1, 20, 2, 5, 5002, 2002, 3002},
    {"colour", K::kColour, offsetof(GlassData, colour), 0, 0, 0, Rgb(0, 255, 0), 0, 0, 0},
};

const ParamDef kMetalParams[] = {
    {"reflection", K::kLong, offsetof(MetalData, reflection), 1, 4, 1, 2, 5001, 2001, 3001},
    {"flakiness", K::kLong, offsetof(MetalData, flakiness), 1, 20, 2, 5, 5002, 2002, 3002},
};

const ParamDef kReliefParams[] = {
    {"thickness", K::kLong, offsetof(ReliefData, thickness), 1, 10, 1, 2, 5001, 2001, 3001},
    {"amount", K::kLong, offsetof(ReliefData, amount), 1, 50, 10, 20, 5002, 2002, 3002},
    LIGHT_DIRECTION(offsetof(ReliefData, lightDirection), 5003, 2003, 3003),
    {"profile", K::kRadio, offsetof(ReliefData, profile), kRadioFirst, kRadioLast, 1, 1001, 0, 0, 0},
};

const ParamDef kReliefOutlineParams[] = {
    {"thickness", K::kLong, offsetof(ReliefOutlineData, thickness), 1, 10, 1, 2, 5001, 2001, 3001},
    {"amount", K::kLong, offsetof(ReliefOutlineData, amount), 1, 50, 10, 20, 5002, 2002, 3002},
    LIGHT_DIRECTION(offsetof(ReliefOutlineData, lightDirection), 5003, 2003, 3003),
};

const ParamDef kReliefTextureParams[] = {
    {"textureSize", K::kLong, offsetof(ReliefTextureData, textureSize), 1, 100, 10, 100, 5001, 2001, 3001},
    {"transparency", K::kLong, offsetof(ReliefTextureData, transparency), 0, 100, 10, 1, 5002, 2002, 3002},
    {"amount", K::kLong, offsetof(ReliefTextureData, amount), 1, 50, 10, 10, 5003, 2003, 3003},
    {"textureImage", K::kHandle, offsetof(ReliefTextureData, textureImage), 0, 0, 0, 0, 0, 0, 0},
    {"texturePath", K::kPath, offsetof(ReliefTextureData, texturePath), 0, 0, 0, 0, 0, 0, 0},
};

const ParamDef kConcreteParams[] = {
    {"roughness", K::kLong, offsetof(ConcreteData, roughness), 1, 20, 2, 5, 5001, 2001, 3001},
    LIGHT_DIRECTION(offsetof(ConcreteData, lightDirection), 5002, 2002, 3002),
    {"colour", K::kColour, offsetof(ConcreteData, colour), 0, 0, 0, Rgb(255, 255, 0), 0, 0, 0},
};

const ParamDef kSandParams[] = {
    {"roughness", K::kLong, offsetof(SandData, roughness), 1, 20, 2, 3, 5001, 2001, 3001},
    LIGHT_DIRECTION(offsetof(SandData, lightDirection), 5002, 2002, 3002),
};

const ParamDef kFlashParams[] = {
    {"elevation", K::kLong, offsetof(FlashData, elevation), 1, 100, 10, 1, 5001, 2001, 3001},
    LIGHT_DIRECTION(offsetof(FlashData, lightDirection), 5002, 2002, 3002),
    {"lightColour", K::kColour, offsetof(FlashData, lightColour), 0, 0, 0, Rgb(255, 255, 0), 0, 0, 0},
    {"objectColour", K::kColour, offsetof(FlashData, objectColour), 0, 0, 0, Rgb(255, 255, 255), 0, 0, 0},
    {"bumpMap", K::kFlag, offsetof(FlashData, bumpMap), 0, 1, 1, 0, 0, 0, 0},
    {"bumpImage", K::kHandle, offsetof(FlashData, bumpImage), 0, 0, 0, 0, 0, 0, 0},
    {"bumpPath", K::kPath, offsetof(FlashData, bumpPath), 0, 0, 0, 0, 0, 0, 0},
};

const ParamDef kFireParams[] = {
    {"innerColour", K::kColour, offsetof(FlameData, innerColour), 0, 0, 0, Rgb(255, 255, 0), 0, 0, 0},
    {"middleColour", K::kColour, offsetof(FlameData, middleColour), 0, 0, 0, Rgb(255, 128, 0), 0, 0, 0},
    {"outerColour", K::kColour, offsetof(FlameData, outerColour), 0, 0, 0, Rgb(255, 0, 0), 0, 0, 0},
    {"strength", K::kLong, offsetof(FlameData, strength), 1, 10, 1, 5, 5001, 2001, 3001},
};

const ParamDef kSnowParams[] = {
    {"innerColour", K::kColour, offsetof(FlameData, innerColour), 0, 0, 0, Rgb(255, 255, 255), 0, 0, 0},
    {"middleColour", K::kColour, offsetof(FlameData, middleColour), 0, 0, 0, Rgb(192, 192, 192), 0, 0, 0},
    {"outerColour", K::kColour, offsetof(FlameData, outerColour), 0, 0, 0, Rgb(128, 128, 128), 0, 0, 0},
    {"strength", K::kLong, offsetof(FlameData, strength), 1, 10, 1, 5, 5001, 2001, 3001},
};

const ParamDef kNeonParams[] = {
    {"colour", K::kColour, offsetof(NeonData, colour), 0, 0, 0, Rgb(255, 0, 255), 0, 0, 0},
    {"side", K::kRadio, offsetof(NeonData, side), kRadioFirst, kRadioLast, 1, 1001, 0, 0, 0},
    {"width", K::kLong, offsetof(NeonData, width), 1, 100, 10, 10, 5001, 2001, 3001},
};

const ParamDef kSealParams[] = {
    {"colour", K::kColour, offsetof(SealData, colour), 0, 0, 0, Rgb(255, 0, 0), 0, 0, 0},
    {"pressure", K::kLong, offsetof(SealData, pressure), 0, 100, 10, 20, 5001, 2001, 3001},
};

#undef LIGHT_DIRECTION

struct EffectEntry {
  EffectInfo info;
  const ParamDef* params;
  int count;
};

#define PARAMS(table) table, static_cast<int>(sizeof table / sizeof table[0])

const EffectEntry kEffects[kEffectCount] = {
    {{"gradient", IDS_EFFECT_FIRST + 0, IDD_PAGE_FIRST + 0, IDB_THUMB_FIRST + 0, 1007, 0, 16},
     PARAMS(kGradientParams)},
    {{"hole", IDS_EFFECT_FIRST + 1, IDD_PAGE_FIRST + 1, IDB_THUMB_FIRST + 1, 1023, 0, 284},
     PARAMS(kHoleParams)},
    {{"glass", IDS_EFFECT_FIRST + 2, IDD_PAGE_FIRST + 2, IDB_THUMB_FIRST + 2, 1024, 20, 12},
     PARAMS(kGlassParams)},
    {{"metal", IDS_EFFECT_FIRST + 3, IDD_PAGE_FIRST + 3, IDB_THUMB_FIRST + 3, 1025, 20, 8},
     PARAMS(kMetalParams)},
    {{"relief", IDS_EFFECT_FIRST + 4, IDD_PAGE_FIRST + 4, IDB_THUMB_FIRST + 4, 1026, 10, 16},
     PARAMS(kReliefParams)},
    {{"reliefOutline", IDS_EFFECT_FIRST + 5, IDD_PAGE_FIRST + 5, IDB_THUMB_FIRST + 5, 1027, 10, 12},
     PARAMS(kReliefOutlineParams)},
    {{"reliefTexture", IDS_EFFECT_FIRST + 6, IDD_PAGE_FIRST + 6, IDB_THUMB_FIRST + 6, 1028, 1, 276},
     PARAMS(kReliefTextureParams)},
    {{"concrete", IDS_EFFECT_FIRST + 7, IDD_PAGE_FIRST + 7, IDB_THUMB_FIRST + 7, 1029, 20, 12},
     PARAMS(kConcreteParams)},
    {{"sand", IDS_EFFECT_FIRST + 8, IDD_PAGE_FIRST + 8, IDB_THUMB_FIRST + 8, 1030, 20, 8},
     PARAMS(kSandParams)},
    {{"flash", IDS_EFFECT_FIRST + 9, IDD_PAGE_FIRST + 9, IDB_THUMB_FIRST + 9, 1031, 12, 284},
     PARAMS(kFlashParams)},
    {{"fire", IDS_EFFECT_FIRST + 10, IDD_PAGE_FIRST + 10, IDB_THUMB_FIRST + 10, 1032, 100, 16},
     PARAMS(kFireParams)},
    {{"snow", IDS_EFFECT_FIRST + 11, IDD_PAGE_FIRST + 11, IDB_THUMB_FIRST + 11, 1033, 100, 16},
     PARAMS(kSnowParams)},
    {{"neon", IDS_EFFECT_FIRST + 12, IDD_PAGE_FIRST + 12, IDB_THUMB_FIRST + 12, 1034, 100, 12},
     PARAMS(kNeonParams)},
    {{"seal", IDS_EFFECT_FIRST + 13, IDD_PAGE_FIRST + 13, IDB_THUMB_FIRST + 13, 1035, 8, 8},
     PARAMS(kSealParams)},
};

#undef PARAMS

static_assert(sizeof(GradientData) == 16 && sizeof(HoleData) == 284 && sizeof(GlassData) == 12 &&
              sizeof(MetalData) == 8 && sizeof(ReliefData) == 16 &&
              sizeof(ReliefOutlineData) == 12 && sizeof(ReliefTextureData) == 276 &&
              sizeof(ConcreteData) == 12 && sizeof(SandData) == 8 && sizeof(FlashData) == 284 &&
              sizeof(FlameData) == 16 && sizeof(NeonData) == 12 && sizeof(SealData) == 8);

bool KnownEffect(LONG effect) { return effect >= 0 && effect < kEffectCount; }

}  // namespace

const EffectInfo* FindEffect(LONG effect) {
  return KnownEffect(effect) ? &kEffects[effect].info : nullptr;
}

const ParamDef* EffectParams(LONG effect, int* count) {
  if (!KnownEffect(effect)) {
    if (count) *count = 0;
    return nullptr;
  }
  if (count) *count = kEffects[effect].count;
  return kEffects[effect].params;
}

const ParamDef* FindParam(LONG effect, const char* name) {
  int count = 0;
  const ParamDef* params = EffectParams(effect, &count);
  for (int i = 0; i < count && name; ++i)
    if (std::strcmp(params[i].name, name) == 0) return &params[i];
  return nullptr;
}

LONG ReadParam(const ParamDef& def, const BYTE* data) {
  const BYTE* field = data + def.offset;
  switch (def.kind) {
    case ParamKind::kByte:
      return field[0];
    case ParamKind::kColour:
      return RGB(field[0], field[1], field[2]);
    case ParamKind::kPath:
      return 0;
    default: {
      LONG value = 0;
      std::memcpy(&value, field, sizeof value);
      return value;
    }
  }
}

void WriteParam(const ParamDef& def, LONG value, BYTE* data) {
  BYTE* field = data + def.offset;
  switch (def.kind) {
    case ParamKind::kByte:
      field[0] = static_cast<BYTE>(value);
      break;
    case ParamKind::kColour:
      field[0] = GetRValue(value);
      field[1] = GetGValue(value);
      field[2] = GetBValue(value);
      break;
    case ParamKind::kPath:
      break;
    default:
      std::memcpy(field, &value, sizeof value);
      break;
  }
}

BOOL WriteDefaultData(LONG effect, BYTE* data) {
  if (!KnownEffect(effect) || !data) return FALSE;
  const EffectEntry& entry = kEffects[effect];
  std::memset(data, 0, static_cast<size_t>(entry.info.dataSize));
  for (int i = 0; i < entry.count; ++i) WriteParam(entry.params[i], entry.params[i].defaultValue, data);
  return TRUE;
}

void ClampToRanges(LONG effect, BYTE* data) {
  int count = 0;
  const ParamDef* params = EffectParams(effect, &count);
  for (int i = 0; i < count; ++i) {
    const ParamDef& def = params[i];
    if (def.kind != ParamKind::kLong && def.kind != ParamKind::kByte &&
        def.kind != ParamKind::kRadio)
      continue;
    const LONG value = ReadParam(def, data);
    if (value >= def.minimum && value <= def.maximum) continue;
    LONG held = value < def.minimum ? def.minimum : def.maximum;
    if (def.kind == ParamKind::kRadio) held = def.defaultValue;
    WriteParam(def, held, data);
  }
}

void MakeDefaultBlock(EffectBlock* block) {
  std::memset(block, 0, sizeof *block);
  block->header.effect = kGradient;
  block->header.margin = kEffects[kGradient].info.margin;
  block->header.dataSize = kEffects[kGradient].info.dataSize;
}

BOOL CompleteBlock(EffectBlock* block) {
  if (!block || !KnownEffect(block->header.effect)) return FALSE;
  if (block->header.data != 0) return TRUE;
  std::memset(block->data, 0, sizeof block->data);
  WriteDefaultData(block->header.effect, block->data);
  block->header.data = kDataPresent;
  return TRUE;
}

}  // namespace texfx

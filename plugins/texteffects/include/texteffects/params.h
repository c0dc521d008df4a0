// The text effects' parameter records: the 1024-byte EffectBlock the host
// keeps as a style, its 20-byte header, and the data record of each of the
// fourteen effects with its fields at fixed offsets. Every record here is
// stored by the host and keeps its byte layout (little-endian, 32-bit
// words); colours are three bytes red, green, blue.
#pragma once

#include <windows.h>

#include <cstddef>

namespace texfx {

// Effect numbers (also the index into every per-effect table).
enum EffectType : LONG {
  kGradient = 0,        // "Farbverlauf"
  kHole = 1,            // "Loch"
  kGlass = 2,           // "Glas"
  kMetal = 3,           // "Metall"
  kRelief = 4,          // "Relief"
  kReliefOutline = 5,   // "Relief-Umriß"
  kReliefTexture = 6,   // "Relief-Textur"
  kConcrete = 7,        // "Konkret"
  kSand = 8,            // "Sand"
  kFlash = 9,           // "Blitz"
  kFire = 10,           // "Feuer"
  kSnow = 11,           // "Schnee"
  kNeon = 12,           // "Neon"
  kSeal = 13,           // "Siegel"
};
constexpr LONG kEffectCount = 14;

// Header in front of every effect's data (20 bytes).
struct EffectHeader {
  LONG effect;     // 0: EffectType
  LONG margin;     // 4: pixels the dialog pads the preview source by
  LONG dataSize;   // 8: bytes of effect data
  DWORD data;      // 12: 0 = the block carries no data; otherwise the data
                   //     lies at the block's offset 20 (the stored value
                   //     is only a flag, never followed as a pointer)
  DWORD pageProc;  // 16: run-time value of the host, meaningless once stored
};
static_assert(sizeof(EffectHeader) == 20);
static_assert(offsetof(EffectHeader, effect) == 0);
static_assert(offsetof(EffectHeader, margin) == 4);
static_assert(offsetof(EffectHeader, dataSize) == 8);
static_assert(offsetof(EffectHeader, data) == 12);
static_assert(offsetof(EffectHeader, pageProc) == 16);

constexpr LONG kBlockSize = 1024;
constexpr LONG kDataOffset = 20;
constexpr LONG kMaxDataSize = kBlockSize - kDataOffset;
// Value the module writes into `data` when the block carries its data.
constexpr DWORD kDataPresent = kDataOffset;

// The parameter block the host keeps as a style (1024 bytes): the header,
// the effect data at offset 20, zero after it.
struct EffectBlock {
  EffectHeader header;
  BYTE data[kMaxDataSize];
};
static_assert(sizeof(EffectBlock) == kBlockSize);
static_assert(offsetof(EffectBlock, data) == kDataOffset);

// Radio values are the control identifiers of the chosen button.
constexpr LONG kRadioFirst = 1001;
constexpr LONG kRadioLast = 1003;

// Shape and texture file paths.
constexpr int kPathSize = 260;

// 0 "Farbverlauf" (16 bytes).
struct GradientData {
  LONG style;            // 0: 1001 linear, 1002 rectangular, 1003 elliptical
  BYTE startOpacity;     // 4
  BYTE endOpacity;       // 5
  BYTE unused6[2];
  LONG recolour;         // 8: 0/1 fill the image with fillColour
  BYTE fillColour[3];    // 12: red, green, blue
  BYTE unused15;
};
static_assert(sizeof(GradientData) == 16);
static_assert(offsetof(GradientData, startOpacity) == 4);
static_assert(offsetof(GradientData, endOpacity) == 5);
static_assert(offsetof(GradientData, recolour) == 8);
static_assert(offsetof(GradientData, fillColour) == 12);

// 1 "Loch" (284 bytes).
struct HoleData {
  LONG size;             // 0: tile size in percent, 1..100
  LONG variation;        // 4: random tile offset in percent, 0..100
  LONG invert;           // 8: 0/1
  LONG fill;             // 12: 0/1 fill the image with fillColour
  BYTE fillColour[3];    // 16
  BYTE unused19;
  DWORD shapeImage;      // 20: image buffer at run time, 0 when stored
  char shapePath[kPathSize];  // 24: empty = the module's bitmap 124
};
static_assert(sizeof(HoleData) == 284);
static_assert(offsetof(HoleData, variation) == 4);
static_assert(offsetof(HoleData, invert) == 8);
static_assert(offsetof(HoleData, fill) == 12);
static_assert(offsetof(HoleData, fillColour) == 16);
static_assert(offsetof(HoleData, shapeImage) == 20);
static_assert(offsetof(HoleData, shapePath) == 24);

// 2 "Glas" (12 bytes).
struct GlassData {
  LONG reflection;       // 0: 1..4
  LONG flakiness;        // 4: 1..20
  BYTE colour[3];        // 8
  BYTE unused11;
};
static_assert(sizeof(GlassData) == 12);
static_assert(offsetof(GlassData, flakiness) == 4);
static_assert(offsetof(GlassData, colour) == 8);

// 3 "Metall" (8 bytes).
struct MetalData {
  LONG reflection;       // 0: 1..4
  LONG flakiness;        // 4: 1..20
};
static_assert(sizeof(MetalData) == 8);

// 4 "Relief" (16 bytes).
struct ReliefData {
  LONG thickness;        // 0: 1..10
  LONG amount;           // 4: 1..50
  LONG lightDirection;   // 8: degrees 0..359
  LONG profile;          // 12: 1001 smooth, 1002 plateau, 1003 steep
};
static_assert(sizeof(ReliefData) == 16);
static_assert(offsetof(ReliefData, lightDirection) == 8);
static_assert(offsetof(ReliefData, profile) == 12);

// 5 "Relief-Umriß" (12 bytes).
struct ReliefOutlineData {
  LONG thickness;        // 0: 1..10
  LONG amount;           // 4: 1..50
  LONG lightDirection;   // 8: 0..359
};
static_assert(sizeof(ReliefOutlineData) == 12);

// 6 "Relief-Textur" (276 bytes).
struct ReliefTextureData {
  LONG textureSize;      // 0: percent 1..100
  LONG transparency;     // 4: percent 0..100
  LONG amount;           // 8: 1..50
  DWORD textureImage;    // 12: image buffer at run time, 0 when stored
  char texturePath[kPathSize];  // 16: empty = the module's bitmap 125
};
static_assert(sizeof(ReliefTextureData) == 276);
static_assert(offsetof(ReliefTextureData, textureImage) == 12);
static_assert(offsetof(ReliefTextureData, texturePath) == 16);

// 7 "Konkret" (12 bytes).
struct ConcreteData {
  LONG roughness;        // 0: 1..20
  LONG lightDirection;   // 4: 0..359
  BYTE colour[3];        // 8
  BYTE unused11;
};
static_assert(sizeof(ConcreteData) == 12);
static_assert(offsetof(ConcreteData, colour) == 8);

// 8 "Sand" (8 bytes).
struct SandData {
  LONG roughness;        // 0: 1..20
  LONG lightDirection;   // 4: 0..359
};
static_assert(sizeof(SandData) == 8);

// 9 "Blitz" (284 bytes).
struct FlashData {
  LONG elevation;        // 0: 1..100
  LONG lightDirection;   // 4: 0..359
  BYTE lightColour[3];   // 8
  BYTE objectColour[3];  // 11
  BYTE unused14[2];
  LONG bumpMap;          // 16: 0/1
  DWORD bumpImage;       // 20: image buffer at run time, 0 when stored
  char bumpPath[kPathSize];  // 24: empty = the module's bitmap 125
};
static_assert(sizeof(FlashData) == 284);
static_assert(offsetof(FlashData, lightColour) == 8);
static_assert(offsetof(FlashData, objectColour) == 11);
static_assert(offsetof(FlashData, bumpMap) == 16);
static_assert(offsetof(FlashData, bumpImage) == 20);
static_assert(offsetof(FlashData, bumpPath) == 24);

// 10 "Feuer" and 11 "Schnee" (16 bytes).
struct FlameData {
  BYTE innerColour[3];   // 0
  BYTE middleColour[3];  // 3
  BYTE outerColour[3];   // 6
  BYTE unused9[3];
  LONG strength;         // 12: 1..10
};
static_assert(sizeof(FlameData) == 16);
static_assert(offsetof(FlameData, middleColour) == 3);
static_assert(offsetof(FlameData, outerColour) == 6);
static_assert(offsetof(FlameData, strength) == 12);

// 12 "Neon" (12 bytes).
struct NeonData {
  BYTE colour[3];        // 0
  BYTE unused3;
  LONG side;             // 4: 1001 inside, 1002 outside, 1003 both
  LONG width;            // 8: 1..100
};
static_assert(sizeof(NeonData) == 12);
static_assert(offsetof(NeonData, side) == 4);
static_assert(offsetof(NeonData, width) == 8);

// 13 "Siegel" (8 bytes).
struct SealData {
  BYTE colour[3];        // 0
  BYTE unused3;
  LONG pressure;         // 4: percent 0..100
};
static_assert(sizeof(SealData) == 8);
static_assert(offsetof(SealData, pressure) == 4);

// Data records read from a block's offset 20 (the block outlives the view).
template <typename Data>
Data* DataOf(EffectBlock* block) {
  static_assert(sizeof(Data) <= kMaxDataSize);
  return reinterpret_cast<Data*>(block->data);
}
template <typename Data>
const Data* DataOf(const EffectBlock* block) {
  return reinterpret_cast<const Data*>(block->data);
}

}  // namespace texfx

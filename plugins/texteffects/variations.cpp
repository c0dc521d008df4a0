// Variations of a parameter block: one or two parameters stepped around
// their current values.
#include "variations.h"

#include <texteffects/effects.h>

#include <cstring>

namespace texfx {

namespace {

// How one axis of the variations is varied.
enum class Axis {
  kNone,       // only one varied parameter
  kStepped,    // VaryValue with step and bounds
  kDirection,  // VaryDirection
  kSide,       // the three radio values 1001..1003
};

struct AxisRule {
  Axis axis;
  const char* param;  // name of the parameter (see effects.cpp)
  LONG step, lower, upper;
};

struct VariationRule {
  AxisRule rows;
  AxisRule columns;
};

constexpr AxisRule kNoAxis = {Axis::kNone, nullptr, 0, 0, 0};
constexpr AxisRule Direction() { return {Axis::kDirection, "lightDirection", 0, 0, 0}; }

const VariationRule kRules[kEffectCount] = {
    {{Axis::kStepped, "startOpacity", 50, 50, 205}, {Axis::kStepped, "endOpacity", 50, 50, 205}},
    {{Axis::kStepped, "variation", 20, 20, 80}, {Axis::kStepped, "size", 20, 21, 80}},
    {{Axis::kStepped, "reflection", 1, 2, 3}, {Axis::kStepped, "flakiness", 3, 6, 17}},
    {{Axis::kStepped, "reflection", 1, 2, 3}, {Axis::kStepped, "flakiness", 3, 6, 17}},
    {{Axis::kStepped, "thickness", 2, 3, 8}, Direction()},
    {{Axis::kStepped, "thickness", 2, 3, 8}, Direction()},
    {{Axis::kStepped, "transparency", 20, 20, 80}, kNoAxis},
    {{Axis::kStepped, "roughness", 2, 3, 8}, Direction()},
    {{Axis::kStepped, "roughness", 2, 3, 8}, Direction()},
    {{Axis::kStepped, "elevation", 20, 21, 80}, Direction()},
    {{Axis::kStepped, "strength", 2, 3, 8}, kNoAxis},
    {{Axis::kStepped, "strength", 2, 3, 8}, kNoAxis},
    {{Axis::kSide, "side", 0, 0, 0}, {Axis::kStepped, "width", 20, 21, 80}},
    {{Axis::kStepped, "pressure", 20, 20, 80}, kNoAxis},
};

// The three values of one axis for the current data and v's position.
void VaryAxis(LONG effect, const AxisRule& rule, const BYTE* data, LONG values[3],
              LONG* position) {
  const ParamDef* def = FindParam(effect, rule.param);
  const LONG v = def ? ReadParam(*def, data) : 0;
  switch (rule.axis) {
    case Axis::kStepped:
      VaryValue(v, rule.step, rule.lower, rule.upper, values, position);
      break;
    case Axis::kDirection:
      VaryDirection(v, values, position);
      break;
    case Axis::kSide:
      for (LONG i = 0; i < 3; ++i) values[i] = kRadioFirst + i;
      // A side outside the three radio values matches none of them; the
      // first is named then, so the index stays inside the array.
      *position = (v >= kRadioFirst && v <= kRadioLast) ? v - kRadioFirst : 0;
      break;
    case Axis::kNone:
      values[0] = values[1] = values[2] = 0;
      *position = 0;
      break;
  }
}

void Store(LONG effect, const AxisRule& rule, LONG value, BYTE* data) {
  if (rule.axis == Axis::kNone) return;
  if (const ParamDef* def = FindParam(effect, rule.param)) WriteParam(*def, value, data);
}

}  // namespace

void VaryValue(LONG v, LONG step, LONG lower, LONG upper, LONG values[3], LONG* position) {
  LONG w = v;
  *position = 1;
  if (v < lower) {
    w = v + step;
    *position = 0;
  } else if (v > upper) {
    w = v - step;
    *position = 2;
  }
  values[0] = w - step;
  values[1] = w;
  values[2] = w + step;
}

void VaryDirection(LONG d, LONG values[3], LONG* position) {
  // A stored direction outside 0..359 still gives neighbours inside it.
  const LONG normal = ((d % 360) + 360) % 360;
  values[0] = (normal + 315) % 360;
  values[1] = d;
  values[2] = (normal + 45) % 360;
  *position = 1;
}

LONG VariationCount(LONG effect) {
  if (effect < 0 || effect >= kEffectCount) return 0;
  return kRules[effect].columns.axis == Axis::kNone ? 3 : 9;
}

LONG MakeVariations(const EffectBlock& block, EffectBlock* out) {
  const LONG effect = block.header.effect;
  if (effect < 0 || effect >= kEffectCount) return 0;
  EffectBlock source = block;
  CompleteBlock(&source);
  source.header.data = kDataPresent;

  const VariationRule& rule = kRules[effect];
  LONG rowValues[3], columnValues[3], rowPosition = 0, columnPosition = 0;
  VaryAxis(effect, rule.rows, source.data, rowValues, &rowPosition);
  VaryAxis(effect, rule.columns, source.data, columnValues, &columnPosition);

  if (rule.columns.axis == Axis::kNone) {
    for (int i = 0; i < 3; ++i) {
      out[i] = source;
      Store(effect, rule.rows, rowValues[i], out[i].data);
    }
    return rowPosition;
  }
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      EffectBlock& variation = out[row * 3 + column];
      variation = source;
      Store(effect, rule.rows, rowValues[row], variation.data);
      Store(effect, rule.columns, columnValues[column], variation.data);
    }
  }
  return 3 * rowPosition + columnPosition;
}

}  // namespace texfx

// The dispatcher: the renderer of each effect number.
#include "renderers.h"

namespace texfx {

namespace {

// Effects 7 and 9 have no renderer in this build yet.
const Renderer kRenderers[kEffectCount] = {
    RenderGradient, RenderHole, RenderGlass, RenderMetal, RenderRelief, RenderReliefOutline,
    RenderReliefTexture, nullptr, RenderSand, nullptr, RenderFire, RenderSnow, RenderNeon,
    RenderSeal,
};

}  // namespace

Renderer FindRenderer(LONG effect) {
  if (effect < 0 || effect >= kEffectCount) return nullptr;
  return kRenderers[effect];
}

}  // namespace texfx

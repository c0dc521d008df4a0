// The dispatcher: the renderer of each effect number.
#include "renderers.h"

namespace texfx {

namespace {

// Every effect has its renderer.
const Renderer kRenderers[kEffectCount] = {
    RenderGradient, RenderHole, RenderGlass, RenderMetal, RenderRelief, RenderReliefOutline,
    RenderReliefTexture, RenderConcrete, RenderSand, RenderFlash, RenderFire, RenderSnow,
    RenderNeon, RenderSeal,
};

}  // namespace

Renderer FindRenderer(LONG effect) {
  if (effect < 0 || effect >= kEffectCount) return nullptr;
  return kRenderers[effect];
}

}  // namespace texfx

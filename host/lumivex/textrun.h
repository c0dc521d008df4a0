// The host's side of a text-effects run: the module and its three entry
// points, the progress link with the host's notification procedure (object
// count, shared target record, target list and descriptions, results), and
// the results turned back into objects.
#pragma once

#include <windows.h>

#include <texteffects/records.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "textcompose.h"

namespace lvhost {

// The text-effects module loaded from the modules folder.
class TextEffectsModule {
 public:
  TextEffectsModule() = default;
  TextEffectsModule(const TextEffectsModule&) = delete;
  TextEffectsModule& operator=(const TextEffectsModule&) = delete;
  ~TextEffectsModule();

  // Loads texteffects.tpi from ModulesFolder() and binds its entry points.
  // False with an error text.
  bool Load(std::string* error);

  // TavikPlugInAction on the host's record.
  LONG Action(texfx::PlugInRecord* record) const { return action_(0, record); }

  // The variations of `block` (TavikPlugInAskStyler): every variation's
  // block, and the index of the one equal to `block`. False with an error
  // text when the module offers none or answers out of bounds.
  bool Variations(const std::vector<uint8_t>& block, std::vector<std::vector<uint8_t>>* variations, int* current,
                  std::string* error) const;

 private:
  HMODULE module_ = 0;
  texfx::TavikGetInfoProc getInfo_ = nullptr;
  texfx::TavikActionProc action_ = nullptr;
  texfx::TavikAskStylerProc askStyler_ = nullptr;
};

// Most objects one run takes.
constexpr size_t kMaxRunObjects = 256;

// What a run needs besides the module: the block (kEffectBlockSize bytes),
// the objects at their positions, the base image they lie on (may be null)
// and the colour of padding outside it (0xRRGGBB).
struct TextRunInput {
  const std::vector<uint8_t>* block = nullptr;
  const std::vector<ObjectImage>* objects = nullptr;
  const Image* base = nullptr;
  uint32_t background = 0xffffff;
};

// Runs the effect without dialog (flag 0x2) on every object, one object by
// the record's own buffers, several by the host's target lists. On success
// `results` holds each object's new colour and mask at its new position, in
// the objects' order, and the status is 0. Otherwise the status is the exit
// status (1 cancelled, 3 the module failed) and error the reason, taken
// from the host's error slot where the module put one.
int RunTextEffect(const TextEffectsModule& module, const TextRunInput& input, std::vector<ObjectImage>* results,
                  std::string* error);

}  // namespace lvhost

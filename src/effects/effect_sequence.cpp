#include "effects/effect_sequence.h"

namespace quillstone {

void ApplyEffectCall(RasterImage& image, const EffectCall& call) {
  ApplyEffectCalls(image, std::span<const EffectCall>(&call, 1));
}

void ApplyEffectSequence(RasterImage& image, const EffectSequence& sequence) {
  ApplyEffectCalls(image, sequence.Calls());
}

}  // namespace quillstone

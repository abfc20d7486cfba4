#include "effects/effect_sequence.h"

#include "effects/image_effects.h"

namespace quillstone {

void ApplyEffectCall(RasterImage& image, const EffectCall& call) {
  switch (call.primitive) {
    case EffectPrimitive::kChannelFill:
      ChannelFillEffect(image, call.value);
      break;
    case EffectPrimitive::kInvert:
      InvertEffect(image, call.value);
      break;
    case EffectPrimitive::kColumnStripeNegative:
      ColumnStripeNegative(image, call.value, call.bandWidth);
      break;
    case EffectPrimitive::kRowStripeNegative:
      RowStripeNegative(image, call.value, call.bandWidth);
      break;
    case EffectPrimitive::kContrast:
      ContrastEffect(image, call.value);
      break;
    case EffectPrimitive::kSaturation:
      SaturationEffect(image, call.value);
      break;
    case EffectPrimitive::kSmooth:
      SmoothEffect(image);
      break;
    case EffectPrimitive::kMosaic:
      MosaicEffect(image, call.value);
      break;
    case EffectPrimitive::kEmboss:
      EmbossEffect(image);
      break;
    case EffectPrimitive::kSolarize:
      SolarizeEffect(image, call.value);
      break;
    case EffectPrimitive::kAverage:
      AverageEffect(image, call.value);
      break;
    case EffectPrimitive::kBrightness:
      BrightnessEffect(image, call.value);
      break;
  }
}

void ApplyEffectSequence(RasterImage& image, const EffectSequence& sequence) {
  for (const EffectCall& call : sequence.Calls()) ApplyEffectCall(image, call);
}

}  // namespace quillstone

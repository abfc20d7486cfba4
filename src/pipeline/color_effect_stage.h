#pragma once

#include <array>
#include <string>
#include <string_view>

#include "imaging/channel_mask.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "pipeline/color_effect_settings.h"

namespace quillstone {

// The item texts of the colour style list, by ColorStyle, as the list stores them: a
// doubled ampersand stands for one shown ampersand (ColorStyleDisplayText gives the text
// as shown).
extern const std::array<std::string_view, kColorStyleCount> kColorStyleCaptions;

// A caption as shown: "&&" becomes "&", a single "&" (a mnemonic marker) is dropped.
std::string ColorStyleDisplayText(std::string_view caption);

// The colour-effect stage: runs the selected colour style on the image in place.
// strength is the band width divisor 1..10 of the band styles (below 1 counts as 1). The
// 3x3 filter styles (kEmbossColor1 to kEngravingGrayscale) make the image 2 pixels
// narrower and lower (empty when it has fewer than 3 rows or columns); they compute into
// scratch and swap it in. The channel mask is honoured by the overlay and band styles and
// the overlay of kBlackAndWhiteFullColor; the random source gives the random colours and
// the paper shapes. A stored style number outside the list does nothing.
void ApplyColorEffect(RasterImage& image, RasterImage& scratch, const ColorEffectSettings& settings,
                      int strength, ChannelMask channels, RandomSource& random);

}  // namespace quillstone

#pragma once

#include <string_view>

#include "decor/banner.h"
#include "workspace/flow_result.h"

namespace quillstone {

struct BannerFields;
class Workspace;

inline constexpr std::string_view kBannerStopCaption = "Stop";
inline constexpr std::string_view kBannerCaption = "Banner";
inline constexpr std::string_view kBannerSavedMessage =
    "Please save your new banner before you like to work with it !\n"
    "\n"
    "The new banner was automaticall saved in the installationdirectory\n"
    "of the Quillstone. Filename=bannertemp.bmp";

enum class BannerSide { kWidth, kHeight };

// "Example sizes": the preset's width and height go into the two fields. An index outside
// the list changes nothing.
void ChooseBannerPreset(BannerFields& fields, int index);

// "Use width of logo" / "Use height of logo": the logo's side goes into that field.
// Cancelled, changing nothing, when there is no logo.
FlowResult UseLogoSideForBanner(Workspace& workspace, BannerSide side);

// The calculate button: the fields take the size that holds the watermark text in the
// text font (see CalculateBannerSize), with the banner margin on every side. Cancelled,
// changing nothing, when the text has no lines.
FlowResult CalculateBannerFields(Workspace& workspace);

// "OK" checks the fields first: each must hold a side of 1..2048. Otherwise the reason is
// shown in a box titled "Stop" (the window stays open) and the result fails with it.
FlowResult CheckBannerFields(Workspace& workspace);

// After "OK": a bitmap of the fields' size in the background colour is written as
// "bannertemp.bmp" to the user directory and loaded from there as the source image, as an
// opened picture is (turned and resized as set, the source file list on the user directory
// with that file selected, its per-image text), and rendered; then the user is told to save
// it. Fields that are refused (as CheckBannerFields says) or a file that cannot be written
// are shown as the reason and change nothing; the result then fails with it.
FlowResult CreateBannerSource(Workspace& workspace);

}  // namespace quillstone

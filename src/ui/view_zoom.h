#pragma once

namespace quillstone {

// The zoom arithmetic of the full-size view, free of widgets: a zoom is the factor from
// picture pixels to screen pixels (1 shows every pixel once).

// The largest zoom; beyond it a pixel's neighbourhood no longer fits a view.
inline constexpr double kMaxZoom = 8.0;

// The zoom at which a picture fits inside a view, aspect kept; never above 1, so a
// picture smaller than the view shows at its own size. 1 for an empty picture or view.
double FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);

// The next step of the zoom ladder above `zoom`, at most kMaxZoom.
double ZoomInStep(double zoom);
// The next step below `zoom`, but never below the fitted zoom or the smallest step,
// whichever is less, so a picture can always be seen whole.
double ZoomOutStep(double zoom, double fit);

}  // namespace quillstone

#include "imagefiles/rotate_by_angle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <utility>

#include "imaging/raster_size.h"

namespace quillstone {

namespace {

// Quarter turns are copied in square tiles so that both the rows read and the rows
// written stay in cache.
constexpr int kTile = 32;

inline void CopyPixel(std::uint8_t* to, const std::uint8_t* from) {
  to[0] = from[0];
  to[1] = from[1];
  to[2] = from[2];
}

// destination(x, y) = source(W-1-x, H-1-y).
void HalfTurn(const RasterImage& source, RasterImage& destination) {
  const int w = source.Width();
  const int h = source.Height();
  destination.Resize(w, h);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* from = source.Row(h - 1 - y) + 3 * (w - 1);
    std::uint8_t* to = destination.Row(y);
    for (int x = 0; x < w; ++x, to += 3, from -= 3) CopyPixel(to, from);
  }
}

// counterClockwise: destination(x, y) = source(W-1-y, x); otherwise (clockwise)
// destination(x, y) = source(y, H-1-x). The destination is H wide and W high.
template <bool counterClockwise>
void QuarterTurn(const RasterImage& source, RasterImage& destination) {
  const int w = source.Width();
  const int h = source.Height();
  destination.Resize(h, w);
  for (int y0 = 0; y0 < w; y0 += kTile) {
    const int y1 = std::min(y0 + kTile, w);
    for (int x0 = 0; x0 < h; x0 += kTile) {
      const int x1 = std::min(x0 + kTile, h);
      for (int y = y0; y < y1; ++y) {
        std::uint8_t* to = destination.Row(y) + 3 * x0;
        const int sx = counterClockwise ? w - 1 - y : y;
        for (int x = x0; x < x1; ++x, to += 3) {
          const int sy = counterClockwise ? x : h - 1 - x;
          CopyPixel(to, source.Row(sy) + 3 * sx);
        }
      }
    }
  }
}

void QuarterTurnsInto(const RasterImage& source, RasterImage& destination, int quarterTurns) {
  switch (((quarterTurns % 4) + 4) % 4) {
    case 0:
      destination = source;
      break;
    case 1:
      QuarterTurn<true>(source, destination);
      break;
    case 2:
      HalfTurn(source, destination);
      break;
    default:
      QuarterTurn<false>(source, destination);
      break;
  }
}

// The general turn. The 16.16 products are formed in 64 bits and shifted arithmetically,
// which equals the 16-bit reading of bits 16..31 wherever that reading does not overflow
// and stays right beyond it (sides above 32767).
struct FixedPointTurn {
  std::int64_t iSin = 0;
  std::int64_t iCos = 0;
  std::int64_t newWidth = 0;
  std::int64_t newHeight = 0;
};

FixedPointTurn PlanTurn(std::int64_t w, std::int64_t h, std::int64_t iSin, std::int64_t iCos) {
  FixedPointTurn t{iSin, iCos, 0, 0};
  if (iSin * iCos < 0) {
    t.newWidth = (w * iCos - h * iSin) >> 16;
    t.newHeight = (w * iSin - h * iCos) >> 16;
  } else {
    t.newWidth = (w * iCos + h * iSin) >> 16;
    t.newHeight = (w * iSin + h * iCos) >> 16;
  }
  t.newWidth = t.newWidth < 0 ? -t.newWidth : t.newWidth;
  t.newHeight = t.newHeight < 0 ? -t.newHeight : t.newHeight;
  return t;
}

// Nearest-neighbour sampling: destination pixel (x, y), relative to the destination
// centre, samples the source at the inversely turned position relative to the source
// centre; positions outside the source keep the fill colour.
void TurnFixedPoint(const RasterImage& source, RasterImage& destination, ColorValue fill,
                    const FixedPointTurn& t) {
  const int w = source.Width();
  const int h = source.Height();
  const int newW = static_cast<int>(t.newWidth);
  const int newH = static_cast<int>(t.newHeight);
  // The centre rule keeps one edge row or column of the canvas in the fill colour for
  // some side lengths; quarter turns never come here.
  std::int64_t cxS = w / 2;
  std::int64_t cyS = h / 2;
  const std::int64_t cxD = newW / 2;
  const std::int64_t cyD = newH / 2;
  if (t.iCos < 0) cxS -= 1;
  if (t.iSin < 0) cyS -= 1;

  destination.Resize(newW, newH);
  destination.Fill(fill);
  for (int y = 0; y < newH; ++y) {
    const std::int64_t dy = y - cyD;
    // dx * iCos - dy * iSin and dx * iSin + dy * iCos at dx = -cxD, then stepped along x.
    std::int64_t numX = -cxD * t.iCos - dy * t.iSin;
    std::int64_t numY = -cxD * t.iSin + dy * t.iCos;
    std::uint8_t* to = destination.Row(y);
    for (int x = 0; x < newW; ++x, to += 3, numX += t.iCos, numY += t.iSin) {
      const std::int64_t sx = (numX >> 16) + cxS;
      const std::int64_t sy = (numY >> 16) + cyS;
      if (sx >= 0 && sx < w && sy >= 0 && sy < h) CopyPixel(to, source.Row(static_cast<int>(sy)) + 3 * sx);
    }
  }
}

std::string Degrees(double angle) {
  std::string text = std::to_string(angle);
  text.erase(text.find_last_not_of('0') + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

void RotateQuarterTurns(const RasterImage& source, RasterImage& destination, int quarterTurns) {
  if (&source == &destination) {
    RasterImage turned;
    QuarterTurnsInto(source, turned, quarterTurns);
    destination = std::move(turned);
    return;
  }
  QuarterTurnsInto(source, destination, quarterTurns);
}

Status RotateByAngle(const RasterImage& source, RasterImage& destination, ColorValue fill,
                     double angleDegrees) {
  if (!std::isfinite(angleDegrees)) return Status::Error("the rotation angle is not a number");
  if (source.Empty()) {
    destination.Resize(0, 0);
    return Status::Ok();
  }
  // Into 0 <= angle < 360. fmod is exact, so the loops below run at most once and give
  // the same angle as repeated subtraction would for any angle within a turn of 0..360.
  double angle = std::fmod(angleDegrees, 360.0);
  while (angle >= 360.0) angle -= 360.0;
  while (angle < 0.0) angle += 360.0;

  const double radians = angle * std::numbers::pi / 180.0;
  // Truncation toward zero: 90, 180 and 270 give exactly 0 and +-65536.
  const auto iSin = static_cast<std::int64_t>(std::sin(radians) * 65536.0);
  const auto iCos = static_cast<std::int64_t>(std::cos(radians) * 65536.0);

  int quarterTurns = -1;
  if (iSin == 0 && iCos == 65536) quarterTurns = 0;
  if (iSin == 65536 && iCos == 0) quarterTurns = 1;
  if (iSin == 0 && iCos == -65536) quarterTurns = 2;
  if (iSin == -65536 && iCos == 0) quarterTurns = 3;
  if (quarterTurns >= 0) {
    RotateQuarterTurns(source, destination, quarterTurns);
    return Status::Ok();
  }

  const FixedPointTurn turn = PlanTurn(source.Width(), source.Height(), iSin, iCos);
  if (!RasterSizeProblem(turn.newWidth, turn.newHeight).empty()) {
    return Status::Error("turning a " + std::to_string(source.Width()) + "x" +
                         std::to_string(source.Height()) + " image by " + Degrees(angleDegrees) +
                         " degrees needs a " + std::to_string(turn.newWidth) + "x" +
                         std::to_string(turn.newHeight) +
                         " canvas, larger than an image may be (65535 pixels per side, 2^28 pixels)");
  }
  if (&source == &destination) {
    RasterImage turned;
    TurnFixedPoint(source, turned, fill, turn);
    destination = std::move(turned);
  } else {
    TurnFixedPoint(source, destination, fill, turn);
  }
  return Status::Ok();
}

}  // namespace quillstone

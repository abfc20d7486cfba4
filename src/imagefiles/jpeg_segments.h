#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillstone {

// Calls segment(marker, at, length) for each marker segment of a JPEG stream after its
// start-of-image marker, in order, up to and including its first scan header: `at` is the
// offset of the segment's 0xFF, `length` its bytes with the marker's two. Fill bytes and
// markers without a segment (TEM, RSTn) are passed over; the end-of-image marker ends the
// walk. True when the walk reached a scan header or the end of the image; false when the
// bytes do not start a JPEG, a segment runs past them, or anything but a marker stands
// between two segments.
template <typename Segment>
bool ForEachJpegSegment(std::span<const std::uint8_t> bytes, Segment&& segment) {
  constexpr std::uint8_t kStartOfScan = 0xDA;
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
  std::size_t at = 2;
  while (at < bytes.size()) {
    if (bytes[at] != 0xFF) return false;
    while (at + 1 < bytes.size() && bytes[at + 1] == 0xFF) ++at;  // fill bytes
    if (at + 2 > bytes.size()) return false;
    const std::uint8_t marker = bytes[at + 1];
    if (marker == 0xD9) return true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    if (at + 4 > bytes.size()) return false;
    const std::size_t length = 2 + (std::size_t{bytes[at + 2]} << 8 | bytes[at + 3]);
    if (length < 4 || at + length > bytes.size()) return false;
    segment(marker, at, length);
    if (marker == kStartOfScan) return true;
    at += length;
  }
  return false;
}

}  // namespace quillstone

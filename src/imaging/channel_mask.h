#pragma once

namespace quillstone {

// The red, green and blue switches. A stage that honours the mask computes new values
// only for the channels that are on and keeps the others at the source's value.
struct ChannelMask {
  bool red = true;
  bool green = true;
  bool blue = true;

  bool AllOn() const { return red && green && blue; }
  friend bool operator==(const ChannelMask&, const ChannelMask&) = default;
};

}  // namespace quillstone

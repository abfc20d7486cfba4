#pragma once

#include <vector>

#include "text/text_settings.h"

namespace quillstone {

// One processed line (commands expanded, tags applied) as the layout sees it.
struct LineMetrics {
  int width = 0;       // advance width of the processed text in its font, pixels
  int height = 0;      // cell height (ascent + descent) of the line's font, pixels
  bool blank = false;  // nothing but spaces: not drawn, still takes its height
  friend bool operator==(const LineMetrics&, const LineMetrics&) = default;
};

// Where one line is drawn on the text strip.
struct LinePlacement {
  int x = 0;           // left edge of the line's cell, image columns; may be negative
  int y = 0;           // top edge of the line's cell, strip rows
  bool drawn = false;  // false for blank lines and lines starting at or below the image bottom
  friend bool operator==(const LinePlacement&, const LinePlacement&) = default;
};

// The geometry of the text block on an image of the given size.
struct TextBlockLayout {
  int maxWidth = 0;     // widest line, at most image width - 1
  int widestX = 0;      // x that the alignment gives the widest line, at least 0
  int totalHeight = 0;  // sum of the line heights
  int yTop = 0;         // top row of the block
  int extra3D = 0;      // rows and columns the 3D outlines add: 2 x strength, or 0
  int strength = 0;     // 3D drawing strength: extra3D / 2
  int stripHeight = 0;  // totalHeight + extra3D, at most the image height
  int lift = 0;         // rows the box reaches above yTop
  int stripTop = 0;  // image row of the strip's first row: yTop - lift, at least yTop when that is negative
  std::vector<LinePlacement> lines;
  friend bool operator==(const TextBlockLayout&, const TextBlockLayout&) = default;
};

// The box behind the block: columns x1..x2 inclusive, rows y1..y2-1, before clipping
// to the image (the colour box clips).
struct TextBoxRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  friend bool operator==(const TextBoxRect&, const TextBoxRect&) = default;
};

// Left edge of a line of the given width: Left 0; Center imageWidth / 2 - width / 2 (may
// be negative); Right imageWidth - width, at least 0. Divisions truncate.
int LineX(HorizontalAlign align, int imageWidth, int width);

// 2 x the additional strength (limited to 2..10) when 3D is on with "Double" strength,
// else 0.
int ThreeDExtra(const ThreeDSettings& threeD);

// Lays the lines out on an image of imageWidth x imageHeight (both at least 1) with the
// alignment, extra centring and 3D growth of the settings.
TextBlockLayout LayOutTextBlock(const std::vector<LineMetrics>& lines, const TextSettings& settings,
                                int imageWidth, int imageHeight);

// The rectangle of the box behind the block.
TextBoxRect TextBoxRectangle(const TextBlockLayout& layout, HorizontalAlign align, bool useImageWidth,
                             int imageWidth);

}  // namespace quillstone

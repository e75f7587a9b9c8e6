// The system's raster (bitmap) faces and the size it picks of them.
//
// A raster face has a few fixed sizes. Asked for any height, the system
// takes the largest size that does not exceed it, or the smallest size
// when every size does; it never scales the glyphs of these faces. A
// negative font Height asks for an em of that many pixels, a positive one
// for a cell (em plus internal leading) of that many.
#pragma once

#include <span>

#include <QString>

// One size of a raster face at 96 pixels per inch, in pixels.
struct TRasterSize {
  int cell = 0;  // ascent + descent
  int em = 0;    // cell less the internal leading
  bool operator==(const TRasterSize&) const = default;
};

// The sizes the system has of a raster face, smallest first; empty when the
// family (an installed family name, as FontMapping gives) is not one.
std::span<const TRasterSize> RasterSizesOf(const QString& family);

// The scalable family that stands in for a raster face at a size no
// installed strike has; empty for other families.
QString RasterStandInOf(const QString& family);

// The size picked for a font Height (negative: em, positive: cell, 0: the
// default em of 11 pixels). REQUIRES: sizes is not empty and ascending.
TRasterSize ChooseRasterSize(std::span<const TRasterSize> sizes, int height);

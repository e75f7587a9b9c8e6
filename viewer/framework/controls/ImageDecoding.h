// Picture files in the formats Qt reads, decoded within the load's decoding
// budget (core/DecodeBudget.h); bitmaps have their own decoder (Bitmap.h),
// which charges the same budget.
#pragma once

#include <string_view>

#include <QImage>

#include "core/DecodeBudget.h"

// Decodes a picture file (PNG, JPEG, GIF, icons), charging its size to the
// decoding budget before any pixel is allocated; raises
// EDecodeBudgetExceeded when it does not fit. A null image for bytes that do
// not decode or declare more than one picture may hold.
QImage DecodeImageWithinBudget(std::string_view bytes, const char* format = nullptr);

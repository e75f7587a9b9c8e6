#include "GridAxis.h"

#include <algorithm>

// A negative size (a default computed from a tiny client) counts as zero.
int TGridAxis::Size(int cell) const {
  if (Sizes && cell >= 0 && cell < int(Sizes->size())) return std::max(0, (*Sizes)[size_t(cell)]);
  return std::max(0, DefaultSize);
}

void TGridAxis::Compute() {
  FixedBoundary = 0;
  for (int i = 0; i < FixedCount && i < CellCount; ++i) FixedBoundary += Size(i) + LineWidth;
  GridBoundary = std::min(FixedBoundary, Extent);
  LastFullVisible = FirstCell - 1;
  int pos = FixedBoundary;
  for (int i = FirstCell; i < CellCount && pos < Extent; ++i) {
    pos += Size(i) + LineWidth;
    if (pos > Extent + LineWidth) {
      GridBoundary = Extent;
      break;
    }
    LastFullVisible = i;
    GridBoundary = pos;
  }
}

bool TGridAxis::Start(int cell, int& start) const {
  if (cell < 0 || cell >= CellCount) return false;
  int pos = 0;
  if (cell < FixedCount) {
    for (int i = 0; i < cell; ++i) pos += Size(i) + LineWidth;
  } else {
    if (cell < FirstCell) return false;
    pos = FixedBoundary;
    for (int i = FirstCell; i < cell && pos < Extent; ++i) pos += Size(i) + LineWidth;
  }
  if (pos >= Extent) return false;
  start = pos;
  return true;
}

int TGridAxis::CellAt(int pos) const {
  if (pos < 0 || pos >= GridBoundary) return -1;
  int end = 0;
  if (pos < FixedBoundary) {
    for (int i = 0; i < FixedCount; ++i) {
      end += Size(i) + LineWidth;
      if (pos < end) return i;
    }
    return -1;
  }
  end = FixedBoundary;
  for (int i = FirstCell; i < CellCount; ++i) {
    end += Size(i) + LineWidth;
    if (pos < end) return i;
  }
  return -1;
}

int TGridAxis::MaxFirstCell() const {
  int fixedEnd = 0;
  for (int i = 0; i < FixedCount && i < CellCount; ++i) fixedEnd += Size(i) + LineWidth;
  const int room = Extent - fixedEnd;
  int first = CellCount - 1;
  if (first < FixedCount) return FixedCount;
  int used = Size(first) + LineWidth;
  while (first > FixedCount && used + Size(first - 1) + LineWidth <= room + LineWidth) {
    --first;
    used += Size(first) + LineWidth;
  }
  return first;
}

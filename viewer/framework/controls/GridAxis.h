// The geometry of one axis of a grid (the columns across, or the rows
// down), as pure arithmetic the grid and its tests share.
//
// Cells 0 .. FixedCount-1 are fixed and always start the axis; after them
// come the scrollable cells from FirstCell on. Each cell takes its size
// plus LineWidth, the line lying after the cell. Positions are client
// coordinates along the axis; Extent is the client's length.
#pragma once

#include <vector>

struct TGridAxis {
  const std::vector<int>* Sizes = nullptr;  // per cell; missing entries take DefaultSize
  int DefaultSize = 0;
  int LineWidth = 0;
  int FixedCount = 0;
  int FirstCell = 0;
  int CellCount = 0;
  int Extent = 0;

  // Filled by Compute.
  int FixedBoundary = 0;    // end of the fixed cells (and their lines)
  int GridBoundary = 0;     // end of the last cell drawn, at most Extent
  int LastFullVisible = 0;  // last cell that fits entirely (FirstCell - 1 when none does)

  void Compute();
  int Size(int cell) const;
  // Where a cell starts, when some of it is shown; false when it is
  // scrolled out of view or starts beyond the extent.
  bool Start(int cell, int& start) const;
  // The cell whose span (cell and following line) holds pos, or -1.
  int CellAt(int pos) const;
  // The largest FirstCell that still fills the scrollable part with the
  // last cells; FixedCount when everything fits.
  int MaxFirstCell() const;
};

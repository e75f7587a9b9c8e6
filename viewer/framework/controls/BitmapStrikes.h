// The bitmap strikes of a TrueType container (its EBLC table).
//
// A bitmap face such as MS Sans Serif comes as one file holding several
// strikes, one per size. Qt's font database lists such a file under its
// first strike only, so the other sizes would never be drawn. SplitStrikes
// makes one copy of the file per strike, each listing that strike alone;
// registered together they give the family every size it has.
#pragma once

#include <QByteArray>
#include <vector>

// One bitmap strike: its pixels per em as the file records them (the faces
// made to match the system's raster fonts record the cell height there),
// and its ascent above the base line.
struct TBitmapStrike {
  int ppem = 0;
  int ascent = 0;
};

// The strikes a TrueType file lists, in file order; empty when it has none
// or the file is malformed (truncated, offsets past the end).
std::vector<TBitmapStrike> BitmapStrikesOf(const QByteArray& font);

// One copy of the file per strike, each identical to it except that its
// strike list holds only that strike; the glyph data is shared through the
// original offsets. Empty when the file lists fewer than two strikes or is
// malformed.
std::vector<QByteArray> SplitStrikes(const QByteArray& font);

// Drawing helpers of the classic look that controls of every layer share:
// native widgets in a control's colours, 3D frames and bevels.
#pragma once

#include "Canvas.h"
#include "Controls.h"

class QWidget;

// Applies a control's colour (as the base role of editable widgets or the
// window role of others) and font colour to a native widget's palette.
void ApplyControlPalette(QWidget* widget, const TControl* control, bool baseRole);

// Classic 3D frames.
// Draws a rectangle's top-left edges in topColor and bottom-right edges in
// bottomColor, width times, shrinking rect by each line.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
// A bevel of one cut (raised/lowered/space/none) of the given width.
void DrawBevelCut(TCanvas& canvas, TRect& rect, int cut, int width);
// One-pixel lines in a colour (the brush is left solid in it).
void DrawHLine(TCanvas& canvas, int x1, int x2, int y, TColor color);
void DrawVLine(TCanvas& canvas, int x, int y1, int y2, TColor color);

#include "ClassicDrawing.h"

#include <QPalette>
#include <QWidget>

#include "Graphics.h"

void ApplyControlPalette(QWidget* widget, const TControl* control, bool baseRole) {
  if (!widget) return;
  QPalette pal = widget->palette();
  const QColor back = ColorToQColor(control->Color());
  const QColor text = ColorToQColor(control->Font()->Color());
  if (baseRole) {
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
  } else {
    pal.setColor(QPalette::Window, back);
  }
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::ButtonText, text);
  SetDisabledText(pal);
  // Setting a palette is costly (it resolves and propagates): skip it when
  // the widget already shows these colours.
  if (pal != widget->palette()) widget->setPalette(pal);
}

void DrawHLine(TCanvas& c, int x1, int x2, int y, TColor color) {
  c.Brush()->SetColor(color);
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(Rect(x1, y, x2, y + 1));
}
void DrawVLine(TCanvas& c, int x, int y1, int y2, TColor color) {
  c.Brush()->SetColor(color);
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(Rect(x, y1, x + 1, y2));
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  for (int i = 0; i < width; ++i) {
    if (rect.IsEmpty()) return;
    DrawHLine(canvas, rect.Left, rect.Right - 1, rect.Top, topColor);
    DrawVLine(canvas, rect.Left, rect.Top, rect.Bottom - 1, topColor);
    DrawHLine(canvas, rect.Left, rect.Right, rect.Bottom - 1, bottomColor);
    DrawVLine(canvas, rect.Right - 1, rect.Top, rect.Bottom, bottomColor);
    InflateRect(rect, -1, -1);
  }
}

void DrawBevelCut(TCanvas& canvas, TRect& rect, int cut, int width) {
  switch (cut) {
    case bvLowered: Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width); break;
    case bvRaised: Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width); break;
    case bvSpace: InflateRect(rect, -width, -width); break;
    default: break;
  }
}

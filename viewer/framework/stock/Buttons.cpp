#include "Buttons.h"

#include <algorithm>

#include <QColor>

#include "StdCtrls.h"

const TEnumInfo& ButtonLayoutEnumInfo() {
  static const TEnumInfo e{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return e;
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TSpeedButton> b("TSpeedButton", &TGraphicControl::StaticClassInfo());
    groups::PublishControl(b);
    b.IgnoredReference("Action", &TComponent::StaticClassInfo)
        .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false)
        .Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0)
        .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false)
        .Publish("Caption")
        .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false)
        .Publish("Font")
        .Object("Glyph", &TBitmap::StaticClassInfo, &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
        .Enum("Layout", ButtonLayoutEnumInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout, blGlyphLeft)
        .Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1)
        .Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1)
        .Publish("ParentFont")
        .Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4)
        .Bool("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent, true)
        .IntegerField("ImageIndex", -1)
        .StringField("ImageName")
        .Reference(
            "Images", &TComponent::StaticClassInfo, [](const TSpeedButton* button) { return button->images_; },
            [](TSpeedButton* button, TComponent* c) { button->images_ = c; })
        .IntegerField("DisabledImageIndex", -1)
        .StringField("DisabledImageName")
        .IntegerField("HotImageIndex", -1)
        .StringField("HotImageName")
        .IntegerField("PressedImageIndex", -1)
        .StringField("PressedImageName")
        .IntegerField("SelectedImageIndex", -1)
        .StringField("SelectedImageName");
    return b.Build();
  }();
  return info;
}

// ---------------------------------------------------------------------------
// Content layout

TButtonContentLayout CalcButtonLayout(
    const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout, int margin, int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int clientW = client.Width(), clientH = client.Height();
  TPoint glyph, text;
  if (horizontal) {
    glyph.Y = (clientH - glyphSize.cy + 1) / 2;
    text.Y = (clientH - textSize.cy + 1) / 2;
  } else {
    glyph.X = (clientW - glyphSize.cx + 1) / 2;
    text.X = (clientW - textSize.cx + 1) / 2;
  }
  if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;

  const int clientAlong = horizontal ? clientW : clientH;
  const int glyphAlong = horizontal ? glyphSize.cx : glyphSize.cy;
  const int textAlong = horizontal ? textSize.cx : textSize.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (clientAlong - (glyphAlong + textAlong)) / 3;
      spacing = margin;
    } else {
      margin = (clientAlong - (glyphAlong + spacing + textAlong) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (clientAlong - (margin + glyphAlong) - textAlong) / 2;
  }

  switch (layout) {
    case blGlyphLeft:
      glyph.X = margin;
      text.X = glyph.X + glyphSize.cx + spacing;
      break;
    case blGlyphRight:
      glyph.X = clientW - margin - glyphSize.cx;
      text.X = glyph.X - spacing - textSize.cx;
      break;
    case blGlyphTop:
      glyph.Y = margin;
      text.Y = glyph.Y + glyphSize.cy + spacing;
      break;
    case blGlyphBottom:
      glyph.Y = clientH - margin - glyphSize.cy;
      text.Y = glyph.Y - spacing - textSize.cy;
      break;
  }
  TButtonContentLayout out;
  out.GlyphPos = {client.Left + glyph.X, client.Top + glyph.Y};
  out.TextBounds = Bounds(client.Left + text.X, client.Top + text.Y, textSize.cx, textSize.cy);
  return out;
}

// ---------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  // The button clicks itself on release; the base's click handling stays off.
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  glyph_->OnChange = [this] { GlyphChanged(); };
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { glyph_->OnChange = nullptr; }

void TSpeedButton::GlyphChanged() { Invalidate(); }

void TSpeedButton::SetGlyph(TBitmap* value) {
  if (value) {
    glyph_->Assign(*value);
    if (value->Height() > 0 && value->Width() % value->Height() == 0) {
      const int glyphs = value->Width() / value->Height();
      SetNumGlyphs(glyphs > 4 ? 1 : glyphs);
    }
  } else {
    glyph_->SetImage(QImage());
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = value;
  state_ = value ? bsExclusive : bsUp;
  Invalidate();
  if (value) UpdateExclusive();
}

// Keeps a group consistent: one pressed button at most, one AllowAllUp.
void TSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    if (down_ && other->down_) {
      other->down_ = false;
      other->state_ = bsUp;
      other->Invalidate();
    }
    other->allowAllUp_ = allowAllUp_;
  }
}

void TSpeedButton::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}
void TSpeedButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}
void TSpeedButton::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}
void TSpeedButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}
void TSpeedButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

// --- mouse

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  TButtonState next = down_ ? bsExclusive : bsUp;
  if (ClientRect().Contains({x, y}) && !down_) next = bsDown;
  if (next != state_) {
    state_ = next;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (!dragging_ || button != mbLeft) return;
  dragging_ = false;
  SetMouseCapture(false);
  const bool doClick = ClientRect().Contains({x, y});
  if (groupIndex_ == 0) {
    state_ = bsUp;
    mouseInControl_ = false;
    Invalidate();
  } else if (doClick) {
    SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  } else {
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
  }
  if (doClick) Click();
}

void TSpeedButton::WMCancelMode(TMessage& msg) {
  TGraphicControl::WMCancelMode(msg);
  if (!dragging_) return;
  dragging_ = false;
  state_ = down_ ? bsExclusive : bsUp;
  Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage& msg) {
  if (!Enabled()) {
    dragging_ = false;
    mouseInControl_ = false;
    state_ = down_ ? bsExclusive : bsUp;
  }
  TGraphicControl::CMEnabledChanged(msg);
}

void TSpeedButton::CMMouseEnter(TMessage& msg) {
  TGraphicControl::CMMouseEnter(msg);
  if (!Enabled() || mouseInControl_) return;
  mouseInControl_ = true;
  if (flat_) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& msg) {
  TGraphicControl::CMMouseLeave(msg);
  if (!mouseInControl_) return;
  mouseInControl_ = false;
  if (flat_) Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage& msg) {
  TGraphicControl::CMTextChanged(msg);
  Invalidate();
}

// --- painting

namespace {

// A one-pixel frame: top and left edges in topLeft, bottom and right in
// bottomRight. Returns the rectangle inside it.
TRect Frame3D(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight) {
  if (r.IsEmpty()) return r;
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(topLeft);
  canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
  canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
  canvas.Brush()->SetColor(bottomRight);
  canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
  return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

// The checkered face of a button held down by its group.
void FillDithered(TCanvas& canvas, const TRect& r) {
  const TColor face = clBtnFace, light = clBtnHighlight;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) canvas.SetPixel(x, y, ((x + y) & 1) ? face : light);
}

// Pixels of an embossed (disabled) picture: the dark parts of the image,
// the transparent colour left out.
QImage DisabledMask(const QImage& image, TColor transparent) {
  const uint32_t clear = ColorToPixel(transparent);
  QImage mask(image.size(), QImage::Format_ARGB32);
  mask.fill(Qt::transparent);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = image.pixel(x, y);
      if ((px | 0xFF000000u) == (clear | 0xFF000000u)) continue;
      if (qGray(px) < 192) mask.setPixel(x, y, 0xFF000000u);
    }
  return mask;
}

// Draws the set pixels of a mask in one colour.
void DrawMask(TCanvas& canvas, int x0, int y0, const QImage& mask, TColor color) {
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (qAlpha(mask.pixel(x, y)) != 0) canvas.SetPixel(x0 + x, y0 + y, color);
}

}  // namespace

TRect TSpeedButton::DrawButtonFace(TCanvas& canvas, TButtonState state) {
  TRect r = Rect(0, 0, Width(), Height());
  const bool pushed = state == bsDown || state == bsExclusive;
  if (flat_) {
    if (!transparent_ || pushed) {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(clBtnFace);
      canvas.FillRect(r);
    }
    if (pushed)
      r = Frame3D(canvas, r, clBtnShadow, clBtnHighlight);
    else if (mouseInControl_ && state != bsDisabled)
      r = Frame3D(canvas, r, clBtnHighlight, clBtnShadow);
    else
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  } else if (pushed) {
    r = Frame3D(canvas, r, clBtnShadow, clBtnHighlight);
    r = Frame3D(canvas, r, cl3DDkShadow, cl3DLight);
  } else {
    r = Frame3D(canvas, r, clBtnHighlight, cl3DDkShadow);
    r = Frame3D(canvas, r, cl3DLight, clBtnShadow);
  }
  if (!r.IsEmpty() && !(flat_ && transparent_ && !pushed)) {
    if (state == bsExclusive) {
      FillDithered(canvas, r);
    } else {
      canvas.Brush()->SetStyle(bsSolid);
      canvas.Brush()->SetColor(clBtnFace);
      canvas.FillRect(r);
    }
  }
  return r;
}

QImage TSpeedButton::GlyphImage(TButtonState state) const {
  const QImage& all = glyph_->Image();
  if (all.isNull() || all.width() < numGlyphs_) return QImage();
  int index = int(state);
  if (index >= numGlyphs_) index = 0;
  const int cell = all.width() / numGlyphs_;
  return all.copy(index * cell, 0, cell, all.height());
}

void TSpeedButton::DrawContent(TCanvas& canvas, const TRect& client, TButtonState state) {
  const QImage glyph = GlyphImage(state);
  const QString caption = StripAccelText(Caption(), *Font());
  canvas.SetFont(*Font());
  const TSize textSize = caption.isEmpty() ? TSize{} : canvas.TextExtentW(caption);
  const TSize glyphSize = glyph.isNull() ? TSize{} : TSize{glyph.width(), glyph.height()};
  const TButtonContentLayout at = CalcButtonLayout(client, glyphSize, textSize, layout_, margin_, spacing_);

  if (!glyph.isNull()) {
    // The whole glyph's bottom-left pixel names the transparent colour.
    const QImage& all = glyph_->Image();
    const TColor transparent = PixelToColor(all.pixel(0, all.height() - 1));
    if (state == bsDisabled && numGlyphs_ < 2) {
      const QImage mask = DisabledMask(glyph, transparent);
      DrawMask(canvas, at.GlyphPos.X + 1, at.GlyphPos.Y + 1, mask, clBtnHighlight);
      DrawMask(canvas, at.GlyphPos.X, at.GlyphPos.Y, mask, clBtnShadow);
    } else {
      canvas.DrawTransparent(at.GlyphPos.X, at.GlyphPos.Y, glyph, transparent);
    }
  }
  if (!caption.isEmpty()) {
    canvas.Brush()->SetStyle(bsClear);
    const TRect& t = at.TextBounds;
    if (state == bsDisabled) {
      canvas.Font()->SetColor(clBtnHighlight);
      canvas.TextOutW(t.Left + 1, t.Top + 1, caption);
      canvas.Font()->SetColor(clBtnShadow);
    } else {
      canvas.Font()->SetColor(Font()->Color());
    }
    canvas.TextOutW(t.Left, t.Top, caption);
  }
}

void TSpeedButton::Paint() {
  TCanvas& canvas = *Canvas();
  const TButtonState state = Enabled() ? state_ : bsDisabled;
  TRect client = DrawButtonFace(canvas, state);
  if (state == bsDown || state == bsExclusive) OffsetRect(client, 1, 1);
  DrawContent(canvas, client, state);
}

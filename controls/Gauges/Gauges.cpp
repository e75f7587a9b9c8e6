// TGauge's model: construction, published properties, setters and the
// percentage. Painting lives in GaugePaint.cpp.
#include "Gauges.h"

#include <limits>

#include "GaugeMath.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"

namespace {

constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

// a + b in 32-bit two's complement (the range message's bounds wrap at the
// ends of the integer range instead of overflowing).
int32_t WrappingAdd(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<int64_t>(a) + b); }

[[noreturn]] void RaiseOutOfRange(int32_t low, int32_t high) {
  throw EInvalidOperation(Format(Msg::SOutOfRange, low, high));
}

}  // namespace

const TEnumInfo& GaugeKindEnumInfo() {
  static const TEnumInfo info{"TGaugeKind", {"gkText", "gkHorizontalBar", "gkVerticalBar", "gkPie", "gkNeedle"}};
  return info;
}

const TEnumInfo& GaugeBorderStyleEnumInfo() {
  static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
  return info;
}

// ---------------------------------------------------------------------------
// TBltBitmap

const TClassInfo& TBltBitmap::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TBltBitmap>("TBltBitmap", &TBitmap::StaticClassInfo()).Build();
  return info;
}

void TBltBitmap::MakeLike(const TBitmap& templ) {
  SetWidth(templ.Width());
  SetHeight(templ.Height());
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(clWindowFrame);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(Rect(0, 0, Width(), Height()));
}

// ---------------------------------------------------------------------------
// TGauge: published properties, in the order a form writer stores them.

const TClassInfo& TGauge::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TGauge>("TGauge", &TGraphicControl::StaticClassInfo())
          .Publish("Align")
          .Publish("Anchors")
          .Color("BackColor", &TGauge::BackColor, &TGauge::SetBackColor, clWhite)
          .Color("BorderColor", &TGauge::BorderColor, &TGauge::SetBorderColor, 0x636563)
          .Color("BaseInnerHighColor", &TGauge::BaseInnerHighColor, &TGauge::SetBaseInnerHighColor, 0xBDBEBD)
          .Color("BaseInnerLowColor", &TGauge::BaseInnerLowColor, &TGauge::SetBaseInnerLowColor, clWhite)
          .Color("InnerHighColor", &TGauge::InnerHighColor, &TGauge::SetInnerHighColor, 0xCEA684)
          .Color("InnerLowCOlor", &TGauge::InnerLowCOlor, &TGauge::SetInnerLowCOlor, 0x7B4910)
          .Bool("RealOneStyle", &TGauge::RealOneStyle, &TGauge::SetRealOneStyle, false)
          .Enum("BorderStyle", GaugeBorderStyleEnumInfo(), &TGauge::BorderStyle, &TGauge::SetBorderStyle, bsSingle)
          .Publish("Color")
          .Publish("Constraints")
          .Publish("Enabled")
          // Black is the streaming default although a new gauge is blue: a
          // black gauge is not written, and a form without ForeColor
          // yields a blue one.
          .Color("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor, clBlack)
          .Publish("Font")
          .Enum("Kind", GaugeKindEnumInfo(), &TGauge::Kind, &TGauge::SetKind, gkHorizontalBar)
          .Integer("MinValue", &TGauge::MinValue, &TGauge::SetMinValue, 0)
          .Integer("MaxValue", &TGauge::MaxValue, &TGauge::SetMaxValue, 100)
          .Publish("ParentColor")
          .Publish("ParentFont")
          .Publish("ParentShowHint")
          .Publish("PopupMenu")
          .Integer("Progress", &TGauge::Progress, &TGauge::SetProgress)  // always stored
          .Publish("ShowHint")
          .Publish("Text")
          .Bool("ShowText", &TGauge::ShowText, &TGauge::SetShowText, true)
          .Bool("ShowPercent", &TGauge::ShowPercent, &TGauge::SetShowPercent, false)
          .Publish("Visible")
          .Publish("OnClick")
          .Publish("OnContextPopup")
          .Publish("OnDblClick")
          .Publish("OnMouseDown")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Build();
  return info;
}

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csFramed | csOpaque);
  // The plain fields start at their member initialisers; the frame and edge
  // colours go through their setters, whose repaints show nothing while the
  // gauge has no parent.
  SetBorderColor(0x636563);
  SetBaseInnerHighColor(0xBDBEBD);
  SetBaseInnerLowColor(clWhite);
  SetInnerHighColor(0xCEA684);
  SetInnerLowCOlor(0x7B4910);
  SetWidth(100);
  SetHeight(100);
}

template <class T>
void TGauge::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  Refresh();
}

void TGauge::SetKind(TGaugeKind value) { Change(kind_, value); }
void TGauge::SetShowText(bool value) { Change(showText_, value); }
void TGauge::SetShowPercent(bool value) { Change(showPercent_, value); }
void TGauge::SetRealOneStyle(bool value) { Change(realOneStyle_, value); }
void TGauge::SetBorderStyle(TBorderStyle value) { Change(borderStyle_, value); }
void TGauge::SetForeColor(TColor value) { Change(foreColor_, value); }
void TGauge::SetBackColor(TColor value) { Change(backColor_, value); }
void TGauge::SetBorderColor(TColor value) { Change(borderColor_, value); }
void TGauge::SetBaseInnerHighColor(TColor value) { Change(baseInnerHighColor_, value); }
void TGauge::SetBaseInnerLowColor(TColor value) { Change(baseInnerLowColor_, value); }
void TGauge::SetInnerHighColor(TColor value) { Change(innerHighColor_, value); }
void TGauge::SetInnerLowCOlor(TColor value) { Change(innerLowCOlor_, value); }

void TGauge::SetText(const std::string& value) {
  if (value == Text()) return;
  TGraphicControl::SetText(value);
  Refresh();
}

void TGauge::SetMinValue(int32_t value) {
  if (value == minValue_) return;
  // The message names MaxValue - 1 as the upper bound, yet MaxValue itself
  // is accepted (an empty range).
  if (value > maxValue_ && !HasState(csLoading)) RaiseOutOfRange(-kMaxInt, WrappingAdd(maxValue_, -1));
  minValue_ = value;
  if (progress_ < value) progress_ = value;
  Refresh();
}

void TGauge::SetMaxValue(int32_t value) {
  if (value == maxValue_) return;
  if (value < minValue_ && !HasState(csLoading)) RaiseOutOfRange(WrappingAdd(minValue_, 1), kMaxInt);
  maxValue_ = value;
  if (progress_ > value) progress_ = value;
  Refresh();
}

void TGauge::SetProgress(int32_t value) {
  const int32_t before = Percentage();
  // Lower bound first: with an inverted range (possible after loading) a
  // value below MinValue becomes MinValue, any other one above MaxValue
  // becomes MaxValue.
  if (value < minValue_)
    value = minValue_;
  else if (value > maxValue_)
    value = maxValue_;
  if (value == progress_) return;
  progress_ = value;
  // Nothing drawn depends on Progress except through Percentage.
  if (Percentage() != before) Refresh();
}

int32_t TGauge::Percentage() const {
  return PercentOf(static_cast<int64_t>(progress_) - minValue_, static_cast<int64_t>(maxValue_) - minValue_);
}

std::string TGauge::DisplayText() const {
  if (showPercent_) return Format("%d%%", Percentage());
  return Text();
}

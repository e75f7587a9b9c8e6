// TGauge: a non-windowed control that shows where a value stands within a
// range, as text, a horizontal or vertical bar, a pie or a needle dial, with
// an optional caption or percentage inverted over it. TBltBitmap is the
// scratch image its painting composes in.
//
// Model rules (every setter compares first and does nothing on an equal
// value; "repaint" is Refresh):
//   * MinValue and MaxValue are range-checked against each other, except
//     while the gauge is being read from a form (csLoading); the check is not
//     re-run afterwards, so a loaded gauge may keep an inverted range.
//   * Progress is clamped into the range (lower bound tested first) and
//     repaints only when the whole-number Percentage changes.
//   * Colours, Kind, BorderStyle and Text are stored unchanged, never
//     validated, so any Kind ordinal and any colour value survive a load.
//
// Ownership follows the component rule: the owner destroys the gauge.
// TGauge::StaticClassInfo() describes the published properties for the
// class registry; this unit registers nothing itself.
#pragma once

#include <cstdint>
#include <string>

#include "controls/Bitmap.h"
#include "controls/Controls.h"
#include "controls/Forms.h"

// What the gauge shows. Stored in one byte; an ordinal outside the list (set
// from code) is kept unchanged and paints an all-black gauge.
enum TGaugeKind : uint8_t { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
const TEnumInfo& GaugeKindEnumInfo();

// A single one-pixel black border (bsSingle), or none (bsNone).
const TEnumInfo& GaugeBorderStyleEnumInfo();

// A bitmap that takes another bitmap's size and starts filled with the
// window-frame colour.
class TBltBitmap : public TBitmap {
  TESSALY_CLASS(TBltBitmap)

 public:
  TBltBitmap() = default;

  // Takes templ's width and height (not its pixels) and fills the whole
  // image with a solid clWindowFrame brush, which stays selected.
  void MakeLike(const TBitmap& templ);
};

class TGauge : public TGraphicControl {
  TESSALY_CLASS(TGauge)

 public:
  // A 100 x 100 horizontal bar over 0..100 at 0, with a single border.
  explicit TGauge(TComponent* owner);

  int32_t MinValue() const { return minValue_; }
  // Raises EInvalidOperation (SOutOfRange with -MaxInt and MaxValue - 1)
  // when value > MaxValue outside loading; pulls Progress up to value.
  void SetMinValue(int32_t value);
  int32_t MaxValue() const { return maxValue_; }
  // Raises EInvalidOperation (SOutOfRange with MinValue + 1 and MaxInt)
  // when value < MinValue outside loading; pulls Progress down to value.
  void SetMaxValue(int32_t value);
  int32_t Progress() const { return progress_; }
  void SetProgress(int32_t value);

  TGaugeKind Kind() const { return kind_; }
  void SetKind(TGaugeKind value);
  // The caption (the control's Text, inherited) is compared byte-wise and
  // repaints on a change. Ignored while ShowPercent is on.
  void SetText(const std::string& value) override;
  bool ShowText() const { return showText_; }
  void SetShowText(bool value);
  bool ShowPercent() const { return showPercent_; }
  void SetShowPercent(bool value);
  bool RealOneStyle() const { return realOneStyle_; }
  void SetRealOneStyle(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TColor BaseInnerHighColor() const { return baseInnerHighColor_; }
  void SetBaseInnerHighColor(TColor value);
  TColor BaseInnerLowColor() const { return baseInnerLowColor_; }
  void SetBaseInnerLowColor(TColor value);
  TColor InnerHighColor() const { return innerHighColor_; }
  void SetInnerHighColor(TColor value);
  // Spelled as form files spell the property.
  TColor InnerLowCOlor() const { return innerLowCOlor_; }
  void SetInnerLowCOlor(TColor value);

  // Where Progress stands in MinValue..MaxValue, in whole percent (0..100
  // while Progress lies in the range; 0 for an empty range).
  int32_t Percentage() const;
  // What the text overlay shows when ShowText is on: "<Percentage>%" with
  // ShowPercent, else Text.
  std::string DisplayText() const;
  // The rectangle the kind routines paint in (see GaugePaintRect).
  TRect PaintRect() const;

 protected:
  // Composes the picture off-screen and copies it onto Canvas() in one step.
  void Paint() override;

 private:
  // Stores value into field and repaints, unless they are equal.
  template <class T>
  void Change(T& field, T value);

  // Paints image black over the control's size (copy mode cmBlackness).
  void BlackenImage(TBitmap& image) const;
  // Combines the displayed text into image by exclusive-or, centred in r.
  void DrawTextOverlay(TBitmap& image, const TRect& r) const;
  // One routine per kind; each draws on the kind image's canvas inside r.
  void DrawKind(TCanvas& canvas, const TRect& r) const;
  void DrawPlain(TCanvas& canvas, const TRect& r) const;
  void DrawBar(TCanvas& canvas, const TRect& r) const;
  void DrawPlainBar(TCanvas& canvas, const TRect& r) const;
  void DrawFramedBar(TCanvas& canvas, const TRect& r) const;
  void DrawPie(TCanvas& canvas, const TRect& r) const;
  void DrawNeedle(TCanvas& canvas, const TRect& r) const;

  int32_t minValue_ = 0;
  int32_t maxValue_ = 100;
  int32_t progress_ = 0;
  TGaugeKind kind_ = gkHorizontalBar;
  bool showText_ = true;
  bool showPercent_ = false;
  bool realOneStyle_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  TColor foreColor_ = clBlue;
  TColor backColor_ = clWhite;
  TColor borderColor_ = 0;
  TColor baseInnerHighColor_ = 0;
  TColor baseInnerLowColor_ = 0;
  TColor innerHighColor_ = 0;
  TColor innerLowCOlor_ = 0;
};

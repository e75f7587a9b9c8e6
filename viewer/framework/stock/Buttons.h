// TSpeedButton: a button without a window of its own, drawn by its parent,
// with a glyph, an optional caption and grouping.
//
// Behaviour:
//   * A left press on an enabled button puts it into its pressed state
//     (bsDown) and captures the mouse; while the mouse stays held the state
//     follows the pointer in and out of the button. A release over the button
//     clicks it (once), anywhere else cancels. Other mouse buttons only fire
//     the mouse events.
//   * Glyph holds NumGlyphs (1..4) equal-width images side by side: up,
//     disabled, down, exclusive. A missing disabled image is made from the up
//     image (embossed), missing down/exclusive images fall back to up. The
//     colour of the glyph's bottom-left pixel is transparent.
//   * GroupIndex > 0 makes the button one of a group among its siblings: Down
//     stays set after a click, and setting it releases the others of the
//     group; AllowAllUp lets a click release the last pressed one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/Bitmap.h"
#include "controls/Controls.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };
using TNumGlyphs = int;  // 1..4

const TEnumInfo& ButtonLayoutEnumInfo();

// Where a button's glyph and caption go inside its face.
struct TButtonContentLayout {
  TPoint GlyphPos;
  TRect TextBounds;
};
// Places a glyph of glyphSize and a caption of textSize inside client (the
// face, already moved by the pressed offset). margin -1 centres the content;
// spacing -1 spreads it evenly. Either part may be empty (size 0).
TButtonContentLayout CalcButtonLayout(
    const TRect& client, TSize glyphSize, TSize textSize, TButtonLayout layout, int margin, int spacing);

class TSpeedButton : public TGraphicControl {
  TESSALY_CLASS(TSpeedButton)

 public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  // The glyph bitmap itself; a form's glyph data fills it in place.
  TBitmap* Glyph() const { return glyph_.get(); }
  // Copies value (nullptr empties the glyph). A picture whose width is a
  // multiple of its height (at most 4 times) sets NumGlyphs to that ratio.
  void SetGlyph(TBitmap* value);
  TNumGlyphs NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(TNumGlyphs value);  // held to 1..4

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return down_; }
  // Ignored (stays False) while GroupIndex is 0; a pressed group button
  // releases only when AllowAllUp.
  void SetDown(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);  // -1: centred
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);  // -1: spread evenly
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // The look the button has now: bsDown while pressed with the mouse over
  // it, bsExclusive while Down, else bsUp (bsDisabled is decided at paint).
  TButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseInControl_; }

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMEnabledChanged(TMessage& msg) override;
  void CMMouseEnter(TMessage& msg) override;
  void CMMouseLeave(TMessage& msg) override;
  void CMTextChanged(TMessage& msg) override;
  void WMCancelMode(TMessage& msg) override;

  // The face (frame and background) of a state; returns the area left for
  // the content.
  virtual TRect DrawButtonFace(TCanvas& canvas, TButtonState state);

 private:
  TComponent* images_ = nullptr;  // an image list named by the form; never drawn from
  void GlyphChanged();
  void UpdateExclusive();
  // The glyph image of a state (null when there is no glyph).
  QImage GlyphImage(TButtonState state) const;
  void DrawContent(TCanvas& canvas, const TRect& client, TButtonState state);

  std::unique_ptr<TBitmap> glyph_;
  TNumGlyphs numGlyphs_ = 1;
  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  bool flat_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool transparent_ = true;
  TButtonState state_ = bsUp;
  bool dragging_ = false;
  bool mouseInControl_ = false;
};

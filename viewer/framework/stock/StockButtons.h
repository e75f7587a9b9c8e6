// TBitBtn: a push button with a glyph, or a standard kind (OK, Cancel ...)
// that brings its own caption, image and modal result.
#pragma once

#include <memory>

#include "Buttons.h"
#include "StdCtrls.h"
#include "controls/Bitmap.h"

enum TBitBtnKind : uint8_t {
  bkCustom,
  bkOK,
  bkCancel,
  bkHelp,
  bkYes,
  bkNo,
  bkClose,
  bkAbort,
  bkRetry,
  bkIgnore,
  bkAll
};

const TEnumInfo& BitBtnKindEnumInfo();

class TBitBtn : public TButton {
  TESSALY_CLASS(TBitBtn)

 public:
  explicit TBitBtn(TComponent* owner);
  ~TBitBtn() override;

  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* b);
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind k);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v) {
    margin_ = v;
    UpdateFace();
  }
  int Spacing() const { return spacing_; }
  void SetSpacing(int v) {
    spacing_ = v;
    UpdateFace();
  }
  // The caption shown: the form's, or the kind's own when none is set.
  std::string ShownCaption() const;

  void DefineProperties(TFiler& filer) override;
  void Click() override;

 protected:
  void UpdateFace() override;

 private:
  std::unique_ptr<TBitmap> glyph_;
  TBitBtnKind kind_ = bkCustom;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
};

#include "StockButtons.h"

#include <algorithm>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

#include "controls/Forms.h"

const TEnumInfo& BitBtnKindEnumInfo() {
  static const TEnumInfo e{
      "TBitBtnKind",
      {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore",
       "bkAll"}};
  return e;
}

namespace {
const TEnumInfo& ButtonStyleEnumInfoBB() {
  static const TEnumInfo e{"TButtonStyle", {"bsAutoDetect", "bsWin31", "bsNew"}};
  return e;
}
struct KindInfo {
  const char* caption;
  int modalResult;
  QStyle::StandardPixmap icon;
};
const KindInfo kKinds[] = {
    {"", mrNone, QStyle::SP_CustomBase},
    {"OK", mrOk, QStyle::SP_DialogOkButton},
    {"Cancel", mrCancel, QStyle::SP_DialogCancelButton},
    {"&Help", mrNone, QStyle::SP_DialogHelpButton},
    {"&Yes", mrYes, QStyle::SP_DialogYesButton},
    {"&No", mrNo, QStyle::SP_DialogNoButton},
    {"&Close", mrNone, QStyle::SP_DialogCloseButton},
    {"Abort", mrAbort, QStyle::SP_BrowserStop},
    {"&Retry", mrRetry, QStyle::SP_BrowserReload},
    {"&Ignore", mrIgnore, QStyle::SP_DialogApplyButton},
    {"&All", mrAll, QStyle::SP_DialogYesButton},
};
}  // namespace

const TClassInfo& TBitBtn::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClassInfo())
          .Object("Glyph", &TBitmap::StaticClassInfo, &TBitBtn::Glyph, &TBitBtn::SetGlyph)
          .Enum("Kind", BitBtnKindEnumInfo(), &TBitBtn::Kind, &TBitBtn::SetKind, bkCustom)
          .Enum("Layout", ButtonLayoutEnumInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout, blGlyphLeft)
          .Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin, -1)
          .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1)
          .Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing, 4)
          .EnumField("Style", ButtonStyleEnumInfoBB(), "bsAutoDetect")
          .Build();
  return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = [this] { UpdateFace(); };
}
TBitBtn::~TBitBtn() { glyph_->OnChange = nullptr; }

void TBitBtn::SetGlyph(TBitmap* b) {
  if (b)
    glyph_->Assign(*b);
  else
    glyph_->Assign(TBitmap());
  if (glyph_->Height() > 0 && glyph_->Width() % glyph_->Height() == 0) {
    const int n = glyph_->Width() / glyph_->Height();
    if (n >= 1 && n <= 4) numGlyphs_ = n;
  }
  UpdateFace();
}
void TBitBtn::SetKind(TBitBtnKind k) {
  kind_ = k;
  if (k != bkCustom && !HasState(csLoading) && ModalResult() == mrNone) SetModalResult(kKinds[k].modalResult);
  if (!HasState(csLoading) && (k == bkOK || k == bkYes)) SetDefault(true);
  if (!HasState(csLoading) && (k == bkCancel || k == bkNo)) SetCancel(true);
  UpdateFace();
}
void TBitBtn::SetNumGlyphs(int v) {
  numGlyphs_ = std::clamp(v, 1, 4);
  UpdateFace();
}
void TBitBtn::SetLayout(TButtonLayout v) {
  layout_ = v;
  UpdateFace();
}

std::string TBitBtn::ShownCaption() const {
  if (!Caption().empty() || kind_ == bkCustom) return Caption();
  return kKinds[kind_].caption;
}

void TBitBtn::DefineProperties(TFiler& filer) {
  TButton::DefineProperties(filer);
  DefineIsControl(filer, this);
}

void TBitBtn::Click() {
  // A Close button closes its form.
  if (kind_ == bkClose)
    if (TCustomForm* form = GetParentForm(this)) {
      TButton::Click();
      form->Close();
      return;
    }
  if (kind_ != bkCustom && ModalResult() == mrNone && kKinds[kind_].modalResult != mrNone)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(kKinds[kind_].modalResult);
  TButton::Click();
}

void TBitBtn::UpdateFace() {
  if (!button_) return;
  TButton::UpdateFace();
  button_->setText(CaptionToMnemonicText(ShownCaption(), *Font()));
  QIcon icon;
  if (!glyph_->Empty()) {
    const int w = glyph_->Width() / std::max(1, numGlyphs_);
    QImage all = MaskedGlyph(*glyph_);
    icon = QIcon(QPixmap::fromImage(all.copy(0, 0, w, glyph_->Height())));
    // The second glyph, when there is one, is the disabled look; else the
    // style greys the first.
    if (numGlyphs_ >= 2 && all.width() >= 2 * w)
      icon.addPixmap(QPixmap::fromImage(all.copy(w, 0, w, glyph_->Height())), QIcon::Disabled);
    button_->setIconSize(QSize(w, glyph_->Height()));
  } else if (kind_ != bkCustom) {
    icon = QApplication::style()->standardIcon(kKinds[kind_].icon);
    button_->setIconSize(QSize(16, 16));
  }
  button_->setIcon(icon);
  button_->setLayoutDirection(layout_ == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

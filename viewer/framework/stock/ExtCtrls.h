// Panels, radio groups, bevels, shapes, images, paint boxes, splitters,
// notebooks, headers, control bars and colour boxes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "NotebookPages.h"
#include "StdCtrls.h"
#include "controls/Bitmap.h"

class QComboBox;

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
enum TShapeType : uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

const TEnumInfo& BevelShapeEnumInfo();
const TEnumInfo& BevelStyleEnumInfo();
const TEnumInfo& ShapeTypeEnumInfo();
const TEnumInfo& PanelBorderStyleEnumInfo();  // bsNone, bsSingle

// ---------------------------------------------------------------------------
// TPanel

class TCustomPanel : public TCustomControl {
  TESSALY_CLASS(TCustomPanel)

 public:
  explicit TCustomPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
  }
  TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
  void SetVerticalAlignment(TVerticalAlignment v) {
    verticalAlignment_ = v;
    Invalidate();
  }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v) {
    showCaption_ = v;
    Invalidate();
  }

  void AdjustClientRect(TRect& rect) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;
  void Changed();

 private:
  TAlignment alignment_ = taCenter;
  TVerticalAlignment verticalAlignment_ = taVerticalCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool showCaption_ = true;
};

class TPanel : public TCustomPanel {
  TESSALY_CLASS(TPanel)

 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

// ---------------------------------------------------------------------------
// TRadioGroup

// A group box of radio buttons, one per line of Items, in Columns columns.
class TCustomRadioGroup : public TCustomGroupBox {
  TESSALY_CLASS(TCustomRadioGroup)

 public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  int Columns() const { return columns_; }
  void SetColumns(int v);
  int ButtonCount() const { return int(buttons_.size()); }
  TRadioButton* Buttons(int i) const { return buttons_.at(size_t(i)); }
  // "items": the buttons' captions in order, decoded by the font's charset.
  void ReportContent(TContentReport& report) const override;

  void Loaded() override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 protected:
  void WMSize(TWMSize& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void UpdateButtons();
  void ArrangeButtons();

 private:
  std::unique_ptr<TSyncedStrings> items_;
  std::vector<TRadioButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  TESSALY_CLASS(TRadioGroup)

 public:
  explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};

// ---------------------------------------------------------------------------
// Graphic controls

class TBevel : public TGraphicControl {
  TESSALY_CLASS(TBevel)

 public:
  explicit TBevel(TComponent* owner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v) {
    shape_ = v;
    Invalidate();
  }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v) {
    style_ = v;
    Invalidate();
  }
  void DefineProperties(TFiler& filer) override;

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

class TShape : public TGraphicControl {
  TESSALY_CLASS(TShape)

 public:
  explicit TShape(TComponent* owner);
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType v) {
    shape_ = v;
    Invalidate();
  }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  void DefineProperties(TFiler& filer) override;

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
};

class TImage : public TGraphicControl {
  TESSALY_CLASS(TImage)

 public:
  explicit TImage(TComponent* owner);
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* p);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
  }
  bool Center() const { return center_; }
  void SetCenter(bool v) {
    center_ = v;
    Invalidate();
  }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v) {
    proportional_ = v;
    Invalidate();
  }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  void SetAutoSize(bool v) override;
  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect() const;
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

  TMethod OnProgress, OnFindGraphicClass;

 protected:
  void Paint() override;
  void PictureChanged();

 private:
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false, center_ = false, proportional_ = false, transparent_ = false;
};

class TPaintBox : public TGraphicControl {
  TESSALY_CLASS(TPaintBox)

 public:
  explicit TPaintBox(TComponent* owner);
  TMethod OnPaint;

 protected:
  void Paint() override;
};

// A bar between aligned controls.
class TSplitter : public TGraphicControl {
  TESSALY_CLASS(TSplitter)

 public:
  explicit TSplitter(TComponent* owner);
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool v) {
    beveled_ = v;
    Invalidate();
  }
  TMethod OnMoved, OnPaint;

 protected:
  void Paint() override;

 private:
  bool beveled_ = false;
};

// ---------------------------------------------------------------------------
// Windowed boxes

// Pages of which one shows: the TPage children the form stores. Pages lists
// their captions; PageIndex and ActivePage (a caption) choose the page.
class TNotebook : public TStockBox, public TPageOwner {
  TESSALY_CLASS(TNotebook)

 public:
  explicit TNotebook(TComponent* owner);
  ~TNotebook() override;
  TStrings* Pages() const { return pages_.get(); }
  void SetPages(TStrings* p) {
    if (p) pages_->Assign(*p);
  }
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int v);
  std::string ActivePage() const;
  void SetActivePage(const std::string& caption);
  void Loaded() override;
  void PageCaptionChanged() override;
  void ReportContent(TContentReport& report) const override;
  TMethod OnPageChanged;

 private:
  std::unique_ptr<TSyncedStrings> pages_;
  int pageIndex_ = 0;
};

// The old header: sections as strings.
class THeader : public TCustomControl {
  TESSALY_CLASS(THeader)

 public:
  explicit THeader(TComponent* owner);
  ~THeader() override;
  TStrings* Sections() const { return sections_.get(); }
  void SetSections(TStrings* s) {
    if (s) sections_->Assign(*s);
  }
  TMethod OnSized, OnSizing;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TSyncedStrings> sections_;
};

class TControlBar : public TStockBox {
  TESSALY_CLASS(TControlBar)

 public:
  explicit TControlBar(TComponent* owner);
  ~TControlBar() override;
  TPicture* Picture() const { return picture_.get(); }
  TMethod OnBandDrag, OnBandInfo, OnBandMove, OnBandPaint, OnBeginBandMove, OnEndBandMove, OnPaint;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TPicture> picture_;
};

// A combo box of colours.
class TColorBox : public TCustomComboBox {
  TESSALY_CLASS(TColorBox)

 public:
  explicit TColorBox(TComponent* owner);
  TColor Selected() const { return selected_; }
  void SetSelected(TColor c);
  int64_t Style() const { return style_; }
  void SetStyle(int64_t v) {
    style_ = v;
    FillWidget();
  }
  TMethod OnGetColors;

 protected:
  void FillWidget() override;

 private:
  TColor selected_ = clBlack;
  int64_t style_ = 0x43;  // cbStandardColors, cbExtendedColors, cbSystemColors
};

#include "ComCtrls.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTreeWidget>

#include "ImgList.h"
#include "StockEnum.h"
#include "core/FormNode.h"

STOCK_ENUM(StatusPanelStyleEnumInfo, "TStatusPanelStyle", "psText", "psOwnerDraw")
STOCK_ENUM(StatusPanelBevelEnumInfo, "TStatusPanelBevel", "pbNone", "pbLowered", "pbRaised")
STOCK_ENUM(ProgressBarOrientationEnumInfo, "TProgressBarOrientation", "pbHorizontal", "pbVertical")
STOCK_ENUM(ProgressBarStyleEnumInfo, "TProgressBarStyle", "pbstNormal", "pbstMarquee")
STOCK_ENUM(ProgressBarStateEnumInfo, "TProgressBarState", "pbsNormal", "pbsError", "pbsPaused")
STOCK_ENUM(TrackBarOrientationEnumInfo, "TTrackBarOrientation", "trHorizontal", "trVertical")
STOCK_ENUM(TickMarkEnumInfo, "TTickMark", "tmBottomRight", "tmTopLeft", "tmBoth")
STOCK_ENUM(TickStyleEnumInfo, "TTickStyle", "tsNone", "tsAuto", "tsManual")
STOCK_ENUM(PositionToolTipEnumInfo, "TPositionToolTip", "ptNone", "ptTop", "ptLeft", "ptBottom", "ptRight")
STOCK_ENUM(UDOrientationEnumInfo, "TUDOrientation", "udHorizontal", "udVertical")
STOCK_ENUM(UDAlignButtonEnumInfo, "TUDAlignButton", "udLeft", "udRight")
STOCK_ENUM(HKInvalidKeyEnumInfo, "THKInvalidKey", "hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl", "hcShiftAlt",
           "hcCtrlAlt", "hcShiftCtrlAlt")
STOCK_ENUM(HKModifierEnumInfo, "THKModifier", "hkShift", "hkCtrl", "hkAlt", "hkExt")
STOCK_ENUM(CommonAVIEnumInfo, "TCommonAVI", "aviNone", "aviFindFolder", "aviFindFile", "aviFindComputer",
           "aviCopyFiles", "aviCopyFile", "aviRecycleFile", "aviEmptyRecycle", "aviDeleteFile")

// ---------------------------------------------------------------------------
// TStockItemData

const TClassInfo& TStockItemData::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TStockItemData>("TStockItemData", &TPersistent::StaticClassInfo()).Build();
  return info;
}

void TStockItemData::DefineProperties(TFiler& filer) {
  for (const char* name : {"Data", "ItemData", "NodeData", "Items"}) {
    auto it = std::find_if(data.begin(), data.end(), [&](const auto& p) { return p.first == name; });
    const bool has = it != data.end();
    filer.DefineProperty(
        name,
        [this, n = std::string(name)](const TFormNode& v) {
          auto found = std::find_if(data.begin(), data.end(), [&](const auto& p) { return p.first == n; });
          if (found == data.end())
            data.emplace_back(n, v.bytes);
          else
            found->second = v.bytes;
        },
        [this, n = std::string(name)] {
          for (const auto& p : data)
            if (p.first == n) return TFormNode::Binary(p.second);
          return TFormNode::Binary({});
        },
        has);
  }
}

// ---------------------------------------------------------------------------
// TStatusBar

const TClassInfo& TStatusPanel::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TStatusPanel>("TStatusPanel", &TCollectionItem::StaticClassInfo())
          .Enum(
              "Alignment", AlignmentEnumInfo(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, "taLeftJustify")
          .Enum("Bevel", StatusPanelBevelEnumInfo(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel, pbLowered)
          .EnumField("BiDiMode", BiDiModeEnumInfo(), "bdLeftToRight")
          .BoolField("ParentBiDiMode", true)
          .Enum("Style", StatusPanelStyleEnumInfo(), &TStatusPanel::Style, &TStatusPanel::SetStyle, "psText")
          .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Build();
  return info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TStatusBar> b("TStatusBar", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishLooks(b, clBtnFace);
    groups::PublishWindowed(b);
    b.Publish("Align", alBottom)
        .Publish("AutoSize")
        .IgnoredReference("Action", &TComponent::StaticClassInfo)
        .BoolField("AutoHint", false)
        .IntegerField("BorderWidth", 0)
        .Object("Panels", &TCollection::StaticClassInfo, &TStatusBar::Panels)
        .Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false)
        .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
        .Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true)
        .BoolField("UseSystemFont", true)
        .Event("OnCreatePanelClass", &TStatusBar::OnCreatePanelClass)
        .Event("OnDrawPanel", &TStatusBar::OnDrawPanel)
        .Event("OnHint", &TStatusBar::OnHint);
    return b.Build();
  }();
  return info;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TCollection>(TStatusPanel::StaticClassInfo())) {
  SetBounds(0, 0, 150, 19);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetAlign(alBottom);
  panels_->OnChange = [this](TCollection&) { Invalidate(); };
}
TStatusBar::~TStatusBar() { panels_->OnChange = nullptr; }

void TStatusBar::Paint() {
  TCanvas& c = *Canvas();
  c.SetFont(*Font());
  const int top = 2, bottom = Height();
  auto panel = [&](int left, int right, const std::string& text, TStatusPanelBevel bevel, int alignment) {
    TRect r = Rect(left, top, right, bottom);
    if (bevel == pbLowered) Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    if (bevel == pbRaised) Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    r.Left += 2;
    r.Right -= 2;
    DrawControlText(c, r, Font()->Decode(text), alignment, 1, false, false);
  };
  if (simplePanel_ || panels_->Count() == 0) {
    panel(0, Width(), simplePanel_ ? simpleText_ : std::string(), pbNone, 0);
  } else {
    int x = 0;
    for (int i = 0; i < panels_->Count(); ++i) {
      auto* p = static_cast<TStatusPanel*>(panels_->Items(i));
      const int right = i + 1 == panels_->Count() ? Width() : x + p->Width();
      panel(x, std::min(right, Width()), p->Text(), p->Bevel(), p->Alignment());
      x = right + 2;
      if (x >= Width()) break;
    }
  }
  if (sizeGrip_) {
    // Three diagonal grip lines in the bottom-right corner.
    for (int i = 0; i < 3; ++i) {
      const int d = 4 * i + 3;
      for (int k = 0; k < d; ++k) {
        c.SetPixel(Width() - 1 - k, Height() - d + k, clBtnHighlight);
        c.SetPixel(Width() - 1 - k + 1, Height() - d + k, clBtnShadow);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// TProgressBar

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TProgressBar> b("TProgressBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b);
    b.Publish("Font").Publish("ParentFont").Publish("Color").Publish("ParentColor");
    b.ColorField("BackgroundColor", clDefault)
        .ColorField("BarColor", clDefault)
        .IntegerField("BorderWidth", 0)
        .IntegerField("MarqueeInterval", 10)
        .Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
        .Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
        .Enum("Orientation", ProgressBarOrientationEnumInfo(), &TProgressBar::Orientation,
              &TProgressBar::SetOrientation, pbHorizontal)
        .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0)
        .BoolField("Smooth", false)
        .BoolField("SmoothReverse", false)
        .EnumField("State", ProgressBarStateEnumInfo(), "pbsNormal")
        .IntegerField("Step", 10)
        .EnumField("Style", ProgressBarStyleEnumInfo(), "pbstNormal");
    return b.Build();
  }();
  return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

QWidget* TProgressBar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* b = new QProgressBar(parentWidget);
  b->setTextVisible(false);
  bar_ = b;
  return b;
}
void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TProgressBar::Apply() {
  if (!bar_) return;
  bar_->setOrientation(orientation_ == pbVertical ? Qt::Vertical : Qt::Horizontal);
  bar_->setRange(min_, std::max(min_, max_));
  bar_->setValue(std::clamp(position_, min_, std::max(min_, max_)));
}

// ---------------------------------------------------------------------------
// TTrackBar

const TClassInfo& TTrackBar::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TTrackBar> b("TTrackBar", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    b.Publish("Ctl3D")
        .Publish("ParentCtl3D")
        .Publish("Color")
        .Publish("ParentColor")
        .Publish("Font")
        .Publish("ParentFont");
    b.IntegerField("BorderWidth", 0);
    b.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1)
        .Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1)
        .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10)
        .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0)
        .Enum("Orientation", TrackBarOrientationEnumInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation,
              trHorizontal)
        .Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2)
        .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0)
        .EnumField("PositionToolTip", PositionToolTipEnumInfo(), "ptNone")
        .IntegerField("SelEnd", 0)
        .IntegerField("SelStart", 0)
        .BoolField("ShowSelRange", true)
        .BoolField("SliderVisible", true)
        .IntegerField("ThumbLength", 20)
        .Enum("TickMarks", TickMarkEnumInfo(), &TTrackBar::TickMarks, &TTrackBar::SetTickMarks, tmBottomRight)
        .Enum("TickStyle", TickStyleEnumInfo(), &TTrackBar::TickStyle, &TTrackBar::SetTickStyle, tsAuto)
        .Event("OnChange", &TTrackBar::OnChange);
    return b.Build();
  }();
  return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TTrackBar::SetPosition(int v) {
  if (position_ == v) return;
  position_ = v;
  Apply();
  if (!HasState(csLoading) && OnChange) OnChange.code(this);
}
void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (orientation_ == v) return;
  orientation_ = v;
  if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  Apply();
}

QWidget* TTrackBar::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* s = new QSlider(parentWidget);
  QObject::connect(s, &QSlider::valueChanged, s, [this](int v) {
    if (!applying_) SetPosition(v);
  });
  slider_ = s;
  return s;
}
void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}
void TTrackBar::Apply() {
  if (!slider_) return;
  applying_ = true;
  const bool vertical = orientation_ == trVertical;
  slider_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  slider_->setRange(min_, std::max(min_, max_));
  slider_->setValue(position_);
  slider_->setSingleStep(lineSize_);
  slider_->setPageStep(pageSize_);
  slider_->setTickInterval(std::max(1, frequency_));
  QSlider::TickPosition tp = QSlider::NoTicks;
  if (tickStyle_ != tsNone) {
    if (tickMarks_ == tmBottomRight) tp = vertical ? QSlider::TicksRight : QSlider::TicksBelow;
    if (tickMarks_ == tmTopLeft) tp = vertical ? QSlider::TicksLeft : QSlider::TicksAbove;
    if (tickMarks_ == tmBoth) tp = QSlider::TicksBothSides;
  }
  slider_->setTickPosition(tp);
  applying_ = false;
}

// ---------------------------------------------------------------------------
// TUpDown

const TClassInfo& TUpDown::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<TUpDown> b("TUpDown", &TCustomControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b);
    b.EnumField("AlignButton", UDAlignButtonEnumInfo(), "udRight")
        .BoolField("ArrowKeys", true)
        .Reference("Associate", &TComponent::StaticClassInfo, &TUpDown::Associate,
                   [](TUpDown* u, TPersistent* v) { u->SetAssociate(dynamic_cast<TComponent*>(v)); })
        .IntegerField("Increment", 1)
        .IntegerField("Max", 100)
        .IntegerField("Min", 0)
        .Enum("Orientation", UDOrientationEnumInfo(), &TUpDown::Orientation, &TUpDown::SetOrientation, udVertical)
        .IntegerField("Position", 0)
        .BoolField("Thousands", true)
        .BoolField("Wrap", false)
        .Event("OnChanging", &TUpDown::OnChanging)
        .Event("OnChangingEx", &TUpDown::OnChangingEx);
    return b.Build();
  }();
  return info;
}

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 17, 25);
  SetColor(clBtnFace);
  SetParentColor(false);
}
void TUpDown::SetAssociate(TComponent* c) {
  associate_ = c;
  if (c) c->FreeNotification(this);
}
void TUpDown::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == associate_) associate_ = nullptr;
}

static void DrawArrowButton(TCanvas& c, TRect r, int direction) {
  TRect face = r;
  Frame3D(c, face, clBtnHighlight, cl3DDkShadow, 1);
  Frame3D(c, face, cl3DLight, clBtnShadow, 1);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(face);
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c.Brush()->SetColor(clBtnText);
  for (int i = 0; i < 3; ++i) {
    switch (direction) {
      case 0: c.FillRect(Rect(cx - i, cy - 1 + i, cx + i + 1, cy + i)); break;       // up
      case 1: c.FillRect(Rect(cx - 2 + i, cy - 1 + i, cx + 3 - i, cy + i)); break;   // down
      case 2: c.FillRect(Rect(cx - 1 + i, cy - i, cx + i, cy + i + 1)); break;       // left
      default: c.FillRect(Rect(cx - 1 + i, cy - 2 + i, cx + i, cy + 3 - i)); break;  // right
    }
  }
}

void TUpDown::Paint() {
  TCanvas& c = *Canvas();
  if (orientation_ == udVertical) {
    DrawArrowButton(c, Rect(0, 0, Width(), Height() / 2), 0);
    DrawArrowButton(c, Rect(0, Height() / 2, Width(), Height()), 1);
  } else {
    DrawArrowButton(c, Rect(0, 0, Width() / 2, Height()), 2);
    DrawArrowButton(c, Rect(Width() / 2, 0, Width(), Height()), 3);
  }
}

// ---------------------------------------------------------------------------
// THotKey

const TClassInfo& THotKey::StaticClassInfo() {
  static const TClassInfo info = [] {
    ClassBuilder<THotKey> b("THotKey", &TWinControl::StaticClassInfo());
    groups::PublishControl(b);
    groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
    groups::PublishBevels(b);
    b.Publish("AutoSize")
        .Publish("Color")
        .Publish("ParentColor")
        .Integer("HotKey", &THotKey::HotKey, &THotKey::SetHotKey, 0x4041)
        .SetField("InvalidKeys", HKInvalidKeyEnumInfo(), 3)
        .SetField("Modifiers", HKModifierEnumInfo(), 4)
        .Event("OnChange", &THotKey::OnChange);
    return b.Build();
  }();
  return info;
}

THotKey::THotKey(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
}

static QString ShortCutText(int shortcut) {
  if (shortcut == 0) return QStringLiteral("None");
  QString s;
  if (shortcut & 0x2000) s += "Shift+";
  if (shortcut & 0x4000) s += "Ctrl+";
  if (shortcut & 0x8000) s += "Alt+";
  const int key = shortcut & 0xFF;
  if (key >= 0x70 && key <= 0x87)
    s += QString("F%1").arg(key - 0x6F);
  else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    s += QChar(key);
  else
    s += QString("#%1").arg(key);
  return s;
}

void THotKey::SetHotKey(int v) {
  hotKey_ = v;
  if (edit_) edit_->setText(ShortCutText(v));
}
QWidget* THotKey::CreateWindowHandle(const TCreateParams& params, QWidget* parentWidget) {
  (void)params;
  auto* e = new QLineEdit(parentWidget);
  e->setReadOnly(true);
  edit_ = e;
  return e;
}
void THotKey::CreateWnd() {
  TWinControl::CreateWnd();
  SetHotKey(hotKey_);
}

// ---------------------------------------------------------------------------
// TAnimate

const TClassInfo& TAnimate::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TAnimate>("TAnimate", &TStockBox::StaticClassInfo())
          .BoolField("Active", false)
          .Publish("AutoSize")
          .IntegerField("BorderWidth", 0)
          .BoolField("Center", true)
          .EnumField("CommonAVI", CommonAVIEnumInfo(), "aviNone")
          .StringField("FileName")
          .BoolField("Open", false)
          .IntegerField("Repetitions", 0)
          .IntegerField("StartFrame", 1)
          .IntegerField("StopFrame", 0)
          .BoolField("Timers", false)
          .BoolField("Transparent", true)
          .Event("OnClose", &TAnimate::OnClose)
          .Event("OnOpen", &TAnimate::OnOpen)
          .Event("OnStart", &TAnimate::OnStart)
          .Event("OnStop", &TAnimate::OnStop)
          .Build();
  return info;
}

TAnimate::TAnimate(TComponent* owner) : TStockBox(owner) {
  SetBounds(0, 0, 100, 80);
  frame_ = 0;
}

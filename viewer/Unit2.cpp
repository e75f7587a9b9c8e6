#include "Unit2.h"

#include <QFile>

#include "Calendar/Calendar.h"
#include "DirOutln/DirOutln.h"
#include "FormPictures.h"
#include "Gauges/Gauges.h"
#include "Spin/Spin.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "stock/StockControls.h"

TForm2* Form2 = nullptr;

// ---------------------------------------------------------------------------
// TUnknown

const TClassInfo& TUnknown::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TUnknown>("TUnknown", &TCustomControl::StaticClassInfo())
          // The position and size a placeholder keeps may come from a
          // component that stores them as floats.
          .Publish("Left")
          .RoundingFloats()
          .Publish("Top")
          .RoundingFloats()
          .Publish("Width")
          .RoundingFloats()
          .Publish("Height")
          .RoundingFloats()
          .Build();
  return info;
}

TUnknown::TUnknown(TComponent* owner) : TCustomControl(owner) {
  // A component that kept no size (a non-visual one, say) still shows as a
  // small box at its position.
  SetBounds(Left(), Top(), 28, 28);
}

void TUnknown::SetBounds(int left, int top, int width, int height) {
  // Every control stores its Width and Height, so a size read from the
  // form marks a placeholder of a visual component; a non-visual one
  // stores only its icon's Left and Top.
  if ((ComponentState() & csReading) && (width != Width() || height != Height())) sizeRead_ = true;
  TCustomControl::SetBounds(left, top, width, height);
}

void TUnknown::Paint() {
  TCustomControl::Paint();
  TCanvas* canvas = Canvas();
  const int w = Width();
  const int h = Height();
  canvas->Rectangle(0, 0, w, h);
  canvas->MoveTo(0, 0);
  canvas->LineTo(w, h);
  canvas->MoveTo(0, h);
  canvas->LineTo(w, 0);
}

// ---------------------------------------------------------------------------
// TForm2

namespace {
// A form description carried in the program's resources.
void LoadOwnDescription(TComponent* form, const char* resourcePath) {
  QFile file(resourcePath);
  if (!file.open(QIODevice::ReadOnly)) throw EFOpenError(std::string("Missing form description ") + resourcePath);
  QByteArray bytes = file.readAll();
  TMemoryStream stream;
  stream.WriteBuffer(bytes.constData(), size_t(bytes.size()));
  stream.SetPosition(0);
  InitInheritedComponent(form, stream);
}
}  // namespace

const TClassInfo& TForm2::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TForm2>("TForm2", &TForm::StaticClassInfo()).Method("FormMouseMove", &TForm2::FormMouseMove).Build();
  return info;
}

TForm2::TForm2(TComponent* owner) : TForm(owner) { LoadOwnDescription(this, ":/forms/Unit2.dfm"); }

void TForm2::FormMouseMove(TPersistent*) {}

void ShowFormPreview(TStream& resource) {
  Form2 = new TForm2(Application);
  try {
    ReadComponentRes(resource, Form2);
    ShowFormIcon(*Form2);
    Form2->ShowModal();
  } catch (...) {
    delete Form2;
    throw;
  }
  delete Form2;
}

// ---------------------------------------------------------------------------
// Registration

void RegisterPreviewClasses() {
  RegisterClasses({
      &TUnknown::StaticClassInfo(),
      &TForm::StaticClassInfo(),
      &TFont::StaticClassInfo(),
      &TFrame::StaticClassInfo(),
      &TMainMenu::StaticClassInfo(),
      &TPopupMenu::StaticClassInfo(),
      &TLabel::StaticClassInfo(),
      &TEdit::StaticClassInfo(),
      &TMemo::StaticClassInfo(),
      &TButton::StaticClassInfo(),
      &TCheckBox::StaticClassInfo(),
      &TRadioButton::StaticClassInfo(),
      &TListBox::StaticClassInfo(),
      &TComboBox::StaticClassInfo(),
      &TScrollBar::StaticClassInfo(),
      &TGroupBox::StaticClassInfo(),
      &TRadioGroup::StaticClassInfo(),
      &TPanel::StaticClassInfo(),
      &TActionList::StaticClassInfo(),
      &TMenuItem::StaticClassInfo(),
      &TAction::StaticClassInfo(),
      &TTimer::StaticClassInfo(),
      &TPaintBox::StaticClassInfo(),
      &TMediaPlayer::StaticClassInfo(),
      &TOleContainer::StaticClassInfo(),
      &TBitBtn::StaticClassInfo(),
      &TSpeedButton::StaticClassInfo(),
      &TMaskEdit::StaticClassInfo(),
      &TStringGrid::StaticClassInfo(),
      &TDrawGrid::StaticClassInfo(),
      &TImage::StaticClassInfo(),
      &TShape::StaticClassInfo(),
      &TBevel::StaticClassInfo(),
      &TScrollBox::StaticClassInfo(),
      &TCheckListBox::StaticClassInfo(),
      &TSplitter::StaticClassInfo(),
      &TStaticText::StaticClassInfo(),
      &TControlBar::StaticClassInfo(),
      &TApplicationEvents::StaticClassInfo(),
      &TValueListEditor::StaticClassInfo(),
      &TColorBox::StaticClassInfo(),
      &TActionManager::StaticClassInfo(),
      &TActionMainMenuBar::StaticClassInfo(),
      &TActionToolBar::StaticClassInfo(),
      &TXPColorMap::StaticClassInfo(),
      &TStandardColorMap::StaticClassInfo(),
      &TTwilightColorMap::StaticClassInfo(),
      &TCustomizeDlg::StaticClassInfo(),
      &TTabControl::StaticClassInfo(),
      &TPageControl::StaticClassInfo(),
      &TImageList::StaticClassInfo(),
      &TTrackBar::StaticClassInfo(),
      &TProgressBar::StaticClassInfo(),
      &TUpDown::StaticClassInfo(),
      &THotKey::StaticClassInfo(),
      &TAnimate::StaticClassInfo(),
      &TDateTimePicker::StaticClassInfo(),
      &TMonthCalendar::StaticClassInfo(),
      &TTreeView::StaticClassInfo(),
      &TListView::StaticClassInfo(),
      &THeaderControl::StaticClassInfo(),
      &TStatusBar::StaticClassInfo(),
      &TToolBar::StaticClassInfo(),
      &TCoolBar::StaticClassInfo(),
      &TPageScroller::StaticClassInfo(),
      &TComboBoxEx::StaticClassInfo(),
      &TTabSheet::StaticClassInfo(),
      &TToolButton::StaticClassInfo(),
      &TDBLookupList::StaticClassInfo(),
      &TDBLookupCombo::StaticClassInfo(),
      &TTabSet::StaticClassInfo(),
      &TOutline::StaticClassInfo(),
      &TTabbedNotebook::StaticClassInfo(),
      &TNotebook::StaticClassInfo(),
      &THeader::StaticClassInfo(),
      &TFileListBox::StaticClassInfo(),
      &TDirectoryListBox::StaticClassInfo(),
      &TDriveComboBox::StaticClassInfo(),
      &TFilterComboBox::StaticClassInfo(),
      &TOpenDialog::StaticClassInfo(),
      &TSaveDialog::StaticClassInfo(),
      &TOpenPictureDialog::StaticClassInfo(),
      &TSavePictureDialog::StaticClassInfo(),
      &TFontDialog::StaticClassInfo(),
      &TColorDialog::StaticClassInfo(),
      &TPrintDialog::StaticClassInfo(),
      &TPrinterSetupDialog::StaticClassInfo(),
      &TFindDialog::StaticClassInfo(),
      &TReplaceDialog::StaticClassInfo(),
      &TPageSetupDialog::StaticClassInfo(),
      &TGauge::StaticClassInfo(),
      &TColorGrid::StaticClassInfo(),
      &TSpinButton::StaticClassInfo(),
      &TSpinEdit::StaticClassInfo(),
      &TDirectoryOutline::StaticClassInfo(),
      &TCalendar::StaticClassInfo(),
      &TDBGrid::StaticClassInfo(),
      &TDBNavigator::StaticClassInfo(),
      &TDBText::StaticClassInfo(),
      &TDBEdit::StaticClassInfo(),
      &TDBMemo::StaticClassInfo(),
      &TDBImage::StaticClassInfo(),
      &TDBListBox::StaticClassInfo(),
      &TDBComboBox::StaticClassInfo(),
      &TDBCheckBox::StaticClassInfo(),
      &TDBRadioGroup::StaticClassInfo(),
      &TDBLookupListBox::StaticClassInfo(),
      &TDBLookupComboBox::StaticClassInfo(),
      &TDBRichEdit::StaticClassInfo(),
      &TDBCtrlGrid::StaticClassInfo(),
  });
  // The notebooks' page classes, which their units register themselves so
  // that the pages a form stores inside a notebook load as pages.
  RegisterClasses({&TPage::StaticClassInfo(), &TTabPage::StaticClassInfo()});
}

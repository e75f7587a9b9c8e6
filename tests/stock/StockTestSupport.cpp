#include "StockTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "components/Registry.h"
#include "controls/TextCodecs.h"
#include "core/Streams.h"
#include "stock/StockControls.h"
#include "streaming/Converters.h"

namespace {

// What an unregistered component becomes: a crossed box.
class TTestPlaceholder : public TCustomControl {
  TESSALY_CLASS(TTestPlaceholder)

 public:
  explicit TTestPlaceholder(TComponent* owner) : TCustomControl(owner) {}
};

const TClassInfo& TTestPlaceholder::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TTestPlaceholder>("TUnknown", &TCustomControl::StaticClassInfo())
          .Publish("Left")
          .RoundingFloats()
          .Publish("Top")
          .RoundingFloats()
          .Publish("Width")
          .RoundingFloats()
          .Publish("Height")
          .RoundingFloats()
          .Publish("TabOrder")
          .Publish("Align")
          .Build();
  return info;
}

}  // namespace

const std::vector<std::string>& StockClassNames() {
  static const std::vector<std::string> names = {
      "TForm",
      "TFont",
      "TFrame",
      "TMainMenu",
      "TPopupMenu",
      "TLabel",
      "TEdit",
      "TMemo",
      "TButton",
      "TCheckBox",
      "TRadioButton",
      "TListBox",
      "TComboBox",
      "TScrollBar",
      "TGroupBox",
      "TRadioGroup",
      "TPanel",
      "TActionList",
      "TMenuItem",
      "TAction",
      "TTimer",
      "TPaintBox",
      "TMediaPlayer",
      "TOleContainer",
      "TBitBtn",
      "TSpeedButton",
      "TMaskEdit",
      "TStringGrid",
      "TDrawGrid",
      "TImage",
      "TShape",
      "TBevel",
      "TScrollBox",
      "TCheckListBox",
      "TSplitter",
      "TStaticText",
      "TControlBar",
      "TApplicationEvents",
      "TValueListEditor",
      "TColorBox",
      "TActionManager",
      "TActionMainMenuBar",
      "TActionToolBar",
      "TXPColorMap",
      "TStandardColorMap",
      "TTwilightColorMap",
      "TCustomizeDlg",
      "TTabControl",
      "TPageControl",
      "TImageList",
      "TTrackBar",
      "TProgressBar",
      "TUpDown",
      "THotKey",
      "TAnimate",
      "TDateTimePicker",
      "TMonthCalendar",
      "TTreeView",
      "TListView",
      "THeaderControl",
      "TStatusBar",
      "TToolBar",
      "TCoolBar",
      "TPageScroller",
      "TComboBoxEx",
      "TTabSheet",
      "TToolButton",
      "TDBLookupList",
      "TDBLookupCombo",
      "TTabSet",
      "TOutline",
      "TTabbedNotebook",
      "TNotebook",
      "THeader",
      "TFileListBox",
      "TDirectoryListBox",
      "TDriveComboBox",
      "TFilterComboBox",
      "TOpenDialog",
      "TSaveDialog",
      "TOpenPictureDialog",
      "TSavePictureDialog",
      "TFontDialog",
      "TColorDialog",
      "TPrintDialog",
      "TPrinterSetupDialog",
      "TFindDialog",
      "TReplaceDialog",
      "TPageSetupDialog",
      "TColorGrid",
      "TDBGrid",
      "TDBNavigator",
      "TDBText",
      "TDBEdit",
      "TDBMemo",
      "TDBImage",
      "TDBListBox",
      "TDBComboBox",
      "TDBCheckBox",
      "TDBRadioGroup",
      "TDBLookupListBox",
      "TDBLookupComboBox",
      "TDBRichEdit",
      "TDBCtrlGrid"};
  return names;
}

void RegisterStockClassesForTests() {
  static const bool done = [] {
    RegisterClasses(
        {&TTestPlaceholder::StaticClassInfo(),
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
         &TColorGrid::StaticClassInfo(),
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
         &TDBCtrlGrid::StaticClassInfo()});
    RegisterClasses({&TPage::StaticClassInfo(), &TTabPage::StaticClassInfo()});
    return true;
  }();
  (void)done;
}

std::string FormTextWith(const std::string& body) {
  return "object Form1: TForm1\r\n  Left = 0\r\n  Top = 0\r\n  ClientWidth = 400\r\n  ClientHeight = 300\r\n"
         "  Font.Charset = DEFAULT_CHARSET\r\n  Font.Color = clWindowText\r\n  Font.Height = -11\r\n"
         "  Font.Name = 'MS Sans Serif'\r\n  Font.Style = []\r\n" +
         body + "end\r\n";
}

std::string CorpusFormText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream read;
  read << in.rdbuf();
  const std::string bytes = read.str();
  if (DetectFormEncoding(std::string_view(bytes).substr(0, 64)) == FormEncoding::Text) {
    const bool bom = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    return bytes.substr(bom ? 3 : 0);
  }
  TMemoryStream source;
  source.WriteBuffer(bytes.data(), bytes.size());
  source.SetPosition(0);
  TMemoryStream text;
  ObjectResourceToText(source, text);
  return std::string(text.Memory(), size_t(text.Size()));
}

std::unique_ptr<TForm> LoadFormText(const std::string& text) {
  RegisterStockClassesForTests();
  auto form = std::make_unique<TForm>(nullptr);
  TMemoryStream stream;
  stream.WriteBuffer(text.data(), text.size());
  stream.SetPosition(0);
  InitInheritedComponent(form.get(), stream);
  return form;
}

std::string Quoted(const char* utf8, const char* codePage) {
  std::string out = "'";
  for (char c : EncodeCodePage(QString::fromUtf8(utf8), codePage))
    out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

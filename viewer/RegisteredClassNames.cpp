#include "RegisteredClassNames.h"

#include <algorithm>

#include "components/Registry.h"
#include "core/SysUtils.h"

const std::vector<std::string> kStandardFormClassNames = {
    "TUnknown",
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
    "TGauge",
    "TColorGrid",
    "TSpinButton",
    "TSpinEdit",
    "TDirectoryOutline",
    "TCalendar",
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
    "TDBCtrlGrid",
};

const std::vector<std::string> kNotebookPageClassNames = {"TPage", "TTabPage"};

namespace {
// The names sorted ignoring case, for a binary search per header.
const std::vector<std::string>& SortedNames() {
  static const std::vector<std::string> sorted = [] {
    std::vector<std::string> v = kStandardFormClassNames;
    v.insert(v.end(), kNotebookPageClassNames.begin(), kNotebookPageClassNames.end());
    std::sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    return v;
  }();
  return sorted;
}
}  // namespace

bool IsStandardFormClass(std::string_view name) {
  const auto& names = SortedNames();
  auto it = std::lower_bound(names.begin(), names.end(), name, [](const std::string& a, std::string_view b) {
    return CompareText(a, b) < 0;
  });
  return it != names.end() && CompareText(*it, name) == 0;
}

bool IsRegisteredClass(std::string_view className) { return GetClass(className) != nullptr; }

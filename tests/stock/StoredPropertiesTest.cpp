// Values the designer stores through the classes' own hooks rather than as
// published properties, properties that only older or newer versions store,
// and component names in any script: both encodings read them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "stock/StockControls.h"
#include "streaming/Converters.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

// The form text as the binary resource the designer would have saved.
std::string AsResource(const std::string& text) {
  TMemoryStream in, out;
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  ObjectTextToResource(in, out);
  return std::string(out.Memory(), size_t(out.Size()));
}

// Loads the form from its text and from its binary resource, and checks each.
void LoadBothEncodings(const std::string& text, const std::function<void(TForm&)>& check) {
  for (const std::string& data : {text, AsResource(text)}) {
    SCOPED_TRACE(data == text ? "form text" : "binary form");
    std::unique_ptr<TForm> form = LoadFormText(data);
    check(*form);
  }
}

std::string WrittenText(TComponent& component) {
  FormOutput out;
  FormTextWriter writer(out, FormTextOptions{"\n"});
  WriteComponent(&component, writer);
  return out.Str();
}

// An about box as the designer's template stores it: IsControl on the panel,
// the image and the button.
const char* const kAboutBox =
    "  object Panel1: TPanel\r\n"
    "    Left = 8\r\n    Top = 8\r\n    Width = 281\r\n    Height = 161\r\n"
    "    BevelInner = bvRaised\r\n    BevelOuter = bvLowered\r\n    ParentColor = True\r\n"
    "    TabOrder = 0\r\n"
    "    object ProgramIcon: TImage\r\n"
    "      Left = 8\r\n      Top = 8\r\n      Width = 65\r\n      Height = 57\r\n"
    "      Stretch = True\r\n      IsControl = True\r\n"
    "    end\r\n"
    "    object ProductName: TLabel\r\n"
    "      Left = 88\r\n      Top = 16\r\n      Width = 68\r\n      Height = 13\r\n"
    "      Caption = 'Product Name'\r\n      IsControl = True\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object OKButton: TButton\r\n"
    "    Left = 111\r\n    Top = 178\r\n    Width = 75\r\n    Height = 25\r\n"
    "    Caption = 'OK'\r\n    Default = True\r\n    ModalResult = 1\r\n    TabOrder = 1\r\n"
    "    IsControl = True\r\n"
    "  end\r\n";

}  // namespace

TEST(StoredProperties, IsControlReadsOnEveryKindOfControl) {
  LoadBothEncodings(FormTextWith(kAboutBox), [](TForm& form) {
    ASSERT_NE(FindIn<TPanel>(form, "Panel1"), nullptr);
    ASSERT_NE(FindIn<TImage>(form, "ProgramIcon"), nullptr);
    EXPECT_EQ(FindIn<TLabel>(form, "ProductName")->Caption(), "Product Name");
    EXPECT_EQ(FindIn<TButton>(form, "OKButton")->Caption(), "OK");
  });
}

TEST(StoredProperties, IsControlTakesOnlyABoolean) {
  const std::string text = FormTextWith("  object B: TButton\r\n    IsControl = 1\r\n  end\r\n");
  try {
    LoadFormText(text);
    FAIL() << "an integer IsControl was accepted";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Error reading B.IsControl: Invalid property value");
  }
}

namespace {

// An outline as the designer stores it: the lines as "Nodes", one tab per
// level, and the items' data beside them.
const char* const kOutline =
    "  object Outline1: TOutline\r\n"
    "    Left = 8\r\n    Top = 8\r\n    Width = 200\r\n    Height = 150\r\n"
    "    Lines.Nodes = (\r\n"
    "      'Chapter 1'\r\n      #9'Section 1.1'\r\n      #9'Section 1.2'\r\n      'Chapter 2')\r\n"
    "    Options = [ooDrawTreeRoot, ooDrawFocusRect]\r\n"
    "    ItemHeight = 16\r\n"
    "    TabOrder = 0\r\n"
    "    Data = {\r\n"
    "      1F0000000400000001000000000000000200000001000000020000000100\r\n"
    "      00000100000000000000}\r\n"
    "  end\r\n";

}  // namespace

TEST(StoredProperties, OutlineReadsItsNodesAndKeepsItsData) {
  LoadBothEncodings(FormTextWith(kOutline), [](TForm& form) {
    auto* outline = FindIn<TOutline>(form, "Outline1");
    ASSERT_NE(outline, nullptr);
    ASSERT_EQ(outline->ItemCount(), 4);
    EXPECT_EQ(outline->Items(2)->Text(), "Section 1.1");
    EXPECT_EQ(outline->Items(2)->Level(), 2);
    EXPECT_EQ(outline->Items(4)->Level(), 1);
    const std::string written = WrittenText(form);
    EXPECT_NE(written.find("Data = {\n"), std::string::npos) << written;
    EXPECT_NE(written.find("1F000000040000000100000000000000"), std::string::npos) << written;
  });
}

TEST(StoredProperties, OutlineDataMustBeBinary) {
  const std::string text = FormTextWith("  object O: TOutline\r\n    Data = 'x'\r\n  end\r\n");
  EXPECT_THROW(LoadFormText(text), EReadError);
}

namespace {

// Names since the Unicode designers may hold letters of any script; both
// encodings carry them as UTF-8.
const char* const kUnicodeNames =
    "  object cdsBP06\xE5\xAE\x8C\xE6\x88\x90\xE6\x9D\xBF\xE5\x8E\x9Amm: TPanel\r\n"
    "    Left = 8\r\n    Top = 8\r\n    Width = 100\r\n    Height = 40\r\n"
    "    PopupMenu = \xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E\r\n"
    "    TabOrder = 0\r\n"
    "  end\r\n"
    "  object \xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E: TPopupMenu\r\n"
    "    Left = 40\r\n    Top = 80\r\n"
    "  end\r\n";

}  // namespace

TEST(StoredProperties, ComponentNamesInAnyScriptReadAndWriteInBothEncodings) {
  LoadBothEncodings(FormTextWith(kUnicodeNames), [](TForm& form) {
    auto* panel = FindIn<TPanel>(form, "cdsBP06\xE5\xAE\x8C\xE6\x88\x90\xE6\x9D\xBF\xE5\x8E\x9Amm");
    ASSERT_NE(panel, nullptr);
    auto* menu = FindIn<TPopupMenu>(form, "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(panel->PopupMenu(), menu);
    // Written back as read, and read again from the binary form.
    const std::string written = WrittenText(form);
    EXPECT_NE(
        written.find("object cdsBP06\xE5\xAE\x8C\xE6\x88\x90\xE6\x9D\xBF\xE5\x8E\x9Amm: TPanel"), std::string::npos)
        << written;
    EXPECT_NE(written.find("PopupMenu = \xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E"), std::string::npos) << written;
    std::unique_ptr<TForm> again = LoadFormText(AsResource(written));
    EXPECT_NE(FindIn<TPanel>(*again, "cdsBP06\xE5\xAE\x8C\xE6\x88\x90\xE6\x9D\xBF\xE5\x8E\x9Amm"), nullptr);
  });
}

TEST(StoredProperties, ComponentNamesInAnyScriptPassTheRewrite) {
  RegisterStockClassesForTests();
  const std::string text = FormTextWith(
      std::string(kUnicodeNames) +
      "  object \xE6\x95\xB0\xE6\x8D\xAE: TClientDataSet\r\n    Left = 8\r\n    Top = 200\r\n"
      "    FileName = 'x.cds'\r\n  end\r\n");
  TStringList lines;
  lines.SetText(text);
  std::vector<std::string> log;
  RewriteFormLines(lines, log, [](std::string_view cls) { return GetClass(cls) != nullptr; });
  EXPECT_NE(std::find(log.begin(), log.end(), "[TClientDataSet]: [True]"), log.end());
  std::string rewritten;
  for (int i = 0; i < lines.Count(); ++i) rewritten += lines.Get(i) + "\r\n";
  EXPECT_NE(rewritten.find("object \xE6\x95\xB0\xE6\x8D\xAE: TUnknown"), std::string::npos) << rewritten;
  LoadBothEncodings(rewritten, [](TForm& form) {
    EXPECT_NE(form.FindComponent("\xE6\x95\xB0\xE6\x8D\xAE"), nullptr);
    EXPECT_NE(FindIn<TPanel>(form, "cdsBP06\xE5\xAE\x8C\xE6\x88\x90\xE6\x9D\xBF\xE5\x8E\x9Amm"), nullptr);
  });
}

TEST(StoredProperties, NamesStillRejectDigitsFirstAndPunctuation) {
  TPanel panel(nullptr);
  EXPECT_THROW(panel.SetName("1Panel"), EComponentError);
  EXPECT_THROW(panel.SetName("Pa-nel"), EComponentError);
  panel.SetName("\xC3\x84rger_2");
  EXPECT_EQ(panel.Name(), "\xC3\x84rger_2");
}

namespace {

// A property that only older or only newer versions store, on the class and
// unit that carries it: the component's text, and the lines the writer must
// give back when it writes the named component (the form when none).
struct VersionCase {
  const char* unit;
  const char* body;
  std::vector<const char*> written;
  const char* writtenComponent = nullptr;
};

class VersionProperties : public ::testing::TestWithParam<VersionCase> {};

const VersionCase kVersionCases[] = {
    {"Dialogs, older: the file name box",
     "  object OpenDialog1: TOpenDialog\r\n    FileEditStyle = fsComboBox\r\n    Left = 8\r\n    Top = 8\r\n  end\r\n",
     {"FileEditStyle = fsComboBox"},
     "OpenDialog1"},
    {"Dialogs, newer: the places bar",
     "  object SaveDialog1: TSaveDialog\r\n    OptionsEx = [ofExNoPlacesBar]\r\n  end\r\n",
     {"OptionsEx = [ofExNoPlacesBar]"},
     "SaveDialog1"},
    {"StdCtrls, newer: combo box list behaviour",
     "  object ComboBox1: TComboBox\r\n    AutoDropDownWidth = True\r\n    ExtendedUI = True\r\n  end\r\n",
     {"AutoDropDownWidth = True", "ExtendedUI = True"}},
    {"ComCtrls, older: a column sized to its text",
     "  object ListView1: TListView\r\n    Columns = <\r\n      item\r\n        Caption = 'Name'\r\n"
     "        WidthType = (\r\n          -1)\r\n      end>\r\n    ViewStyle = vsReport\r\n  end\r\n",
     {"Caption = 'Name'"}},
    {"ComCtrls, newer: tree check styles and tab sheet margins",
     "  object TreeView1: TTreeView\r\n    CheckStyles = [csPartial, csDimmed]\r\n  end\r\n"
     "  object PageControl1: TPageControl\r\n    object TabSheet1: TTabSheet\r\n      AlignWithMargins = True\r\n"
     "      Margins.Left = 4\r\n    end\r\n  end\r\n",
     {"CheckStyles = [csPartial, csDimmed]", "AlignWithMargins = True", "Margins.Left = 4"}},
    {"Menus, older: the shortcut's text",
     "  object MainMenu1: TMainMenu\r\n    object Exit1: TMenuItem\r\n      Caption = 'E&xit'\r\n"
     "      ShortCutText = 'Alt+X'\r\n    end\r\n  end\r\n",
     {"ShortCutText = 'Alt+X'"},
     "Exit1"},
    {"Forms, newer: margins and double buffering on the root",
     "  AlignWithMargins = True\r\n  Margins.Top = 8\r\n  ParentDoubleBuffered = False\r\n",
     {"AlignWithMargins = True", "Margins.Top = 8", "ParentDoubleBuffered = False"}},
    {"Forms, newer: a scroll box scrolled by the wheel",
     "  object ScrollBox1: TScrollBox\r\n    UseWheelForScrolling = True\r\n  end\r\n",
     {"UseWheelForScrolling = True"}},
    {"FileCtrl, older: a file list of whole rows",
     "  object FileListBox1: TFileListBox\r\n    IntegralHeight = True\r\n  end\r\n",
     {"IntegralHeight = True"}},
    {"ComCtrls, older: track bar border",
     "  object TrackBar1: TTrackBar\r\n    BorderWidth = 2\r\n  end\r\n",
     {"BorderWidth = 2"}},
    {"ExtCtrls, older: header sections with their widths",
     "  object Header1: THeader\r\n    Sections.Sections = (\r\n      #0'263'#0'Big list'\r\n"
     "      #0'160'#0'Medium list')\r\n  end\r\n",
     {"'Big list'", "'Medium list'"}},
    {"ActnMan, newer: ribbon command properties, key tips and context items",
     "  object ActionManager1: TActionManager\r\n    ActionBars.SessionCount = 3\r\n    ActionBars = <\r\n"
     "      item\r\n        Items = <\r\n          item\r\n            Caption = 'Paste'\r\n"
     "            CommandStyle = csCheckBox\r\n            CommandProperties.ButtonSize = bsLarge\r\n"
     "            KeyTip = 'V'\r\n            NewRow = True\r\n            ContextItems = <\r\n"
     "              item\r\n                Caption = 'Special'\r\n              end>\r\n          end>\r\n"
     "      end>\r\n  end\r\n",
     {"CommandStyle = csCheckBox", "CommandProperties.ButtonSize = bsLarge", "KeyTip = 'V'", "NewRow = True",
      "Caption = 'Special'"},
     "ActionManager1"},
};

}  // namespace

TEST_P(VersionProperties, LoadInBothEncodingsAndAreWrittenBack) {
  const VersionCase& c = GetParam();
  SCOPED_TRACE(c.unit);
  LoadBothEncodings(FormTextWith(c.body), [&c](TForm& form) {
    TComponent* component = c.writtenComponent ? form.FindComponent(c.writtenComponent) : &form;
    ASSERT_NE(component, nullptr);
    const std::string written = WrittenText(*component);
    for (const char* line : c.written) EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  });
}

INSTANTIATE_TEST_SUITE_P(StockUnits, VersionProperties, ::testing::ValuesIn(kVersionCases));

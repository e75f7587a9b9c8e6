// The census: what forms hold, what units declare, the class table and its CSV.
#include <gtest/gtest.h>

#include "SurveyCensus.h"
#include "core/Exceptions.h"

namespace {

const char kMainForm[] =
    "object MainForm: TMainForm\n"
    "  Caption = 'Main'\n"
    "  object Button1: TButton\n"
    "    Caption = 'OK'\n"
    "  end\n"
    "  object Grid: TwwDBGrid\n"
    "    Left = 4\n"
    "    TitleColor = clBtnFace\n"
    "    Selected.Strings = (\n"
    "      'A'\n"
    "      'B')\n"
    "    Columns = <\n"
    "      item\n"
    "        Width = 40\n"
    "      end\n"
    "      item\n"
    "        Width = 50\n"
    "      end>\n"
    "    object Inner: TButton\n"
    "    end\n"
    "  end\n"
    "  inline Frame1: TAddressFrame\n"
    "    Left = 8\n"
    "  end\n"
    "  object Button2: tbutton\n"
    "  end\n"
    "end\n";

const char kUnit[] =
    "unit Frames;\n"
    "interface\n"
    "uses\n"
    "  Windows, Vcl.Forms, { Dialogs, } Addr in '..\\addr.pas', (* Old, *) Grids;\n"
    "type\n"
    "  TFrameClass = class of TAddressFrame;\n"
    "  TForward = class;\n"
    "  TAddressFrame = class(TFrame)\n"
    "    // TNotAClass = class(TFrame)\n"
    "    S: string; // 'x = class(y)'\n"
    "  end;\n"
    "  TPacked = packed class(TObject, IUnknown) end;\n"
    "  TBareClass = class\n"
    "  end;\n"
    "implementation\n"
    "uses Math;\n"
    "const Text = 'TStringy = class(TFake)';\n"
    "end.\n";

}  // namespace

TEST(FormCensus, CountsEveryComponentBelowTheRootAndItsUnknownProperties) {
  const FormCensus c = TakeFormCensus(kMainForm);
  EXPECT_EQ(c.rootClass, "TMainForm");
  EXPECT_EQ(c.rootName, "MainForm");
  EXPECT_FALSE(c.inherited);
  EXPECT_EQ(c.componentCount, 5);
  EXPECT_EQ(c.classes.at("TButton"), 2);
  EXPECT_EQ(c.classes.at("tbutton"), 1);  // counted as spelt; the class table merges
  EXPECT_EQ(c.frames, std::set<std::string>{"TAddressFrame"});
  // Properties are kept for unknown classes only, collection items by collection.
  EXPECT_EQ(c.unknownProperties.count("TButton"), 0u);
  const std::map<std::string, int> grid{
      {"Columns", 1}, {"Columns.Width", 2}, {"Left", 1}, {"Selected.Strings", 1}, {"TitleColor", 1}};
  EXPECT_EQ(c.unknownProperties.at("TwwDBGrid"), grid);
  EXPECT_EQ(c.unknownProperties.at("TAddressFrame").at("Left"), 1);
}

TEST(FormCensus, SeesAnInheritedRoot) {
  const FormCensus c = TakeFormCensus("inherited Child: TChildForm\n  object X: TLabel\n  end\nend\n");
  EXPECT_TRUE(c.inherited);
  EXPECT_EQ(c.rootClass, "TChildForm");
  EXPECT_EQ(c.classes.at("TLabel"), 1);
}

TEST(FormCensus, ADamagedFormRaises) {
  EXPECT_THROW(TakeFormCensus("object F: TForm\n  object B: TButton\n"), Exception);
  EXPECT_THROW(TakeFormCensus(std::string("TPF0\x05TForm", 10)), Exception);
}

TEST(FormCensus, ReadsBackWhatItWrites) {
  const FormCensus c = TakeFormCensus(kMainForm);
  const FormCensus back = FormCensusFromTsv(FormCensusToTsv(c));
  EXPECT_EQ(back.rootClass, c.rootClass);
  EXPECT_EQ(back.rootName, c.rootName);
  EXPECT_EQ(back.inherited, c.inherited);
  EXPECT_EQ(back.componentCount, c.componentCount);
  EXPECT_EQ(back.classes, c.classes);
  EXPECT_EQ(back.frames, c.frames);
  EXPECT_EQ(back.unknownProperties, c.unknownProperties);
  // A binary form can carry a tab in a class name; it must not split the record.
  const FormCensus tabbed = TakeFormCensus(std::string(
      "TPF0\x06TFo\trm\x01"
      "F\x00\x00",
      15));
  EXPECT_EQ(tabbed.rootClass, "TFo rm");
  EXPECT_EQ(FormCensusFromTsv(FormCensusToTsv(tabbed)).rootClass, "TFo rm");
}

TEST(UnitScan, FindsDeclarationsAndUsesOutsideCommentsAndStrings) {
  UnitDeclarations units;
  ScanUnitSource("Frames", kUnit, units);
  EXPECT_EQ(units.UnitOf("taddressframe"), "Frames");
  EXPECT_EQ(units.classes.at("taddressframe").ancestor, "TFrame");
  EXPECT_EQ(units.classes.at("tpacked").ancestor, "TObject");
  EXPECT_EQ(units.UnitOf("TBareClass"), "Frames");
  EXPECT_EQ(units.classes.at("tbareclass").ancestor, "");
  for (const char* absent : {"TFrameClass", "TForward", "TNotAClass", "TStringy"})
    EXPECT_EQ(units.UnitOf(absent), "") << absent;
  EXPECT_EQ(units.uses.at("Frames"), (std::vector<std::string>{"Windows", "Vcl.Forms", "Addr", "Grids", "Math"}));
}

TEST(UnitScan, ChainsFollowAncestorsAndEndOnACycle) {
  UnitDeclarations units;
  ScanUnitSource("Base", "type TBaseForm = class(TForm) end; TMid = class(TBaseForm) end;", units);
  ScanUnitSource("Child", "type TChild = class(TMid) end; TA = class(TB) end; TB = class(TA) end;", units);
  EXPECT_EQ(units.Chain("TChild"), (std::vector<std::string>{"TChild", "TMid", "TBaseForm", "TForm"}));
  EXPECT_LE(units.Chain("TA").size(), 65u);
  const UnitDeclarations back = UnitDeclarations::FromTsv(units.ToTsv());
  EXPECT_EQ(back.Chain("TChild"), units.Chain("TChild"));
  EXPECT_EQ(back.UnitOf("TMid"), "Base");
}

TEST(ClassTable, MergesSpellingsAndListsEachFormOnce) {
  UnitDeclarations units;
  ScanUnitSource("Frames", kUnit, units);
  std::vector<CensusForm> forms{
      {"b/Main.dfm", {}, TakeFormCensus(kMainForm)},
      {"a/Other.dfm", {}, TakeFormCensus("object O: TForm\n object G: TWWDBGRID\n end\nend\n")}};
  const std::vector<CensusClassRow> rows = BuildClassTable(forms, units);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "TButton");
  EXPECT_EQ(rows[0].count, 3);
  EXPECT_TRUE(rows[0].known);
  EXPECT_EQ(rows[0].forms, std::vector<std::string>{"b/Main.dfm"});
  EXPECT_EQ(rows[1].name, "TwwDBGrid");
  EXPECT_EQ(rows[1].count, 2);
  EXPECT_FALSE(rows[1].known);
  EXPECT_EQ(rows[1].forms, (std::vector<std::string>{"a/Other.dfm", "b/Main.dfm"}));
  EXPECT_EQ(rows[2].name, "TAddressFrame");
  EXPECT_TRUE(rows[2].frame);
  EXPECT_EQ(rows[2].unit, "Frames");
}

TEST(ClassTable, CsvQuotesFieldsThatNeedIt) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  CensusClassRow row;
  row.name = "TX";
  row.count = 2;
  row.forms = {"a, b.dfm", "c.dfm"};
  row.properties = {{"Left", 2}};
  const std::string csv = ClassTableCsv({row});
  EXPECT_EQ(
      csv,
      "class,count,forms,known,frame,unit,form_paths,properties\r\n"
      "TX,2,2,no,no,,\"a, b.dfm; c.dfm\",Left=2\r\n");
}

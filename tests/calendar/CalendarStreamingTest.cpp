// The calendar in form files: what the writer stores, Year, Month and Day
// set through their writers in the text's order, and the tree's content.
#include <fstream>
#include <sstream>

#include "CalendarTestSupport.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "controls/ContentReport.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "stock/StdCtrls.h"
#include "streaming/Converters.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

class CalendarStreaming : public CalendarFixture {
 protected:
  void SetUp() override {
    CalendarFixture::SetUp();
    RegisterClasses({&TCalendar::StaticClassInfo(), &TLabel::StaticClassInfo()});
    cal->SetName("Calendar1");
  }

  void Read(const std::string& properties) {
    ReadForm("object Form1: TForm\n  object Cal2: TCalendar\n" + properties + "  end\nend\n");
  }
  void ReadForm(const std::string& text) {
    TReader reader(form.get());
    ParseFormText(text, reader);
    reader.Finish();
  }
  static std::string FileText(const std::string& relative) {
    std::ifstream file(std::string(TESSALY_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }
  TCalendar* Cal2() { return dynamic_cast<TCalendar*>(form->FindComponent("Cal2")); }

  // Names of the properties written for Calendar1, in order.
  std::vector<std::string> Written() {
    FormOutput out;
    FormTextWriter writer(out, FormTextOptions{"\n"});
    WriteComponent(form.get(), writer);
    std::istringstream lines(out.Str());
    std::vector<std::string> names;
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
      const std::string trimmed = Trim(line);
      if (!inside) {
        inside = trimmed.rfind("object Calendar1:", 0) == 0;
        continue;
      }
      if (trimmed == "end") break;
      if (const size_t eq = trimmed.find(" = "); eq != std::string::npos) names.push_back(trimmed.substr(0, eq));
    }
    return names;
  }
  static bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
};

}  // namespace

TEST_F(CalendarStreaming, TheWriterAlwaysStoresStartOfWeekAndNeverTheDate) {
  std::vector<std::string> names = Written();
  EXPECT_TRUE(Has(names, "StartOfWeek"));
  EXPECT_FALSE(Has(names, "Year") || Has(names, "Month") || Has(names, "Day"));
  EXPECT_FALSE(Has(names, "UseCurrentDate"));
  EXPECT_FALSE(Has(names, "ReadOnly"));
  EXPECT_FALSE(Has(names, "Color") || Has(names, "TabStop") || Has(names, "GridLineWidth"));
  cal->SetUseCurrentDate(false);
  cal->SetReadOnly(true);
  names = Written();
  EXPECT_TRUE(Has(names, "UseCurrentDate"));
  EXPECT_TRUE(Has(names, "ReadOnly"));
}

TEST_F(CalendarStreaming, ATextNamingTheDatePartsSetsThemInItsOrder) {
  Read("    Year = 2024\n    Month = 2\n    Day = 29\n    StartOfWeek = 1\n");
  ASSERT_TRUE(Cal2());
  EXPECT_EQ(Cal2()->Year(), 2024);
  EXPECT_EQ(Cal2()->Month(), 2);
  EXPECT_EQ(Cal2()->Day(), 29);
  EXPECT_EQ(Cal2()->StartOfWeek(), 1);
  EXPECT_FALSE(Cal2()->UseCurrentDate());
  EXPECT_EQ(Cal2()->CellCaption(Cal2()->Col(), Cal2()->Row()), "29");
}

TEST_F(CalendarStreaming, AnOrderThatPassesAnImpossibleDateFailsTheRead) {
  EXPECT_ANY_THROW(Read("    Month = 1\n    Day = 31\n    Month = 4\n"));
}

TEST_F(CalendarStreaming, AWeekdayOutsideTheTypeIsRefused) { EXPECT_ANY_THROW(Read("    StartOfWeek = 7\n")); }

TEST_F(CalendarStreaming, APickDateFormLoads) {
  Read(
      "    Left = 22\n    Top = 41\n    Width = 318\n    Height = 120\n    Color = clSilver\n"
      "    StartOfWeek = 0\n    TabOrder = 0\n    UseCurrentDate = False\n");
  ASSERT_TRUE(Cal2());
  EXPECT_EQ(Cal2()->Color(), clSilver);
  EXPECT_FALSE(Cal2()->UseCurrentDate());
  // The client of 314 x 116 inside the sunken edge, after six lines.
  EXPECT_EQ(Cal2()->DefaultColWidth(), 44);
  EXPECT_EQ(Cal2()->DefaultRowHeight(), 15);
}

TEST_F(CalendarStreaming, TheTreeReportsTheCaptionsAndTheCurrentCell) {
  SetDate(2026, 3, 1);
  TContentReport report;
  cal->ReportContent(report);
  ASSERT_EQ(report.Members().size(), 3u);
  const std::string cells = report.Members()[0].second;
  EXPECT_EQ(cells.rfind("[[" + TContentReport::JsonString(ShortDayNames(1)), 0), 0u);
  EXPECT_NE(cells.find("[\"1\", \"2\", \"3\", \"4\", \"5\", \"6\", \"7\"]"), std::string::npos);
  EXPECT_EQ(report.Members()[1], (std::pair<std::string, std::string>{"col", "0"}));
  EXPECT_EQ(report.Members()[2], (std::pair<std::string, std::string>{"row", "1"}));
}

TEST_F(CalendarStreaming, TheExampleFormShowsItsDatesInBothEncodings) {
  const std::string text = FileText("examples/calendar.dfm");
  ASSERT_FALSE(text.empty()) << "examples/calendar.dfm";
  TMemoryStream binary;
  const std::string bytes = FileText("examples/binary/calendar.dfm");
  binary.WriteBuffer(bytes.data(), bytes.size());
  binary.SetPosition(0);
  TMemoryStream converted;
  ObjectResourceToText(binary, converted);
  std::string back(static_cast<const char*>(converted.Memory()), size_t(converted.Size()));
  back.erase(std::remove(back.begin(), back.end(), '\r'), back.end());
  EXPECT_EQ(back, text);
  // The preview blanks event lines; this form has no handler to bind.
  std::string unbound = text;
  unbound.erase(unbound.find("    OnChange = TodayChange\n"), 27);
  ReadForm(unbound);
  auto* leap = dynamic_cast<TCalendar*>(form->FindComponent("LeapDay"));
  auto* march = dynamic_cast<TCalendar*>(form->FindComponent("March"));
  ASSERT_TRUE(leap && march);
  EXPECT_EQ(leap->CellCaption(leap->Col(), leap->Row()), "29");
  EXPECT_EQ(leap->CellCaption(0, 0), ShortDayNames(7));
  EXPECT_TRUE(leap->ReadOnly());
  EXPECT_EQ(march->Day(), 17);
  EXPECT_EQ(march->DayBase(), -5);
}

// Width and Height come before GridLineWidth in a form: the cells must be
// sized again for the stored lines, or the last column and row are cut off.
TEST_F(CalendarStreaming, CellsFitTheClientForTheGridLinesReadAfterTheSize) {
  Read("    Width = 320\n    Height = 160\n    GridLineWidth = 3\n");
  TCalendar* c = Cal2();
  ASSERT_NE(c, nullptr);
  const TRect client = c->ClientRect();
  EXPECT_EQ(c->DefaultColWidth(), (client.Width() - 6 * 3) / 7);
  EXPECT_EQ(c->DefaultRowHeight(), (client.Height() - 6 * 3) / 7);
  const TRect last = c->CellRect(6, 6);
  EXPECT_LE(last.Right, client.Right) << "the last column shows whole";
  EXPECT_LE(last.Bottom, client.Bottom) << "the last row shows whole";
}

// The survey's records and report: what is kept per form reads back, and
// the pages and tables show form text safely whatever its bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "SurveyReport.h"
#include "SurveyTestSupport.h"

namespace {

std::string Read(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SurveyRecord Record(const std::string& key, const std::string& path, const std::string& status) {
  SurveyRecord r;
  r.key = key;
  r.path = path;
  r.status = status;
  return r;
}

}  // namespace

TEST(SurveyReportText, KeepsUtf8AndReadsOtherBytesAsLatin1) {
  EXPECT_EQ(DisplayUtf8("plain"), "plain");
  EXPECT_EQ(
      DisplayUtf8("Gr\xC3\xBC\xC3\x9F"
                  "e"),
      "Gr\xC3\xBC\xC3\x9F"
      "e");
  EXPECT_EQ(
      DisplayUtf8("Gr\xFC\xDF"
                  "e"),
      "Gr\xC3\xBC\xC3\x9F"
      "e");
  // A lead byte without its continuation, an overlong form, a cut sequence.
  EXPECT_EQ(
      DisplayUtf8("\xC3"
                  "a"),
      "\xC3\x83"
      "a");
  EXPECT_EQ(DisplayUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(DisplayUtf8("\xE2\x82"), "\xC3\xA2\xC2\x82");
  EXPECT_EQ(
      HtmlEscape("<script>a & 'b' \"c\"</script>"), "&lt;script&gt;a &amp; &#39;b&#39; &quot;c&quot;&lt;/script&gt;");
}

TEST(SurveyRecords, ReadBackWhatTheSurveyWrote) {
  SurveyRecord r = Record("00ff", "sub/Main.dfm", "failed");
  r.error = "Line 3: Invalid property value";
  r.width = 320;
  r.height = 200;
  r.seconds = 1.25;
  SurveyRecord back;
  ParseRecordTsv(r.RecordTsv(), back);
  EXPECT_EQ(back.path, r.path);
  EXPECT_EQ(back.status, r.status);
  EXPECT_EQ(back.error, r.error);
  EXPECT_EQ(back.width, 320);
  EXPECT_EQ(back.height, 200);
  EXPECT_DOUBLE_EQ(back.seconds, 1.25);
}

TEST(SurveyRecords, FormsCsvNamesAncestorsUnknownClassesAndErrors) {
  UnitDeclarations units;
  ScanUnitSource("Child", "type TChild = class(TBase) end; TBase = class(TForm) end;", units);
  SurveyRecord ok = Record("1", "Child.dfm", "ok");
  ok.census = TakeFormCensus("inherited C: TChild\n object A: TButton\n end\n object B: TRxLabel\n end\nend\n");
  SurveyRecord bad = Record("2", "Bad, one.dfm", "failed");
  bad.censusError = "Line 2: Unexpected end";
  const std::string csv = FormsCsv({ok, bad}, units);
  EXPECT_NE(csv.find("\r\nChild.dfm,1,ok,TChild,C,yes,TBase; TForm,0,0,2,2,TRxLabel,,0.000,\r\n"), std::string::npos)
      << csv;
  EXPECT_NE(
      csv.find("\r\n\"Bad, one.dfm\",2,failed,,,no,,0,0,0,0,,,0.000,Line 2: Unexpected end\r\n"), std::string::npos)
      << csv;
}

// Form text and names go into the pages escaped, so a form cannot inject
// markup or script into the report.
TEST(SurveyReportPages, EscapeWhatFormsContain) {
  ScratchTree out;
  out.Write("forms/k1/record.tsv", "path\t<b>odd</b>.dfm\nstatus\tok\nwidth\t10\nheight\t20\n");
  out.Write("forms/k1/census.tsv", "root\tTForm1\tForm1\t0\t1\nclass\tT<img>\t1\n");
  out.Write("forms/k1/rewritten.txt", "object Form1: TForm1\n  Caption = '</pre><script>alert(1)</script>'\nend\n");
  out.Write("forms/k1/log.txt", "[T<img>]: [True]\n");
  out.Write("forms/k1/tree.json", "{\"class\": \"TForm2\", \"children\": []}\n");
  out.Write("forms/k1/thumb.png", "png");
  out.Write("forms/unfinished.tmp/result.tsv", "status\tok\n");
  const std::vector<SurveyRecord> records = ReadSurveyRecords(out.Path());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(records[0].hasPreview);
  EXPECT_EQ(records[0].census.classes.at("T<img>"), 1);
  WriteSurveyReport(out.Path(), records, {});
  const std::string page = Read(out.Root() / "forms/k1/index.html");
  EXPECT_EQ(page.find("<script>alert"), std::string::npos);
  EXPECT_NE(page.find("&lt;/pre&gt;&lt;script&gt;alert(1)"), std::string::npos);
  EXPECT_EQ(page.find("T<img>"), std::string::npos);
  const std::string index = Read(out.Root() / "index.html");
  EXPECT_EQ(index.find("<b>odd"), std::string::npos);
  EXPECT_NE(index.find("forms/k1/thumb.png"), std::string::npos);
  EXPECT_EQ(Read(out.Root() / "forms/k1/tree.js"), "tessalyShowTree({\"class\": \"TForm2\", \"children\": []}\n);\n");
  for (const char* file : {"census.html", "census.csv", "forms.csv", "report.css", "report.js"})
    EXPECT_TRUE(std::filesystem::file_size(out.Root() / file) > 0) << file;
}

// Loading a form file: telling the encodings apart, the steps of the load,
// what the panes show after each failure, and the clean-up on every path.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FormFiles.h"
#include "LoadPreview.h"
#include "RewriteCommand.h"
#include "RewriteTestSupport.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "streaming/Converters.h"

using testsupport::IsRegistered;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// A line list that records when its view would stop and resume redrawing.
class RecordingStrings : public TStringList {
 public:
  using TStringList::TStringList;
  std::vector<bool> updates;

 protected:
  void SetUpdateState(bool updating) override { updates.push_back(updating); }
};

std::string ToText(const Lines& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

std::string ReadAll(TStream& s) {
  std::string out(size_t(s.Size() - s.Position()), '\0');
  s.ReadBuffer(out.data(), out.size());
  return out;
}

std::string ResourceOf(const std::string& text) {
  TMemoryStream in, out;
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  ObjectTextToResource(in, out);
  out.SetPosition(0);
  return ReadAll(out);
}

std::string TextOfResource(TStream& resource) {
  TMemoryStream out;
  ObjectResourceToText(resource, out);
  out.SetPosition(0);
  return ReadAll(out);
}

const Lines kMeterForm = {
    "object Form1: TForm1",
    "  OnCreate = FormCreate",
    "  object Meter1: TFancyMeter",
    "    Left = 8",
    "    Top = 16",
    "    Kind = mkRound",
    "    OnClick = Meter1Click",
    "  end",
    "  object Button1: TButton",
    "    Caption = 'Go'",
    "    OnClick = Button1Click",
    "  end",
    "end"};

const Lines kMeterRewritten = {
    "object Form1: TForm1",
    "",
    "  object Meter1: TUnknown",
    "    Left = 8",
    "    Top = 16",
    "",
    "",
    "  end",
    "  object Button1: TButton",
    "    Caption = 'Go'",
    "",
    "  end",
    "end"};

const Lines kMeterLog = {
    "[TFancyMeter]: [True]", "Propertys: [left]",    "Propertys: [top]",
    "Propertys: [kind]",     "Propertys: [onclick]", "[TButton]: [False]"};

class LoadFormFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() / ("tessaly-load-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return p.string();
  }

  // Loads path into source_ and log_; returns the preview's text of the
  // resource it got ("" when the preview did not run).
  std::string Load(const std::string& path) {
    std::string previewed;
    LoadFormFile(
        path, source_, log_,
        [&](TStream& resource) {
          EXPECT_EQ(resource.Position(), 0);
          previewed = TextOfResource(resource);
        },
        IsRegistered);
    return previewed;
  }

  // The panes are left as the failure rules say, and the log's update state
  // was ended.
  void ExpectCleanedUp() {
    EXPECT_EQ(log_.UpdateCount(), 0);
    EXPECT_EQ(log_.updates, (std::vector<bool>{true, false}));
  }

  fs::path dir_;
  RecordingStrings source_{Lines{"previous form"}};
  RecordingStrings log_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Which files are form text (first six bytes, after a byte-order mark).

TEST(FormEncodingTest, LowerCaseObjectIsText) {
  TMemoryStream s;
  s.WriteBuffer("object Form1: TForm1", 20);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(FormEncodingTest, AnyLetterCaseIsText) {
  TMemoryStream s;
  s.WriteBuffer("OBJECT Form1: TForm1", 20);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), 0);
}

TEST(FormEncodingTest, ByteOrderMarkBeforeObjectIsTextStartingAfterTheMark) {
  TMemoryStream s;
  s.WriteBuffer("\xEF\xBB\xBFObject F: T", 14);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), 3);
  EXPECT_EQ(s.Position(), 0);
}

TEST(FormEncodingTest, ByteOrderMarkBeforeAnythingElseIsBinary) {
  TMemoryStream s;
  s.WriteBuffer("\xEF\xBB\xBFinheritance F: T", 19);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), -1);
}

TEST(FormEncodingTest, ShortByteOrderMarkFileIsBinary) {
  TMemoryStream s;
  s.WriteBuffer("\xEF\xBB\xBFobj", 6);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), -1);
}

TEST(FormEncodingTest, LeadingBlankMakesItBinary) {
  TMemoryStream s;
  s.WriteBuffer(" object F: T", 12);
  s.SetPosition(0);
  EXPECT_EQ(FormTextStart(s), -1);
}

// Inherited forms and frames are form text, also behind a byte-order mark
// and blank lines; the text starts at their first word.
TEST(FormEncodingTest, InheritedAndInlineRootsAreTextAfterMarkAndBlanks) {
  auto start = [](const std::string& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), bytes.size());
    s.SetPosition(0);
    return FormTextStart(s);
  };
  EXPECT_EQ(start("inherited F: T"), 0);
  EXPECT_EQ(start("INLINE F: T\r\nend"), 0);
  EXPECT_EQ(start("\xEF\xBB\xBFinherited F: T"), 3);
  EXPECT_EQ(start("\xEF\xBB\xBF \r\n\tInherited F: T"), 7);
  EXPECT_EQ(start("\r\n  inline F: T"), 4);
  EXPECT_EQ(start("inherited = 3"), -1);
  EXPECT_EQ(start("inlined F: T"), -1);
}

TEST(FormEncodingTest, FewerThanSixBytesRaiseReadError) {
  TMemoryStream s;
  s.WriteBuffer("objec", 5);
  s.SetPosition(0);
  try {
    FormTextStart(s);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

// ---------------------------------------------------------------------------
// Loads that reach the preview.

TEST_F(LoadFormFileTest, TextFileIsRewrittenShownLoggedAndPreviewed) {
  std::string previewed = Load(Write("meter.dfm", ToText(kMeterForm)));
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
  EXPECT_EQ(log_.Lines(), kMeterLog);
  EXPECT_NE(previewed.find("object Meter1: TUnknown"), std::string::npos);
  EXPECT_EQ(previewed.find("OnClick"), std::string::npos);
  EXPECT_EQ(previewed.find("Kind"), std::string::npos);
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, UpperCaseObjectFileIsText) {
  Lines form = kMeterForm;
  form[0] = "OBJECT Form1: TForm1";
  Load(Write("upper.dfm", ToText(form)));
  EXPECT_EQ(source_.Lines()[0], "OBJECT Form1: TForm1");
  EXPECT_EQ(log_.Lines(), kMeterLog);
}

TEST_F(LoadFormFileTest, LineFeedOnlyTextLoadsTheSame) {
  std::string text;
  for (const auto& l : kMeterForm) text += l + "\n";
  Load(Write("lf.dfm", text));
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
}

TEST_F(LoadFormFileTest, ByteOrderMarkIsSkippedNotConverted) {
  std::string previewed = Load(Write("bom.dfm", "\xEF\xBB\xBF" + ToText(kMeterForm)));
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
  EXPECT_NE(previewed.find("TUnknown"), std::string::npos);
}

TEST_F(LoadFormFileTest, BinaryFileIsConvertedThenRewritten) {
  std::string previewed = Load(Write("meter.bin.dfm", ResourceOf(ToText(kMeterForm))));
  ASSERT_GT(source_.Count(), 0);
  EXPECT_EQ(source_.Lines()[0], "object Form1: TForm1");
  EXPECT_NE(
      std::find(source_.Lines().begin(), source_.Lines().end(), "  object Meter1: TUnknown"), source_.Lines().end());
  EXPECT_EQ(source_.Text().find("OnClick"), std::string::npos);
  EXPECT_EQ(log_.Lines(), kMeterLog);
  EXPECT_NE(previewed.find("TUnknown"), std::string::npos);
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, TwoLoadsInARowAppendBothLogs) {
  std::string path = Write("meter.dfm", ToText(kMeterForm));
  Load(path);
  Load(path);
  Lines both = kMeterLog;
  both.insert(both.end(), kMeterLog.begin(), kMeterLog.end());
  EXPECT_EQ(log_.Lines(), both);
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
  EXPECT_EQ(log_.UpdateCount(), 0);
  EXPECT_EQ(log_.updates, (std::vector<bool>{true, false, true, false}));
}

TEST_F(LoadFormFileTest, LogIsInUpdateStateWhileThePreviewRuns) {
  int countDuringPreview = -1;
  LoadFormFile(
      Write("meter.dfm", ToText(kMeterForm)), source_, log_, [&](TStream&) { countDuringPreview = log_.UpdateCount(); },
      IsRegistered);
  EXPECT_EQ(countDuringPreview, 1);
  EXPECT_EQ(log_.UpdateCount(), 0);
}

TEST_F(LoadFormFileTest, RegistryOverloadAsksTheClassRegistry) {
  // Nothing registers TFancyMeter, so it becomes a placeholder whatever else
  // the registry holds.
  LoadFormFile(Write("meter.dfm", ToText(kMeterForm)), source_, log_, [](TStream&) {});
  EXPECT_EQ(source_.Lines()[2], "  object Meter1: TUnknown");
  EXPECT_EQ(log_.Lines()[0], "[TFancyMeter]: [True]");
}

// ---------------------------------------------------------------------------
// Failures: the exception, what the panes show, and the clean-up.

TEST_F(LoadFormFileTest, MissingFileRaisesFileOpenError) {
  EXPECT_THROW(Load((dir_ / "absent.dfm").string()), EFOpenError);
  EXPECT_EQ(source_.Lines(), (Lines{"previous form"}));
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, FileShorterThanSixBytesRaisesReadErrorSourceUnchanged) {
  try {
    Load(Write("short.dfm", "objec"));
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  EXPECT_EQ(source_.Lines(), (Lines{"previous form"}));
  EXPECT_TRUE(log_.Lines().empty());
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, EmptyFileRaisesReadError) {
  EXPECT_THROW(Load(Write("empty.dfm", "")), EReadError);
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, TextWithLeadingBlankFailsAsInvalidBinary) {
  try {
    Load(Write("blank.dfm", " " + ToText(kMeterForm)));
    FAIL() << "no exception";
  } catch (const EInvalidImage& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
  EXPECT_EQ(source_.Lines(), (Lines{"previous form"}));
  EXPECT_TRUE(log_.Lines().empty());
  ExpectCleanedUp();
}

// Without its unit beside it the ancestor cannot be found: the form
// previews alone, its inherited components created as new ones, and the log
// says which ancestor is missing.
TEST_F(LoadFormFileTest, InheritedRootTextWithoutItsUnitPreviewsAloneWithALogLine) {
  std::string previewed = Load(Write(
      "inh.dfm",
      "\xEF\xBB\xBFinherited Form2: TForm2\r\n  Caption = 'c'\r\n"
      "  inherited Button1: TButton\r\n  end\r\nend\r\n"));
  EXPECT_EQ(source_.Lines(),
            (Lines{"inherited Form2: TForm2", "  Caption = 'c'", "  inherited Button1: TButton", "  end", "end"}));
  EXPECT_EQ(previewed, "object Form2: TForm2\r\n  Caption = 'c'\r\n  object Button1: TButton\r\n  end\r\nend\r\n");
  ASSERT_EQ(log_.Count(), 1);
  EXPECT_EQ(log_[0].rfind("Ancestor of [TForm2] not found: no unit declares the class; looked in ", 0), 0u) << log_[0];
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, PlaceholderOpenAtEndRaisesListErrorSourceUnchangedLogKept) {
  try {
    Load(Write("open.dfm", "object Form1: TForm1\r\n  object M: TFancyMeter\r\n    Left = 1\r\n"));
    FAIL() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_EQ(source_.Lines(), (Lines{"previous form"}));
  EXPECT_EQ(log_.Lines(), (Lines{"[TFancyMeter]: [True]", "Propertys: [left]"}));
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, ParserErrorAfterRewritingLeavesRewrittenSourceShown) {
  bool previewed = false;
  Lines form = {"object Form1: TForm1", "  OnCreate = FormCreate", "  Caption = 'unterminated", "end"};
  EXPECT_THROW(
      LoadFormFile(
          Write("bad.dfm", ToText(form)), source_, log_, [&](TStream&) { previewed = true; }, IsRegistered),
      EParserError);
  EXPECT_FALSE(previewed);
  EXPECT_EQ(source_.Lines(), (Lines{"object Form1: TForm1", "", "  Caption = 'unterminated", "end"}));
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, PreviewErrorPropagatesAfterCleanUp) {
  struct PreviewFailed : std::runtime_error {
    PreviewFailed() : std::runtime_error("preview failed") {}
  };
  EXPECT_THROW(
      LoadFormFile(
          Write("meter.dfm", ToText(kMeterForm)), source_, log_, [](TStream&) { throw PreviewFailed(); }, IsRegistered),
      PreviewFailed);
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
  EXPECT_EQ(log_.Lines(), kMeterLog);
  ExpectCleanedUp();
}

TEST_F(LoadFormFileTest, FailedLoadAfterGoodOneKeepsBothPanesFromTheGoodOne) {
  Load(Write("meter.dfm", ToText(kMeterForm)));
  log_.updates.clear();
  EXPECT_THROW(Load(Write("short.dfm", "abc")), EReadError);
  EXPECT_EQ(source_.Lines(), kMeterRewritten);
  EXPECT_EQ(log_.Lines(), kMeterLog);
  ExpectCleanedUp();
}

// ---------------------------------------------------------------------------
// `tessaly-tool rewrite FILE`.

TEST_F(LoadFormFileTest, RewriteCommandPrintsLinesToStdoutAndLogToStderr) {
  std::ostringstream out, err;
  Lines form = {
      "object Form1: TForm1",
      "  object Meter1: TFancyMeter",
      "    Left = 8",
      "    Kind = 1",
      "  end",
      "  object B: TButton",
      "    OnClick = X",
      "  end",
      "end"};
  EXPECT_EQ(RunRewriteCommand({Write("m.dfm", ToText(form))}, out, err), 0);
  EXPECT_EQ(
      out.str(),
      "object Form1: TForm1\n  object Meter1: TUnknown\n    Left = 8\n\n  end\n  object B: TButton\n\n  "
      "end\nend\n");
  EXPECT_EQ(err.str(), "[TFancyMeter]: [True]\nPropertys: [left]\nPropertys: [kind]\n[TButton]: [False]\n");
}

TEST_F(LoadFormFileTest, RewriteCommandReportsFailureOnStderr) {
  std::ostringstream out, err;
  std::string path = Write("short.dfm", "abc");
  EXPECT_EQ(RunRewriteCommand({path}, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), path + ": Stream read error\n");
}

TEST_F(LoadFormFileTest, RewriteCommandFailsWhenStandardOutputCannotBeWritten) {
  std::ostringstream out, err;
  out.setstate(std::ios::badbit);
  Lines form = {"object Form1: TForm1", "end"};
  EXPECT_EQ(RunRewriteCommand({Write("ok.dfm", ToText(form))}, out, err), 1);
  EXPECT_NE(err.str().find("cannot write standard output"), std::string::npos);
}

TEST_F(LoadFormFileTest, RewriteCommandWantsExactlyOneFile) {
  std::ostringstream out, err;
  EXPECT_EQ(RunRewriteCommand({}, out, err), 2);
  EXPECT_EQ(RunRewriteCommand({"a", "b"}, out, err), 2);
}

// Inherited forms and frames read with their ancestors: small source trees
// (units and form files) made in a temporary folder, loaded as the viewer
// loads them; the preview's resource is turned back into text to compare.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Ancestors.h"
#include "LoadForm.h"
#include "LoadPreview.h"
#include "RewriteTestSupport.h"
#include "SourceTreeSupport.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "streaming/Converters.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using testsupport::CrLfText;
std::string Text(const Lines& lines) { return CrLfText(lines); }

std::string Unit(const std::string& unit, const std::string& cls, const std::string& ancestor) {
  return "unit " + unit + ";\r\n\r\ninterface\r\n\r\ntype\r\n  { " + cls + " = class(TNothing) }\r\n  " + cls +
         " = class(" + ancestor + ")\r\n    Button1: TButton;\r\n  end;\r\n\r\nimplementation\r\n\r\nend.\r\n";
}

class AncestorsTest : public testsupport::SourceTreeTest {
 protected:
  void SetUp() override {
    SourceTreeTest::SetUp();
    Write("Project1.dpr", "program Project1;\r\nend.\r\n");
  }

  // A unit and its form: "Dir/Name.pas" declaring cls = class(ancestor), and
  // "Dir/Name.dfm".
  std::string Form(const std::string& stem, const std::string& cls, const std::string& ancestor, const Lines& text) {
    Write(stem + ".pas", Unit(fs::path(stem).filename().string(), cls, ancestor));
    return Write(stem + ".dfm", Text(text));
  }

  // Loads as the viewer does; returns the text of the previewed resource.
  std::string Load(const std::string& path) {
    std::string previewed;
    LoadFormFile(
        path, source_, log_,
        [&](TStream& resource) {
          TMemoryStream out;
          ObjectResourceToText(resource, out);
          previewed.assign(out.Memory(), size_t(out.Size()));
        },
        testsupport::IsRegistered);
    return previewed;
  }

  std::string LoadError(const std::string& path) {
    try {
      Load(path);
    } catch (const EReadError& e) {
      return e.what();
    }
    return "no error";
  }

  TStringList source_, log_;
};

const Lines kBase = {
    "object FormBase: TFormBase",
    "  Caption = 'Base'",
    "  ClientWidth = 300",
    "  OnCreate = FormCreate",
    "  object Panel1: TPanel",
    "    Left = 8",
    "  end",
    "  object Button1: TButton",
    "    Caption = 'OK'",
    "    Left = 16",
    "  end",
    "end"};

const Lines kChild = {
    "inherited FormChild: TFormChild",
    "  Caption = 'Child'",
    "  inherited Button1: TButton",
    "    Caption = 'Apply'",
    "    OnClick = Button1Click",
    "  end",
    "  object Label1: TLabel [0]",
    "    Caption = 'Name'",
    "  end",
    "end"};

}  // namespace

// Each level overrides the one above; inherited components update the
// ancestor's, new ones go where their "[n]" position puts them; every level
// is rewritten and logged.
TEST_F(AncestorsTest, TwoLevelChainMergesIntoTheAncestor) {
  Form("FormBase", "TFormBase", "TForm", kBase);
  std::string child = Form("FormChild", "TFormChild", "TFormBase", kChild);
  EXPECT_EQ(
      Load(child),
      Text({"object FormChild: TFormChild", "  Caption = 'Child'", "  ClientWidth = 300", "  object Label1: TLabel",
            "    Caption = 'Name'", "  end", "  object Panel1: TPanel", "    Left = 8", "  end",
            "  object Button1: TButton", "    Caption = 'Apply'", "    Left = 16", "  end", "end"}));
  EXPECT_EQ(source_.Lines()[4], "");  // the child's own event line is blanked
  EXPECT_EQ(
      log_.Lines(),
      (Lines{
          "[TLabel]: [False]", "Inherits [TFormBase] from FormBase.dfm", "[TPanel]: [False]", "[TButton]: [False]"}));
}

TEST_F(AncestorsTest, ThreeLevelChainReadsFromTheRootAncestorDown) {
  Form("FormBase", "TFormBase", "TForm", kBase);
  Form("FormChild", "TFormChild", "TFormBase", kChild);
  std::string grand = Form(
      "FormGrand", "TFormGrand", "TFormChild",
      {"inherited FormGrand: TFormGrand", "  inherited Label1: TLabel", "    Caption = 'Grand'", "  end",
       "  inherited Panel1: TPanel", "    Left = 40", "  end", "end"});
  std::string text = Load(grand);
  EXPECT_NE(text.find("object FormGrand: TFormGrand\r\n  Caption = 'Child'"), std::string::npos) << text;
  EXPECT_NE(text.find("object Label1: TLabel\r\n    Caption = 'Grand'"), std::string::npos) << text;
  EXPECT_NE(text.find("object Panel1: TPanel\r\n    Left = 40"), std::string::npos) << text;
  TFormLoad load;
  LoadForm(grand, load, testsupport::IsRegistered);
  Lines read;
  for (const TFormFileRead& f : load.files) read.push_back(f.path);
  EXPECT_EQ(read, (Lines{grand, (dir_ / "FormChild.dfm").string(), (dir_ / "FormBase.dfm").string()}));
  EXPECT_EQ(load.missingAncestor, "");
}

// A component the child places inside another keeps its ancestor's
// properties under its new parent.
TEST_F(AncestorsTest, ComponentMovedToAnotherParentInTheChild) {
  Form("FormBase", "TFormBase", "TForm", kBase);
  std::string child = Form(
      "FormChild", "TFormChild", "TFormBase",
      {"inherited FormChild: TFormChild", "  inherited Panel1: TPanel", "    inherited Button1: TButton",
       "      Left = 2", "    end", "  end", "end"});
  EXPECT_EQ(
      Load(child),
      Text({"object FormChild: TFormChild", "  Caption = 'Base'", "  ClientWidth = 300", "  object Panel1: TPanel",
            "    Left = 8", "    object Button1: TButton", "      Caption = 'OK'", "      Left = 2", "    end", "  end",
            "end"}));
}

// The ancestor lives in a sibling folder of the project, its unit and form
// named in other letter cases, and its form is binary.
TEST_F(AncestorsTest, BinaryAncestorInASiblingFolderWithOtherLetterCases) {
  Write("base/BASEFORMS.PAS", Unit("BaseForms", "TFormBase", "TForm"));
  TMemoryStream in, out;
  std::string text = Text(kBase);
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  ObjectTextToResource(in, out);
  Write("base/baseforms.Dfm", std::string(out.Memory(), size_t(out.Size())));
  std::string child = Write("forms/formchild.dfm", Text(kChild));
  Write("forms/FormChild.Pas", Unit("FormChild", "TFormChild", "BaseForms.TFormBase"));
  std::string previewed = Load(child);
  EXPECT_NE(previewed.find("object Button1: TButton\r\n    Caption = 'Apply'\r\n    Left = 16"), std::string::npos)
      << previewed;
}

// An ancestor that cannot be found: the form previews alone, its inherited
// components created as new ones, with one log line naming the ancestor.
TEST_F(AncestorsTest, MissingAncestorPreviewsTheFormAloneWithOneLogLine) {
  std::string child = Form("FormChild", "TFormChild", "TFormBase", kChild);
  EXPECT_EQ(
      Load(child),
      Text({"object FormChild: TFormChild", "  Caption = 'Child'", "  object Label1: TLabel", "    Caption = 'Name'",
            "  end", "  object Button1: TButton", "    Caption = 'Apply'", "  end", "end"}));
  EXPECT_EQ(
      log_.Lines(),
      (Lines{"[TLabel]: [False]",
             "Ancestor [TFormBase] of [TFormChild] not found: no unit with a form declares it; looked in " +
                 fs::weakly_canonical(dir_).string() + " and its sub-folders"}));
}

TEST_F(AncestorsTest, LoopAndTooDeepChainsAreClearErrors) {
  Form("loop/FormA", "TFormA", "TFormB", {"inherited FormA: TFormA", "end"});
  std::string b = Form("loop/FormB", "TFormB", "TFormA", {"inherited FormB: TFormB", "end"});
  EXPECT_NE(LoadError(b).find("Inherited forms form a loop: "), std::string::npos) << LoadError(b);

  Form("deep/F0", "TF0", "TForm", {"object F0: TF0", "end"});
  std::string last;
  for (int k = 1; k <= 34; ++k) {
    std::string n = std::to_string(k), up = std::to_string(k - 1);
    last = Form("deep/F" + n, "TF" + n, "TF" + up, {"inherited F" + n + ": TF" + n, "end"});
  }
  EXPECT_NE(LoadError(last).find("Inherited forms nest deeper than 32 levels"), std::string::npos);
}

// A frame placed on a form is read from its own form first; the form's
// "inherited" lines inside it change the frame's components.
TEST_F(AncestorsTest, FrameInsideAFormIsReadFromItsOwnForm) {
  Form("frames/FrameAddr", "TFrameAddr", "TFrame",
       {"object FrameAddr: TFrameAddr", "  Width = 200", "  Height = 60", "  TabOrder = 0", "  object Label1: TLabel",
        "    Caption = 'Street'", "  end", "end"});
  std::string form = Form(
      "FormMain", "TFormMain", "TForm",
      {"object FormMain: TFormMain", "  inline Addr1: TFrameAddr", "    Left = 8", "    TabOrder = 2",
       "    inherited Label1: TLabel", "      Caption = 'Road'", "    end", "  end", "  object Label1: TLabel", "  end",
       "end"});
  EXPECT_EQ(
      Load(form),
      Text({"object FormMain: TFormMain", "  inline Addr1: TFrame", "    Width = 200", "    Height = 60",
            "    TabOrder = 2", "    Left = 8", "    object Label1: TLabel", "      Caption = 'Road'", "    end",
            "  end", "  object Label1: TLabel", "  end", "end"}));
  EXPECT_EQ(
      log_.Lines(), (Lines{"[TLabel]: [False]", "Frame [TFrameAddr] from frames/FrameAddr.dfm", "[TLabel]: [False]"}));
}

// A frame whose form is nowhere becomes a placeholder that keeps its
// children.
TEST_F(AncestorsTest, FrameWithoutItsFormBecomesAPlaceholderKeepingChildren) {
  std::string form = Write(
      "FormMain.dfm",
      Text({"object FormMain: TFormMain", "  inline Addr1: TFrameAddr", "    Left = 8", "    TabOrder = 2",
            "    inherited Label1: TLabel", "      Caption = 'Road'", "    end", "  end", "end"}));
  EXPECT_EQ(Load(form), Text({"object FormMain: TFormMain", "  inline Addr1: TUnknown", "    Left = 8",
                              "    inherited Label1: TLabel", "      Caption = 'Road'", "    end", "  end", "end"}));
}

TEST_F(AncestorsTest, FlattenWritesTheResolvedFormAsOneObjectText) {
  Form("FormBase", "TFormBase", "TForm", kBase);
  std::string child = Form("FormChild", "TFormChild", "TFormBase", kChild);
  TFormLoad load;
  LoadForm(child, load, testsupport::IsRegistered);
  std::string text = ResolvedFormText(load);
  EXPECT_EQ(text.rfind("object FormChild: TFormChild\r\n", 0), 0u) << text;
  EXPECT_EQ(text.find("inherited"), std::string::npos) << text;
}

// A level that sets many properties again merges them by name in one pass:
// tens of thousands of properties on one component, overridden in another
// order and in other letter cases, with as many new ones, finish at once and
// keep the ancestor's order with the descendant's values.
TEST_F(AncestorsTest, ManyPropertiesMergeByNameInLinearTime) {
  constexpr int kCount = 40000;
  Lines base{"object FormBase: TFormBase"}, child{"inherited FormChild: TFormChild"};
  for (int i = 0; i < kCount; ++i) base.push_back("  Prop" + std::to_string(i) + " = 0");
  for (int i = kCount - 1; i >= 0; --i) child.push_back("  PROP" + std::to_string(i) + " = 1");
  for (int i = 0; i < kCount; ++i) child.push_back("  Extra" + std::to_string(i) + " = 2");
  base.push_back("end");
  child.push_back("end");
  Form("FormBase", "TFormBase", "TForm", base);
  std::string path = Form("FormChild", "TFormChild", "TFormBase", child);
  TFormLoad load;
  LoadForm(path, load, testsupport::IsRegistered);
  std::string text = ResolvedFormText(load);
  EXPECT_EQ(text.find(" = 0\r\n"), std::string::npos);
  EXPECT_NE(text.find("object FormChild: TFormChild\r\n  Prop0 = 1\r\n  Prop1 = 1\r\n"), std::string::npos);
  const std::string last = "  Prop" + std::to_string(kCount - 1) + " = 1\r\n  Extra0 = 2\r\n";
  EXPECT_NE(text.find(last), std::string::npos);
  EXPECT_NE(text.find("  Extra" + std::to_string(kCount - 1) + " = 2\r\nend"), std::string::npos);
}

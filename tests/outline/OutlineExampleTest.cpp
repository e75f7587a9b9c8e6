// examples/directories.dfm: its outlines load in each case rule, and its
// binary form says the same.
#include <fstream>
#include <sstream>

#include "DirOutln/DirOutln.h"
#include "FolderTree.h"
#include "FormText.h"
#include "OutlineTestSupport.h"
#include "components/Registry.h"
#include "core/Streams.h"
#include "stock/MiscStock.h"
#include "streaming/Converters.h"

namespace {

std::string ReadFile(const std::string& relative) {
  std::ifstream in(std::string(TESSALY_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string WithoutCarriageReturns(std::string s) {
  std::erase(s, '\r');
  return s;
}

// The example's text without its event bindings (the preview drops them).
std::string WithoutEvents(const std::string& text) {
  std::istringstream in(text);
  std::string line, out;
  while (std::getline(in, line)) {
    const size_t start = line.find_first_not_of(' ');
    if (start != std::string::npos && line.compare(start, 2, "On") == 0) continue;
    out += line + "\n";
  }
  return out;
}

std::unique_ptr<TForm> FormFromText(const std::string& text) {
  RegisterClasses({&TDirectoryOutline::StaticClassInfo(), &TOutline::StaticClassInfo(), &TLabel::StaticClassInfo()});
  return FormFromResourceText(text);
}

}  // namespace

TEST(DirectoriesExample, TheBinaryFormSaysWhatTheTextSays) {
  const std::string binary = ReadFile("examples/binary/directories.dfm");
  ASSERT_FALSE(binary.empty());
  TMemoryStream in;
  in.WriteBuffer(binary.data(), binary.size());
  in.SetPosition(0);
  TMemoryStream out;
  ObjectResourceToText(in, out);
  const std::string text(static_cast<const char*>(out.Memory()), size_t(out.Size()));
  EXPECT_EQ(WithoutCarriageReturns(text), WithoutCarriageReturns(ReadFile("examples/directories.dfm")));
}

TEST(DirectoriesExample, EachCaseRuleShowsTheCurrentDirectory) {
  TempFolderTree tree;
  tree.MakeDir("Mixed");
  tree.Enter("Mixed");
  auto form = FormFromText(WithoutEvents(ReadFile("examples/directories.dfm")));
  auto* lower = dynamic_cast<TDirectoryOutline*>(form->FindComponent("LowerOutline"));
  auto* upper = dynamic_cast<TDirectoryOutline*>(form->FindComponent("UpperOutline"));
  auto* asIs = dynamic_cast<TDirectoryOutline*>(form->FindComponent("AsIsOutline"));
  ASSERT_TRUE(lower && upper && asIs);
  EXPECT_EQ(lower->Items(lower->SelectedItem())->Text(), "mixed");
  EXPECT_EQ(upper->Items(upper->SelectedItem())->Text(), "MIXED");
  EXPECT_EQ(asIs->Items(asIs->SelectedItem())->Text(), "Mixed");
  EXPECT_EQ(lower->Options(), OutlineOption(ooDrawTreeRoot) | OutlineOption(ooDrawFocusRect));
  EXPECT_EQ(asIs->ItemHeight(), 18);
}

TEST(DirectoriesExample, TheStockOutlineTakesItsLines) {
  auto form = FormFromText(WithoutEvents(ReadFile("examples/directories.dfm")));
  auto* outline = dynamic_cast<TOutline*>(form->FindComponent("Outline1"));
  ASSERT_NE(outline, nullptr);
  ASSERT_EQ(outline->ItemCount(), 8);
  EXPECT_EQ(outline->GetFullPath(8), "Plants\\Trees\\Birch");
  EXPECT_EQ(outline->Lines()->Get(2), "\t\tTabby");
}

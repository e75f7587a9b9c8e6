// The gauge in form files: its published interface, loading with the range
// checks asleep, and the writer's defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Gauges/Gauges.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "controls/Forms.h"
#include "core/SysUtils.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

class GaugeStreaming : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClass(TGauge::StaticClassInfo()); }

  // Reads form text into the form, creating its gauges.
  void Read(const std::string& text) {
    TReader reader(&form);
    ParseFormText(text, reader);
    reader.Finish();
  }

  TGauge* Gauge(const char* name) { return dynamic_cast<TGauge*>(form.FindComponent(name)); }

  // The form as form text.
  std::string Write() {
    FormOutput out;
    FormTextWriter writer(out, FormTextOptions{"\n"});
    WriteComponent(&form, writer);
    return out.Str();
  }

  // Names of the properties written for one component, in order.
  std::vector<std::string> WrittenProperties(const std::string& componentName) {
    std::istringstream lines(Write());
    std::vector<std::string> names;
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
      const std::string trimmed = Trim(line);
      if (!inside) {
        inside = trimmed.rfind("object " + componentName + ":", 0) == 0;
        continue;
      }
      if (trimmed == "end" || trimmed.rfind("object ", 0) == 0) break;
      const size_t eq = trimmed.find(" = ");
      if (eq != std::string::npos) names.push_back(trimmed.substr(0, eq));
    }
    return names;
  }

  static std::string OneGauge(const std::string& body) {
    return "object Form1: TForm1\n"
           "  object Gauge1: TGauge\n"
           "    Left = 8\n"
           "    Top = 8\n"
           "    Width = 100\n"
           "    Height = 100\n" +
           body +
           "  end\n"
           "end\n";
  }

  TForm form{nullptr};
};

// --- published interface

TEST(GaugeClassInfo, PublishesItsPropertiesInStreamingOrder) {
  const std::vector<std::string> expected = {
      "Align",
      "Anchors",
      "BackColor",
      "BorderColor",
      "BaseInnerHighColor",
      "BaseInnerLowColor",
      "InnerHighColor",
      "InnerLowCOlor",
      "RealOneStyle",
      "BorderStyle",
      "Color",
      "Constraints",
      "Enabled",
      "ForeColor",
      "Font",
      "Kind",
      "MinValue",
      "MaxValue",
      "ParentColor",
      "ParentFont",
      "ParentShowHint",
      "PopupMenu",
      "Progress",
      "ShowHint",
      "Text",
      "ShowText",
      "ShowPercent",
      "Visible",
      "OnClick",
      "OnContextPopup",
      "OnDblClick",
      "OnMouseDown",
      "OnMouseMove",
      "OnMouseUp"};
  std::vector<std::string> own;
  for (const TPropInfo& p : TGauge::StaticClassInfo().OwnProperties()) own.push_back(p.name);
  EXPECT_EQ(own, expected);
}

TEST(GaugeClassInfo, BaseClassesContributeTheElevenCommonProperties) {
  const std::vector<std::string> expected = {
      "Name", "Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpType", "HelpKeyword", "HelpContext"};
  std::vector<std::string> all;
  for (const TPropInfo* p : TGauge::StaticClassInfo().Properties()) {
    // The framework also accepts the designer's Explicit* bounds, which it
    // never writes; they are not part of the gauge's interface.
    if (p->name.rfind("Explicit", 0) == 0) continue;
    all.push_back(p->name);
  }
  ASSERT_EQ(all.size(), 45u);
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 11), expected);
  EXPECT_EQ(all[11], "Align");
  EXPECT_EQ(all.back(), "OnMouseUp");
}

TEST(GaugeClassInfo, IsConstructibleByNameWithAnOwner) {
  ASSERT_NE(TGauge::StaticClassInfo().componentFactory, nullptr);
  TForm owner(nullptr);
  TComponent* made = TGauge::StaticClassInfo().componentFactory(&owner);
  EXPECT_NE(dynamic_cast<TGauge*>(made), nullptr);
  EXPECT_EQ(made->Owner(), &owner);
}

// --- loading

TEST_F(GaugeStreaming, MinValueAboveDefaultMaxLoadsWithoutError) {
  ASSERT_NO_THROW(Read(OneGauge("    MinValue = 200\n    Progress = 0\n")));
  TGauge* g = Gauge("Gauge1");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->MinValue(), 200);
  EXPECT_EQ(g->MaxValue(), 100);
  EXPECT_EQ(g->Progress(), 200);
  EXPECT_EQ(g->Percentage(), 0);
  EXPECT_FALSE(g->HasState(csLoading));
  // Outside loading the checks are back.
  EXPECT_THROW(g->SetMinValue(300), EInvalidOperation);
}

TEST_F(GaugeStreaming, MissingForeColorGivesBlue) {
  Read(OneGauge(""));
  EXPECT_EQ(Gauge("Gauge1")->ForeColor(), clBlue);
}

TEST_F(GaugeStreaming, ProgressIsClampedAgainstRangeInForceWhenItArrives) {
  // Out of the usual order: Progress first, against 0..100.
  Read(OneGauge("    Progress = 250\n    MinValue = 60\n    MaxValue = 70\n"));
  TGauge* g = Gauge("Gauge1");
  EXPECT_EQ(g->Progress(), 70);  // clamped to 100, then pulled down to 70
  EXPECT_EQ(g->Percentage(), 100);
}

TEST_F(GaugeStreaming, EveryGaugePropertyLoadsByName) {
  Read(OneGauge(
      "    BackColor = clYellow\n"
      "    BorderColor = clRed\n"
      "    BaseInnerHighColor = 1193046\n"
      "    BaseInnerLowColor = clNavy\n"
      "    InnerHighColor = clLime\n"
      "    InnerLowCOlor = clMaroon\n"
      "    RealOneStyle = True\n"
      "    BorderStyle = bsNone\n"
      "    ForeColor = clGreen\n"
      "    Kind = gkNeedle\n"
      "    MinValue = -50\n"
      "    MaxValue = 50\n"
      "    Progress = 25\n"
      "    Text = 'Busy'\n"
      "    ShowText = False\n"
      "    ShowPercent = True\n"));
  TGauge* g = Gauge("Gauge1");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->BackColor(), clYellow);
  EXPECT_EQ(g->BorderColor(), clRed);
  EXPECT_EQ(g->BaseInnerHighColor(), 0x123456);
  EXPECT_EQ(g->BaseInnerLowColor(), clNavy);
  EXPECT_EQ(g->InnerHighColor(), clLime);
  EXPECT_EQ(g->InnerLowCOlor(), clMaroon);
  EXPECT_TRUE(g->RealOneStyle());
  EXPECT_EQ(g->BorderStyle(), bsNone);
  EXPECT_EQ(g->ForeColor(), clGreen);
  EXPECT_EQ(g->Kind(), gkNeedle);
  EXPECT_EQ(g->Percentage(), 75);
  EXPECT_EQ(g->Text(), "Busy");
  EXPECT_FALSE(g->ShowText());
  EXPECT_TRUE(g->ShowPercent());
  EXPECT_EQ(g->Parent(), &form);
}

TEST_F(GaugeStreaming, ColourNameIsMatchedWithoutRegardToCase) {
  // Form files spell it InnerLowCOlor; the loader matches names case-blind.
  Read(OneGauge("    InnerLowColor = clRed\n"));
  EXPECT_EQ(Gauge("Gauge1")->InnerLowCOlor(), clRed);
}

// --- writing

TEST_F(GaugeStreaming, DefaultsAreLeftOutButProgressAlwaysWritten) {
  TGauge* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->SetParent(&form);
  g->SetForeColor(clBlack);  // the streaming default, unlike a new gauge's blue
  const std::vector<std::string> written = WrittenProperties("Gauge1");
  const std::vector<std::string> expected = {"Left", "Top", "Width", "Height", "Progress"};
  EXPECT_EQ(written, expected);
}

TEST_F(GaugeStreaming, BlueForeColorIsWritten) {
  TGauge* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->SetParent(&form);
  const std::vector<std::string> written = WrittenProperties("Gauge1");
  EXPECT_NE(std::find(written.begin(), written.end(), "ForeColor"), written.end());
}

TEST_F(GaugeStreaming, ChangedPropertiesAreWrittenInDeclarationOrder) {
  TGauge* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->SetParent(&form);
  g->SetBackColor(clYellow);
  g->SetBorderColor(clRed);
  g->SetBaseInnerHighColor(clRed);
  g->SetBaseInnerLowColor(clRed);
  g->SetInnerHighColor(clRed);
  g->SetInnerLowCOlor(clRed);
  g->SetRealOneStyle(true);
  g->SetBorderStyle(bsNone);
  g->SetKind(gkPie);
  g->SetMaxValue(500);
  g->SetMinValue(-5);
  g->SetProgress(7);
  g->SetText("Now");
  g->SetShowText(false);
  g->SetShowPercent(true);
  const std::vector<std::string> expected = {
      "Left",
      "Top",
      "Width",
      "Height",
      "BackColor",
      "BorderColor",
      "BaseInnerHighColor",
      "BaseInnerLowColor",
      "InnerHighColor",
      "InnerLowCOlor",
      "RealOneStyle",
      "BorderStyle",
      "ForeColor",
      "Kind",
      "MinValue",
      "MaxValue",
      "Progress",
      "Text",
      "ShowText",
      "ShowPercent"};
  EXPECT_EQ(WrittenProperties("Gauge1"), expected);
}

TEST_F(GaugeStreaming, WrittenGaugeReadsBackUnchanged) {
  TGauge* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->SetParent(&form);
  g->SetKind(gkVerticalBar);
  g->SetMaxValue(2000000000);
  g->SetMinValue(-2000000000);
  g->SetProgress(1000000000);
  g->SetInnerLowCOlor(0x010203);
  g->SetText("It's");
  const std::string text = Write();

  TForm copy(nullptr);
  TReader reader(&copy);
  ParseFormText(text, reader);
  reader.Finish();
  auto* back = dynamic_cast<TGauge*>(copy.FindComponent("Gauge1"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Kind(), gkVerticalBar);
  EXPECT_EQ(back->MinValue(), -2000000000);
  EXPECT_EQ(back->MaxValue(), 2000000000);
  EXPECT_EQ(back->Progress(), 1000000000);
  EXPECT_EQ(back->Percentage(), 75);
  EXPECT_EQ(back->InnerLowCOlor(), 0x010203);
  EXPECT_EQ(back->Text(), "It's");
  EXPECT_EQ(back->ForeColor(), clBlue);
}

// --- the example form

TEST_F(GaugeStreaming, ExampleFormLoadsGaugesOfEveryKind) {
  std::ifstream file(std::string(TESSALY_SOURCE_DIR) + "/examples/gauges.dfm", std::ios::binary);
  ASSERT_TRUE(file) << "examples/gauges.dfm";
  std::stringstream text;
  text << file.rdbuf();
  ASSERT_NO_THROW(Read(text.str()));
  bool seen[5] = {};
  bool framed = false;
  int gauges = 0;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* g = dynamic_cast<TGauge*>(form.Components(i));
    if (!g) continue;
    ++gauges;
    if (g->Kind() <= gkNeedle) seen[g->Kind()] = true;
    framed = framed || g->RealOneStyle();
  }
  EXPECT_GE(gauges, 5);
  for (bool kind : seen) EXPECT_TRUE(kind);
  EXPECT_TRUE(framed);
}

}  // namespace

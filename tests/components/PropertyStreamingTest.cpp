#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "TestClasses.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "core/Exceptions.h"
#include "core/FormStrings.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

class PropertyStreaming : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }

  // Reads form text into root (parse, then the component reader).
  void Read(const std::string& text) {
    TReader reader(&root);
    ParseFormText(text, reader);
    reader.Finish();
  }

  std::string Write() {
    FormOutput out;
    FormTextWriter writer(out, FormTextOptions{"\n"});
    WriteComponent(&root, writer);
    return out.Str();
  }

  TTestWidget* Widget(const char* name) { return dynamic_cast<TTestWidget*>(root.FindComponent(name)); }

  // Reads into a fresh root, so that earlier failures leave nothing behind.
  static std::string ReadError(const std::string& text) {
    TTestRoot fresh(nullptr);
    try {
      TReader reader(&fresh);
      ParseFormText(text, reader);
      reader.Finish();
    } catch (const Exception& e) {
      return e.what();
    }
    return "no error";
  }

  TTestRoot root{nullptr};
};

}  // namespace

TEST_F(PropertyStreaming, EveryKindOfValueReachesItsProperty) {
  Read(
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Count = -70000\n"
      "    Color = clBtnFace\n"
      "    Active = False\n"
      "    Kind = skStar\n"
      "    Flags = [flGreen, flBlue]\n"
      "    Letter = 'z'\n"
      "    Ratio = 2.500000000000000000\n"
      "    Caption = 'It''s'#13#10'ok'\n"
      "    Progress = 3\n"
      "    Lines.Strings = (\n"
      "      'one'\n"
      "      'two')\n"
      "    Pen.Width = 4\n"
      "    Pen.Style = 'dash'\n"
      "    Items = <\n"
      "      item\n"
      "        Caption = 'first'\n"
      "      end\n"
      "      item\n"
      "        Size = 3\n"
      "      end>\n"
      "    Buddy = W2\n"
      "    OnChange = WidgetChanged\n"
      "    Spare = 9\n"
      "  end\n"
      "  object W2: TTestWidget\n"
      "  end\n"
      "end\n");
  TTestWidget* w = Widget("W1");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(root.Name(), "Root1");
  EXPECT_EQ(w->Count(), -70000);
  EXPECT_EQ(uint32_t(w->Color()), 0xFF00000Fu);
  EXPECT_FALSE(w->Active());
  EXPECT_EQ(w->Kind(), skStar);
  EXPECT_EQ(w->Flags(), (1u << flGreen) | (1u << flBlue));
  EXPECT_EQ(w->Letter(), 'z');
  EXPECT_DOUBLE_EQ(double(w->Ratio()), 2.5);
  EXPECT_EQ(w->Caption(), "It's\r\nok");
  EXPECT_EQ(w->Progress(), 3);
  EXPECT_EQ(w->Lines()->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(w->Pen()->Width(), 4);
  EXPECT_EQ(w->Pen()->Style(), "dash");
  ASSERT_EQ(w->Items()->Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(w->Items()->Items(0))->Caption(), "first");
  EXPECT_EQ(static_cast<TTestItem*>(w->Items()->Items(1))->Size(), 3);
  EXPECT_EQ(w->Buddy(), Widget("W2"));  // a forward reference, resolved at the end
  ASSERT_TRUE(w->OnChange);
  w->OnChange.code(w);
  EXPECT_EQ(root.changedSenders, std::vector<TPersistent*>{w});
  EXPECT_EQ(TTestWidget::StaticClassInfo().FindProperty("Spare")->getOrd(w), 9);
}

TEST_F(PropertyStreaming, NestingGivesParentsAndTheRootOwnsEverything) {
  Read(
      "object Root1: TTestRoot\n"
      "  object Outer: TTestWidget\n"
      "    object Inner: TTestWidget\n"
      "    end\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(Widget("Inner")->Owner(), &root);
  EXPECT_EQ(Widget("Inner")->parent_, Widget("Outer"));
  EXPECT_EQ(Widget("Outer")->parent_, nullptr);
}

TEST_F(PropertyStreaming, LoadingIsSetWhileReadingAndLoadedRunsOnceAtTheEnd) {
  Read(
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Progress = 5\n"
      "  end\n"
      "end\n");
  TTestWidget* w = Widget("W1");
  EXPECT_TRUE(w->loadingSeenBySetter);
  EXPECT_TRUE(w->wasLoadingWhenLoaded);
  EXPECT_EQ(w->loadedCalls, 1);
  EXPECT_FALSE(w->HasState(csLoading));
  EXPECT_FALSE(root.HasState(csLoading));
}

TEST_F(PropertyStreaming, AWholeFloatReadsIntoAnIntegerButAFractionDoesNot) {
  Read(
      "object Root1: TTestRoot\n  object W1: TTestWidget\n    Count = 1000.000000000000000000\n"
      "  end\nend\n");
  EXPECT_EQ(Widget("W1")->Count(), 1000);
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    Count = 2.5\n  end\nend\n"),
            "Error reading W1.Count: Invalid property value");
}

// Binary forms carry floats that text cannot spell (NaN, infinities); none
// of them, nor a float beyond the integer range, may reach an integer
// property, where converting it would be undefined.
TEST_F(PropertyStreaming, NonFiniteAndHugeFloatsAreRefusedByIntegerProperties) {
  const double values[] = {
      std::numeric_limits<double>::quiet_NaN(),
      std::numeric_limits<double>::infinity(),
      -std::numeric_limits<double>::infinity(),
      1e300,
      3e9,
      -3e9};
  for (const TValueType type : {TValueType::vaDouble, TValueType::vaSingle, TValueType::vaExtended}) {
    for (const double value : values) {
      TTestRoot fresh(nullptr);
      std::string error = "no error";
      try {
        TReader reader(&fresh);
        FormObjectHeader rootHeader;
        rootHeader.className = "TTestRoot";
        rootHeader.name = "R";
        reader.BeginComponent(rootHeader);
        FormObjectHeader widgetHeader;
        widgetHeader.className = "TTestWidget";
        widgetHeader.name = "W1";
        reader.BeginComponent(widgetHeader);
        reader.Property("Count");
        FormScalar scalar;
        scalar.type = type;
        scalar.real = value;
        scalar.extended = value;
        reader.Scalar(scalar);
        reader.EndComponent();
        reader.EndComponent();
        reader.Finish();
      } catch (const Exception& e) {
        error = e.what();
      }
      EXPECT_EQ(error, "Error reading W1.Count: Invalid property value") << value << " as tag " << int(type);
    }
  }
}

// Later versions name the web colours; their forms read, and a written
// colour keeps the spelling every version reads.
TEST_F(PropertyStreaming, WebColourNamesReadButAreWrittenAsNumbers) {
  Read(
      "object Root1: TTestRoot\n  object W1: TTestWidget\n    Color = clWebAliceBlue\n  end\n"
      "  object W2: TTestWidget\n    Color = CLWEBWHITE\n  end\nend\n");
  EXPECT_EQ(Widget("W1")->Color(), 0xFFF8F0);
  EXPECT_EQ(Widget("W2")->Color(), 0xFFFFFF);
  Widget("W2")->SetColor(0x0000FF);
  const std::string text = Write();
  EXPECT_NE(text.find("Color = 16775408"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = clRed"), std::string::npos) << text;
  EXPECT_EQ(text.find("clWeb"), std::string::npos) << text;
}

TEST_F(PropertyStreaming, ARepeatedNameLeavesTheSecondComponentUnnamed) {
  Read(
      "object Root1: TTestRoot\n"
      "  object Page1: TTestWidget\n    object Shape1: TTestWidget\n    end\n  end\n"
      "  object Page2: TTestWidget\n    object Shape1: TTestWidget\n      Count = 2\n"
      "    end\n  end\n"
      "end\n");
  ASSERT_EQ(Widget("Page2")->children.size(), 1u);
  EXPECT_EQ(Widget("Page2")->children[0]->Name(), "");
  EXPECT_EQ(Widget("Page2")->children[0]->Count(), 2);
  EXPECT_EQ(Widget("Shape1"), Widget("Page1")->children[0]);
}

TEST_F(PropertyStreaming, UnresolvableReferencesStayNil) {
  Read(
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Buddy = OtherForm.Thing\n"
      "  end\n"
      "  object W2: TTestWidget\n"
      "    Buddy = Nowhere\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(Widget("W1")->Buddy(), nullptr);
  EXPECT_EQ(Widget("W2")->Buddy(), nullptr);
}

TEST_F(PropertyStreaming, ComponentsWithoutParentKeepTheirDesignPosition) {
  Read(
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Left = 256\n"
      "    Top = 208\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(Widget("W1")->DesignLeft(), 256);
  EXPECT_EQ(Widget("W1")->DesignTop(), 208);
}

TEST_F(PropertyStreaming, ErrorsNameTheComponentAndTheProperty) {
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    Bogus = 1\n  end\nend\n"),
            "Error reading W1.Bogus: Property Bogus does not exist");
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    Count = 'x'\n  end\nend\n"),
            "Error reading W1.Count: Invalid property value");
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    Kind = skOval\n  end\nend\n"),
            "Error reading W1.Kind: Invalid property value");
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    Pen.Nope = 1\n  end\nend\n"),
            "Error reading W1.Pen.Nope: Property Nope does not exist");
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TFancyMeter\n  end\nend\n"), "Class TFancyMeter not found");
}

TEST_F(PropertyStreaming, EventsBoundToMissingMethodsStayUnassignedAndAreNoticed) {
  std::vector<std::string> notices;
  {
    ReadNoticeScope outer([](const std::string&) { ADD_FAILURE() << "the outer scope received a notice"; });
    ReadNoticeScope scope([&notices](const std::string& line) { notices.push_back(line); });
    Read(
        "object Root1: TTestRoot\n"
        "  object W1: TTestWidget\n"
        "    OnChange = Gone\n"
        "    Count = 7\n"
        "  end\n"
        "  object W2: TTestWidget\n"
        "    OnChange = WidgetChanged\n"
        "  end\n"
        "end\n");
  }
  EXPECT_FALSE(Widget("W1")->OnChange);
  EXPECT_EQ(Widget("W1")->Count(), 7);
  EXPECT_TRUE(Widget("W2")->OnChange);
  EXPECT_EQ(notices, std::vector<std::string>{"Unassigned: [W1.OnChange] (method 'Gone' not found)"});
  // Without a scope the read still succeeds; a single assignment still fails.
  EXPECT_EQ(ReadError("object R: TTestRoot\n  object W1: TTestWidget\n    OnChange = Gone\n  end\nend\n"), "no error");
  TTestWidget lone(nullptr);
  EXPECT_THROW(SetPropertyValue(&lone, "OnChange", TFormNode::Ident("Gone"), &root), EReadError);
}

TEST_F(PropertyStreaming, WriterLeavesDefaultsOutAndKeepsDeclarationOrder) {
  auto* w = new TTestWidget(&root);
  w->SetName("W1");
  root.SetName("Root1");
  EXPECT_EQ(
      Write(),
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Progress = 0\n"
      "  end\n"
      "end\n");
}

TEST_F(PropertyStreaming, WhatTheWriterWritesReadsBackTheSame) {
  const std::string text =
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Tag = 12\n"
      "    Count = 5\n"
      "    Color = 12345\n"
      "    Active = False\n"
      "    Kind = skCircle\n"
      "    Flags = []\n"
      "    Caption = 'Gr'#252#223'e'\n"
      "    Progress = 1\n"
      "    Lines.Strings = (\n"
      "      'a')\n"
      "    Pen.Width = 2\n"
      "    Items = <\n"
      "      item\n"
      "        Caption = 'x'\n"
      "      end>\n"
      "    Buddy = W1\n"
      "    OnChange = WidgetChanged\n"
      "    Spare = 8\n"
      "  end\n"
      "end\n";
  Read(text);
  EXPECT_EQ(Write(), text);
}

TEST_F(PropertyStreaming, UnicodeStringsSurviveReadingAndWriting) {
  Read(
      "object Root1: TTestRoot\n"
      "  object W1: TTestWidget\n"
      "    Caption = #1055#1088#1080'!'\n"
      "    Progress = 0\n"
      "  end\n"
      "end\n");
  std::string caption = Widget("W1")->Caption();
  EXPECT_TRUE(IsUnicodeFormString(caption));
  EXPECT_EQ(Utf8OfFormString(caption), "\xD0\x9F\xD1\x80\xD0\xB8!");
  EXPECT_NE(Write().find("Caption = #1055#1088#1080'!'"), std::string::npos);
}

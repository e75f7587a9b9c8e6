// The preview window, the placeholder and the class registration.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "RegisteredClassNames.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "controls/FontMapping.h"
#include "controls/Render.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

namespace {

class Preview : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterPreviewClasses();
    Application->Initialize();
  }

  // A preview window with `text` read into it, as the load command builds it.
  std::unique_ptr<TForm2> Build(const std::string& text) {
    TMemoryStream in, resource;
    in.WriteBuffer(text.data(), text.size());
    in.SetPosition(0);
    ObjectTextToResource(in, resource);
    resource.SetPosition(0);
    auto preview = std::make_unique<TForm2>(Application);
    ReadComponentRes(resource, preview.get());
    return preview;
  }
};

}  // namespace

TEST_F(Preview, RegistersTheHundredAndTenClassesInOrderWithTheirNames) {
  std::vector<const TClassInfo*> classes = RegisteredClasses();
  ASSERT_GE(classes.size(), kStandardFormClassNames.size());
  for (size_t i = 0; i < kStandardFormClassNames.size(); ++i)
    EXPECT_EQ(classes[i]->Name(), kStandardFormClassNames[i]) << i;
  EXPECT_EQ(GetClass("tunknown"), &TUnknown::StaticClassInfo());
  EXPECT_EQ(GetClass("TForm1"), nullptr);
  EXPECT_EQ(GetClass("TForm2"), nullptr);
}

TEST_F(Preview, NotebookPagesAreRegisteredAfterTheHundredAndTenAndCountAsStandard) {
  const std::vector<const TClassInfo*> classes = RegisteredClasses();
  ASSERT_EQ(classes.size(), kStandardFormClassNames.size() + kNotebookPageClassNames.size());
  for (size_t i = 0; i < kNotebookPageClassNames.size(); ++i) {
    const std::string& name = kNotebookPageClassNames[i];
    EXPECT_EQ(classes[kStandardFormClassNames.size() + i]->Name(), name);
    // The rewriting commands and the preview agree: a page is no placeholder.
    EXPECT_TRUE(IsStandardFormClass(name));
  }
  EXPECT_TRUE(IsStandardFormClass("ttabpage"));
}

TEST_F(Preview, EveryRegisteredComponentClassConstructsWithAnOwner) {
  TForm2 owner(Application);
  for (const TClassInfo* cls : RegisteredClasses()) {
    if (!cls->componentFactory) continue;  // TFont
    TComponent* c = cls->componentFactory(&owner);
    EXPECT_EQ(c->ClassName(), cls->Name());
    delete c;
  }
}

TEST_F(Preview, KeepsItsOwnValuesWhereTheFormSetsNone) {
  auto preview = Build("object Form1: TForm1\r\n  Left = 10\r\nend\r\n");
  EXPECT_EQ(preview->Caption(), "Form2");
  EXPECT_EQ(preview->Left(), 10);
  EXPECT_EQ(preview->Width(), 492);
}

TEST_F(Preview, APlaceholderDrawsACrossedBox) {
  auto preview = Build(
      "object Form1: TForm1\r\n  ClientWidth = 200\r\n  ClientHeight = 100\r\n"
      "  Color = clWhite\r\n"
      "  object M: TUnknown\r\n    Left = 10\r\n    Top = 20\r\n"
      "    Width = 100\r\n    Height = 20\r\n  end\r\nend\r\n");
  QImage image = RenderFormClient(preview.get());
  auto black = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
  // The outline's corners, both diagonals' ends and middles.
  EXPECT_TRUE(black(10, 20));
  EXPECT_TRUE(black(109, 20));
  EXPECT_TRUE(black(10, 39));
  EXPECT_TRUE(black(109, 39));
  EXPECT_TRUE(black(60, 30));
  EXPECT_FALSE(black(30, 25));
  EXPECT_FALSE(black(9, 20));
}

TEST_F(Preview, APlaceholderHoldsTheChildrenTheRewritingKept) {
  auto preview = Build(
      "object Form1: TForm1\r\n  object P: TUnknown\r\n    Left = 8\r\n"
      "    Width = 100\r\n    Height = 50\r\n    object L: TLabel\r\n      Left = 4\r\n"
      "      Caption = 'inside'\r\n    end\r\n  end\r\nend\r\n");
  auto* label = dynamic_cast<TControl*>(preview->FindComponent("L"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), preview->FindComponent("P"));
}

TEST_F(Preview, ANonVisualPlaceholderShowsAtItsDesignPosition) {
  auto preview = Build(
      "object Form1: TForm1\r\n  object Q: TUnknown\r\n    Left = 256\r\n"
      "    Top = 208\r\n  end\r\nend\r\n");
  auto* q = dynamic_cast<TControl*>(preview->FindComponent("Q"));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->Left(), 256);
  EXPECT_EQ(q->Top(), 208);
  EXPECT_GT(q->Width(), 0);
  EXPECT_GT(q->Height(), 0);
}

TEST_F(Preview, OnlyAPlaceholderWithAStoredSizeWidensTheScrollRange) {
  // A non-visual component stores only its icon's position, often past the
  // client area; the designer needed no scroll bar for it.
  const std::string head =
      "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n"
      "  object P: TPanel\r\n    Align = alClient\r\n  end\r\n  object Q: TUnknown\r\n"
      "    Left = 256\r\n    Top = 568\r\n";
  auto nonVisual = Build(head + "  end\r\nend\r\n");
  nonVisual->Show();
  auto* panel = dynamic_cast<TControl*>(nonVisual->FindComponent("P"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Width(), 300);
  EXPECT_EQ(panel->Height(), 200);

  auto visual = Build(head + "    Width = 40\r\n    Height = 30\r\n  end\r\nend\r\n");
  visual->Show();
  panel = dynamic_cast<TControl*>(visual->FindComponent("P"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Width(), 300 - 17);  // beside the vertical bar
}

TEST_F(Preview, AFormsStoredTextHeightSizesItsLabels) {
  ForgetStoredCellHeights();
  // Segoe UI is drawn with a stand-in whose cell is shorter than the 15
  // pixels the form says its designer's system gave it.
  auto preview = Build(
      "object Form1: TForm1\r\n  Font.Height = -12\r\n  Font.Name = 'Segoe UI'\r\n"
      "  PixelsPerInch = 96\r\n  TextHeight = 15\r\n  object L: TLabel\r\n"
      "    Caption = 'Text'\r\n  end\r\nend\r\n");
  auto* label = dynamic_cast<TControl*>(preview->FindComponent("L"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Height(), 15);
  ForgetStoredCellHeights();

  // At another resolution the stored height is that screen's, not ours.
  auto scaled = Build(
      "object Form1: TForm1\r\n  Font.Height = -12\r\n  Font.Name = 'Segoe UI'\r\n"
      "  PixelsPerInch = 120\r\n  TextHeight = 15\r\n  Scaled = False\r\n  object L: TLabel\r\n"
      "    Caption = 'Text'\r\n  end\r\nend\r\n");
  label = dynamic_cast<TControl*>(scaled->FindComponent("L"));
  ASSERT_NE(label, nullptr);
  TFont own;
  own.SetName("Segoe UI");
  own.SetHeight(-12);
  EXPECT_EQ(label->Height(), own.CellMetrics().Height());
}

TEST_F(Preview, ShowFormPreviewDestroysThePreviewWhenReadingFails) {
  TMemoryStream in, resource;
  std::string text = "object Form1: TForm1\r\n  Bogus = 1\r\nend\r\n";
  in.WriteBuffer(text.data(), text.size());
  in.SetPosition(0);
  ObjectTextToResource(in, resource);
  resource.SetPosition(0);
  const int before = Application->ComponentCount();
  EXPECT_THROW(ShowFormPreview(resource), EReadError);
  EXPECT_EQ(Application->ComponentCount(), before);
}

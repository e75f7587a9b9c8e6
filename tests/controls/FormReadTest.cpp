// Forms read from their descriptions: parents, bounds, fonts, colours, tab
// order and scaling.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "ControlsTestSupport.h"
#include "components/Writer.h"

namespace {

const char* kForm = R"(object Form1: TForm
  Left = 100
  Top = 50
  BorderStyle = bsDialog
  Caption = 'Test form'
  ClientHeight = 200
  ClientWidth = 300
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  DesignSize = (
    300
    200)
  PixelsPerInch = %d
  TextHeight = 13
  object Panel1: TTestPanel
    Left = 8
    Top = 8
    Width = 150
    Height = 100
    Color = clRed
    TabOrder = 1
    TabStop = True
    object Shape1: TTestShape
      Left = 10
      Top = 10
      Width = 30
      Height = 20
    end
    object Inner: TTestPanel
      Left = 50
      Top = 40
      Width = 60
      Height = 30
      ExplicitLeft = 50
      ExplicitWidth = 60
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlue
      Font.Height = -13
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 0
    end
  end
  object Panel2: TTestPanel
    Left = 200
    Top = 8
    Width = 90
    Height = 40
    Anchors = [akTop, akRight]
    Margins.Left = 5
    TabOrder = 0
    TabStop = True
  end
  object Bar: TTestPanel
    Left = 0
    Top = 170
    Width = 300
    Height = 30
    Align = alBottom
  end
end
)";

std::unique_ptr<TForm> Load(int ppi) {
  char text[4096];
  std::snprintf(text, sizeof text, kForm, ppi);
  return std::unique_ptr<TForm>(FormFromText(text));
}

TEST(FormReading, NestedControlsGetTheirParentsAndBounds) {
  auto form = Load(96);
  auto* panel1 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel1"));
  auto* shape = dynamic_cast<TTestShape*>(form->FindComponent("Shape1"));
  auto* inner = dynamic_cast<TTestPanel*>(form->FindComponent("Inner"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel2"));
  ASSERT_TRUE(panel1 && shape && inner && panel2);
  EXPECT_EQ(form->Name(), "Form1");
  EXPECT_EQ(form->Caption(), "Test form");
  EXPECT_EQ(panel1->Parent(), form.get());
  EXPECT_EQ(shape->Parent(), panel1);
  EXPECT_EQ(inner->Parent(), panel1);
  EXPECT_EQ(panel1->Owner(), form.get());
  EXPECT_EQ(inner->Owner(), form.get());
  EXPECT_EQ(form->ControlCount(), 3);
  EXPECT_EQ(panel1->ControlCount(), 2);
  EXPECT_EQ(shape->BoundsRect(), Rect(10, 10, 40, 30));
  EXPECT_EQ(inner->BoundsRect(), Rect(50, 40, 110, 70));
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(form->Width(), 306);
  EXPECT_EQ(form->Height(), 225);
  EXPECT_EQ(form->Left(), 100);
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  EXPECT_EQ(panel2->Margins()->Left(), 5);
  EXPECT_EQ(panel2->Anchors(), Anchors({akTop, akRight}));
}

TEST(FormReading, FontsAndColoursFollowTheParentUnlessSet) {
  auto form = Load(96);
  auto* panel1 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel1"));
  auto* shape = dynamic_cast<TTestShape*>(form->FindComponent("Shape1"));
  auto* inner = dynamic_cast<TTestPanel*>(form->FindComponent("Inner"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel2"));
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(panel1->Color(), clRed);
  EXPECT_FALSE(panel1->ParentColor());
  EXPECT_EQ(shape->Color(), clRed);  // ParentColor: the panel's
  EXPECT_EQ(panel2->Color(), clBtnFace);
  EXPECT_EQ(panel1->Font()->Name(), "MS Sans Serif");
  EXPECT_TRUE(panel1->ParentFont());
  EXPECT_EQ(inner->Font()->Name(), "Arial");
  EXPECT_TRUE(inner->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(inner->ParentFont());
  EXPECT_EQ(inner->Font()->Color(), clBlue);

  // A change of the form's font reaches the children that follow it.
  form->Font()->SetHeight(-20);
  EXPECT_EQ(panel1->Font()->Height(), -20);
  EXPECT_EQ(shape->Font()->Height(), -20);
  EXPECT_EQ(inner->Font()->Height(), -13);
  form->SetColor(clYellow);
  EXPECT_EQ(panel2->Color(), clYellow);
  EXPECT_EQ(panel1->Color(), clRed);
}

TEST(FormReading, TabOrderIsTheOneTheFormGives) {
  auto form = Load(96);
  auto* panel1 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel1"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel2"));
  auto* inner = dynamic_cast<TTestPanel*>(form->FindComponent("Inner"));
  EXPECT_EQ(panel2->TabOrder(), 0);
  EXPECT_EQ(panel1->TabOrder(), 1);
  EXPECT_EQ(inner->TabOrder(), 0);
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order[0], panel2);
  EXPECT_EQ(order[1], panel1);
  EXPECT_EQ(order[2], inner);
}

TEST(FormReading, AlignmentAndAnchorsWorkAfterLoading) {
  auto form = Load(96);
  auto* bar = dynamic_cast<TTestPanel*>(form->FindComponent("Bar"));
  auto* panel2 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel2"));
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 170, 300, 200));
  form->SetClientSize(400, 260);
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 230, 400, 260));
  EXPECT_EQ(panel2->BoundsRect(), Rect(300, 8, 390, 48));
}

TEST(FormScaling, AFormDesignedAtAnotherResolutionIsScaledToTheScreens) {
  ASSERT_EQ(Screen->PixelsPerInch(), 96);
  auto form = Load(120);
  auto* panel1 = dynamic_cast<TTestPanel*>(form->FindComponent("Panel1"));
  auto* inner = dynamic_cast<TTestPanel*>(form->FindComponent("Inner"));
  auto* bar = dynamic_cast<TTestPanel*>(form->FindComponent("Bar"));
  EXPECT_EQ(form->ClientWidth(), 240);
  EXPECT_EQ(form->ClientHeight(), 160);
  EXPECT_EQ(panel1->BoundsRect(), Rect(6, 6, 126, 86));
  EXPECT_EQ(form->Font()->Height(), -9);
  EXPECT_EQ(panel1->Font()->Height(), -9);  // follows the form
  EXPECT_EQ(inner->Font()->Height(), -10);  // -13 * 96 / 120, rounded
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 136, 240, 160));
  EXPECT_EQ(form->PixelsPerInch(), 96);
}

TEST(FormScaling, SameResolutionOrScaledFalseLeavesTheFormAlone) {
  auto same = Load(96);
  EXPECT_EQ(same->ClientWidth(), 300);
  std::string text(4096, '\0');
  text.resize(size_t(std::snprintf(text.data(), text.size(), kForm, 144)));
  text.replace(text.find("  OldCreateOrder"), 0, "  Scaled = False\n");
  std::unique_ptr<TForm> unscaled(FormFromText(text));
  EXPECT_EQ(unscaled->ClientWidth(), 300);
  EXPECT_EQ(unscaled->Font()->Height(), -11);
}

TEST(FormReading, BadPropertyValuesRaiseReadErrors) {
  EXPECT_THROW(
      FormFromText("object Form1: TForm\n  object P: TTestPanel\n    Align = alSideways\n  end\nend\n"), Exception);
}

}  // namespace

namespace {

// Records the component nesting and property names a writer produces.
class OutlineSink : public FormIgnoredEvents {
 public:
  std::string out;
  int depth = 0;
  void BeginComponent(const FormObjectHeader& h) override {
    out += std::string(size_t(depth) * 2, ' ') + std::string(h.name) + ":" + std::string(h.className) + "\n";
    ++depth;
  }
  void EndComponent() override { --depth; }
  void Property(std::string_view name) override {
    out += std::string(size_t(depth) * 2, ' ') + "." + std::string(name) + "\n";
  }
};

TEST(FormWriting, ChildrenAreWrittenInsideTheirParents) {
  auto form = Load(96);
  OutlineSink sink;
  WriteComponent(form.get(), sink);
  const std::string& o = sink.out;
  EXPECT_NE(o.find("Form1:TForm\n"), std::string::npos);
  EXPECT_NE(o.find("  Panel1:TTestPanel\n"), std::string::npos);
  EXPECT_NE(o.find("    Shape1:TTestShape\n"), std::string::npos);
  EXPECT_NE(o.find("    Inner:TTestPanel\n"), std::string::npos);
  // Explicit bounds are never written; a form's client size is.
  EXPECT_EQ(o.find(".ExplicitLeft"), std::string::npos);
  EXPECT_NE(o.find("  .ClientWidth\n"), std::string::npos);
  EXPECT_NE(o.find("  .PixelsPerInch\n"), std::string::npos);
  // Inherited colour and font are not stored; the panel's own are.
  const std::string shapeBlock = o.substr(o.find("Shape1:"), o.find("Inner:") - o.find("Shape1:"));
  EXPECT_EQ(shapeBlock.find(".Font"), std::string::npos);
  EXPECT_EQ(shapeBlock.find(".Color"), std::string::npos);
  const std::string innerBlock = o.substr(o.find("Inner:"));
  EXPECT_NE(innerBlock.find(".Font"), std::string::npos);
  EXPECT_LT(o.find("    .Color\n"), o.find("    Shape1"));
}

TEST(Ownership, DestroyingAContainerDestroysItsChildrenAndFreesTheForm) {
  auto form = Load(96);
  auto* panel1 = form->FindComponent("Panel1");
  ASSERT_NE(form->FindComponent("Inner"), nullptr);
  delete panel1;
  EXPECT_EQ(form->FindComponent("Inner"), nullptr);
  EXPECT_EQ(form->FindComponent("Shape1"), nullptr);
  EXPECT_EQ(form->ControlCount(), 2);
  form->Show();
  form.reset();  // with shown widgets and a focused control
  EXPECT_EQ(FindFocusedControl(), nullptr);
}

}  // namespace

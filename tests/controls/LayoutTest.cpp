// Alignment, anchors, constraints, WM_SIZE and SetBounds overrides.
#include <gtest/gtest.h>

#include <memory>

#include <QCoreApplication>

#include "ControlsTestSupport.h"

namespace {

struct Fixture {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  Fixture() { form->SetClientSize(400, 300); }
  TTestPanel* Panel(TAlign align, int l, int t, int w, int h) {
    auto* p = new TTestPanel(form.get());
    p->SetBounds(l, t, w, h);
    p->SetParent(form.get());
    p->SetAlign(align);
    return p;
  }
};

TEST(AlignLayout, ClientControlTakesWhatTheOthersLeave) {
  Fixture f;
  TTestPanel* top = f.Panel(alTop, 0, 0, 10, 30);
  TTestPanel* bottom = f.Panel(alBottom, 0, 0, 10, 20);
  TTestPanel* left = f.Panel(alLeft, 0, 0, 50, 10);
  TTestPanel* right = f.Panel(alRight, 0, 0, 60, 10);
  TTestPanel* client = f.Panel(alClient, 0, 0, 1, 1);

  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 280));
  EXPECT_EQ(right->BoundsRect(), Rect(340, 30, 400, 280));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 340, 280));

  // The user makes the form bigger: bars keep their thickness.
  f.form->SetClientSize(500, 400);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 500, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 380, 500, 400));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 380));
  EXPECT_EQ(right->BoundsRect(), Rect(440, 30, 500, 380));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 440, 380));
}

TEST(AlignLayout, TopBarsStackInOrderOfTheirTop) {
  Fixture f;
  f.form->DisableAlign();
  TTestPanel* second = f.Panel(alTop, 0, 100, 10, 25);
  TTestPanel* first = f.Panel(alTop, 0, 5, 10, 40);
  f.form->EnableAlign();
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 40);
  // Bottom bars placed together (as a form reads them): the one lowest
  // down sits at the edge.
  f.form->DisableAlign();
  TTestPanel* upper = f.Panel(alBottom, 0, 200, 10, 10);
  TTestPanel* lower = f.Panel(alBottom, 0, 250, 10, 20);
  f.form->EnableAlign();
  EXPECT_EQ(lower->BoundsRect(), Rect(0, 280, 400, 300));
  EXPECT_EQ(upper->BoundsRect(), Rect(0, 270, 400, 280));
  // A bar aligned later at the same place goes before the one there.
  TTestPanel* third = f.Panel(alTop, 0, 0, 10, 5);
  EXPECT_EQ(third->Top(), 0);
  EXPECT_EQ(first->Top(), 5);
  EXPECT_EQ(second->Top(), 45);
}

TEST(AlignLayout, ChangingABarsHeightReflowsTheClientControl) {
  Fixture f;
  TTestPanel* top = f.Panel(alTop, 0, 0, 10, 30);
  TTestPanel* client = f.Panel(alClient, 0, 0, 1, 1);
  top->SetHeight(70);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 70, 400, 300));
  top->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 400, 300));
}

TEST(AlignLayout, ConstraintsLimitAnAlignedControlAndTheRestFlowsOn) {
  Fixture f;
  TTestPanel* left = f.Panel(alNone, 0, 0, 200, 10);
  left->Constraints()->SetMaxWidth(120);
  EXPECT_EQ(left->Width(), 120);
  left->SetAlign(alLeft);
  TTestPanel* client = f.Panel(alClient, 0, 0, 1, 1);
  EXPECT_EQ(client->Left(), 120);
  TTestPanel* top = f.Panel(alNone, 0, 0, 10, 10);
  top->Constraints()->SetMinHeight(25);
  top->SetAlign(alTop);
  EXPECT_EQ(top->Height(), 25);
  EXPECT_EQ(client->Top(), 25);
}

TEST(AlignLayout, MarginsAreKeptAroundControlsAlignedWithMargins) {
  Fixture f;
  TTestPanel* top = f.Panel(alNone, 0, 0, 10, 30);
  top->SetAlignWithMargins(true);
  top->SetAlign(alTop);
  EXPECT_EQ(top->BoundsRect(), Rect(3, 3, 397, 33));
  TTestPanel* client = f.Panel(alClient, 0, 0, 1, 1);
  EXPECT_EQ(client->Top(), 36);
}

TEST(Anchors, RightAnchoredControlKeepsItsDistanceToTheRightEdge) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 300, 10, 80, 20);
  p->SetAnchors(Anchors({akTop, akRight}));
  f.form->SetClientSize(500, 300);
  EXPECT_EQ(p->BoundsRect(), Rect(400, 10, 480, 30));
  f.form->SetClientSize(350, 300);
  EXPECT_EQ(p->Left(), 250);
}

TEST(Anchors, LeftAndRightAnchorsStretchTheControl) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 10, 10, 380, 20);
  p->SetAnchors(Anchors({akLeft, akTop, akRight}));
  f.form->SetClientSize(500, 300);
  EXPECT_EQ(p->BoundsRect(), Rect(10, 10, 490, 30));
}

TEST(Anchors, BottomAnchoredControlFollowsTheBottomEdge) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 10, 250, 50, 30);
  p->SetAnchors(Anchors({akLeft, akBottom}));
  TTestPanel* both = f.Panel(alNone, 70, 10, 50, 270);
  both->SetAnchors(Anchors({akLeft, akTop, akBottom}));
  f.form->SetClientSize(400, 350);
  EXPECT_EQ(p->BoundsRect(), Rect(10, 300, 60, 330));
  EXPECT_EQ(both->BoundsRect(), Rect(70, 10, 120, 330));
}

TEST(Anchors, DefaultAnchorsStayPut) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 30, 40, 50, 60);
  f.form->SetClientSize(600, 500);
  EXPECT_EQ(p->BoundsRect(), Rect(30, 40, 80, 100));
}

TEST(Anchors, MovingAControlByCodeResetsWhatItsAnchorsKeep) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 300, 10, 80, 20);
  p->SetAnchors(Anchors({akTop, akRight}));
  p->SetLeft(200);  // now 120 from the right edge
  f.form->SetClientSize(500, 300);
  EXPECT_EQ(p->Left(), 300);
}

TEST(WMSize, ArrivesAfterEverySizeChangeWithTheClientSize) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 0, 0, 10, 10);
  p->sizes.clear();
  p->SetWidth(40);
  p->SetBounds(5, 5, 40, 30);
  p->SetLeft(9);  // a move alone is not a size change
  ASSERT_EQ(p->sizes.size(), 2u);
  EXPECT_EQ(p->sizes[0].Width, 40);
  EXPECT_EQ(p->sizes[0].Height, 10);
  EXPECT_EQ(p->sizes[1].Width, 40);
  EXPECT_EQ(p->sizes[1].Height, 30);
  // Alignment resizes go through it too.
  p->SetAlign(alClient);
  ASSERT_EQ(p->sizes.size(), 3u);
  EXPECT_EQ(p->sizes.back().Width, 400);
  EXPECT_EQ(p->sizes.back().Height, 300);
}

TEST(WMSize, FiresOnResizeButNotWhileLoading) {
  Fixture f;
  TTestPanel* p = f.Panel(alNone, 0, 0, 10, 10);
  int resized = 0;
  p->OnResize.code = [&](TPersistent*) { ++resized; };
  p->SetWidth(20);
  p->IncludeState(csLoading);
  p->SetWidth(30);
  p->ExcludeState(csLoading);
  EXPECT_EQ(resized, 1);
}

TEST(SetBoundsOverride, ClampsFromCodeFromLayoutAndFromAForm) {
  Fixture f;
  auto* c = new TClampPanel(f.form.get());
  c->SetParent(f.form.get());
  c->SetWidth(3);
  EXPECT_EQ(c->Width(), 15);
  c->SetBounds(0, 0, 1, 10);
  EXPECT_EQ(c->Width(), 15);
  c->SetAlign(alLeft);
  EXPECT_EQ(c->Width(), 15);

  std::unique_ptr<TForm> form(FormFromText(
      "object Form1: TForm\n"
      "  ClientWidth = 200\n  ClientHeight = 100\n"
      "  object Clamp1: TClampPanel\n    Left = 1\n    Top = 2\n    Width = 4\n    Height = 5\n  end\n"
      "end\n"));
  auto* loaded = static_cast<TClampPanel*>(form->FindComponent("Clamp1"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->BoundsRect(), Rect(1, 2, 16, 7));
}

TEST(FormFrame, ClientSizeAndOuterSizeDifferByAFixedFrame) {
  TForm form(nullptr);
  form.SetClientSize(300, 200);
  EXPECT_EQ(form.Width(), 308);
  EXPECT_EQ(form.Height(), 227);
  form.SetBorderStyle(bsDialog);
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.Width(), 306);
  EXPECT_EQ(form.Height(), 225);
  form.SetBorderStyle(bsNone);
  EXPECT_EQ(form.Width(), 300);
  form.SetWidth(250);
  EXPECT_EQ(form.ClientWidth(), 250);
  EXPECT_EQ(form.ClientRect(), Rect(0, 0, 250, 200));
}

TEST(FormFrame, TheWindowIsTheSizeOfTheClientArea) {
  TForm form(nullptr);
  form.SetClientSize(321, 123);
  QWidget* w = form.Handle();
  EXPECT_EQ(w->size(), QSize(321, 123));
  form.SetClientSize(200, 100);
  EXPECT_EQ(w->size(), QSize(200, 100));
}

TEST(FormFrame, UserResizingTheWindowRealignsTheChildren) {
  Fixture f;
  TTestPanel* client = f.Panel(alClient, 0, 0, 1, 1);
  f.form->Show();
  f.form->Handle()->resize(250, 150);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.form->ClientWidth(), 250);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 250, 150));
  f.form->Hide();
}

}  // namespace

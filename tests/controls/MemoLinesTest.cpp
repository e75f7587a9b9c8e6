// Which part of a memo shows after its lines change.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QPlainTextEdit>
#include <QScrollBar>

#include "ControlsTestSupport.h"
#include "stock/StockControls.h"

namespace {

struct MemoForm {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TMemo* memo = new TMemo(form.get());
  MemoForm() {
    form->SetClientSize(300, 200);
    memo->SetParent(form.get());
    memo->SetBounds(0, 0, 200, 100);
  }
  ~MemoForm() { form->Hide(); }
  int CaretLine() const { return memo->Editor()->textCursor().blockNumber(); }
  bool CaretShown() const { return memo->Editor()->viewport()->rect().contains(memo->Editor()->cursorRect()); }
  int FirstShownLine() const { return memo->Editor()->verticalScrollBar()->value(); }
};

TEST(MemoLines, AddShowsTheAddedLineOneAtATimeAndInABatch) {
  MemoForm f;
  f.form->Show();
  for (int i = 0; i < 40; ++i) f.memo->Lines()->Add("line " + std::to_string(i));
  EXPECT_EQ(f.CaretLine(), 39);
  EXPECT_TRUE(f.CaretShown());
  f.memo->Lines()->BeginUpdate();
  for (int i = 40; i < 80; ++i) f.memo->Lines()->Add("line " + std::to_string(i));
  f.memo->Lines()->EndUpdate();
  EXPECT_EQ(f.CaretLine(), 79);
  EXPECT_TRUE(f.CaretShown());
  f.memo->Lines()->Insert(3, "inserted");
  EXPECT_EQ(f.CaretLine(), 3);
  EXPECT_TRUE(f.CaretShown());
}

TEST(MemoLines, LinesGivenBeforeTheWindowExistsShowFromTheTop) {
  MemoForm f;
  for (int i = 0; i < 40; ++i) f.memo->Lines()->Add("line " + std::to_string(i));
  f.form->Show();
  EXPECT_EQ(f.CaretLine(), 0);
  EXPECT_EQ(f.FirstShownLine(), 0);
}

}  // namespace

// Showing forms modally, the application object, timers, dialogs and
// off-screen rendering.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "ControlsTestSupport.h"
#include "controls/Render.h"
#include "stock/Dialogs.h"
#include "stock/Timers.h"

namespace {

TEST(ShowModal, ReturnsTheModalResultThatEndsTheLoop) {
  TForm form(nullptr);
  int shown = 0;
  form.OnShow.code = [&](TPersistent*) { ++shown; };
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(form.InModalLoop());
    EXPECT_TRUE(form.Showing());
    form.SetModalResult(mrOk);
  });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(form.Showing());
  EXPECT_FALSE(form.InModalLoop());
}

TEST(ShowModal, CloseGivesCancelAndCloseQueryCanRefuse) {
  TForm form(nullptr);
  int queries = 0;
  std::string closed;
  form.OnCloseQueryProc = [&](TPersistent*, bool& canClose) { canClose = ++queries > 1; };
  form.OnCloseProc = [&](TPersistent*, TCloseAction& action) {
    closed += "closed ";
    EXPECT_EQ(action, caHide);
  };
  QTimer::singleShot(0, [&] {
    form.Close();  // refused: the loop goes on
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(form.InModalLoop());
      form.Close();
    });
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closed, "closed ");
}

TEST(Application, HandleExceptionShowsTheMessageWithTheTitleAndCarriesOn) {
  std::vector<TMessageBoxRequest> shown;
  Application->MessageBoxHook = [&](const TMessageBoxRequest& r) {
    shown.push_back(r);
    return IDOK;
  };
  Application->SetTitle("Tessaly test");
  Application->HandleException(EReadError("Property Foo does not exist"));
  ShowMessage("Hello");
  EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, MsgDlgButtons({mbYes, mbNo})), mrOk);
  Application->MessageBoxHook = nullptr;
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Property Foo does not exist.");
  EXPECT_EQ(shown[0].caption, "Tessaly test");
  EXPECT_EQ(shown[0].flags & 0xF0, MB_ICONSTOP);
  EXPECT_EQ(shown[1].text, "Hello");
  EXPECT_EQ(shown[2].flags & 0x0F, MB_YESNO);
}

TEST(Application, OnExceptionReplacesTheMessageBox) {
  std::string seen;
  Application->OnException = [&](TPersistent*, const std::exception& e) { seen = e.what(); };
  Application->HandleException(EConvertError("bad"));
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "bad");
}

struct ManualClock {
  ManualClock() { TTimer::SetManualClock(true); }
  ~ManualClock() { TTimer::SetManualClock(false); }
};

TEST(Timer, TicksUnderTheManualClockInTheOrderTheyFallDue) {
  ManualClock clock;
  TComponent owner(nullptr);
  auto* fast = new TTimer(&owner);
  auto* slow = new TTimer(&owner);
  std::string ticks;
  fast->SetInterval(100);
  slow->SetInterval(250);
  fast->SetOnTimer({[&](TPersistent*) { ticks += 'f'; }, "FastTimer"});
  slow->SetOnTimer({[&](TPersistent*) { ticks += 's'; }, "SlowTimer"});
  TTimer::AdvanceManualClock(99);
  EXPECT_EQ(ticks, "");
  TTimer::AdvanceManualClock(401);
  EXPECT_EQ(ticks, "ffsfffs");
}

TEST(Timer, RunsOnlyWhenEnabledWithAPositiveIntervalAndAHandler) {
  ManualClock clock;
  TComponent owner(nullptr);
  auto* t = new TTimer(&owner);
  int ticks = 0;
  EXPECT_EQ(t->Interval(), 1000);
  EXPECT_TRUE(t->Enabled());
  EXPECT_FALSE(t->Active());  // no OnTimer yet
  t->SetOnTimer({[&](TPersistent*) { ++ticks; }, "T"});
  EXPECT_TRUE(t->Active());
  t->SetEnabled(false);
  TTimer::AdvanceManualClock(5000);
  EXPECT_EQ(ticks, 0);
  t->SetEnabled(true);
  t->SetInterval(0);
  EXPECT_FALSE(t->Active());
  TTimer::AdvanceManualClock(5000);
  EXPECT_EQ(ticks, 0);
  t->SetInterval(10);
  TTimer::AdvanceManualClock(35);
  EXPECT_EQ(ticks, 3);
  // A handler that disables its timer stops the ticks at once.
  t->SetOnTimer(
      {[&](TPersistent*) {
         ++ticks;
         t->SetEnabled(false);
       },
       "T"});
  TTimer::AdvanceManualClock(100);
  EXPECT_EQ(ticks, 4);
}

TEST(Timer, TheRealTimerTicksOnTheEventLoop) {
  TComponent owner(nullptr);
  auto* t = new TTimer(&owner);
  QEventLoop loop;
  int ticks = 0;
  t->SetInterval(1);
  t->SetOnTimer(
      {[&](TPersistent*) {
         if (++ticks == 3) loop.quit();
       },
       "T"});
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // a safety net, not an assertion
  loop.exec();
  EXPECT_EQ(ticks, 3);
}

TEST(OpenDialog, TheHookAnswersExecuteAndFiltersBecomeQtFilters) {
  TOpenDialog dlg(nullptr);
  dlg.SetFilter("Form files|*.dfm;*.xfm|All files|*.*");
  EXPECT_EQ(dlg.QtNameFilters(), (std::vector<std::string>{"Form files (*.dfm *.xfm)", "All files (*.*)"}));
  TOpenDialog::ExecuteHook = [](TOpenDialog& d) {
    d.SetFileName("/tmp/form.dfm");
    return true;
  };
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FileName(), "/tmp/form.dfm");
  TOpenDialog::ExecuteHook = [](TOpenDialog&) { return false; };
  EXPECT_FALSE(dlg.Execute());
  TOpenDialog::ExecuteHook = nullptr;
}

TEST(Rendering, TheFormClientAreaWithItsChildrenWithoutShowingAWindow) {
  TForm form(nullptr);
  form.SetClientSize(100, 80);
  auto* panel = new TTestPanel(&form);
  panel->SetBounds(10, 10, 30, 20);
  panel->SetParent(&form);
  panel->SetColor(clRed);
  auto* shape = new TTestShape(&form);
  shape->SetBounds(5, 5, 10, 10);
  shape->SetParent(panel);
  shape->SetColor(clLime);
  auto* hidden = new TTestPanel(&form);
  hidden->SetBounds(60, 50, 20, 20);
  hidden->SetColor(clBlue);
  hidden->SetVisible(false);
  hidden->SetParent(&form);

  QImage image = RenderFormClient(&form);
  EXPECT_FALSE(form.Showing());
  ASSERT_EQ(image.size(), QSize(100, 80));
  auto at = [&](int x, int y) { return PixelToColor(image.pixel(x, y)); };
  EXPECT_EQ(at(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(at(10, 10), clRed);
  EXPECT_EQ(at(39, 29), clRed);
  EXPECT_EQ(at(40, 30), ColorToRGB(clBtnFace));
  EXPECT_EQ(at(15, 15), clLime);
  EXPECT_EQ(at(24, 24), clLime);
  EXPECT_EQ(at(25, 25), clRed);  // the shape's fill is clipped to its bounds
  EXPECT_EQ(at(65, 55), ColorToRGB(clBtnFace));

  QImage panelImage = RenderControl(panel);
  ASSERT_EQ(panelImage.size(), QSize(30, 20));
  EXPECT_EQ(PixelToColor(panelImage.pixel(0, 0)), clRed);
  EXPECT_EQ(PixelToColor(panelImage.pixel(6, 6)), clLime);
}

TEST(Rendering, FormsPaintThroughOnPaintOnTheirCanvas) {
  TForm form(nullptr);
  form.SetClientSize(40, 30);
  form.OnPaint.code = [&](TPersistent*) {
    form.Canvas()->Brush()->SetColor(clNavy);
    form.Canvas()->FillRect(Rect(0, 0, 10, 10));
  };
  QImage image = RenderFormClient(&form);
  EXPECT_EQ(PixelToColor(image.pixel(5, 5)), clNavy);
  EXPECT_EQ(PixelToColor(image.pixel(15, 15)), ColorToRGB(clBtnFace));
}

}  // namespace

TEST(FormClientSize, SizesAtTheIntegerLimitsSaturateInsteadOfWrapping) {
  TForm form(nullptr);
  form.SetClientWidth(2147483647);
  form.SetClientHeight(2147483647);
  EXPECT_GT(form.ClientWidth(), 2147483647 - 100);
  EXPECT_GT(form.ClientHeight(), 2147483647 - 100);
  form.SetClientWidth(-2147483647 - 1);
  EXPECT_EQ(form.ClientWidth(), 0);
}

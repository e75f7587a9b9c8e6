// Work that follows what a form shows, not the numbers it declares: word
// wrapping and tab rows stay linear in the text and the tabs, and painting
// touches the visible area only. Each case builds its own input and checks
// results (and resident memory where it matters), not time.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QTabBar>

#include <string>
#include <vector>

#include "StockTestSupport.h"
#include "controls/Canvas.h"
#include "controls/Render.h"
#include "stock/StockControls.h"

namespace {

// The most memory this process has held so far, in megabytes.
long PeakResidentMegabytes() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Greedy wrapping measured the plain way, one candidate line at a time: the
// lines a wrapped caption must come out as.
std::vector<QString> ReferenceWrap(const TCanvas& canvas, const QString& para, int width) {
  std::vector<QString> lines;
  int start = 0;
  for (;;) {
    int end = int(para.size());
    if (canvas.TextExtentW(para.mid(start)).cx > width) {
      int lastBreak = -1;
      for (int i = start + 1; i <= para.size(); ++i) {
        if (i < para.size() && para[i] != ' ') continue;
        if (canvas.TextExtentW(para.mid(start, i - start)).cx > width) break;
        lastBreak = i;
      }
      if (lastBreak < 0) {
        lastBreak = start + 1;
        while (lastBreak < para.size() && canvas.TextExtentW(para.mid(start, lastBreak + 1 - start)).cx <= width)
          ++lastBreak;
      }
      end = lastBreak;
    }
    lines.push_back(para.mid(start, end - start));
    start = end;
    while (start < para.size() && para[start] == ' ') ++start;
    if (start >= para.size()) return lines;
  }
}

QString Words(int count) {
  QString text;
  const char* words[] = {"a", "wrapped", "caption", "of", "uneven", "words", "Wide", "MMMMMMMMMMMMMMMMMMMMMMMM", "x"};
  for (int i = 0; i < count; ++i) {
    if (i) text += (i % 7 == 0) ? "  " : " ";
    text += words[(i * 5) % 9];
  }
  return text;
}

}  // namespace

// Wrapping finds the same lines as measuring every candidate does: words
// that fit, words longer than the width cut where they overflow, runs of
// spaces dropped at the start of a line.
TEST(BoundedWork, WordWrapBreaksWhereMeasuringEveryCandidateDoes) {
  TCanvas canvas;
  TFont font;
  canvas.SetFont(font);
  const int lineHeight = canvas.TextHeight({});
  for (int width : {1, 7, 40, 90, 151, 400}) {
    for (const QString& text :
         {Words(60), QString("abcdefghijklmnopqrstuvwxyz"), QString("   lead  and trail  "), QString("x")}) {
      const size_t expected = ReferenceWrap(canvas, text, width).size();
      const TSize size = DrawControlText(canvas, Rect(0, 0, width, 0), text, taLeftJustify, 0, true, false, true);
      EXPECT_EQ(size.cy, lineHeight * int(expected)) << "width " << width << ": " << text.toStdString();
    }
  }
}

// An auto-sized, word-wrapped label with a caption of 200,000 characters
// lays out at once, as tall as its lines.
TEST(BoundedWork, LongWrappedLabelCaptionLaysOutInLinearTime) {
  RegisterStockClassesForTests();
  const std::string caption = Words(40000).toStdString();
  std::string quoted = "'";
  for (size_t at = 0; at < caption.size(); at += 200) quoted += caption.substr(at, 200) + "'#32'";
  quoted += "'";
  auto form = LoadFormText(FormTextWith(
      "  object Label1: TLabel\r\n    Left = 0\r\n    Top = 0\r\n    Width = 300\r\n"
      "    Height = 13\r\n    AutoSize = True\r\n    WordWrap = True\r\n"
      "    Caption = " +
      quoted + "\r\n  end\r\n"));
  auto* label = FindIn<TLabel>(*form, "Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_GT(label->Height(), 1000);
  EXPECT_EQ(label->Width(), 300);
}

// A multi-line page control of 4,000 tabs builds its rows once per change,
// and every tab lands in exactly one row.
TEST(BoundedWork, ThousandsOfMultiLineTabsBuildTheirRowsInLinearTime) {
  RegisterStockClassesForTests();
  std::string body =
      "  object PageControl1: TPageControl\r\n    Width = 600\r\n    Height = 400\r\n"
      "    MultiLine = True\r\n";
  for (int i = 0; i < 4000; ++i)
    body += "    object Sheet" + std::to_string(i) + ": TTabSheet\r\n      Caption = 'Page " + std::to_string(i) +
            "'\r\n    end\r\n";
  body += "  end\r\n";
  auto form = LoadFormText(FormTextWith(body));
  auto* pages = FindIn<TPageControl>(*form, "PageControl1");
  ASSERT_NE(pages, nullptr);
  form->Handle();
  int tabs = 0;
  for (QTabBar* bar : pages->Handle()->findChildren<QTabBar*>())
    for (int i = 0; i < bar->count(); ++i) tabs += bar->isTabVisible(i) ? 1 : 0;
  EXPECT_EQ(tabs, 4000);
}

// A panel declared 30000 pixels square inside a 300 x 300 form, and panels
// nested ten deep at 3000 pixels, paint what shows: the render stays small
// in memory.
TEST(BoundedWork, HugeDeclaredPanelsPaintOnlyTheVisibleArea) {
  RegisterStockClassesForTests();
  std::string nested =
      "  object Huge: TPanel\r\n    Width = 30000\r\n    Height = 30000\r\n    Caption = 'huge'\r\n  end\r\n";
  std::string open, close;
  for (int i = 0; i < 10; ++i) {
    open += "  object Level" + std::to_string(i) + ": TPanel\r\n    Width = 3000\r\n    Height = 3000\r\n";
    close += "  end\r\n";
  }
  const long before = PeakResidentMegabytes();
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 300\r\n" + nested + open + close + "end\r\n");
  const QImage image = RenderFormClient(form.get());
  EXPECT_EQ(image.size(), QSize(300, 300));
  // The panels did paint: their raised edge at the corner, face inside.
  EXPECT_NE(image.pixel(0, 0), image.pixel(150, 150));
  // One 30000-pixel square buffer alone would be 3.6 GB.
  EXPECT_LT(PeakResidentMegabytes() - before, 400);
}

// The data-aware navigator draws a glyph on every visible button, and the
// data-aware lists report the items their forms store.
#include <gtest/gtest.h>

#include <QImage>

#include "StockTestSupport.h"
#include "controls/ContentReport.h"
#include "controls/Render.h"
#include "stock/NavigatorGlyphs.h"
#include "stock/StockControls.h"

namespace {

TEST(NavigatorButtons, VisibleButtonsShareTheLengthAndKeepTheirKinds) {
  const auto all = NavigatorButtons(0x3FF, 240, 25, false);
  ASSERT_EQ(all.size(), 10u);
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].kind, int(i));
    EXPECT_EQ(all[i].rect, Rect(int(i) * 24, 0, int(i) * 24 + 24, 25));
  }
  // First, next and refresh only: the kinds skip the hidden buttons.
  const auto some = NavigatorButtons((1 << 0) | (1 << 2) | (1 << 9), 100, 20, false);
  ASSERT_EQ(some.size(), 3u);
  EXPECT_EQ(some[1].kind, 2);
  EXPECT_EQ(some[2].kind, 9);
  // An uneven division: the first buttons take the spare pixels and the
  // last one ends at the edge.
  EXPECT_EQ(some[0].rect, Rect(0, 0, 34, 20));
  EXPECT_EQ(some[1].rect, Rect(34, 0, 67, 20));
  EXPECT_EQ(some[2].rect, Rect(67, 0, 100, 20));
}

TEST(NavigatorButtons, VerticalNavigatorsStackAndDegenerateSizesGiveNone) {
  const auto stacked = NavigatorButtons(0xFFF, 30, 120, true);
  ASSERT_EQ(stacked.size(), 12u);
  EXPECT_EQ(stacked[11].rect, Rect(0, 110, 30, 120));
  EXPECT_TRUE(NavigatorButtons(0, 240, 25, false).empty());
  EXPECT_TRUE(NavigatorButtons(0x3FF, 0, 25, false).empty());
  // Bits beyond the twelve buttons are ignored.
  EXPECT_EQ(NavigatorButtons(int64_t(0xFFFF) << 12 | 1, 240, 25, false).size(), 1u);
}

QImage Glyph(int kind, bool enabled) {
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas;
  canvas.Attach(&image);
  DrawNavigatorGlyph(canvas, kind, Rect(0, 0, 24, 24), enabled);
  canvas.Detach();
  return image;
}

int Count(const QImage& image, QColor colour, QRect area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour;
  return n;
}

TEST(NavigatorGlyphs, EveryButtonHasItsOwnCentredGlyph) {
  std::vector<QImage> glyphs;
  for (int kind = 0; kind < kNavigatorButtonCount; ++kind) {
    const QImage g = Glyph(kind, true);
    const int ink = Count(g, Qt::black, g.rect());
    EXPECT_GT(ink, 10) << kind;
    // Inside the middle 14 x 14 pixels: the cell's edges stay clear.
    EXPECT_EQ(Count(g, Qt::black, QRect(5, 5, 14, 14)), ink) << kind;
    for (size_t other = 0; other < glyphs.size(); ++other) EXPECT_NE(g, glyphs[other]) << kind << " " << other;
    glyphs.push_back(g);
  }
  // Prior points left (its ink thins towards the left) and next points right.
  auto inkAtEnds = [](const QImage& g) {
    std::vector<int> columns;
    for (int x = 0; x < g.width(); ++x) {
      const int n = Count(g, Qt::black, QRect(x, 0, 1, g.height()));
      if (n) columns.push_back(n);
    }
    return std::make_pair(columns.front(), columns.back());
  };
  const auto [priorLeft, priorRight] = inkAtEnds(Glyph(1, true));
  EXPECT_LT(priorLeft, priorRight);
  const auto [nextLeft, nextRight] = inkAtEnds(Glyph(2, true));
  EXPECT_GT(nextLeft, nextRight);
}

TEST(NavigatorGlyphs, DisabledGlyphsAreEmbossedGrey) {
  const QImage g = Glyph(4, false);
  EXPECT_EQ(Count(g, Qt::black, g.rect()), 0);
  EXPECT_GT(Count(g, QColor(128, 128, 128), g.rect()), 10);
}

TEST(DBNavigator, DrawsAGlyphOnEachStoredVisibleButton) {
  auto form = LoadFormText(FormTextWith(
      "  object DBNavigator1: TDBNavigator\r\n    Left = 0\r\n    Top = 0\r\n"
      "    Width = 120\r\n    Height = 25\r\n"
      "    VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast]\r\n"
      "    TabOrder = 0\r\n  end\r\n"));
  auto* nav = dynamic_cast<TControl*>(form->FindComponent("DBNavigator1"));
  ASSERT_NE(nav, nullptr);
  const QImage image = RenderControl(nav);
  for (int i = 0; i < 4; ++i) {
    const QRect cell(i * 30 + 2, 2, 26, 21);
    EXPECT_GT(Count(image, Qt::black, cell), 10) << i;
  }
  nav->SetEnabled(false);
  EXPECT_EQ(Count(RenderControl(nav), Qt::black, QRect(2, 2, 116, 21)), 0);
}

TEST(DataAwareLists, ReportTheirStoredItems) {
  auto form = LoadFormText(FormTextWith(
      "  object DBListBox1: TDBListBox\r\n    Left = 0\r\n    Top = 0\r\n    Width = 100\r\n    Height = 60\r\n"
      "    ItemHeight = 13\r\n    Items.Strings = (\r\n      'one'\r\n      'two')\r\n    TabOrder = 0\r\n  end\r\n"
      "  object DBComboBox1: TDBComboBox\r\n    Left = 0\r\n    Top = 70\r\n    Width = 100\r\n    Height = 21\r\n"
      "    ItemHeight = 13\r\n    Items.Strings = (\r\n      'red'\r\n      'green')\r\n    TabOrder = 1\r\n  end\r\n"
      "  object DBRadioGroup1: TDBRadioGroup\r\n    Left = 120\r\n    Top = 0\r\n    Width = 100\r\n"
      "    Height = 80\r\n    Caption = 'Kind'\r\n    Items.Strings = (\r\n      'a'\r\n      'b'\r\n      'c')\r\n"
      "    Values.Strings = (\r\n      'A'\r\n      'B'\r\n      'C')\r\n    TabOrder = 2\r\n  end\r\n"));
  const std::vector<std::pair<std::string, std::string>> want = {
      {"DBListBox1", R"(["one", "two"])"},
      {"DBComboBox1", R"(["red", "green"])"},
      {"DBRadioGroup1", R"(["a", "b", "c"])"}};
  for (const auto& [name, items] : want) {
    auto* c = dynamic_cast<TControl*>(form->FindComponent(name));
    ASSERT_NE(c, nullptr) << name;
    TContentReport report;
    c->ReportContent(report);
    ASSERT_FALSE(report.Empty()) << name;
    EXPECT_EQ(report.Members()[0].first, "items") << name;
    EXPECT_EQ(report.Members()[0].second, items) << name;
  }
}

}  // namespace

// The preview as the designer showed the form: window parts around the
// client area, drop-down lists, tool bars, grids without data, scrolled
// forms and page controls, on small forms of their own.
#include <gtest/gtest.h>

#include <QTabBar>

#include <string>

#include "StockTestSupport.h"
#include "controls/Grids.h"
#include "controls/Render.h"
#include "controls/ScrollingArea.h"
#include "stock/ComCtrls.h"
#include "stock/DBCtrls.h"
#include "stock/ExtCtrls.h"
#include "stock/MiscStock.h"
#include "stock/StdCtrls.h"
#include "stock/StringGrids.h"

namespace {

std::unique_ptr<TForm> Loaded(const std::string& text) {
  auto form = LoadFormText(text);
  form->HandleNeeded();
  return form;
}

// A pixel of a rendering as a colour, to compare with ColorToRGB of the
// system colours.
TColor Pixel(const QImage& image, int x, int y) { return PixelToColor(image.pixel(x, y)); }

// Where a control's client (0, 0) lies in its form's client area.
TPoint ClientOffset(const TControl* control, const TForm& form) {
  const TPoint a = control->ClientToScreen({0, 0}), b = form.ClientToScreen({0, 0});
  return {a.X - b.X, a.Y - b.Y};
}

const TColor kWhite = ColorToRGB(clWindow), kFace = ColorToRGB(clBtnFace), kShadow = ColorToRGB(clBtnShadow),
             kLight = ColorToRGB(clBtnHighlight), kNavy = ColorToRGB(clHighlight);

}  // namespace

// A form with a main menu stored with its outer size: the client area is
// what the bar leaves, and a status bar aligned to its bottom is the
// client area's last rows.
TEST(WindowParts, TheMenuBarTakesItsRoomFromTheAlignedClientArea) {
  auto form = Loaded(
      "object Form1: TForm1\r\n  Width = 400\r\n  Height = 300\r\n  Menu = MainMenu1\r\n"
      "  object Status: TPanel\r\n    Left = 0\r\n    Top = 240\r\n    Width = 392\r\n    Height = 20\r\n"
      "    Align = alBottom\r\n    Color = clRed\r\n    BevelOuter = bvNone\r\n  end\r\n"
      "  object MainMenu1: TMainMenu\r\n    object File1: TMenuItem\r\n      Caption = 'File'\r\n"
      "    end\r\n  end\r\nend\r\n");
  ASSERT_GT(form->MenuBarHeight(), 0);
  auto* status = FindIn<TPanel>(*form, "Status");
  EXPECT_EQ(status->Top() + status->Height(), form->ClientHeight());
  const QImage image = RenderFormClient(form.get());
  EXPECT_EQ(image.height(), form->ClientHeight());
  EXPECT_EQ(Pixel(image, 10, image.height() - 1), clRed) << "the status bar is the last row";
}

// A frame has no caption or border: its stored size is its client size.
TEST(WindowParts, AFrameReadAsTheRootTakesItsSizeAsTheClientSize) {
  auto form = Loaded(
      "object Frame1: TFrame1\r\n  Left = 0\r\n  Top = 0\r\n  Width = 320\r\n  Height = 240\r\n"
      "  TabOrder = 0\r\n  object Bottom: TPanel\r\n    Left = 0\r\n    Top = 200\r\n    Width = 320\r\n"
      "    Height = 40\r\n    Align = alBottom\r\n  end\r\nend\r\n");
  EXPECT_EQ(form->ClientWidth(), 320);
  EXPECT_EQ(form->ClientHeight(), 240);
  EXPECT_EQ(FindIn<TPanel>(*form, "Bottom")->BoundsRect(), Bounds(0, 200, 320, 40));
}

// A drop-down list shows a white field like an edit's (the face of a button
// only on the button beside it); an editable combo box looks the same.
TEST(DropDownList, TheFieldIsWhiteAndTheButtonKeepsTheFace) {
  for (const char* style : {"csDropDownList", "csDropDown"}) {
    SCOPED_TRACE(style);
    auto form = Loaded(FormTextWith(
        std::string("  object Combo: TComboBox\r\n    Left = 10\r\n    Top = 10\r\n"
                    "    Width = 150\r\n    Height = 21\r\n    Style = ") +
        style + "\r\n    Items.Strings = (\r\n      'One')\r\n  end\r\n"));
    const QImage image = RenderFormClient(form.get());
    auto* combo = FindIn<TComboBox>(*form, "Combo");
    const int field = combo->Left() + combo->Width() - 30, middle = combo->Top() + combo->Height() / 2;
    EXPECT_EQ(Pixel(image, field, middle), kWhite);
    EXPECT_EQ(Pixel(image, combo->Left() + combo->Width() - 5, combo->Top() + 4), kFace);
  }
}

// Without an open data set the grid looks as at design time: an empty data
// row in the grid's colour, no current-cell highlight, no row mark.
TEST(DataGridLook, WithoutDataTheDataRowIsEmptyAndTheIndicatorBlank) {
  auto form = Loaded(FormTextWith(
      "  object Grid: TDBGrid\r\n    Left = 0\r\n    Top = 0\r\n    Width = 300\r\n    Height = 120\r\n"
      "    Columns = <\r\n      item\r\n        FieldName = 'NAME'\r\n        Width = 100\r\n      end>\r\n"
      "  end\r\n"));
  auto* grid = FindIn<TDBGrid>(*form, "Grid");
  const QImage image = RenderFormClient(form.get());
  const TRect data = grid->CellRect(1, 1), mark = grid->CellRect(0, 1);
  ASSERT_FALSE(data.IsEmpty());
  const TPoint at = ClientOffset(grid, *form);
  const int dx = (data.Left + data.Right) / 2, dy = (data.Top + data.Bottom) / 2;
  EXPECT_EQ(Pixel(image, at.X + dx, at.Y + dy), kWhite);
  EXPECT_NE(Pixel(image, at.X + data.Left + 3, at.Y + data.Top + 3), kNavy);
  const int cx = (mark.Left + mark.Right) / 2, cy = (mark.Top + mark.Bottom) / 2;
  EXPECT_EQ(Pixel(image, at.X + cx, at.Y + cy), kFace) << "no row mark in the fixed colour";
}

// A grid that leaves drawing to a handler it does not have shows its
// background, not whatever its buffer held.
TEST(DataGridLook, AGridWithoutDefaultDrawingShowsItsBackground) {
  auto form = Loaded(FormTextWith(
      "  object Grid: TDrawGrid\r\n    Left = 0\r\n    Top = 0\r\n    Width = 200\r\n    Height = 100\r\n"
      "    DefaultDrawing = False\r\n  end\r\n"));
  auto* grid = FindIn<TDrawGrid>(*form, "Grid");
  const QImage image = RenderFormClient(form.get());
  const TRect cell = grid->CellRect(2, 2);
  const TPoint at = ClientOffset(grid, *form);
  EXPECT_EQ(Pixel(image, at.X + cell.Left + 5, at.Y + cell.Top + 5), kWhite);
}

// Tool bars: without ShowCaptions a button without an image is blank, and
// a flat bar's separator shows an etched line.
TEST(ToolBarLook, HiddenCaptionsStayHiddenAndFlatSeparatorsAreEtched) {
  auto form = Loaded(FormTextWith(
      "  object Bar: TToolBar\r\n    Left = 0\r\n    Top = 0\r\n    Width = 200\r\n    Height = 29\r\n"
      "    Flat = True\r\n    object B1: TToolButton\r\n      Left = 0\r\n      Top = 0\r\n"
      "      Caption = 'WWWW'\r\n    end\r\n    object Sep: TToolButton\r\n      Left = 23\r\n"
      "      Top = 0\r\n      Width = 8\r\n      Style = tbsSeparator\r\n    end\r\n  end\r\n"));
  auto* bar = FindIn<TToolBar>(*form, "Bar");
  auto* b1 = FindIn<TToolButton>(*form, "B1");
  auto* sep = FindIn<TToolButton>(*form, "Sep");
  const QImage image = RenderFormClient(form.get());
  const TPoint at = ClientOffset(bar, *form);
  for (int y = 2; y < b1->Height() - 2; ++y)
    for (int x = 2; x < b1->Width() - 2; ++x)
      ASSERT_EQ(Pixel(image, at.X + b1->Left() + x, at.Y + b1->Top() + y), kFace) << x << "," << y;
  const int line = at.X + sep->Left() + sep->Width() / 2 - 1, middle = at.Y + sep->Top() + sep->Height() / 2;
  EXPECT_EQ(Pixel(image, line, middle), kShadow);
  EXPECT_EQ(Pixel(image, line + 1, middle), kLight);
}

// Multi-line tabs stack rows on every side, the left and right included.
TEST(PageControlTabs, MultiLineStacksRowsForSideTabsToo) {
  std::string sheets;
  for (int i = 0; i < 8; ++i)
    sheets += "    object Sheet" + std::to_string(i) + ": TTabSheet\r\n      Caption = 'Sheet number " +
              std::to_string(i) + "'\r\n    end\r\n";
  for (const char* side : {"tpLeft", "tpRight"}) {
    SCOPED_TRACE(side);
    auto form = Loaded(FormTextWith(
        "  object Pages: TPageControl\r\n    Width = 300\r\n    Height = 150\r\n"
        "    TabPosition = " +
        std::string(side) + "\r\n" + sheets + "  end\r\n"));
    auto* pages = FindIn<TPageControl>(*form, "Pages");
    const int oneRow = pages->TabStripExtent();
    pages->SetMultiLine(true);
    EXPECT_GT(pages->TabStripExtent(), oneRow) << "eight long captions need several rows in 150 pixels";
  }
}

// Multi-line tabs are as long as the rows were made for: no tab runs past
// the control's edge, as one would if the style measured them longer.
TEST(PageControlTabs, EveryTabOfAMultiLineRowFitsTheControl) {
  std::string sheets;
  for (const char* caption :
       {"General", "Flight Log", "Licences", "Medicals", "AutoComplete", "Categories", "Aircraft / Costs"})
    sheets += "    object S" + std::to_string(sheets.size()) + ": TTabSheet\r\n      Caption = '" + caption +
              "'\r\n    end\r\n";
  auto form = Loaded(FormTextWith(
      "  object Pages: TPageControl\r\n    Width = 420\r\n    Height = 200\r\n"
      "    MultiLine = True\r\n" +
      sheets + "  end\r\n"));
  auto* pages = FindIn<TPageControl>(*form, "Pages");
  const QList<QTabBar*> rows = pages->Handle()->findChildren<QTabBar*>();
  ASSERT_GE(rows.size(), 2) << "seven captions need two rows in 420 pixels";
  for (const QTabBar* row : rows)
    for (int i = 0; i < row->count(); ++i) {
      if (row->isTabVisible(i)) {
        EXPECT_LE(row->tabRect(i).right(), row->width()) << row->tabText(i).toStdString();
      }
    }
}

// A form stored while its designer had scrolled it: the children keep the
// bounds they were stored with, the bar shows the stored position, and
// scrolling back reaches the children stored above the view.
TEST(ScrolledForm, TheStoredScrollPositionIsWhereTheViewStarts) {
  auto form = Loaded(
      "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n"
      "  VertScrollBar.Position = 100\r\n  object Above: TPanel\r\n    Left = 8\r\n    Top = -50\r\n"
      "    Width = 50\r\n    Height = 20\r\n  end\r\n  object Below: TPanel\r\n    Left = 8\r\n"
      "    Top = 250\r\n    Width = 50\r\n    Height = 20\r\n  end\r\nend\r\n");
  form->Show();
  ASSERT_TRUE(form->Scrolling().Extent().vert.shown);
  EXPECT_EQ(form->Scrolling().Position().Y, 100);
  EXPECT_EQ(FindIn<TPanel>(*form, "Below")->Top(), 250);
  form->ScrollTo(0, 0);
  EXPECT_EQ(FindIn<TPanel>(*form, "Above")->Top(), 50);
  EXPECT_EQ(FindIn<TPanel>(*form, "Below")->Top(), 350);
}

// A stored position past what the children need is cut back to the range,
// moving the children by what was cut.
TEST(ScrolledForm, AStoredPositionPastTheRangeIsClamped) {
  auto form = Loaded(
      "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n"
      "  VertScrollBar.Position = 1000\r\n  object Near: TPanel\r\n    Left = 8\r\n"
      "    Top = 20\r\n    Width = 50\r\n    Height = 20\r\n  end\r\nend\r\n");
  form->Show();
  // The child reaches 1000 + 40 unscrolled, so the view starts at most
  // 1040 - 200 down; the child moves by the 160 cut.
  EXPECT_EQ(form->Scrolling().Position().Y, 840);
  EXPECT_EQ(FindIn<TPanel>(*form, "Near")->Top(), 180);
}

// The classic look: edits, memos, lists and combo boxes sit in a two-pixel
// sunken edge and buttons in a raised one, in the system colours; disabled
// controls show grey text.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "StockTestSupport.h"
#include "controls/Render.h"

namespace {

const QColor kBtnShadow = ColorToQColor(clBtnShadow);        // 128,128,128
const QColor kDkShadow = ColorToQColor(cl3DDkShadow);        // 64,64,64
const QColor kBtnHighlight = ColorToQColor(clBtnHighlight);  // white
const QColor k3DLight = ColorToQColor(cl3DLight);            // 212,208,200
const QColor kGrayText = ColorToQColor(clGrayText);

std::string Control(
    const char* cls, const char* name, int left, int top, int width, int height, const std::string& extra = "") {
  return std::string("  object ") + name + ": " + cls + "\r\n    Left = " + std::to_string(left) +
         "\r\n    Top = " + std::to_string(top) + "\r\n    Width = " + std::to_string(width) +
         "\r\n    Height = " + std::to_string(height) + "\r\n" + extra + "  end\r\n";
}

// One of each edged control, each at a known place; and disabled ones.
std::string EdgesForm() {
  std::string t = "object Form1: TForm1\r\n  ClientWidth = 400\r\n  ClientHeight = 300\r\n  Color = clBtnFace\r\n";
  t += "  Font.Charset = DEFAULT_CHARSET\r\n  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n";
  t += Control("TEdit", "Edit1", 10, 10, 100, 21);
  t += Control("TMemo", "Memo1", 10, 40, 100, 60);
  t += Control("TListBox", "ListBox1", 10, 110, 100, 60);
  t += Control("TComboBox", "ComboBox1", 10, 180, 100, 21);
  t += Control("TButton", "Button1", 10, 210, 75, 25, "    Caption = 'OK'\r\n");
  t += Control("TLabel", "Label1", 200, 10, 150, 13,
               "    AutoSize = False\r\n    Caption = 'WWWWWWWW'\r\n    Enabled = False\r\n");
  t += Control("TCheckBox", "CheckBox1", 200, 40, 150, 17, "    Caption = 'WWWWWWWW'\r\n    Enabled = False\r\n");
  t += Control("TButton", "Button2", 200, 70, 100, 25, "    Caption = 'WWWWWWW'\r\n    Enabled = False\r\n");
  t += Control("TLabel", "Label2", 200, 110, 150, 13, "    AutoSize = False\r\n    Caption = 'WWWWWWWW'\r\n");
  return t + "end\r\n";
}

class ClassicLook : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    form_ = LoadFormText(EdgesForm()).release();
    image_ = new QImage(RenderFormClient(form_));
  }
  static void TearDownTestSuite() {
    delete image_;
    delete form_;
  }
  static QColor At(int x, int y) { return QColor(image_->pixel(x, y)); }
  // How many pixels of the rectangle have the colour.
  static int Count(int left, int top, int right, int bottom, const QColor& color) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += At(x, y) == color;
    return n;
  }
  // The sunken edge of a control at (left, top) of the size given.
  static void ExpectSunkenEdge(int left, int top, int width, int height) {
    const int right = left + width - 1, bottom = top + height - 1;
    EXPECT_EQ(At(left, top), kBtnShadow) << "outer top-left";
    EXPECT_EQ(At(left + 1, top + 1), kDkShadow) << "inner top-left";
    EXPECT_EQ(At(right, bottom), kBtnHighlight) << "outer bottom-right";
    EXPECT_EQ(At(right - 1, bottom - 1), k3DLight) << "inner bottom-right";
    EXPECT_EQ(At(left + width / 2, top), kBtnShadow) << "outer top edge";
    EXPECT_EQ(At(left + width / 2, bottom), kBtnHighlight) << "outer bottom edge";
  }

  static TForm* form_;
  static QImage* image_;
};

TForm* ClassicLook::form_ = nullptr;
QImage* ClassicLook::image_ = nullptr;

TEST_F(ClassicLook, EditSitsInTheSunkenEdge) { ExpectSunkenEdge(10, 10, 100, 21); }
TEST_F(ClassicLook, MemoSitsInTheSunkenEdge) { ExpectSunkenEdge(10, 40, 100, 60); }
TEST_F(ClassicLook, ListBoxSitsInTheSunkenEdge) { ExpectSunkenEdge(10, 110, 100, 60); }
TEST_F(ClassicLook, ComboBoxSitsInTheSunkenEdge) { ExpectSunkenEdge(10, 180, 100, 21); }

TEST_F(ClassicLook, ButtonHasTheRaisedEdge) {
  const int left = 10, top = 210, right = 10 + 75 - 1, bottom = 210 + 25 - 1;
  // A button that is not the default: light top-left, dark shadow
  // bottom-right, button shadow inside it.
  EXPECT_EQ(At(left, top), kBtnHighlight);
  EXPECT_EQ(At(right, bottom), kDkShadow);
  EXPECT_EQ(At(right - 1, bottom - 1), kBtnShadow);
  EXPECT_EQ(At(left + 30, bottom), kDkShadow);
}

TEST_F(ClassicLook, DisabledLabelIsGreyAndEmbossed) {
  // Enabled text is black; disabled text grey with a white copy below-right.
  EXPECT_GT(Count(200, 110, 350, 123, QColor(0, 0, 0)), 20);
  EXPECT_EQ(Count(200, 10, 350, 23, QColor(0, 0, 0)), 0);
  EXPECT_GT(Count(200, 10, 350, 23, kBtnShadow), 20);
  EXPECT_GT(Count(200, 10, 350, 24, kBtnHighlight), 10);
}

TEST_F(ClassicLook, DisabledCheckBoxCaptionIsGrey) {
  EXPECT_EQ(Count(216, 40, 350, 57, QColor(0, 0, 0)), 0);
  EXPECT_GT(Count(216, 40, 350, 57, kGrayText), 20);
}

TEST_F(ClassicLook, DisabledButtonCaptionIsGrey) {
  EXPECT_EQ(Count(203, 73, 297, 92, QColor(0, 0, 0)), 0);
  EXPECT_GT(Count(203, 73, 297, 92, kGrayText), 20);
}

}  // namespace

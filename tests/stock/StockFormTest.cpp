// Forms that use the stock controls load, lay out and render as their
// descriptions say.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>

#include "StockTestSupport.h"
#include "controls/Render.h"
#include "stock/StockControls.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) out += "\r\n      ";
    out += digits[uint8_t(bytes[i]) >> 4];
    out += digits[uint8_t(bytes[i]) & 15];
  }
  return out;
}
std::string Le32(uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[size_t(i)] = char((v >> (8 * i)) & 0xFF);
  return s;
}
QImage Filled(int w, int h, QColor c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(c);
  return image;
}
std::string PngBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return data.toStdString();
}
// A picture's data: class name, then the graphic's own data.
std::string PictureOfPng(const QImage& image) { return std::string("\x09") + "TPngImage" + PngBytes(image); }
std::string PictureOfBitmap(const QImage& image) {
  const std::string file = EncodeBitmapFile(image);
  return std::string("\x07") + "TBitmap" + Le32(uint32_t(file.size())) + file;
}
std::string GlyphOf(const QImage& image) {
  const std::string file = EncodeBitmapFile(image);
  return Le32(uint32_t(file.size())) + file;
}

std::string CommonForm() {
  std::string t;
  t += "object Form1: TForm1\r\n  Left = 10\r\n  Top = 10\r\n  Width = 600\r\n  Height = 460\r\n";
  t += "  Caption = 'Stock'\r\n  Color = clBtnFace\r\n  Font.Charset = DEFAULT_CHARSET\r\n  Font.Color = "
       "clWindowText\r\n";
  t += "  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n  Font.Style = []\r\n  Menu = MainMenu1\r\n";
  t += "  OldCreateOrder = False\r\n  PixelsPerInch = 96\r\n  TextHeight = 13\r\n";
  t += "  object Label1: TLabel\r\n    Left = 8\r\n    Top = 8\r\n    Width = 60\r\n    Height = 13\r\n"
       "    Caption = '&Name:'\r\n    FocusControl = Edit1\r\n  end\r\n";
  t += "  object Edit1: TEdit\r\n    Left = 72\r\n    Top = 4\r\n    Width = 121\r\n    Height = 21\r\n"
       "    TabOrder = 0\r\n    Text = 'hello'\r\n  end\r\n";
  t += "  object Memo1: TMemo\r\n    Left = 8\r\n    Top = 32\r\n    Width = 185\r\n    Height = 89\r\n"
       "    Lines.Strings = (\r\n      'first'\r\n      'second'\r\n      'third')\r\n    ScrollBars = ssVertical\r\n"
       "    TabOrder = 1\r\n  end\r\n";
  t += "  object Button1: TButton\r\n    Left = 200\r\n    Top = 4\r\n    Width = 75\r\n    Height = 25\r\n"
       "    Caption = 'OK'\r\n    Default = True\r\n    ModalResult = 1\r\n    TabOrder = 2\r\n  end\r\n";
  t += "  object ListBox1: TListBox\r\n    Left = 200\r\n    Top = 32\r\n    Width = 121\r\n    Height = 89\r\n"
       "    ItemHeight = 13\r\n    Items.Strings = (\r\n      'one'\r\n      'two')\r\n    TabOrder = 3\r\n  end\r\n";
  t += "  object ComboBox1: TComboBox\r\n    Left = 328\r\n    Top = 4\r\n    Width = 145\r\n    Height = 21\r\n"
       "    Style = csDropDownList\r\n    ItemHeight = 13\r\n    ItemIndex = 1\r\n    TabOrder = 4\r\n"
       "    Items.Strings = (\r\n      'red'\r\n      'green')\r\n  end\r\n";
  t += "  object RadioGroup1: TRadioGroup\r\n    Left = 328\r\n    Top = 32\r\n    Width = 145\r\n    Height = 89\r\n"
       "    Caption = 'Choice'\r\n    Columns = 2\r\n    ItemIndex = 2\r\n    Items.Strings = (\r\n      'a'\r\n      "
       "'b'\r\n"
       "      'c')\r\n    TabOrder = 5\r\n  end\r\n";
  t += "  object Panel1: TPanel\r\n    Left = 8\r\n    Top = 128\r\n    Width = 185\r\n    Height = 41\r\n"
       "    BevelInner = bvLowered\r\n    BevelOuter = bvRaised\r\n    Caption = 'Panel'\r\n    Color = clAqua\r\n"
       "    TabOrder = 6\r\n    object CheckBox1: TCheckBox\r\n      Left = 8\r\n      Top = 12\r\n      Width = 97\r\n"
       "      Height = 17\r\n      Caption = 'Check'\r\n      Checked = True\r\n      State = cbChecked\r\n"
       "      TabOrder = 0\r\n    end\r\n  end\r\n";
  t += "  object Shape1: TShape\r\n    Left = 200\r\n    Top = 128\r\n    Width = 40\r\n    Height = 40\r\n"
       "    Brush.Color = clRed\r\n    Pen.Color = clBlue\r\n  end\r\n";
  t += "  object Bevel1: TBevel\r\n    Left = 248\r\n    Top = 128\r\n    Width = 50\r\n    Height = 40\r\n  end\r\n";
  t += "  object Image1: TImage\r\n    Left = 304\r\n    Top = 128\r\n    Width = 32\r\n    Height = 32\r\n"
       "    Picture.Data = {" +
       Hex(PictureOfPng(Filled(16, 16, QColor(0, 128, 0)))) + "}\r\n  end\r\n";
  t += "  object Image2: TImage\r\n    Left = 344\r\n    Top = 128\r\n    Width = 32\r\n    Height = 32\r\n"
       "    Stretch = True\r\n    Picture.Data = {" +
       Hex(PictureOfBitmap(Filled(8, 8, QColor(0, 0, 255)))) + "}\r\n  end\r\n";
  t += "  object BitBtn1: TBitBtn\r\n    Left = 384\r\n    Top = 128\r\n    Width = 75\r\n    Height = 25\r\n"
       "    TabOrder = 7\r\n    Kind = bkCancel\r\n    Glyph.Data = {" +
       Hex(GlyphOf(Filled(32, 16, Qt::yellow))) + "}\r\n    NumGlyphs = 2\r\n  end\r\n";
  t += "  object PageControl1: TPageControl\r\n    Left = 8\r\n    Top = 176\r\n    Width = 289\r\n    Height = 150\r\n"
       "    ActivePage = TabSheet2\r\n    TabOrder = 8\r\n"
       "    object TabSheet1: TTabSheet\r\n      Caption = 'First'\r\n      object Label2: TLabel\r\n        Left = "
       "4\r\n"
       "        Top = 4\r\n        Width = 30\r\n        Height = 13\r\n        Caption = 'On 1'\r\n      end\r\n    "
       "end\r\n"
       "    object TabSheet2: TTabSheet\r\n      Caption = 'Second'\r\n      ImageIndex = 1\r\n    end\r\n  end\r\n";
  t += "  object StatusBar1: TStatusBar\r\n    Left = 0\r\n    Top = 407\r\n    Width = 592\r\n    Height = 19\r\n"
       "    Panels = <\r\n      item\r\n        Text = 'Ready'\r\n        Width = 100\r\n      end\r\n      item\r\n"
       "        Alignment = taCenter\r\n        Bevel = pbRaised\r\n        Width = 50\r\n      end>\r\n  end\r\n";
  t +=
      "  object ProgressBar1: TProgressBar\r\n    Left = 304\r\n    Top = 176\r\n    Width = 150\r\n    Height = 16\r\n"
      "    Position = 40\r\n    TabOrder = 9\r\n  end\r\n";
  t += "  object TrackBar1: TTrackBar\r\n    Left = 304\r\n    Top = 200\r\n    Width = 150\r\n    Height = 45\r\n"
       "    Position = 3\r\n    TabOrder = 10\r\n  end\r\n";
  t += "  object MainMenu1: TMainMenu\r\n    Left = 500\r\n    Top = 300\r\n"
       "    object File1: TMenuItem\r\n      Caption = '&File'\r\n      object Open1: TMenuItem\r\n        Caption = "
       "'&Open...'\r\n"
       "        ShortCut = 16463\r\n      end\r\n      object N1: TMenuItem\r\n        Caption = '-'\r\n      end\r\n"
       "      object Exit1: TMenuItem\r\n        Caption = 'E&xit'\r\n      end\r\n    end\r\n"
       "    object Help1: TMenuItem\r\n      Caption = '&Help'\r\n    end\r\n  end\r\n";
  t += "  object ActionList1: TActionList\r\n    Left = 540\r\n    Top = 300\r\n"
       "    object Action1: TAction\r\n      Category = 'File'\r\n      Caption = 'Save'\r\n      ShortCut = 16467\r\n"
       "    end\r\n  end\r\n";
  t += "  object Timer1: TTimer\r\n    Enabled = False\r\n    Left = 460\r\n    Top = 300\r\n  end\r\n";
  t += "end\r\n";
  return t;
}

template <class T>
T* Find(TForm& form, const char* name) {
  auto* c = dynamic_cast<T*>(form.FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

}  // namespace

TEST(StockForm, CommonControlsLoadWithTheirPropertiesAndPositions) {
  auto form = LoadFormText(CommonForm());
  auto* edit = Find<TEdit>(*form, "Edit1");
  EXPECT_EQ(edit->BoundsRect(), Bounds(72, 4, 121, 21));
  EXPECT_EQ(edit->Text(), "hello");
  EXPECT_EQ(Find<TLabel>(*form, "Label1")->FocusControl(), edit);
  EXPECT_EQ(Find<TMemo>(*form, "Memo1")->Lines()->Text(), "first\r\nsecond\r\nthird\r\n");
  EXPECT_EQ(Find<TListBox>(*form, "ListBox1")->Items()->Count(), 2);
  EXPECT_EQ(Find<TComboBox>(*form, "ComboBox1")->ItemIndex(), 1);
  auto* group = Find<TRadioGroup>(*form, "RadioGroup1");
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_TRUE(group->Buttons(2)->Checked());
  EXPECT_FALSE(group->Buttons(0)->Checked());
  auto* check = Find<TCheckBox>(*form, "CheckBox1");
  EXPECT_EQ(check->Parent(), Find<TPanel>(*form, "Panel1"));
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(Find<TImage>(*form, "Image1")->Picture()->Width(), 16);
  EXPECT_EQ(Find<TImage>(*form, "Image2")->Picture()->Width(), 8);
  auto* bitBtn = Find<TBitBtn>(*form, "BitBtn1");
  EXPECT_EQ(bitBtn->Glyph()->Width(), 32);
  EXPECT_EQ(bitBtn->NumGlyphs(), 2);
  EXPECT_EQ(bitBtn->ShownCaption(), "Cancel");
  auto* pages = Find<TPageControl>(*form, "PageControl1");
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), Find<TTabSheet>(*form, "TabSheet2"));
  EXPECT_EQ(pages->TabIndex(), 1);
  EXPECT_FALSE(pages->Pages(0)->Visible());
  EXPECT_TRUE(pages->Pages(1)->Visible());
  auto* status = Find<TStatusBar>(*form, "StatusBar1");
  ASSERT_EQ(status->Panels()->Count(), 2);
  EXPECT_EQ(static_cast<TStatusPanel*>(status->Panels()->Items(0))->Text(), "Ready");
  EXPECT_EQ(static_cast<TStatusPanel*>(status->Panels()->Items(1))->Bevel(), 2);
  EXPECT_EQ(Find<TProgressBar>(*form, "ProgressBar1")->Position(), 40);
  auto* menu = Find<TMainMenu>(*form, "MainMenu1");
  EXPECT_EQ(form->Menu(), menu);
  ASSERT_EQ(menu->Items()->Count(), 2);
  EXPECT_EQ(menu->Items()->Items(0)->Count(), 3);
  EXPECT_TRUE(menu->Items()->Items(0)->Items(1)->IsLine());
  EXPECT_EQ(menu->DesignLeft(), 500);
  auto* action = Find<TAction>(*form, "Action1");
  EXPECT_EQ(action->ActionList(), Find<TActionList>(*form, "ActionList1"));
  EXPECT_EQ(action->ShortCut(), 16467);
}

TEST(StockForm, RendersControlsAtTheirPositions) {
  auto form = LoadFormText(CommonForm());
  const QImage image = RenderFormClient(form.get());
  auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
  // The shape's brush inside its pen.
  EXPECT_EQ(at(220, 148), QColor(255, 0, 0));
  EXPECT_EQ(at(200, 148), QColor(0, 0, 255));
  // The panel's colour inside its bevels.
  EXPECT_EQ(at(8 + 100, 128 + 36), QColor(0, 255, 255));
  // The lowered bevel box: shadow on the top-left edge, highlight bottom-right.
  EXPECT_EQ(at(248 + 10, 128), QColor(128, 128, 128));
  EXPECT_EQ(at(248 + 10, 128 + 39), QColor(255, 255, 255));
  // The PNG picture at the image's top-left, the bitmap stretched.
  EXPECT_EQ(at(304 + 5, 128 + 5), QColor(0, 128, 0));
  EXPECT_EQ(at(344 + 30, 128 + 30), QColor(0, 0, 255));
  // The main menu bar sits on the form.
  auto* menu = Find<TMainMenu>(*form, "MainMenu1");
  ASSERT_NE(menu->MenuBar(), nullptr);
  EXPECT_EQ(menu->MenuBar()->actions().size(), 2);
  EXPECT_EQ(menu->MenuBar()->actions()[0]->text(), QStringLiteral("&File"));
}

// A form with a main menu: the bar takes room in the window above the
// client area, which keeps its stored size and its children's positions.
std::string MenuForm() {
  std::string t = "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n  Menu = MainMenu1\r\n";
  t += "  object Shape1: TShape\r\n    Left = 0\r\n    Top = 0\r\n    Width = 40\r\n    Height = 40\r\n";
  t += "    Brush.Color = clRed\r\n    Pen.Style = psClear\r\n  end\r\n";
  t += "  object Button1: TButton\r\n    Left = 50\r\n    Top = 0\r\n    Width = 75\r\n    Height = 25\r\n  end\r\n";
  t +=
      "  object MainMenu1: TMainMenu\r\n    object File1: TMenuItem\r\n      Caption = '&File'\r\n    end\r\n  end\r\n";
  return t + "end\r\n";
}

TEST(StockForm, MainMenuBarSitsAboveTheClientArea) {
  auto form = LoadFormText(MenuForm());
  auto* menu = Find<TMainMenu>(*form, "MainMenu1");
  ASSERT_NE(menu->MenuBar(), nullptr);
  const int bar = form->MenuBarHeight();
  ASSERT_GT(bar, 0);
  EXPECT_EQ(menu->MenuBar()->geometry(), QRect(0, 0, 300, bar));
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(form->Handle()->size(), QSize(300, 200 + bar));
  auto* button = Find<TButton>(*form, "Button1");
  EXPECT_EQ(button->Top(), 0);
  EXPECT_EQ(button->Handle()->geometry(), QRect(50, bar, 75, 25));
  // The client area's rendering starts below the bar: the shape at (0, 0).
  const QImage image = RenderFormClient(form.get());
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(255, 0, 0));
  EXPECT_EQ(form->ClientToScreen({0, 0}).Y, form->Top() + bar);
}

TEST(StockForm, RemovingTheMainMenuGivesTheRoomBack) {
  auto form = LoadFormText(MenuForm());
  delete Find<TMainMenu>(*form, "MainMenu1");
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(form->MenuBarHeight(), 0);
  EXPECT_EQ(form->Handle()->size(), QSize(300, 200));
  EXPECT_EQ(Find<TButton>(*form, "Button1")->Handle()->geometry(), QRect(50, 0, 75, 25));
}

TEST(StockForm, MainMenuWithoutVisibleItemsTakesNoRoom) {
  std::string t = MenuForm();
  t.replace(t.find("Caption = '&File'"), 17, "Caption = '&File'\r\n      Visible = False");
  auto form = LoadFormText(t);
  EXPECT_EQ(form->MenuBarHeight(), 0);
  EXPECT_EQ(Find<TButton>(*form, "Button1")->Handle()->geometry(), QRect(50, 0, 75, 25));
}

TEST(StockForm, EditsShowTheirOwnColoursAndOthersTheSystemOnes) {
  auto edit = [](const char* name, int top, const char* properties) {
    return std::string("  object ") + name + ": TEdit\r\n    Left = 8\r\n    Top = " + std::to_string(top) +
           "\r\n    Width = 121\r\n    Height = 21\r\n" + properties + "  end\r\n";
  };
  auto form = LoadFormText(
      "object Form1: TForm1\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n" +
      edit("Edit1", 8, "    Color = clYellow\r\n    Font.Color = clRed\r\n    ParentFont = False\r\n") +
      edit("Edit2", 40, "") + "end\r\n");
  auto* coloured = Find<TEdit>(*form, "Edit1");
  const QPalette own = coloured->Handle()->palette();
  EXPECT_EQ(own.color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(own.color(QPalette::Text), QColor(255, 0, 0));
  const QPalette plain = Find<TEdit>(*form, "Edit2")->Handle()->palette();
  EXPECT_EQ(plain.color(QPalette::Base), ColorToQColor(clWindow));
  EXPECT_EQ(plain.color(QPalette::Text), ColorToQColor(clWindowText));
  EXPECT_EQ(form->Handle()->palette().color(QPalette::Button), ColorToQColor(clBtnFace));
  // A colour set later reaches the widget too.
  coloured->SetColor(clAqua);
  EXPECT_EQ(coloured->Handle()->palette().color(QPalette::Base), QColor(0, 255, 255));
}

TEST(StockForm, GbkCaptionShowsAsUnicodeText) {
  std::string t = "object Form1: TForm1\r\n  Width = 200\r\n  Height = 100\r\n";
  t += "  object Label1: TLabel\r\n    Left = 8\r\n    Top = 8\r\n    Caption = '\xD6\xD0\xCE\xC4'\r\n";
  t += "    Font.Charset = GB2312_CHARSET\r\n    Font.Height = -12\r\n    Font.Name = 'SimSun'\r\n    ParentFont = "
       "False\r\n  end\r\n";
  t += "  object Button1: TButton\r\n    Left = 8\r\n    Top = 30\r\n    Caption = '\xD6\xD0(&O)'\r\n";
  t += "    Font.Charset = GB2312_CHARSET\r\n    ParentFont = False\r\n  end\r\nend\r\n";
  auto form = LoadFormText(t);
  auto* label = Find<TLabel>(*form, "Label1");
  EXPECT_EQ(label->DisplayText(), QString::fromUtf8("中文"));
  auto* button = Find<TButton>(*form, "Button1");
  form->HandleNeeded();
  ASSERT_NE(button->PushButton(), nullptr);
  EXPECT_EQ(button->PushButton()->text(), QString::fromUtf8("中(&O)"));
}

TEST(StockMemo, LinesBatchWidgetUpdatesUntilEndUpdate) {
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  form.HandleNeeded();
  ASSERT_NE(memo->Editor(), nullptr);
  const int loads = memo->WidgetTextLoads();
  memo->Lines()->BeginUpdate();
  for (int i = 0; i < 1000; ++i) memo->Lines()->Add("line " + std::to_string(i));
  EXPECT_EQ(memo->WidgetTextLoads(), loads);
  EXPECT_TRUE(memo->Editor()->toPlainText().isEmpty());
  memo->Lines()->EndUpdate();
  EXPECT_EQ(memo->WidgetTextLoads(), loads + 1);
  EXPECT_EQ(memo->Editor()->blockCount(), 1000);
  EXPECT_EQ(memo->Lines()->Get(999), "line 999");
}

TEST(StockMemo, HundredThousandLinesLoadQuickly) {
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  form.HandleNeeded();
  TStringList source;
  for (int i = 0; i < 100000; ++i) source.Add("  Caption = 'line " + std::to_string(i) + "'");
  QElapsedTimer timer;
  timer.start();
  memo->Lines()->Assign(source);
  EXPECT_LT(timer.elapsed(), 5000);
  EXPECT_EQ(memo->Lines()->Count(), 100000);
  EXPECT_EQ(memo->Editor()->blockCount(), 100000);
}

TEST(StockMemo, TypedTextReachesLines) {
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->SetParent(&form);
  form.HandleNeeded();
  memo->Editor()->setPlainText(QStringLiteral("a\nb"));
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(1), "b");
}

TEST(StockButtons, ClickSetsTheFormsModalResult) {
  auto form = LoadFormText(CommonForm());
  form->HandleNeeded();
  auto* button = Find<TButton>(*form, "Button1");
  button->PushButton()->click();
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST(StockButtons, CheckingARadioButtonUnchecksItsSiblings) {
  TForm form(nullptr);
  auto* a = new TRadioButton(&form);
  auto* b = new TRadioButton(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
}

TEST(StockPages, ClickingATabShowsItsPage) {
  auto form = LoadFormText(CommonForm());
  form->HandleNeeded();
  auto* pages = Find<TPageControl>(*form, "PageControl1");
  ASSERT_NE(pages->TabBar(), nullptr);
  EXPECT_EQ(pages->TabBar()->count(), 2);
  pages->TabBar()->setCurrentIndex(0);
  EXPECT_EQ(pages->ActivePage(), pages->Pages(0));
  EXPECT_TRUE(pages->Pages(0)->Visible());
  EXPECT_FALSE(pages->Pages(1)->Visible());
  // Sheets fill the area under the tabs.
  EXPECT_EQ(pages->Pages(0)->Left(), 4);
  EXPECT_GT(pages->Pages(0)->Top(), 4);
}

TEST(StockLabel, AutoSizeFitsTheCaption) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("A longer caption");
  const int wide = label->Width();
  label->SetCaption("A");
  EXPECT_LT(label->Width(), wide);
  label->SetAutoSize(false);
  label->SetCaption("A much much longer caption");
  EXPECT_LT(label->Width(), wide);
}

// Values that newer designers store on grids and on spin edits; forms that
// carry them must load rather than fail on an unknown identifier.
TEST(StockForm, NewerGridOptionsAndStyleElementsLoad) {
  auto form = LoadFormText(
      "object Form1: TForm1\r\n"
      "  object Grid1: TStringGrid\r\n"
      "    Options = [goFixedVertLine, goFixedHorzLine, goFixedColDefAlign, goFixedRowDefAlign]\r\n"
      "  end\r\n"
      "end\r\n");
  auto* grid = dynamic_cast<TStringGrid*>(form->FindComponent("Grid1"));
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(grid->Options() & GridOption(goFixedRowDefAlign));
  EXPECT_FALSE(grid->Options() & GridOption(goVertLine));
}

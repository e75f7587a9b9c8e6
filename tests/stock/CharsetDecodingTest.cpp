// Forms whose fonts say DEFAULT_CHARSET store their 8-bit text in the code
// page of the machine they were saved on; the form's strings, judged
// together, decide it once for the whole form, and captions, items, menus
// and hints all decode with it.
#include <gtest/gtest.h>

#include <ostream>

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

#include "StockTestSupport.h"
#include "controls/CodePageDetection.h"
#include "stock/Menus.h"
#include "stock/StdCtrls.h"

namespace {

struct Localised {
  const char* name;
  const char* codePage;  // the code page the form was saved in
  const char *caption, *button, *item1, *item2, *menu, *hint;
};

// Test listings name the language, not the struct's bytes.
void PrintTo(const Localised& l, std::ostream* os) { *os << l.name << " (" << l.codePage << ")"; }

// A small dialog whose every font says DEFAULT_CHARSET.
std::string DialogText(const Localised& l) {
  const char* cp = l.codePage;
  std::string t = "object Form1: TForm1\r\n  Width = 300\r\n  Height = 200\r\n";
  t += "  Caption = " + Quoted(l.caption, cp) + "\r\n";
  t += "  Font.Charset = DEFAULT_CHARSET\r\n  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n";
  t += "  Menu = MainMenu1\r\n";
  t += "  object Label1: TLabel\r\n    Left = 8\r\n    Top = 8\r\n    Caption = " + Quoted(l.caption, cp) +
       "\r\n    Hint = " + Quoted(l.hint, cp) + "\r\n  end\r\n";
  t += "  object Button1: TButton\r\n    Left = 8\r\n    Top = 30\r\n    Caption = " + Quoted(l.button, cp) +
       "\r\n    Font.Charset = DEFAULT_CHARSET\r\n    Font.Height = -11\r\n    Font.Name = 'Tahoma'\r\n"
       "    ParentFont = False\r\n  end\r\n";
  t += "  object ListBox1: TListBox\r\n    Left = 8\r\n    Top = 60\r\n    Items.Strings = (\r\n      " +
       Quoted(l.item1, cp) + "\r\n      " + Quoted(l.item2, cp) + ")\r\n  end\r\n";
  t += "  object MainMenu1: TMainMenu\r\n    object File1: TMenuItem\r\n      Caption = " + Quoted(l.menu, cp) +
       "\r\n    end\r\n  end\r\nend\r\n";
  return t;
}

class DefaultCharsetForm : public ::testing::TestWithParam<Localised> {};

TEST_P(DefaultCharsetForm, DecodesEveryStringInTheCodePageItWasSavedIn) {
  const Localised& l = GetParam();
  auto form = LoadFormText(DialogText(l));
  EXPECT_STREQ(form->Font()->CodePage(), l.codePage);
  EXPECT_EQ(FindIn<TLabel>(*form, "Label1")->DisplayText(), QString::fromUtf8(l.caption));
  EXPECT_EQ(form->Font()->Decode(FindIn<TLabel>(*form, "Label1")->Hint()), QString::fromUtf8(l.hint));
  form->HandleNeeded();
  EXPECT_EQ(form->Handle()->windowTitle(), QString::fromUtf8(l.caption));
  auto* button = FindIn<TButton>(*form, "Button1");  // a font of its own, still DEFAULT_CHARSET
  ASSERT_NE(button->PushButton(), nullptr);
  EXPECT_EQ(button->PushButton()->text(), QString::fromUtf8(l.button));
  auto* list = FindIn<TListBox>(*form, "ListBox1");
  QListWidget* qlist = list->ListWidget();
  ASSERT_NE(qlist, nullptr);
  ASSERT_EQ(qlist->count(), 2);
  EXPECT_EQ(qlist->item(0)->text(), QString::fromUtf8(l.item1));
  EXPECT_EQ(qlist->item(1)->text(), QString::fromUtf8(l.item2));
  auto* bar = form->Handle()->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_FALSE(bar->actions().isEmpty());
  EXPECT_EQ(bar->actions().first()->text(), QString::fromUtf8(l.menu));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, DefaultCharsetForm,
    ::testing::Values(
        Localised{"Cyrillic", "CP1251", "Параметры страницы", "Отмена", "Книжная ориентация", "Альбомная ориентация",
                  "Файл", "Ширина и высота листа бумаги"},
        Localised{"Greek", "CP1253", "Ρυθμίσεις σελίδας", "Ακύρωση", "Κατακόρυφος προσανατολισμός",
                  "Οριζόντιος προσανατολισμός", "Αρχείο", "Πλάτος και ύψος του χαρτιού"},
        Localised{"CentralEuropean", "CP1250", "Ustawienia wydruku", "Zamknij okno", "Właściwości drukarki",
                  "Źródło papieru: podajnik", "Plik", "Szerokość i wysokość strony, marginesy, źródło papieru"},
        Localised{"Chinese", "GBK", "页面设置", "取消", "纵向打印", "横向打印", "文件", "纸张的宽度和高度"},
        Localised{"Western", "CP1252", "Paramètres de la page", "Schließen", "Größe des Papiers",
                  "Hauteur et largeur de la feuille", "Fichier", "Sélectionnez l'imprimante à utiliser"},
        Localised{
            "English", "CP1252", "Page Setup", "Cancel", "Portrait", "Landscape", "File", "Paper width and height"}),
    [](const ::testing::TestParamInfo<Localised>& test) { return std::string(test.param.name); });

TEST(DefaultCharsetForm, ExplicitCharsetsKeepTheirCodePage) {
  // A Russian form in which one label says it is Western: its Latin-1 text
  // stays windows-1252 although the form's other text is windows-1251.
  std::string t =
      "object Form1: TForm1\r\n  Caption = " + Quoted("Параметры страницы", "CP1251") +
      "\r\n  Font.Charset = DEFAULT_CHARSET\r\n  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n";
  t += "  object Label1: TLabel\r\n    Caption = " + Quoted("Ширина и высота листа бумаги", "CP1251") + "\r\n  end\r\n";
  t += "  object Label2: TLabel\r\n    Caption = " + Quoted("Größe", "CP1252") +
       "\r\n    Font.Charset = ANSI_CHARSET\r\n    Font.Height = -11\r\n    Font.Name = 'Arial'\r\n"
       "    ParentFont = False\r\n  end\r\nend\r\n";
  auto form = LoadFormText(t);
  EXPECT_EQ(FindIn<TLabel>(*form, "Label1")->DisplayText(), QString::fromUtf8("Ширина и высота листа бумаги"));
  EXPECT_EQ(FindIn<TLabel>(*form, "Label2")->DisplayText(), QString::fromUtf8("Größe"));
}

TEST(DetectAnsiCodePage, PlainAsciiAndUnicodeStringsStayWindows1252) {
  EXPECT_STREQ(DetectAnsiCodePage({}), "CP1252");
  EXPECT_STREQ(DetectAnsiCodePage({"OK", "Cancel", "&File"}), "CP1252");
}

TEST(DetectAnsiCodePage, OnlyWindowsAnsiCodePagesComeOut) {
  EXPECT_STREQ(AnsiCodePageOfDetectedCharset("KOI8-R"), "CP1251");
  EXPECT_STREQ(AnsiCodePageOfDetectedCharset("ISO-8859-7"), "CP1253");
  EXPECT_STREQ(AnsiCodePageOfDetectedCharset("windows-1250"), "CP1250");
  EXPECT_STREQ(AnsiCodePageOfDetectedCharset("GB18030"), "GBK");
  EXPECT_EQ(AnsiCodePageOfDetectedCharset("UTF-8"), nullptr);
  EXPECT_EQ(AnsiCodePageOfDetectedCharset("ASCII"), nullptr);
  EXPECT_EQ(AnsiCodePageOfDetectedCharset(nullptr), nullptr);
}

}  // namespace

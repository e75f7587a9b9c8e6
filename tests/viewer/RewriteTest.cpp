// The form-text rewriting: headers, placeholders, nesting, multi-line values,
// the event and action test, and the log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RewriteTestSupport.h"
#include "core/Exceptions.h"
#include "core/Strings.h"
#include "rewrite.h"

using testsupport::IsRegistered;
using testsupport::Rewrite;
using testsupport::Rewritten;
using Lines = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Which lines are component headers, and what becomes of them.

TEST(RewriteHeaderTest, RootHeaderIsNeverExaminedOrLogged) {
  Rewritten r = Rewrite({"object Form1: TFancyForm", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TFancyForm", "end"}));
  EXPECT_TRUE(r.log.empty());
}

TEST(RewriteHeaderTest, RegisteredHeaderStaysAndIsLoggedFalse) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object Button1: TButton", "  end", "end"});
  EXPECT_EQ(r.lines[1], "  object Button1: TButton");
  EXPECT_EQ(r.log, (Lines{"[TButton]: [False]"}));
}

TEST(RewriteHeaderTest, UnregisteredHeaderBecomesPlaceholderKeepingIndentAndName) {
  Rewritten r = Rewrite({"object Form1: TForm1", "    object Meter1: TFancyMeter", "    end", "end"});
  EXPECT_EQ(r.lines[1], "    object Meter1: TUnknown");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]"}));
}

TEST(RewriteHeaderTest, KeywordMatchesInAnyLetterCase) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  OBJECT Meter1: TFancyMeter", "  END", "end"});
  EXPECT_EQ(r.lines[1], "  OBJECT Meter1: TUnknown");
  EXPECT_EQ(r.lines[2], "  END");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]"}));
}

TEST(RewriteHeaderTest, TabAfterKeywordCountsAsBlank) {
  Rewritten r = Rewrite({"object Form1: TForm1", "\tobject\tMeter1: TFancyMeter", "\tend", "end"});
  EXPECT_EQ(r.lines[1], "\tobject\tMeter1: TUnknown");
}

TEST(RewriteHeaderTest, PropertyNamedObjectSomethingIsNotAHeader) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  ObjectMenuItem = Item1", "end"});
  EXPECT_EQ(r.lines[1], "  ObjectMenuItem = Item1");
  EXPECT_TRUE(r.log.empty());
}

TEST(RewriteHeaderTest, PropertyNamedObjectIsNotAHeader) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  Object = Item1", "  Inline = True", "end"});
  EXPECT_EQ(r.lines[1], "  Object = Item1");
  EXPECT_EQ(r.lines[2], "  Inline = True");
  EXPECT_TRUE(r.log.empty());
}

TEST(RewriteHeaderTest, PropertyNamedObjectSomethingInsidePlaceholderIsAProperty) {
  Rewritten r =
      Rewrite({"object Form1: TForm1", "  object M: TFancyMeter", "    ObjectMenuItem = Item1", "  end", "end"});
  EXPECT_EQ(r.lines[2], "");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [objectmenuitem]"}));
}

TEST(RewriteHeaderTest, UnnamedUnregisteredHeaderBecomesObjectTUnknown) {
  Rewritten r = Rewrite({"object Form1: TForm1", "   object TFancyMeter", "     Left = 1", "   end", "end"});
  EXPECT_EQ(r.lines[1], "   object TUnknown");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [left]"}));
}

TEST(RewriteHeaderTest, UnnamedRegisteredHeaderStays) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object TButton", "  end", "end"});
  EXPECT_EQ(r.lines[1], "  object TButton");
  EXPECT_EQ(r.log, (Lines{"[TButton]: [False]"}));
}

// A "[n]" after the class is the component's position among its parent's
// children (inherited forms write it for new components): the class is
// looked up without it, and a placeholder keeps it.
TEST(RewriteHeaderTest, PositionSuffixMakesTheClassUnregisteredInAFormOfItsOwn) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object Panel1: TPanel [2]", "    Left = 4", "  end", "end"});
  EXPECT_EQ(r.lines[1], "  object Panel1: TUnknown");
  EXPECT_EQ(r.log, (Lines{"[TPanel [2]]: [True]", "Propertys: [left]"}));
}

// In an inherited form every new component carries its position among the
// ancestor's children; it must not turn registered classes into placeholders.
TEST(RewriteHeaderTest, PositionSuffixIsNotPartOfTheClassInAnInheritedForm) {
  Rewritten r = Rewrite(
      {"inherited Form1: TForm1", "  object Panel1: TPanel [2]", "    Left = 4", "  end",
       "  object Meter1: TFancyMeter [0]", "    Kind = 1", "  end", "  object TFancyMeter [1]", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"inherited Form1: TForm1", "  object Panel1: TPanel [2]", "    Left = 4", "  end",
                            "  object Meter1: TUnknown [0]", "", "  end", "  object TUnknown [1]", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TPanel]: [False]", "[TFancyMeter]: [True]", "Propertys: [kind]", "[TFancyMeter]: [True]"}));
}

TEST(RewriteHeaderTest, ClassNameIsTrimmedTextAfterFirstColon) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object Button1 :   TButton   ", "  end", "end"});
  EXPECT_EQ(r.lines[1], "  object Button1 :   TButton   ");
  EXPECT_EQ(r.log, (Lines{"[TButton]: [False]"}));
}

TEST(RewriteHeaderTest, InheritedAndInlineHeadersOfRegisteredClassesPassThroughUnlogged) {
  Rewritten r = Rewrite(
      {"inherited Form2: TForm2", "  inherited Button1: TButton [2]", "    OnClick = B", "  end",
       "  inline Frame1: TPanel", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"inherited Form2: TForm2", "  inherited Button1: TButton [2]", "", "  end",
                            "  inline Frame1: TPanel", "  end", "end"}));
  EXPECT_TRUE(r.log.empty());
}

// An unregistered inherited component was made a placeholder by its
// ancestor, and an unregistered frame whose form was not found would fail
// to load: both become placeholders as an unknown "object" does, keeping
// their "[n]" position and their children.
TEST(RewriteHeaderTest, InheritedAndInlineHeadersOfUnregisteredClassesBecomePlaceholders) {
  Rewritten r = Rewrite(
      {"inherited Form2: TForm2", "  inherited Button1: TFancyButton [1]", "    Kind = 2", "    Left = 4", "  end",
       "  inline Frame1: TFancyFrame", "    TabOrder = 3", "    inherited Label1: TLabel", "      Caption = 'x'",
       "    end", "  end", "end"});
  EXPECT_EQ(
      r.lines,
      (Lines{"inherited Form2: TForm2", "  inherited Button1: TUnknown [1]", "", "    Left = 4", "  end",
             "  inline Frame1: TUnknown", "", "    inherited Label1: TLabel", "      Caption = 'x'", "    end", "  end",
             "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyButton]: [True]", "Propertys: [kind]", "Propertys: [left]", "[TFancyFrame]: [True]",
                          "Propertys: [taborder]"}));
}

TEST(RewriteHeaderTest, RegisteredClassNamedLikeAnEventOrActionBlanksItsHeader) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object R: ActionRecorder", "  end", "  object M: OnlineMeter", "  end", "end"});
  EXPECT_EQ(r.lines[1], "");
  EXPECT_EQ(r.lines[3], "");
  EXPECT_EQ(r.log, (Lines{"[ActionRecorder]: [False]", "[OnlineMeter]: [False]"}));
}

// ---------------------------------------------------------------------------
// Event and action bindings outside placeholders.

TEST(RewriteEventTest, RootOnCreateOnLineOneIsBlanked) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  OnCreate = FormCreate", "  Caption = 'Hi'", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "", "  Caption = 'Hi'", "end"}));
}

TEST(RewriteEventTest, RegisteredButtonLosesOnClickAndActionButKeepsTheRest) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Button1: TButton", "    Left = 8", "    Action = Action1",
       "    Caption = 'Go'", "    onclick = Button1Click", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "  object Button1: TButton", "    Left = 8", "",
                            "    Caption = 'Go'", "", "  end", "end"}));
}

TEST(RewriteEventTest, AnyPropertyBeginningWithOnOrActionIsBlanked) {
  // The test looks at the first letters only, so "Online" and "ActionLink"
  // go as well; that's how the viewer has always treated them.
  Rewritten r = Rewrite({"object Form1: TForm1", "  Online = True", "  ActionLink = X", "  Ontario = 1", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "", "", "", "end"}));
}

TEST(RewriteEventTest, QuotedListItemsBeginningWithOnStay) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object L: TListBox", "    Items.Strings = (", "      'Online'", "      'action')",
       "  end", "end"});
  EXPECT_EQ(r.lines[3], "      'Online'");
  EXPECT_EQ(r.lines[4], "      'action')");
}

TEST(RewriteEventTest, ActionManagerActionBarsCollectionIsBlankedWhole) {
  Lines in = {
      "object Form1: TForm1",
      "  object ActionManager1: TActionManager",
      "    ActionBars = <",
      "      item",
      "        Items = <",
      "          item",
      "            Caption = 'File'",
      "          end>",
      "      end",
      "      item",
      "        ActionBar = ActionToolBar1",
      "      end>",
      "    Left = 16",
      "  end",
      "end"};
  Rewritten r = Rewrite(in);
  for (int k = 2; k <= 11; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[12], "    Left = 16");
  EXPECT_EQ(r.lines[13], "  end");
}

TEST(RewriteEventTest, EventWithStringContinuedByPlusIsBlankedWhole) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  OnHint = 'a' +", "    'b' +", "    'c'", "  Tag = 1", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "", "", "", "  Tag = 1", "end"}));
}

TEST(RewriteEventTest, EventInsideCollectionItemOfRegisteredComponentIsBlanked) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object S: TStatusBar", "    Panels = <", "      item", "        Width = 50",
       "        OnDrawPanel = Draw", "      end>", "  end", "end"});
  EXPECT_EQ(r.lines[4], "        Width = 50");
  EXPECT_EQ(r.lines[5], "");
  EXPECT_EQ(r.lines[6], "      end>");
}

TEST(RewriteEventTest, EndLinesAndBlankLinesStay) {
  Rewritten r = Rewrite({"object Form1: TForm1", "", "  object B: TButton", "  end", "", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "", "  object B: TButton", "  end", "", "end"}));
}

// ---------------------------------------------------------------------------
// The placeholder scan: what an unregistered component keeps.

TEST(RewritePlaceholderTest, FancyMeterKeepsPositionAndSizeOnly) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Meter1: TFancyMeter", "    Left = 8", "    Top = 16", "    Width = 120",
       "    Height = 24", "    Kind = mkRound", "    OnClick = Meter1Click", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "  object Meter1: TUnknown", "    Left = 8", "    Top = 16",
                            "    Width = 120", "    Height = 24", "", "", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [left]", "Propertys: [top]", "Propertys: [width]",
                          "Propertys: [height]", "Propertys: [kind]", "Propertys: [onclick]"}));
}

TEST(RewritePlaceholderTest, TabOrderAndAlignAreDropped) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object M: TFancyMeter", "    TabOrder = 1", "    Align = alTop", "  end", "end"});
  EXPECT_EQ(r.lines[2], "");
  EXPECT_EQ(r.lines[3], "");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [taborder]", "Propertys: [align]"}));
}

TEST(RewritePlaceholderTest, PropertyNameIsMatchedLowerCasedAndTrimmed) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object M: TFancyMeter", "    WIDTH   = 5", "    Font.Height = -11", "  end", "end"});
  EXPECT_EQ(r.lines[2], "    WIDTH   = 5");
  EXPECT_EQ(r.lines[3], "");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [width]", "Propertys: [font.height]"}));
}

TEST(RewritePlaceholderTest, EmptyLinesAreSkippedUnlogged) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object M: TFancyMeter", "", "   ", "    Left = 1", "  end", "end"});
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: [left]"}));
  EXPECT_EQ(r.lines[3], "   ");
}

TEST(RewritePlaceholderTest, LineWithoutEqualsIsLoggedWithEmptyNameAndBlanked) {
  Rewritten r = Rewrite({"object Form1: TForm1", "  object M: TFancyMeter", "    stray", "  end", "end"});
  EXPECT_EQ(r.lines[2], "");
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]", "Propertys: []"}));
}

TEST(RewritePlaceholderTest, EndInAnyLetterCaseClosesTheScan) {
  Rewritten r =
      Rewrite({"object Form1: TForm1", "  object M: TFancyMeter", "  End", "  OnClick = X", "  Tag = 2", "end"});
  EXPECT_EQ(r.lines[2], "  End");
  EXPECT_EQ(r.lines[3], "");
  EXPECT_EQ(r.lines[4], "  Tag = 2");  // back at top level: not a placeholder property
  EXPECT_EQ(r.log, (Lines{"[TFancyMeter]: [True]"}));
}

TEST(RewritePlaceholderTest, ScanPastLastLineRaisesListIndexErrorAndKeepsLog) {
  TStringList list(Lines{"object Form1: TForm1", "  object M: TFancyMeter", "    Left = 1"});
  std::vector<std::string> log;
  try {
    RewriteFormLines(list, log, IsRegistered);
    FAIL() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_EQ(log, (Lines{"[TFancyMeter]: [True]", "Propertys: [left]"}));
}

TEST(RewritePlaceholderTest, ScanPastLastLineKeepsLogInStringsOverload) {
  TStringList list(Lines{"object Form1: TForm1", "  object M: TFancyMeter", "    Left = 1"});
  TStringList log(Lines{"earlier"});
  EXPECT_THROW(RewriteFormLines(list, log, IsRegistered), EStringListError);
  EXPECT_EQ(log.Lines(), (Lines{"earlier", "[TFancyMeter]: [True]", "Propertys: [left]"}));
}

TEST(RewritePlaceholderTest, UnterminatedCollectionInPlaceholderRaisesListIndexError) {
  TStringList list(Lines{
      "object Form1: TForm1", "  object M: TFancyMeter", "    Items = <", "      item", "      end", "  end", "end"});
  std::vector<std::string> log;
  EXPECT_THROW(RewriteFormLines(list, log, IsRegistered), EStringListError);
  EXPECT_EQ(log, (Lines{"[TFancyMeter]: [True]", "Propertys: [items]"}));
}

TEST(RewritePlaceholderTest, HeaderOnLastLineRaisesListIndexError) {
  TStringList list(Lines{"object Form1: TForm1", "  object M: TFancyMeter"});
  std::vector<std::string> log;
  EXPECT_THROW(RewriteFormLines(list, log, IsRegistered), EStringListError);
}

// ---------------------------------------------------------------------------
// Multi-line values inside a placeholder: logged once, dropped whole.

TEST(RewritePlaceholderValueTest, CollectionWithTwoItemsIsDroppedWholeAndLoggedOnce) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object G: TFancyGrid", "    Left = 1", "    Columns = <", "      item",
       "        Width = 40", "        OnClick = C1", "      end", "      item", "        Title.Caption = 'x'",
       "      end>", "    Top = 2", "  end", "end"});
  for (int k = 3; k <= 10; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[11], "    Top = 2");
  EXPECT_EQ(r.lines[12], "  end");
  EXPECT_EQ(r.log, (Lines{"[TFancyGrid]: [True]", "Propertys: [left]", "Propertys: [columns]", "Propertys: [top]"}));
}

TEST(RewritePlaceholderValueTest, NestedCollectionsAreDroppedWithTheirOuterCollection) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object G: TFancyBar", "    Bands = <", "      item", "        Items = <",
       "          item", "            Caption = 'a'", "          end>", "      end", "      item", "        Items = <>",
       "      end>", "    Width = 9", "  end", "end"});
  for (int k = 2; k <= 11; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[12], "    Width = 9");
  EXPECT_EQ(r.log, (Lines{"[TFancyBar]: [True]", "Propertys: [bands]", "Propertys: [width]"}));
}

TEST(RewritePlaceholderValueTest, ListIsDroppedWhole) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object L: TFancyList", "    Items.Strings = (", "      'one'", "      'two (2'",
       "      'end')", "    Height = 3", "  end", "end"});
  for (int k = 2; k <= 5; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[6], "    Height = 3");
  EXPECT_EQ(r.log, (Lines{"[TFancyList]: [True]", "Propertys: [items.strings]", "Propertys: [height]"}));
}

TEST(RewritePlaceholderValueTest, BinaryDataIsDroppedWhole) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object I: TFancyImage", "    Picture.Data = {", "      0A54", "      00FF}",
       "    Left = 3", "  end", "end"});
  for (int k = 2; k <= 4; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[5], "    Left = 3");
  EXPECT_EQ(r.log, (Lines{"[TFancyImage]: [True]", "Propertys: [picture.data]", "Propertys: [left]"}));
}

TEST(RewritePlaceholderValueTest, StringContinuedWithPlusIsDroppedWhole) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object M: TFancyMemo", "    Hint =", "      'first line' +", "      'end' +",
       "      'last'", "    Left = 3", "  end", "end"});
  for (int k = 2; k <= 5; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[6], "    Left = 3");
  EXPECT_EQ(r.log, (Lines{"[TFancyMemo]: [True]", "Propertys: [hint]", "Propertys: [left]"}));
}

// ---------------------------------------------------------------------------
// Components nested in an unregistered container stay inside its box.

TEST(RewriteNestingTest, RegisteredChildOfUnknownContainerStaysWithEventTest) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    Left = 1", "    Color = clRed",
       "    object Button1: TButton", "      Left = 5", "      Caption = 'Go'", "      OnClick = Go", "    end",
       "    Width = 80", "    BorderStyle = bsNone", "  end", "  Caption = 'Form'", "end"});
  EXPECT_EQ(
      r.lines,
      (Lines{"object Form1: TForm1", "  object Box: TUnknown", "    Left = 1", "", "    object Button1: TButton",
             "      Left = 5", "      Caption = 'Go'", "", "    end", "    Width = 80", "", "  end",
             "  Caption = 'Form'", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyBox]: [True]", "Propertys: [left]", "Propertys: [color]", "[TButton]: [False]",
                          "Propertys: [width]", "Propertys: [borderstyle]"}));
}

TEST(RewriteNestingTest, UnregisteredChildOfUnknownContainerGetsItsOwnScan) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    object Dial: TFancyDial", "      Top = 3",
       "      Needle = 4", "    end", "    Height = 7", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "  object Box: TUnknown", "    object Dial: TUnknown",
                            "      Top = 3", "", "    end", "    Height = 7", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyBox]: [True]", "[TFancyDial]: [True]", "Propertys: [top]", "Propertys: [needle]",
                          "Propertys: [height]"}));
}

TEST(RewriteNestingTest, RegisteredChildsOwnChildrenFollowTheSameRules) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    object Panel1: TPanel", "      OnResize = R",
       "      object Knob: TFancyKnob", "        Angle = 9", "      end", "      object Label1: TLabel",
       "        Action = A", "      end", "    end", "    Tag = 1", "  end", "end"});
  EXPECT_EQ(
      r.lines,
      (Lines{"object Form1: TForm1", "  object Box: TUnknown", "    object Panel1: TPanel", "",
             "      object Knob: TUnknown", "", "      end", "      object Label1: TLabel", "", "      end", "    end",
             "", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyBox]: [True]", "[TPanel]: [False]", "[TFancyKnob]: [True]", "Propertys: [angle]",
                          "[TLabel]: [False]", "Propertys: [tag]"}));
}

TEST(RewriteNestingTest, RegisteredChildsCollectionEndsDoNotCloseIt) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    object S: TStatusBar", "      Panels = <",
       "        item", "          Width = 50", "          OnClick = P", "        end", "        item",
       "          Text = 'end'", "        end>", "    end", "    Left = 2", "    Tag = 5", "  end", "end"});
  EXPECT_EQ(
      r.lines,
      (Lines{"object Form1: TForm1", "  object Box: TUnknown", "    object S: TStatusBar", "      Panels = <",
             "        item", "          Width = 50", "", "        end", "        item", "          Text = 'end'",
             "        end>", "    end", "    Left = 2", "", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyBox]: [True]", "[TStatusBar]: [False]", "Propertys: [left]", "Propertys: [tag]"}));
}

TEST(RewriteNestingTest, ActionBarsOfRegisteredChildInsidePlaceholderAreBlankedWhole) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    object AM: TActionManager", "      ActionBars = <",
       "        item", "          Items = <", "            item", "            end>", "        end>", "    end",
       "    Left = 1", "  end", "end"});
  for (int k = 3; k <= 8; ++k) EXPECT_EQ(r.lines[size_t(k)], "") << "line " << k;
  EXPECT_EQ(r.lines[9], "    end");
  EXPECT_EQ(r.lines[10], "    Left = 1");
}

TEST(RewriteNestingTest, UnregisteredInheritedChildInsidePlaceholderIsANestedPlaceholder) {
  Rewritten r = Rewrite(
      {"object Form1: TForm1", "  object Box: TFancyBox", "    inherited B: TFancyButton", "      Caption = 'x'",
       "      OnClick = Y", "    end", "    Kind = 3", "  end", "end"});
  EXPECT_EQ(r.lines, (Lines{"object Form1: TForm1", "  object Box: TUnknown", "    inherited B: TUnknown", "", "",
                            "    end", "", "  end", "end"}));
  EXPECT_EQ(r.log, (Lines{"[TFancyBox]: [True]", "[TFancyButton]: [True]", "Propertys: [caption]",
                          "Propertys: [onclick]", "Propertys: [kind]"}));
}

TEST(RewriteNestingTest, ChildWithoutEndRaisesListIndexError) {
  TStringList list(Lines{
      "object Form1: TForm1", "  object Box: TFancyBox", "    object B: TButton", "      Caption = 'x'", "  end"});
  std::vector<std::string> log;
  try {
    RewriteFormLines(list, log, IsRegistered);
    FAIL() << "no exception";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  EXPECT_EQ(log, (Lines{"[TFancyBox]: [True]", "[TButton]: [False]"}));
}

TEST(RewriteNestingTest, VeryDeepNestingIsHandledWithoutRecursion) {
  const int depth = 200000;
  Lines in;
  in.reserve(size_t(depth) * 3 + 2);
  in.push_back("object Form1: TForm1");
  for (int k = 0; k < depth; ++k) in.push_back(k % 2 ? "object P: TPanel" : "object X: TFancy");
  for (int k = 0; k < depth; ++k) in.push_back("end");
  in.push_back("end");
  Rewritten r = Rewrite(in);
  EXPECT_EQ(r.lines[1], "object X: TUnknown");
  EXPECT_EQ(r.lines[2], "object P: TPanel");
  EXPECT_EQ(r.lines[size_t(depth)], "object P: TPanel");
  EXPECT_EQ(r.log.size(), size_t(depth));
}

// ---------------------------------------------------------------------------
// The log and line numbering over a whole form.

TEST(RewriteLogTest, LogFollowsTheTextAndLineCountNeverChanges) {
  Lines in = {
      "object Form1: TForm1",
      "  OnCreate = FormCreate",
      "  object Menu: TMainMenu",
      "    object Item1: TMenuItem",
      "      OnClick = Item1Click",
      "    end",
      "  end",
      "  object Chart: TFancyChart",
      "    Left = 1",
      "    Series = <",
      "      item",
      "      end>",
      "  end",
      "  object Edit1: TEdit",
      "    Text = 'x' +",
      "      'y'",
      "  end",
      "end"};
  Rewritten r = Rewrite(in);
  ASSERT_EQ(r.lines.size(), in.size());
  EXPECT_EQ(r.log, (Lines{"[TMainMenu]: [False]", "[TMenuItem]: [False]", "[TFancyChart]: [True]", "Propertys: [left]",
                          "Propertys: [series]", "[TEdit]: [False]"}));
  EXPECT_EQ(r.lines[1], "");
  EXPECT_EQ(r.lines[4], "");
  EXPECT_EQ(r.lines[7], "  object Chart: TUnknown");
  for (int k = 9; k <= 11; ++k) EXPECT_EQ(r.lines[size_t(k)], "");
  EXPECT_EQ(r.lines[12], "  end");
  EXPECT_EQ(r.lines[14], "    Text = 'x' +");
  EXPECT_EQ(r.lines[15], "      'y'");
}

TEST(RewriteLogTest, StringsOverloadAppendsAfterExistingLines) {
  TStringList list(Lines{"object Form1: TForm1", "  object B: TButton", "  end", "end"});
  TStringList log(Lines{"[TPrevious]: [True]"});
  RewriteFormLines(list, log, IsRegistered);
  EXPECT_EQ(log.Lines(), (Lines{"[TPrevious]: [True]", "[TButton]: [False]"}));
}

TEST(RewriteLogTest, PredicateSeesTheClassNameOnly) {
  std::vector<std::string> asked;
  TStringList list(
      Lines{"object Form1: TForm1", "  object B: TButton", "  end", "  object TPanel [1]", "  end", "end"});
  std::vector<std::string> log;
  RewriteFormLines(list, log, [&](std::string_view name) {
    asked.emplace_back(name);
    return true;
  });
  EXPECT_EQ(asked, (Lines{"TButton", "TPanel"}));
}

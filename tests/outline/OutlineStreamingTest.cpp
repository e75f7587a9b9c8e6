// Outlines in form files: the directory outline's published interface, and
// what the writer stores of pictures, options and lines.
#include <algorithm>
#include <sstream>

#include "DirOutln/DirOutln.h"
#include "OutlineTestSupport.h"
#include "components/Reader.h"
#include "components/Registry.h"
#include "components/Writer.h"
#include "core/SysUtils.h"
#include "stock/MiscStock.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"

namespace {

class OutlineStreaming : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses({&TDirectoryOutline::StaticClassInfo(), &TOutline::StaticClassInfo()}); }
  std::string Write(TForm& f) {
    FormOutput out;
    FormTextWriter writer(out, FormTextOptions{"\n"});
    WriteComponent(&f, writer);
    return out.Str();
  }
  void Read(TForm& f, const std::string& text) {
    TReader reader(&f);
    ParseFormText(text, reader);
    reader.Finish();
  }
  TForm form{nullptr};
};

}  // namespace

TEST_F(OutlineStreaming, TheDirectoryOutlinePublishesItsListInOrder) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TDirectoryOutline::StaticClassInfo().Properties())
    if (p->published) names.push_back(p->name);
  const std::vector<std::string> expected{
      "TabStop",     "Align",       "Anchors",     "BorderStyle",    "Color",         "Constraints", "Ctl3D",
      "DragCursor",  "DragKind",    "DragMode",    "Enabled",        "Font",          "ItemHeight",  "Options",
      "ParentColor", "ParentCtl3D", "ParentFont",  "ParentShowHint", "PictureClosed", "PictureLeaf", "PictureOpen",
      "PopupMenu",   "ScrollBars",  "Style",       "ShowHint",       "TabOrder",      "TextCase",    "Visible",
      "OnChange",    "OnClick",     "OnCollapse",  "OnDblClick",     "OnDragDrop",    "OnDragOver",  "OnDrawItem",
      "OnEndDock",   "OnEndDrag",   "OnEnter",     "OnExit",         "OnExpand",      "OnKeyDown",   "OnKeyPress",
      "OnKeyUp",     "OnMouseDown", "OnMouseMove", "OnMouseUp",      "OnStartDock",   "OnStartDrag"};
  ASSERT_GE(names.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(names.end() - long(expected.size()), names.end()), expected);
  EXPECT_EQ(std::count(names.begin(), names.end(), "PicturePlus"), 0);
}

TEST_F(OutlineStreaming, AFreshDirectoryOutlineWritesItsOptionsButNoPictures) {
  auto* o = new TDirectoryOutline(&form);
  o->SetName("Dirs");
  o->SetParent(&form);
  const std::string text = Write(form);
  EXPECT_NE(text.find("Options = [ooDrawFocusRect]"), std::string::npos) << text;
  EXPECT_EQ(text.find("Picture"), std::string::npos) << text;
  EXPECT_EQ(text.find("TextCase"), std::string::npos) << text;
}

TEST_F(OutlineStreaming, AChangedPictureAndTheLinesRoundTrip) {
  auto* o = new TOutline(&form);
  o->SetName("Tree");
  o->SetParent(&form);
  TBitmap plus(5, 5);
  plus.Canvas()->Brush()->SetColor(clRed);
  plus.Canvas()->FillRect(Rect(0, 0, 5, 5));
  o->SetPicturePlus(&plus);
  FillOutline(*o, "A\n\tB\nC");
  const std::string text = Write(form);
  EXPECT_NE(text.find("PicturePlus.Data"), std::string::npos) << text;
  EXPECT_EQ(text.find("PictureMinus"), std::string::npos) << text;

  TForm copy(nullptr);
  Read(copy, text);
  auto* back = dynamic_cast<TOutline*>(copy.FindComponent("Tree"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->PicturePlus()->Width(), 5);
  EXPECT_EQ(PixelToColor(back->PicturePlus()->Image().pixel(2, 2)), clRed);
  EXPECT_EQ(back->Lines()->Text(), o->Lines()->Text());
  EXPECT_EQ(back->Items(2)->Level(), 2);
}

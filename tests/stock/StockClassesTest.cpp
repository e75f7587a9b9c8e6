// Every stock class a form file may name exists, constructs with an owner
// and, for controls, sits on a form.
#include <gtest/gtest.h>

#include <QWidget>

#include "StockTestSupport.h"
#include "components/Registry.h"
#include "controls/Render.h"
#include "stock/StockControls.h"

TEST(StockClasses, EveryNameResolvesToAClassOfThatName) {
  RegisterStockClassesForTests();
  EXPECT_EQ(StockClassNames().size(), 104u);
  for (const std::string& name : StockClassNames()) {
    const TClassInfo* cls = GetClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(cls->Name(), name);
  }
}

TEST(StockClasses, EveryComponentConstructsWithAnOwnerAndControlsJoinAForm) {
  RegisterStockClassesForTests();
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  for (const std::string& name : StockClassNames()) {
    const TClassInfo* cls = GetClass(name);
    if (name == "TFont") {
      ASSERT_NE(cls->objectFactory, nullptr);
      delete cls->objectFactory();
      continue;
    }
    ASSERT_NE(cls->componentFactory, nullptr) << name;
    TComponent* c = cls->componentFactory(&form);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->ClassName(), name);
    EXPECT_EQ(c->Owner(), &form);
    if (auto* control = dynamic_cast<TControl*>(c); control && name != "TForm") {
      control->SetParent(&form);
      EXPECT_EQ(control->Parent(), &form) << name;
      EXPECT_GT(control->Width(), 0) << name;
      EXPECT_GT(control->Height(), 0) << name;
    }
  }
  // Every control gets its window and paints.
  const QImage image = RenderFormClient(&form);
  EXPECT_FALSE(image.isNull());
}

TEST(StockClasses, NonVisualComponentsAreNotControls) {
  RegisterStockClassesForTests();
  for (const char* name :
       {"TMainMenu",
        "TPopupMenu",
        "TMenuItem",
        "TActionList",
        "TAction",
        "TTimer",
        "TApplicationEvents",
        "TImageList",
        "TXPColorMap",
        "TStandardColorMap",
        "TTwilightColorMap",
        "TCustomizeDlg",
        "TActionManager",
        "TOpenDialog",
        "TSaveDialog",
        "TOpenPictureDialog",
        "TSavePictureDialog",
        "TFontDialog",
        "TColorDialog",
        "TPrintDialog",
        "TPrinterSetupDialog",
        "TFindDialog",
        "TReplaceDialog",
        "TPageSetupDialog"}) {
    TComponent owner(nullptr);
    TComponent* c = GetClass(name)->componentFactory(&owner);
    EXPECT_EQ(dynamic_cast<TControl*>(c), nullptr) << name;
  }
}

// The example chain of examples/inherited previews through the viewer's own
// load with the real class registry: the customer form on top of its base
// dialog, with the address frame read from its own form.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "LoadPreview.h"
#include "Unit2.h"
#include "components/Reader.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "stock/Frames.h"
#include "stock/StockControls.h"

TEST(InheritedExample, CustomerFormPreviewsWithItsBaseDialogAndAddressFrame) {
  RegisterPreviewClasses();
  Application->Initialize();
  TStringList source, log;
  bool checked = false;
  LoadFormFile(
      std::string(TESSALY_SOURCE_DIR) + "/examples/inherited/CustomerForm.dfm", source, log, [&](TStream& resource) {
        std::unique_ptr<TForm2> preview(new TForm2(Application));
        ReadComponentRes(resource, preview.get());
        auto* ok = dynamic_cast<TButton*>(preview->FindComponent("OkButton"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->Caption(), "Save");
        EXPECT_EQ(ok->Parent(), preview->FindComponent("ButtonPanel"));
        auto* frame = dynamic_cast<TFrame*>(preview->FindComponent("Address1"));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->Left(), 8);
        EXPECT_EQ(frame->Width(), 416);
        // The frame owns its components, as in the application.
        auto* street = dynamic_cast<TLabel*>(frame->FindComponent("StreetLabel"));
        ASSERT_NE(street, nullptr);
        EXPECT_EQ(street->Caption(), "Road");
        EXPECT_EQ(street->Parent(), frame);
        EXPECT_EQ(preview->Caption(), "Customer");
        checked = true;
      });
  EXPECT_TRUE(checked);
  EXPECT_EQ(source.Lines()[0], "inherited FormCustomer: TFormCustomer");
}

// The example form loads, and its controls come out as the form says.
#include <fstream>
#include <sstream>
#include <string>

#include "Spin/SpinRules.h"
#include "SpinTestSupport.h"
#include "controls/Render.h"

namespace {

// The example's text without its event bindings (the preview drops them).
std::string ExampleWithoutEvents() {
  std::ifstream in(std::string(TESSALY_SOURCE_DIR) + "/examples/spin.dfm", std::ios::binary);
  std::string line, out;
  while (std::getline(in, line)) {
    const size_t start = line.find_first_not_of(' ');
    if (start != std::string::npos && line.compare(start, 2, "On") == 0) continue;
    out += line + "\n";
  }
  return out;
}

class SpinExample : public SpinFixture {
 protected:
  void SetUp() override {
    SpinFixture::SetUp();
    example = FormFromText(ExampleWithoutEvents());
  }
  template <class T>
  T* Find(const char* name) {
    auto* c = dynamic_cast<T*>(example->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  std::unique_ptr<TForm> example;
};

TEST_F(SpinExample, EditsTakeTheirValuesAndBounds) {
  EXPECT_EQ(Find<TSpinEdit>("Quantity")->Value(), 5);
  EXPECT_EQ(Find<TSpinEdit>("Percent")->Increment(), 10);
  EXPECT_EQ(Find<TSpinEdit>("Unbounded")->Text(), "-2147483648");
  EXPECT_FALSE(Find<TSpinEdit>("Locked")->EditorEnabled());
  EXPECT_TRUE(Find<TSpinEdit>("ReadOnlyEdit")->ReadOnly());
  // Only the edits and the spin buttons the form names are its components.
  int spinButtons = 0;
  for (int i = 0; i < example->ComponentCount(); ++i)
    spinButtons += dynamic_cast<TSpinButton*>(example->Components(i)) != nullptr;
  EXPECT_EQ(spinButtons, 4);
}

TEST_F(SpinExample, SpinButtonsAreLaidOutAfterLoading) {
  auto* page = Find<TSpinButton>("PageSpin");
  EXPECT_EQ(page->FocusControl(), Find<TSpinEdit>("Quantity"));
  auto* narrow = Find<TSpinButton>("NarrowSpin");
  EXPECT_EQ(narrow->Width(), 15);
  EXPECT_EQ(narrow->LowerButton()->BoundsRect(), Bounds(0, 7, 15, 10));
  auto* tall = Find<TSpinButton>("TallSpin");
  EXPECT_EQ(tall->UpperButton()->BoundsRect(), Bounds(0, 0, 32, 32));
  EXPECT_EQ(tall->LowerButton()->BoundsRect(), Bounds(0, 31, 32, 33));
}

TEST_F(SpinExample, AnEditLowerThanItsFontNeedsIsGrown) {
  // Height is read before Font: it grows to the minimum of the font in force
  // then; the bigger font counts from the next resize on.
  auto* big = Find<TSpinEdit>("BigFont");
  EXPECT_GT(big->Height(), 20);
  big->SetHeight(10);
  EXPECT_EQ(big->Height(), big->MinimumHeight());
}

TEST_F(SpinExample, EmbeddedButtonsSitAtTheRightEdge) {
  auto* flat = Find<TSpinEdit>("FlatEdit");
  EXPECT_EQ(flat->Button()->BoundsRect(), ::spin::EmbeddedButtonBounds(flat->Width(), flat->Height(), 15, false));
  auto* quantity = Find<TSpinEdit>("Quantity");
  EXPECT_EQ(
      quantity->Button()->BoundsRect(), ::spin::EmbeddedButtonBounds(quantity->Width(), quantity->Height(), 15, true));
  if (const char* dir = std::getenv("TESSALY_SPIN_RENDER"))  // for a look by eye
    RenderFormClient(example.get()).save(QString(dir) + "/spin-example.png");
}

}  // namespace

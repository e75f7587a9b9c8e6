#include "OutlineTestSupport.h"

#include "core/Strings.h"

namespace {

LPARAM At(int x, int y) { return MakeLParam(uint16_t(int16_t(x)), uint16_t(int16_t(y))); }

}  // namespace

QImage TProbeOutline::Render() {
  QImage image(Width(), Height(), QImage::Format_RGB32);
  image.fill(QColor(0x12, 0x34, 0x56));
  Canvas()->Attach(&image);
  Paint();
  Canvas()->Detach();
  return image;
}

void ClickAt(TControl* control, int x, int y) {
  control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  control->Perform(WM_LBUTTONUP, 0, At(x, y));
}

void DoubleClickAt(TControl* control, int x, int y) {
  ClickAt(control, x, y);
  control->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
  control->Perform(WM_LBUTTONUP, 0, At(x, y));
}

void KeyDownTo(TWinControl* control, Word key) { control->Perform(WM_KEYDOWN, key, 0); }

void CharTo(TWinControl* control, char ch) { control->Perform(WM_CHAR, Word(static_cast<unsigned char>(ch)), 0); }

TColor Rgb(TColor color) { return ColorToRGB(color); }
TColor PixelAt(const QImage& image, int x, int y) { return PixelToColor(image.pixel(x, y)); }

void FillOutline(TCustomOutline& outline, const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  outline.SetLines(&lines);
}

void OutlineFixture::SetUp() {
  form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 400, 300);
  outline = new TProbeOutline(form.get());
  outline->SetParent(form.get());
  outline->SetBounds(10, 10, 200, 120);
  form->Show();
}

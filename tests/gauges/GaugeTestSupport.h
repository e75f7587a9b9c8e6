// Helpers shared by the gauge tests: a gauge whose repaints can be counted
// and whose picture can be rendered off-screen, and pixel access.
#pragma once

#include <QImage>

#include "Gauges/Gauges.h"
#include "controls/Graphics.h"

// Counts Refresh/Repaint requests, and paints into an image on demand.
class TProbeGauge : public TGauge {
 public:
  explicit TProbeGauge(TComponent* owner = nullptr) : TGauge(owner) {}

  int repaints = 0;
  void Repaint() override {
    ++repaints;
    TGauge::Repaint();
  }

  // Runs Paint on a canvas attached to a fresh image of the gauge's size,
  // first filled with a colour Paint never uses, so uncovered pixels show.
  QImage Render() {
    QImage image(Width(), Height(), QImage::Format_RGB32);
    image.fill(QColor(0x12, 0x34, 0x56));
    Canvas()->Attach(&image);
    Paint();
    Canvas()->Detach();
    return image;
  }
};

inline TColor PixelAt(const QImage& image, int x, int y) { return PixelToColor(image.pixel(x, y)); }

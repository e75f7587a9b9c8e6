// The window-frame sub-objects of a form: GlassFrame (the frame extended
// into the client area) and CustomTitleBar (a title bar the form draws
// itself). A preview draws neither; the values load and stream back.
#pragma once

#include "core/Persistent.h"

class TGlassFrame : public TPersistent {
  TESSALY_CLASS(TGlassFrame)

 public:
  TGlassFrame() = default;
  void Assign(const TPersistent& source) override;
};

class TTitleBar : public TPersistent {
  TESSALY_CLASS(TTitleBar)

 public:
  TTitleBar() = default;
  void Assign(const TPersistent& source) override;
};

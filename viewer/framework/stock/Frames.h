// TFrame: a reusable group of controls, nested in forms as a windowed
// container with the look of the form's client area.
#pragma once

#include <memory>

#include "StdCtrls.h"
#include "controls/Forms.h"

class TFrame : public TCustomControl {
  TESSALY_CLASS(TFrame)

 public:
  explicit TFrame(TComponent* owner);
  ~TFrame() override;
  TControlScrollBar* HorzScrollBar() const { return horz_.get(); }
  TControlScrollBar* VertScrollBar() const { return vert_.get(); }

 private:
  std::unique_ptr<TControlScrollBar> horz_, vert_;
};

// The preview window, the placeholder control and the class registration.
//
// A loaded form is streamed into a fresh TForm2: the form's root properties
// replace the preview's own and its components become the preview's. A
// component whose class is not registered arrives as a TUnknown, which keeps
// its position and size and draws a crossed box.
#pragma once

#include "controls/Forms.h"

class TStream;

// The placeholder of an unregistered component: a box crossed from corner to
// corner, drawn with the control's current pen and brush.
class TUnknown : public TCustomControl {
  TESSALY_CLASS(TUnknown)

 public:
  explicit TUnknown(TComponent* owner);

  void SetBounds(int left, int top, int width, int height) override;
  // A placeholder that was read without a size stands for a non-visual
  // component: the designer showed it as an icon that no scroll bar had to
  // reach, so its box does not widen the form's scroll range either.
  bool WidensScrollRange() const override { return sizeRead_; }

 protected:
  void Paint() override;

 private:
  bool sizeRead_ = false;
};

class TForm2 : public TForm {
  TESSALY_CLASS(TForm2)

 public:
  // Creates the window from its own form description.
  explicit TForm2(TComponent* owner);

  // Bound by the form description to OnMouseMove; does nothing.
  void FormMouseMove(TPersistent* sender);
};

// The preview module's form variable: the last preview created. It still
// points at the destroyed preview after a load; nothing reads it then.
extern TForm2* Form2;

// Creates a preview owned by the application, reads the form resource into
// it, shows it modally and destroys it, also when reading or showing raises.
void ShowFormPreview(TStream& resource);

// Registers the 110 component classes that form files may name, in their
// fixed order, TUnknown first. The program's start-up calls it before
// anything else (the preview module's initialisation).
void RegisterPreviewClasses();

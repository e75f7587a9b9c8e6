#include "FormTitleBar.h"

#include "Controls.h"
#include "components/Component.h"

const TClassInfo& TGlassFrame::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TGlassFrame>("TGlassFrame", &TPersistent::StaticClassInfo())
          .BoolField("Enabled", false)
          .IntegerField("Left", 0)
          .IntegerField("Top", 0)
          .IntegerField("Right", 0)
          .IntegerField("Bottom", 0)
          .BoolField("SheetOfGlass", false)
          .Build();
  return info;
}

void TGlassFrame::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TGlassFrame*>(&source)) {
    CopyFieldsFrom(*s);
    return;
  }
  TPersistent::Assign(source);
}

const TClassInfo& TTitleBar::StaticClassInfo() {
  // Colours default to clNone (0x1FFFFFFF): "take the system's".
  constexpr int64_t none = 0x1FFFFFFF;
  static const TClassInfo info =
      ClassBuilder<TTitleBar>("TTitleBar", &TPersistent::StaticClassInfo())
          .IgnoredReference("Control", &TComponent::StaticClassInfo)
          .BoolField("Enabled", false)
          .IntegerField("Height", 31)
          .BoolField("ShowCaption", true)
          .BoolField("ShowIcon", true)
          .BoolField("SystemButtons", true)
          .BoolField("SystemColors", true)
          .BoolField("SystemHeight", true)
          .ColorField("BackgroundColor", none)
          .ColorField("ForegroundColor", none)
          .ColorField("InactiveBackgroundColor", none)
          .ColorField("InactiveForegroundColor", none)
          .ColorField("ButtonForegroundColor", none)
          .ColorField("ButtonBackgroundColor", none)
          .ColorField("ButtonHoverForegroundColor", none)
          .ColorField("ButtonHoverBackgroundColor", none)
          .ColorField("ButtonPressedForegroundColor", none)
          .ColorField("ButtonPressedBackgroundColor", none)
          .ColorField("ButtonInactiveForegroundColor", none)
          .ColorField("ButtonInactiveBackgroundColor", none)
          .EnumField("CaptionAlignment", AlignmentEnumInfo(), taLeftJustify)
          .Build();
  return info;
}

void TTitleBar::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TTitleBar*>(&source)) {
    CopyFieldsFrom(*s);
    return;
  }
  TPersistent::Assign(source);
}

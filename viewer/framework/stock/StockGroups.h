// Property groups that stock units share beyond those of every control
// (controls/PropertyGroups.h): what edit-like and list-like controls
// publish, for the masked edit and check list box and their data-aware
// counterparts.
#pragma once

#include "StdCtrls.h"
#include "controls/PropertyGroups.h"

namespace groups {

template <class C>
void PublishEditLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  b.EnumField("Alignment", AlignmentEnumInfo(), "taLeftJustify")
      .Publish("AutoSelect")
      .Publish("AutoSize", 1)
      .Publish("BorderStyle")
      .Publish("CharCase")
      .Publish("HideSelection")
      .Publish("MaxLength")
      .BoolField("OEMConvert", false)
      .Publish("PasswordChar")
      .Publish("ReadOnly")
      .StringField("TextHint")
      .Publish("OnChange");
}

template <class C>
void PublishListLike(ClassBuilder<C>& b) {
  groups::PublishControl(b);
  groups::PublishLooks(b, clWindow);
  groups::PublishWindowed(b, groups::TabStop::DefaultTrue);
  groups::PublishBevels(b);
  b.BoolField("AutoComplete", true)
      .Enum("BorderStyle", EditBorderStyleEnumInfo(), &C::BorderStyle, &C::SetBorderStyle, ebsSingle)
      .Integer("Columns", &C::Columns, &C::SetColumns, 0)
      .BoolField("ExtendedSelect", true)
      .BoolField("IntegralHeight", false)
      .IntegerField("ItemHeight", 16)
      .Object("Items", &TStrings::StaticClassInfo, &C::Items, &C::SetItems)
      .Bool("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false)
      .Bool("Sorted", &C::Sorted, &C::SetSorted, false)
      .EnumField("Style", ListBoxStyleEnumInfo(), "lbStandard")
      .IntegerField("TabWidth", 0)
      .Event("OnDrawItem", &C::OnDrawItem)
      .Event("OnMeasureItem", &C::OnMeasureItem);
}

}  // namespace groups

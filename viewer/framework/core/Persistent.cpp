#include "Persistent.h"

#include "Exceptions.h"
#include "SysUtils.h"

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info("TPersistent", nullptr);
  return info;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  throw EConvertError(Format("Cannot assign a %s to a %s", ClassName(), dest.ClassName()));
}

TFieldValue& TPersistent::FieldOf(const std::string& name) {
  if (!fields_) fields_ = std::make_unique<std::vector<std::pair<std::string, TFieldValue>>>();
  for (auto& [n, v] : *fields_)
    if (n == name) return v;
  fields_->emplace_back(name, TFieldValue{});
  return fields_->back().second;
}

void TPersistent::CopyFieldsFrom(const TPersistent& source) {
  if (&source == this) return;
  if (!source.fields_) {
    fields_.reset();
    return;
  }
  fields_ = std::make_unique<std::vector<std::pair<std::string, TFieldValue>>>(*source.fields_);
}

const TFieldValue* TPersistent::FindField(const std::string& name) const {
  if (!fields_) return nullptr;
  for (auto& [n, v] : *fields_)
    if (n == name) return &v;
  return nullptr;
}

void BindFieldAccessors(TPropInfo& p) {
  const std::string name = p.name;
  switch (p.kind) {
    case TTypeKind::tkFloat:
      p.getFloat = [name](const TPersistent* o) -> long double {
        const TFieldValue* f = o->FindField(name);
        return f ? f->flt : 0;
      };
      p.setFloat = [name](TPersistent* o, long double v) { o->FieldOf(name).flt = v; };
      break;
    case TTypeKind::tkString:
      p.getString = [name](const TPersistent* o) -> std::string {
        const TFieldValue* f = o->FindField(name);
        return f ? f->str : std::string();
      };
      p.setString = [name](TPersistent* o, const std::string& v) { o->FieldOf(name).str = v; };
      break;
    default: {
      // An ordinal field starts at its default, as a constructor would set it.
      const int64_t initial = p.defaultOrd.value_or(0);
      p.getOrd = [name, initial](const TPersistent* o) -> int64_t {
        const TFieldValue* f = o->FindField(name);
        return f ? f->ord : initial;
      };
      p.setOrd = [name](TPersistent* o, int64_t v) { o->FieldOf(name).ord = v; };
      break;
    }
  }
}

const TIdentMap& ColorIdents() {
  static const TIdentMap map{{
      {0x000000, "clBlack"},       {0x000080, "clMaroon"},      {0x008000, "clGreen"},
      {0x008080, "clOlive"},       {0x800000, "clNavy"},        {0x800080, "clPurple"},
      {0x808000, "clTeal"},        {0x808080, "clGray"},        {0xC0C0C0, "clSilver"},
      {0x0000FF, "clRed"},         {0x00FF00, "clLime"},        {0x00FFFF, "clYellow"},
      {0xFF0000, "clBlue"},        {0xFF00FF, "clFuchsia"},     {0xFFFF00, "clAqua"},
      {0xFFFFFF, "clWhite"},       {0xC0DCC0, "clMoneyGreen"},  {0xF0CAA6, "clSkyBlue"},
      {0xF0FBFF, "clCream"},       {0xA4A0A0, "clMedGray"},     {0x1FFFFFFF, "clNone"},
      {0x20000000, "clDefault"},
      {int64_t(int32_t(0xFF000000)), "clScrollBar"},
      {int64_t(int32_t(0xFF000001)), "clBackground"},
      {int64_t(int32_t(0xFF000002)), "clActiveCaption"},
      {int64_t(int32_t(0xFF000003)), "clInactiveCaption"},
      {int64_t(int32_t(0xFF000004)), "clMenu"},
      {int64_t(int32_t(0xFF000005)), "clWindow"},
      {int64_t(int32_t(0xFF000006)), "clWindowFrame"},
      {int64_t(int32_t(0xFF000007)), "clMenuText"},
      {int64_t(int32_t(0xFF000008)), "clWindowText"},
      {int64_t(int32_t(0xFF000009)), "clCaptionText"},
      {int64_t(int32_t(0xFF00000A)), "clActiveBorder"},
      {int64_t(int32_t(0xFF00000B)), "clInactiveBorder"},
      {int64_t(int32_t(0xFF00000C)), "clAppWorkSpace"},
      {int64_t(int32_t(0xFF00000D)), "clHighlight"},
      {int64_t(int32_t(0xFF00000E)), "clHighlightText"},
      {int64_t(int32_t(0xFF00000F)), "clBtnFace"},
      {int64_t(int32_t(0xFF000010)), "clBtnShadow"},
      {int64_t(int32_t(0xFF000011)), "clGrayText"},
      {int64_t(int32_t(0xFF000012)), "clBtnText"},
      {int64_t(int32_t(0xFF000013)), "clInactiveCaptionText"},
      {int64_t(int32_t(0xFF000014)), "clBtnHighlight"},
      {int64_t(int32_t(0xFF000015)), "cl3DDkShadow"},
      {int64_t(int32_t(0xFF000016)), "cl3DLight"},
      {int64_t(int32_t(0xFF000017)), "clInfoText"},
      {int64_t(int32_t(0xFF000018)), "clInfoBk"},
      {int64_t(int32_t(0xFF00001A)), "clHotLight"},
      {int64_t(int32_t(0xFF00001B)), "clGradientActiveCaption"},
      {int64_t(int32_t(0xFF00001C)), "clGradientInactiveCaption"},
      {int64_t(int32_t(0xFF00001D)), "clMenuHighlight"},
      {int64_t(int32_t(0xFF00001E)), "clMenuBar"},
  }};
  return map;
}

const TIdentMap& CursorIdents() {
  static const TIdentMap map{{
      {0, "crDefault"},     {-1, "crNone"},        {-2, "crArrow"},      {-3, "crCross"},
      {-4, "crIBeam"},      {-5, "crSizeNESW"},    {-6, "crSizeNS"},     {-7, "crSizeNWSE"},
      {-8, "crSizeWE"},     {-9, "crUpArrow"},     {-11, "crHourGlass"}, {-12, "crDrag"},
      {-13, "crNoDrop"},    {-14, "crHSplit"},     {-15, "crVSplit"},    {-16, "crMultiDrag"},
      {-17, "crSQLWait"},   {-18, "crNo"},         {-19, "crAppStart"},  {-20, "crHelp"},
      {-21, "crHandPoint"}, {-22, "crSizeAll"},    {-10, "crSize"},
  }};
  return map;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap map{{
      {0, "ANSI_CHARSET"},        {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
      {77, "MAC_CHARSET"},        {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
      {130, "JOHAB_CHARSET"},     {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
      {161, "GREEK_CHARSET"},     {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
      {177, "HEBREW_CHARSET"},    {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
      {204, "RUSSIAN_CHARSET"},   {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
      {255, "OEM_CHARSET"},
  }};
  return map;
}

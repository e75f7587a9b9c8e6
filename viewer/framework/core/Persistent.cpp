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
  static const TIdentMap map{
      {
          {0x000000, "clBlack"},
          {0x000080, "clMaroon"},
          {0x008000, "clGreen"},
          {0x008080, "clOlive"},
          {0x800000, "clNavy"},
          {0x800080, "clPurple"},
          {0x808000, "clTeal"},
          {0x808080, "clGray"},
          {0xC0C0C0, "clSilver"},
          {0x0000FF, "clRed"},
          {0x00FF00, "clLime"},
          {0x00FFFF, "clYellow"},
          {0xFF0000, "clBlue"},
          {0xFF00FF, "clFuchsia"},
          {0xFFFF00, "clAqua"},
          {0xFFFFFF, "clWhite"},
          {0xC0DCC0, "clMoneyGreen"},
          {0xF0CAA6, "clSkyBlue"},
          {0xF0FBFF, "clCream"},
          {0xA4A0A0, "clMedGray"},
          {0x1FFFFFFF, "clNone"},
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
      },
      {
          // The named web colours of later versions, which forms saved by them
          // store by name. Read only: a written colour keeps the older name or
          // its number, which every version reads.
          {0xFFF8F0, "clWebAliceBlue"},
          {0xD7EBFA, "clWebAntiqueWhite"},
          {0xFFFF00, "clWebAqua"},
          {0xD4FF7F, "clWebAquamarine"},
          {0xFFFFF0, "clWebAzure"},
          {0xDCF5F5, "clWebBeige"},
          {0xC4E4FF, "clWebBisque"},
          {0x000000, "clWebBlack"},
          {0xCDEBFF, "clWebBlanchedAlmond"},
          {0xFF0000, "clWebBlue"},
          {0xE22B8A, "clWebBlueViolet"},
          {0x2A2AA5, "clWebBrown"},
          {0x87B8DE, "clWebBurlyWood"},
          {0xA09E5F, "clWebCadetBlue"},
          {0x00FF7F, "clWebChartreuse"},
          {0x1E69D2, "clWebChocolate"},
          {0x507FFF, "clWebCoral"},
          {0xED9564, "clWebCornflowerBlue"},
          {0xDCF8FF, "clWebCornsilk"},
          {0x3C14DC, "clWebCrimson"},
          {0xFFFF00, "clWebCyan"},
          {0x8B0000, "clWebDarkBlue"},
          {0x8B8B00, "clWebDarkCyan"},
          {0x0B86B8, "clWebDarkGoldenRod"},
          {0xA9A9A9, "clWebDarkGray"},
          {0x006400, "clWebDarkGreen"},
          {0x6BB7BD, "clWebDarkKhaki"},
          {0x8B008B, "clWebDarkMagenta"},
          {0x2F6B55, "clWebDarkOliveGreen"},
          {0x008CFF, "clWebDarkOrange"},
          {0xCC3299, "clWebDarkOrchid"},
          {0x00008B, "clWebDarkRed"},
          {0x7A96E9, "clWebDarkSalmon"},
          {0x8FBC8F, "clWebDarkSeaGreen"},
          {0x8B3D48, "clWebDarkSlateBlue"},
          {0x4F4F2F, "clWebDarkSlateGray"},
          {0xD1CE00, "clWebDarkTurquoise"},
          {0xD30094, "clWebDarkViolet"},
          {0x9314FF, "clWebDeepPink"},
          {0xFFBF00, "clWebDeepSkyBlue"},
          {0x696969, "clWebDimGray"},
          {0xFF901E, "clWebDodgerBlue"},
          {0x2222B2, "clWebFireBrick"},
          {0xF0FAFF, "clWebFloralWhite"},
          {0x228B22, "clWebForestGreen"},
          {0xFF00FF, "clWebFuchsia"},
          {0xDCDCDC, "clWebGainsboro"},
          {0xFFF8F8, "clWebGhostWhite"},
          {0x00D7FF, "clWebGold"},
          {0x20A5DA, "clWebGoldenRod"},
          {0x808080, "clWebGray"},
          {0x008000, "clWebGreen"},
          {0x2FFFAD, "clWebGreenYellow"},
          {0xF0FFF0, "clWebHoneyDew"},
          {0xB469FF, "clWebHotPink"},
          {0x5C5CCD, "clWebIndianRed"},
          {0x82004B, "clWebIndigo"},
          {0xF0FFFF, "clWebIvory"},
          {0x8CE6F0, "clWebKhaki"},
          {0xFAE6E6, "clWebLavender"},
          {0xF5F0FF, "clWebLavenderBlush"},
          {0x00FC7C, "clWebLawnGreen"},
          {0xCDFAFF, "clWebLemonChiffon"},
          {0xE6D8AD, "clWebLightBlue"},
          {0x8080F0, "clWebLightCoral"},
          {0xFFFFE0, "clWebLightCyan"},
          {0xD2FAFA, "clWebLightGoldenRodYellow"},
          {0xD3D3D3, "clWebLightGrey"},
          {0x90EE90, "clWebLightGreen"},
          {0xC1B6FF, "clWebLightPink"},
          {0x7AA0FF, "clWebLightSalmon"},
          {0xAAB220, "clWebLightSeaGreen"},
          {0xFACE87, "clWebLightSkyBlue"},
          {0x998877, "clWebLightSlateGray"},
          {0xDEC4B0, "clWebLightSteelBlue"},
          {0xE0FFFF, "clWebLightYellow"},
          {0x00FF00, "clWebLime"},
          {0x32CD32, "clWebLimeGreen"},
          {0xE6F0FA, "clWebLinen"},
          {0xFF00FF, "clWebMagenta"},
          {0x000080, "clWebMaroon"},
          {0xAACD66, "clWebMediumAquamarine"},
          {0xCD0000, "clWebMediumBlue"},
          {0xD355BA, "clWebMediumOrchid"},
          {0xDB7093, "clWebMediumPurple"},
          {0x71B33C, "clWebMediumSeaGreen"},
          {0xEE687B, "clWebMediumSlateBlue"},
          {0x9AFA00, "clWebMediumSpringGreen"},
          {0xCCD148, "clWebMediumTurquoise"},
          {0x8515C7, "clWebMediumVioletRed"},
          {0x701919, "clWebMidnightBlue"},
          {0xFAFFF5, "clWebMintCream"},
          {0xE1E4FF, "clWebMistyRose"},
          {0xB5E4FF, "clWebMoccasin"},
          {0xADDEFF, "clWebNavajoWhite"},
          {0x800000, "clWebNavy"},
          {0xE6F5FD, "clWebOldLace"},
          {0x008080, "clWebOlive"},
          {0x238E6B, "clWebOliveDrab"},
          {0x00A5FF, "clWebOrange"},
          {0x0045FF, "clWebOrangeRed"},
          {0xD670DA, "clWebOrchid"},
          {0xAAE8EE, "clWebPaleGoldenRod"},
          {0x98FB98, "clWebPaleGreen"},
          {0xEEEEAF, "clWebPaleTurquoise"},
          {0x9370DB, "clWebPaleVioletRed"},
          {0xD5EFFF, "clWebPapayaWhip"},
          {0xB9DAFF, "clWebPeachPuff"},
          {0x3F85CD, "clWebPeru"},
          {0xCBC0FF, "clWebPink"},
          {0xDDA0DD, "clWebPlum"},
          {0xE6E0B0, "clWebPowderBlue"},
          {0x800080, "clWebPurple"},
          {0x0000FF, "clWebRed"},
          {0x8F8FBC, "clWebRosyBrown"},
          {0xE16941, "clWebRoyalBlue"},
          {0x13458B, "clWebSaddleBrown"},
          {0x7280FA, "clWebSalmon"},
          {0x60A4F4, "clWebSandyBrown"},
          {0x578B2E, "clWebSeaGreen"},
          {0xEEF5FF, "clWebSeashell"},
          {0x2D52A0, "clWebSienna"},
          {0xC0C0C0, "clWebSilver"},
          {0xEBCE87, "clWebSkyBlue"},
          {0xCD5A6A, "clWebSlateBlue"},
          {0x908070, "clWebSlateGray"},
          {0xFAFAFF, "clWebSnow"},
          {0x7FFF00, "clWebSpringGreen"},
          {0xB48246, "clWebSteelBlue"},
          {0x8CB4D2, "clWebTan"},
          {0x808000, "clWebTeal"},
          {0xD8BFD8, "clWebThistle"},
          {0x4763FF, "clWebTomato"},
          {0xD0E040, "clWebTurquoise"},
          {0xEE82EE, "clWebViolet"},
          {0xB3DEF5, "clWebWheat"},
          {0xFFFFFF, "clWebWhite"},
          {0xF5F5F5, "clWebWhiteSmoke"},
          {0x00FFFF, "clWebYellow"},
          {0x32CD9A, "clWebYellowGreen"},
      }};
  return map;
}

const TIdentMap& CursorIdents() {
  static const TIdentMap map{{
      {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},    {-3, "crCross"},     {-4, "crIBeam"},
      {-5, "crSizeNESW"},   {-6, "crSizeNS"},   {-7, "crSizeNWSE"}, {-8, "crSizeWE"},    {-9, "crUpArrow"},
      {-11, "crHourGlass"}, {-12, "crDrag"},    {-13, "crNoDrop"},  {-14, "crHSplit"},   {-15, "crVSplit"},
      {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"},      {-19, "crAppStart"}, {-20, "crHelp"},
      {-21, "crHandPoint"}, {-22, "crSizeAll"}, {-10, "crSize"},
  }};
  return map;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap map{{
      {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
      {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
      {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
      {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
      {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
  }};
  return map;
}

#include "Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include "FontMapping.h"

// ---------------------------------------------------------------------------
// Colours

namespace {

// The classic desktop palette of the system colours, by index.
constexpr TColor kSystemPalette[] = {
    RGB(212, 208, 200),  // clScrollBar
    RGB(58, 110, 165),   // clBackground
    RGB(10, 36, 106),    // clActiveCaption
    RGB(128, 128, 128),  // clInactiveCaption
    RGB(212, 208, 200),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(0, 0, 0),        // clWindowFrame
    RGB(0, 0, 0),        // clMenuText
    RGB(0, 0, 0),        // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(212, 208, 200),  // clActiveBorder
    RGB(212, 208, 200),  // clInactiveBorder
    RGB(128, 128, 128),  // clAppWorkSpace
    RGB(10, 36, 106),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(212, 208, 200),  // clBtnFace
    RGB(128, 128, 128),  // clBtnShadow
    RGB(128, 128, 128),  // clGrayText
    RGB(0, 0, 0),        // clBtnText
    RGB(212, 208, 200),  // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(64, 64, 64),     // cl3DDkShadow
    RGB(212, 208, 200),  // cl3DLight
    RGB(0, 0, 0),        // clInfoText
    RGB(255, 255, 225),  // clInfoBk
    RGB(192, 192, 192),  // (unused index 25)
    RGB(0, 0, 128),      // clHotLight
    RGB(166, 202, 240),  // clGradientActiveCaption
    RGB(192, 192, 192),  // clGradientInactiveCaption
    RGB(10, 36, 106),    // clMenuHighlight
    RGB(212, 208, 200),  // clMenuBar
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) {
    uint32_t index = uint32_t(color) & 0xFFu;
    if (index < std::size(kSystemPalette)) return kSystemPalette[index];
    return clBlack;
  }
  if (color == clNone) return clWhite;
  if (color == clDefault) return ColorToRGB(clWindow);
  return color & 0xFFFFFF;
}

QColor ColorToQColor(TColor color) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QPalette SystemColorsPalette() {
  QPalette pal;
  auto set = [&pal](QPalette::ColorRole role, TColor color) { pal.setColor(role, ColorToQColor(color)); };
  set(QPalette::Window, clBtnFace);
  set(QPalette::Button, clBtnFace);
  set(QPalette::Base, clWindow);
  set(QPalette::AlternateBase, clBtnFace);
  set(QPalette::Text, clWindowText);
  set(QPalette::WindowText, clWindowText);
  set(QPalette::ButtonText, clBtnText);
  set(QPalette::BrightText, clBtnHighlight);
  set(QPalette::Highlight, clHighlight);
  set(QPalette::HighlightedText, clHighlightText);
  set(QPalette::ToolTipBase, clInfoBk);
  set(QPalette::ToolTipText, clInfoText);
  set(QPalette::PlaceholderText, clGrayText);
  // The 3-D edges: the classic style draws a sunken edge Dark and Shadow
  // over Light and Midlight, a raised one the other way round.
  set(QPalette::Light, clBtnHighlight);
  set(QPalette::Midlight, cl3DLight);
  set(QPalette::Dark, clBtnShadow);
  set(QPalette::Mid, clBtnShadow);
  set(QPalette::Shadow, cl3DDkShadow);
  SetDisabledText(pal);
  return pal;
}

void SetDisabledText(QPalette& pal) {
  const QColor gray = ColorToQColor(clGrayText);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    pal.setColor(QPalette::Disabled, role, gray);
  // A disabled edit keeps its colour; the selection greys out.
  pal.setColor(QPalette::Disabled, QPalette::Highlight, ColorToQColor(clBtnShadow));
}

TColor QColorToColor(const QColor& color) {
  QColor c = color.toRgb();
  return RGB(c.red(), c.green(), c.blue());
}

uint32_t ColorToPixel(TColor color) {
  TColor c = ColorToRGB(color);
  return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | uint32_t(GetBValue(c));
}

TColor PixelToColor(uint32_t pixel) {
  return RGB(int((pixel >> 16) & 0xFF), int((pixel >> 8) & 0xFF), int(pixel & 0xFF));
}

// ---------------------------------------------------------------------------
// Geometry

void InflateRect(TRect& r, int32_t dx, int32_t dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

void OffsetRect(TRect& r, int32_t dx, int32_t dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) {
    dest = TRect{};
    return false;
  }
  dest = r;
  return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b) {
  if (a.IsEmpty()) {
    dest = b.IsEmpty() ? TRect{} : b;
  } else if (b.IsEmpty()) {
    dest = a;
  } else {
    dest = TRect{
        std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
  }
  return !dest.IsEmpty();
}

void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }
bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = int64_t(number) * numerator;
  int64_t half = std::llabs(denominator) / 2;
  // Rounds half away from zero.
  bool negative = (product < 0) != (denominator < 0);
  int64_t q = (std::llabs(product) + half) / std::llabs(denominator);
  return int(negative ? -q : q);
}

// ---------------------------------------------------------------------------
// Type information

const TEnumInfo& FontStyleEnumInfo() {
  static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return info;
}
const TEnumInfo& FontPitchEnumInfo() {
  static const TEnumInfo info{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};
  return info;
}
const TEnumInfo& FontQualityEnumInfo() {
  static const TEnumInfo info{
      "TFontQuality",
      {"fqDefault", "fqDraft", "fqProof", "fqNonAntialiased", "fqAntialiased", "fqClearType", "fqClearTypeNatural"}};
  return info;
}
const TEnumInfo& PenStyleEnumInfo() {
  static const TEnumInfo info{
      "TPenStyle",
      {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame", "psUserStyle",
       "psAlternate"}};
  return info;
}
const TEnumInfo& PenModeEnumInfo() {
  static const TEnumInfo info{
      "TPenMode",
      {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen",
       "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
  return info;
}
const TEnumInfo& BrushStyleEnumInfo() {
  static const TEnumInfo info{
      "TBrushStyle",
      {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
  return info;
}

// ---------------------------------------------------------------------------
// TFont

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TFont>("TFont", &TPersistent::StaticClassInfo())
          // Charset, Color, Height, Name and Style have no default: form
          // files always carry all five for a font that is stored.
          .Integer("Charset", &TFont::Charset, &TFont::SetCharset, std::nullopt, &CharsetIdents())
          .Color("Color", &TFont::Color, &TFont::SetColor)
          .Integer("Height", &TFont::Height, &TFont::SetHeight)
          .String("Name", &TFont::Name, &TFont::SetName)
          .Enum("Pitch", FontPitchEnumInfo(), &TFont::Pitch, &TFont::SetPitch, fpDefault)
          .Integer("Size", &TFont::Size, &TFont::SetSize)
          .StoredWhen([](const TFont*) { return false; })
          .Set("Style", FontStyleEnumInfo(), &TFont::Style, &TFont::SetStyle)
          .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0)
          .Enum("Quality", FontQualityEnumInfo(), &TFont::Quality, &TFont::SetQuality, fqDefault)
          .Build();
  return info;
}

TFont::TFont() = default;

void TFont::Assign(const TPersistent& source) {
  if (auto* f = dynamic_cast<const TFont*>(&source)) {
    // Nothing changes: no change notice, which would make every control
    // taking its parent's font re-measure and re-sync for nothing.
    if (f == this ||
        (*this == *f && pixelsPerInch_ == f->pixelsPerInch_ && std::strcmp(defaultCodePage_, f->defaultCodePage_) == 0))
      return;
    charset_ = f->charset_;
    color_ = f->color_;
    height_ = f->height_;
    name_ = f->name_;
    pitch_ = f->pitch_;
    style_ = f->style_;
    orientation_ = f->orientation_;
    quality_ = f->quality_;
    pixelsPerInch_ = f->pixelsPerInch_;
    defaultCodePage_ = f->defaultCodePage_;
    qfontCache_ = f->qfontCache_;  // made from what was just copied
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

#define TESSALY_SETTER(field, value) \
  if ((field) == (value)) return;    \
  (field) = (value);                 \
  Changed();

void TFont::SetCharset(int charset) { TESSALY_SETTER(charset_, charset) }
void TFont::SetColor(TColor color) { TESSALY_SETTER(color_, color) }
void TFont::SetHeight(int height) { TESSALY_SETTER(height_, height) }
void TFont::SetName(const std::string& name) {
  if (name.empty()) return;  // an empty face name leaves the font as it is
  TESSALY_SETTER(name_, name)
}
void TFont::SetPitch(TFontPitch pitch) { TESSALY_SETTER(pitch_, pitch) }
void TFont::SetStyle(TFontStyles style) { TESSALY_SETTER(style_, style) }
void TFont::SetOrientation(int tenths) { TESSALY_SETTER(orientation_, tenths) }
void TFont::SetQuality(TFontQuality quality) { TESSALY_SETTER(quality_, quality) }

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

namespace {
const char* g_newFontsDefaultCodePage = "CP1252";
}

void TFont::SetNewFontsDefaultCodePage(const char* codePage) { g_newFontsDefaultCodePage = codePage; }
const char* TFont::NewFontsDefaultCodePage() { return g_newFontsDefaultCodePage; }

void TFont::SetDefaultCodePage(const char* codePage) {
  if (std::strcmp(defaultCodePage_, codePage) == 0) return;
  defaultCodePage_ = codePage;
  if (charset_ == DEFAULT_CHARSET) Changed();
}

const char* TFont::CodePage() const {
  return charset_ == DEFAULT_CHARSET ? defaultCodePage_ : CodePageOfCharset(charset_);
}

QString TFont::Decode(std::string_view s) const { return DecodeFormStringIn(s, CodePage()); }
std::string TFont::Encode(const QString& text) const { return EncodeFormStringIn(text, CodePage()); }

QString TFont::NameText() const { return DecodeFormString(name_, charset_); }

int TFont::Overhang() const {
  ToQFont();
  return qfontCache_.overhang;
}

QFont TFont::ToQFont() const {
  QFontCache& c = qfontCache_;
  if (c.valid && c.name == name_ && c.charset == charset_ && c.height == height_ && c.style == style_ &&
      c.pitch == pitch_)
    return c.font;
  c = {true, name_, charset_, height_, style_, pitch_, QFont(), 0};
  c.font = MakeQFont(c.overhang);
  return c.font;
}

// Not kept with the Qt font: a form's stored text height may change the
// answer after the font was made (RecordStoredCellHeight).
TCellMetrics TFont::CellMetrics() const { return CellMetricsOf(ToQFont()); }

QFont TFont::MakeQFont(int& overhang) const {
  const QString family = MapFontFamilyFromFormName(name_, charset_);
  const TDrawnFace drawn = DrawnFaceFor(family, height_);
  QFont f(drawn.family);
  f.setPixelSize(std::max(1, drawn.pixelSize));
  overhang = 0;
  if (style_.Contains(fsBold) && drawn.bitmap) {
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    overhang = 1;
  }
  f.setBold(style_.Contains(fsBold));
  f.setItalic(style_.Contains(fsItalic));
  f.setUnderline(style_.Contains(fsUnderline));
  f.setStrikeOut(style_.Contains(fsStrikeOut));
  if (pitch_ == fpFixed) f.setFixedPitch(true);
  // Classic text: no anti-aliasing, each glyph's advance hinted and rounded
  // to whole pixels, and the string as wide as the sum of its glyphs'
  // advances. Without shaping there are no ligatures ("fi", "TM" stay two
  // letters) and, with kerning off, no pair adjustments either. Scripts
  // that cannot be written without shaping are still shaped.
  int strategy = QFont::NoAntialias | QFont::NoSubpixelAntialias | QFont::PreferNoShaping;
  if (IsSymbolFace(drawn.family)) strategy |= QFont::NoFontMerging;
  f.setStyleStrategy(QFont::StyleStrategy(strategy));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  return f;
}

bool TFont::operator==(const TFont& o) const {
  return charset_ == o.charset_ && color_ == o.color_ && height_ == o.height_ && name_ == o.name_ &&
         pitch_ == o.pitch_ && style_ == o.style_ && orientation_ == o.orientation_ && quality_ == o.quality_;
}

// ---------------------------------------------------------------------------
// TPen and TBrush

const TClassInfo& TPen::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TPen>("TPen", &TPersistent::StaticClassInfo())
          .Color("Color", &TPen::Color, &TPen::SetColor, clBlack)
          .Enum("Mode", PenModeEnumInfo(), &TPen::Mode, &TPen::SetMode, pmCopy)
          .Enum("Style", PenStyleEnumInfo(), &TPen::Style, &TPen::SetStyle, psSolid)
          .Integer("Width", &TPen::Width, &TPen::SetWidth, 1)
          .Build();
  return info;
}

void TPen::Assign(const TPersistent& source) {
  if (auto* p = dynamic_cast<const TPen*>(&source)) {
    if (p == this) return;
    color_ = p->color_;
    mode_ = p->mode_;
    style_ = p->style_;
    width_ = p->width_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TPen::SetColor(TColor color) { TESSALY_SETTER(color_, color) }
void TPen::SetMode(TPenMode mode) { TESSALY_SETTER(mode_, mode) }
void TPen::SetStyle(TPenStyle style) { TESSALY_SETTER(style_, style) }
void TPen::SetWidth(int width) {
  width = std::max(1, width);
  TESSALY_SETTER(width_, width)
}

const TClassInfo& TBrush::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TBrush>("TBrush", &TPersistent::StaticClassInfo())
          .Color("Color", &TBrush::Color, &TBrush::SetColor, clWhite)
          .Enum("Style", BrushStyleEnumInfo(), &TBrush::Style, &TBrush::SetStyle, bsSolid)
          .Build();
  return info;
}

void TBrush::Assign(const TPersistent& source) {
  if (auto* b = dynamic_cast<const TBrush*>(&source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TBrush::SetColor(TColor color) {
  if (color_ == color && !(style_ == bsClear && color != clNone)) return;
  color_ = color;
  if (color == clNone) {
    style_ = bsClear;
  } else if (style_ == bsClear) {
    style_ = bsSolid;
  }
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) { TESSALY_SETTER(style_, style) }

#undef TESSALY_SETTER

// Colours, geometry and the drawing tools: TFont, TPen and TBrush.
//
// TColor keeps the original desktop framework's layout, 0x00BBGGRR; values
// 0xFF0000nn name system colours, which resolve through one fixed classic
// palette so that a form renders the same on every machine.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>

#include <QColor>
#include <QFont>
#include <QPalette>

#include "FontMapping.h"
#include "TextCodecs.h"
#include "core/Persistent.h"

// ---------------------------------------------------------------------------
// Colours

using TColor = int32_t;

constexpr TColor RGB(int r, int g, int b) { return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int index) { return TColor(0xFF000000u | uint32_t(index)); }
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

constexpr bool IsSystemColor(TColor c) { return (uint32_t(c) & 0xFF000000u) == 0xFF000000u; }

// An RGB colour (0x00BBGGRR) for any colour: system colours through the
// fixed palette, clNone as white, clDefault as clWindow; other values keep
// their low 24 bits.
TColor ColorToRGB(TColor color);
// The colour to paint with. clNone gives a fully transparent colour; every
// other value an opaque one (see ColorToRGB).
QColor ColorToQColor(TColor color);
// A Qt palette of the system colours (button face, window, window text,
// highlight ...), for the top-level windows: their native children then show
// the standard colours without a palette of their own.
// The disabled group shows text in clGrayText.
QPalette SystemColorsPalette();
// Greys the text roles of a palette's disabled group (clGrayText), as
// disabled controls show whatever their colours.
void SetDisabledText(QPalette& palette);
// The nearest TColor of a Qt colour (alpha ignored).
TColor QColorToColor(const QColor& color);
// RGB32 pixel value (0xFFRRGGBB) of a colour, as QImage::Format_RGB32 holds it.
uint32_t ColorToPixel(TColor color);
TColor PixelToColor(uint32_t pixel);

// ---------------------------------------------------------------------------
// Geometry. Rectangles are half-open: Right and Bottom lie just outside.

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Test and log output.
void PrintTo(const TPoint& p, std::ostream* os);
void PrintTo(const TRect& r, std::ostream* os);

constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }
// Right and bottom wrap around like 32-bit sums (no undefined behaviour for
// positions and sizes near the integer limits).
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, static_cast<int32_t>(static_cast<uint32_t>(left) + static_cast<uint32_t>(width)),
          static_cast<int32_t>(static_cast<uint32_t>(top) + static_cast<uint32_t>(height))};
}
inline int32_t RectWidth(const TRect& r) { return r.Right - r.Left; }
inline int32_t RectHeight(const TRect& r) { return r.Bottom - r.Top; }
// Grows (negative: shrinks) the rectangle by dx on the left and right and
// dy on the top and bottom.
void InflateRect(TRect& r, int32_t dx, int32_t dy);
void OffsetRect(TRect& r, int32_t dx, int32_t dy);
// The overlap of a and b; returns false (and an all-zero rectangle) when
// they do not overlap.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// The smallest rectangle holding both (an empty one counts as absent).
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
bool PtInRect(const TRect& r, TPoint p);
bool IsRectEmpty(const TRect& r);
int MulDiv(int number, int numerator, int denominator);  // rounded, -1 on division by zero

// ---------------------------------------------------------------------------
// Enumerations of the drawing tools, with their published type information.

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle, held as a bit mask (bit n for ordinal n).
struct TFontStyles {
  uint8_t bits = 0;
  constexpr TFontStyles() = default;
  constexpr explicit TFontStyles(int64_t mask) : bits(uint8_t(mask & 0x0F)) {}
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) bits |= uint8_t(1u << s);
  }
  constexpr bool Contains(TFontStyle s) const { return (bits >> s) & 1u; }
  constexpr TFontStyles& Include(TFontStyle s) {
    bits |= uint8_t(1u << s);
    return *this;
  }
  constexpr TFontStyles& Exclude(TFontStyle s) {
    bits &= uint8_t(~(1u << s));
    return *this;
  }
  constexpr bool Empty() const { return bits == 0; }
  constexpr explicit operator int64_t() const { return bits; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontQuality : uint8_t {
  fqDefault,
  fqDraft,
  fqProof,
  fqNonAntialiased,
  fqAntialiased,
  fqClearType,
  fqClearTypeNatural
};
enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate
};
// Raster operations of pens and brush fills: how the tool's colour (P)
// combines with the pixel (D).
enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
enum TBrushStyle : uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

const TEnumInfo& FontStyleEnumInfo();
const TEnumInfo& FontPitchEnumInfo();
const TEnumInfo& FontQualityEnumInfo();
const TEnumInfo& PenStyleEnumInfo();
const TEnumInfo& PenModeEnumInfo();
const TEnumInfo& BrushStyleEnumInfo();

// The screen resolution the framework assumes (font Size <-> Height).
inline constexpr int kScreenPixelsPerInch = 96;

// ---------------------------------------------------------------------------
// TFont

// Base of the drawing tools: OnChange fires after every change.
class TGraphicsObject : public TPersistent {
 public:
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
};

class TFont : public TGraphicsObject {
  TESSALY_CLASS(TFont)

 public:
  TFont();

  // Copies every property of another TFont (OnChange fires once);
  // anything else goes to the default TPersistent behaviour.
  void Assign(const TPersistent& source) override;

  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Negative: character height in pixels (the em size); positive: cell
  // height including internal leading; 0: the default size.
  int Height() const { return height_; }
  void SetHeight(int height);
  // The face name as stored: 8-bit text in the charset's code page, or a
  // Unicode form string.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  // Points: Size = -Height * 72 / PixelsPerInch, rounded.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  int Orientation() const { return orientation_; }  // tenths of a degree
  void SetOrientation(int tenths);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality quality);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : kScreenPixelsPerInch; }

  // The code page of this font's 8-bit text: its charset's, except that
  // DEFAULT_CHARSET text is in the code page of the form the font belongs
  // to (DefaultCodePage).
  const char* CodePage() const;
  // The code page DEFAULT_CHARSET means for this font. A font takes the
  // one in force when it is made (see SetNewFontsDefaultCodePage) and
  // copies it with Assign; it is no property and never streams.
  const char* DefaultCodePage() const { return defaultCodePage_; }
  void SetDefaultCodePage(const char* codePage);
  // What DEFAULT_CHARSET means for fonts made from now on: a form sets it
  // for the components read into it. "CP1252" until set; the string must
  // outlive every font (code page names are literals).
  static void SetNewFontsDefaultCodePage(const char* codePage);
  static const char* NewFontsDefaultCodePage();
  // A form string shown in this font, as text; and text back to a form
  // string (see DecodeFormStringIn and EncodeFormStringIn).
  QString Decode(std::string_view s) const;
  std::string Encode(const QString& text) const;

  // The face name as text (decoded with the charset).
  QString NameText() const;
  // An installed Qt font matching this font: the face name mapped to an
  // installed family (see FontMapping.h), the pixel size from Height, the
  // styles, and anti-aliasing off so drawn text is pixel-exact.
  QFont ToQFont() const;
  // Pixels a text in this font is wider than its characters' advances: one
  // for a bitmap face made bold (see IsBitmapFace), else none.
  int Overhang() const;
  // The character cell by the system's rules (CellMetricsOf): the text
  // height and where the baseline sits in it.
  TCellMetrics CellMetrics() const;

  bool operator==(const TFont& other) const;

 private:
  QFont MakeQFont(int& overhang) const;

  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  int height_ = -11;
  std::string name_ = "MS Sans Serif";
  TFontPitch pitch_ = fpDefault;
  TFontStyles style_;
  int orientation_ = 0;
  TFontQuality quality_ = fqDefault;
  int pixelsPerInch_ = kScreenPixelsPerInch;
  const char* defaultCodePage_ = NewFontsDefaultCodePage();

  // The last Qt font made, with what it was made from: mapping a face and
  // sizing it is costly, and every measured text asks again.
  struct QFontCache {
    bool valid = false;
    std::string name;
    int charset = 0, height = 0;
    TFontStyles style;
    TFontPitch pitch = fpDefault;
    QFont font;
    int overhang = 0;
  };
  mutable QFontCache qfontCache_;
};

// ---------------------------------------------------------------------------
// TPen and TBrush

class TPen : public TGraphicsObject {
  TESSALY_CLASS(TPen)

 public:
  TPen() = default;
  void Assign(const TPersistent& source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  int Width() const { return width_; }
  void SetWidth(int width);  // values below 1 mean 1

 private:
  TColor color_ = clBlack;
  TPenMode mode_ = pmCopy;
  TPenStyle style_ = psSolid;
  int width_ = 1;
};

class TBrush : public TGraphicsObject {
  TESSALY_CLASS(TBrush)

 public:
  TBrush() = default;
  void Assign(const TPersistent& source) override;

  TColor Color() const { return color_; }
  // Setting a colour turns a clear brush solid, as the original does.
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

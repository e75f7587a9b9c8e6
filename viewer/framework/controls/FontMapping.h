// Windows face names to the fonts installed here.
//
// Each face the forms commonly name maps to a face made to match its
// metrics, so that text takes the width its designer saw: MS Sans Serif,
// Tahoma, Courier, Small Fonts, System, Fixedsys and the symbol faces
// (Symbol, Wingdings, Webdings, Marlett) to Wine's faces of those names,
// which live outside fontconfig's path and are registered with the
// application's font database on first use; Arial, Times New Roman and
// Courier New to the Liberation faces. The bitmap faces are drawn from
// their strikes at the sizes the system would pick (RasterFaces.h; MS Sans
// Serif at 8 points is most forms' default) and give way to a scalable
// stand-in at a size this machine has no strike of. Chinese, Japanese and Korean faces map
// to a serif CJK face (AR PL UMing) for the Song/Ming faces (宋体/SimSun,
// 明朝, 바탕 ...) and to WenQuanYi Micro Hei for the others. Other names are
// used as they are when such a family is installed, else fall back to the
// sans family.
#pragma once

#include <string_view>

#include <QFont>
#include <QString>

// The directory whose faces RegisterCompatibleFonts adds.
inline constexpr const char* kWineFontDirectory = "/usr/share/wine/fonts";

// Adds the metric-compatible faces of kWineFontDirectory to the
// application's font database, once. Needs a QGuiApplication; without one
// (or without the faces) it does nothing.
void RegisterCompatibleFonts();

// The installed family for a face name (already decoded to text).
QString MapFontFamily(const QString& faceName);
// The installed family for a face name as a font stores it: 8-bit text in
// the charset's code page or a Unicode form string. A CJK name stored in its
// own code page is recognised even when the charset says otherwise.
QString MapFontFamilyFromFormName(std::string_view storedName, int charset);
bool IsFontFamilyInstalled(const QString& family);
// Pixel (em) size of a scalable family for a font Height: -Height when
// negative; a positive (cell) height scaled by the family's em / (ascent +
// descent); 0 gives 11. Magnitudes past 16384 pixels are capped there.
int FontPixelSizeForHeight(const QString& family, int height);

// How a mapped family is drawn at a font Height.
struct TDrawnFace {
  QString family;
  int pixelSize = 0;  // what to ask Qt for: the em, or a strike's cell
  // Drawn from a bitmap strike: made bold, such a face is smeared one pixel
  // to the right, which widens every character by a pixel and the whole
  // text by one more (the overhang).
  bool bitmap = false;
};
// A scalable family is drawn itself at FontPixelSizeForHeight. A bitmap
// face is drawn from the strike the system picks for the Height (see
// RasterFaces.h), or by its scalable stand-in at that size's em when this
// machine has no such strike.
TDrawnFace DrawnFaceFor(const QString& family, int height);
// Whether the family is one of the system's bitmap faces.
bool IsBitmapFace(const QString& family);

// The character cell of a font: how far it reaches above and below the
// baseline, whose sum is the text height every line and auto-sized control
// is measured by.
struct TCellMetrics {
  int ascent = 0, descent = 0;
  int Height() const { return ascent + descent; }
};
// The system takes a scalable face's cell from the face's own Windows
// metrics (usWinAscent and usWinDescent), each scaled to the em and
// rounded, not from the glyphs it happens to draw: a face that carries
// bitmap strikes (Wine's Tahoma) would otherwise report the strike's
// smaller cell. Bitmap faces, and faces without those metrics, keep the
// cell Qt reports.
TCellMetrics CellMetricsOf(const QFont& font);
// A form stores the text height its designer's system gave the form's
// font (TextHeight). Where this machine draws that font with a stand-in
// whose cell differs (Segoe UI by Liberation Sans, say), the stored height
// is the system's: CellMetricsOf answers it for that font, keeping the
// stand-in's descent, until ForgetStoredCellHeights. Implausible heights
// (more than a third away from the stand-in's) are ignored.
void RecordStoredCellHeight(const QFont& font, int height);
// Called as each form load begins, so that one form's heights do not
// carry over to the next.
void ForgetStoredCellHeights();
// Whether the family is one of the symbol faces, whose characters are
// pictures: a character such a face lacks must not be drawn as the letter
// of another face (Wine's symbol faces hold only some of the pictures).
bool IsSymbolFace(const QString& family);

// Windows face names to the fonts installed here.
//
// Each face the forms commonly name maps to a face made to match its
// metrics, so that text takes the width its designer saw: MS Sans Serif,
// Tahoma, Courier, Small Fonts, System, Fixedsys and the symbol faces
// (Symbol, Wingdings, Webdings, Marlett) to Wine's faces of those names,
// which live outside fontconfig's path and are registered with the
// application's font database on first use; Arial, Times New Roman and
// Courier New to the Liberation faces. The bitmap faces keep their strikes
// (MS Sans Serif at 8 points is most forms' default) and give way to a
// scalable stand-in at other sizes. Chinese, Japanese and Korean faces map
// to a serif CJK face (AR PL UMing) for the Song/Ming faces (宋体/SimSun,
// 明朝, 바탕 ...) and to WenQuanYi Micro Hei for the others. Other names are
// used as they are when such a family is installed, else fall back to the
// sans family.
#pragma once

#include <string_view>

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
// Pixel (em) size for a font Height: -Height when negative; a positive
// (cell) height scaled by the family's em / (ascent + descent); 0 gives 11.
int FontPixelSizeForHeight(const QString& family, int height);
// The family to draw a mapped family with at a pixel (em) size: the family
// itself, except that a bitmap face asked for a size it has no strike of
// gives way to its scalable stand-in.
QString FamilyForPixelSize(const QString& family, int pixelSize);
// Whether the family is one of the bitmap faces: drawn bold, such a face is
// made bold by smearing each glyph one pixel to the right, which widens
// every character by a pixel and the whole text by one more (the overhang).
bool IsBitmapFace(const QString& family);
// Whether the family is one of the symbol faces, whose characters are
// pictures: a character such a face lacks must not be drawn as the letter
// of another face (Wine's symbol faces hold only some of the pictures).
bool IsSymbolFace(const QString& family);

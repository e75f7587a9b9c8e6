// Windows face names to the fonts installed here.
//
// Sans-serif faces (MS Sans Serif, Tahoma, Arial ...) map to the system's
// sans family, fixed-pitch faces (Courier New, Fixedsys ...) to its monospace
// family, Times New Roman to its serif family, and the Chinese, Japanese and
// Korean faces (宋体/SimSun, 黑体, 微软雅黑 ...) to WenQuanYi Micro Hei when
// installed. Other names are used as they are when such a family is
// installed, else fall back to the sans family.
#pragma once

#include <string_view>

#include <QString>

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

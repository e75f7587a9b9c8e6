// Which Windows code page a form's DEFAULT_CHARSET text is in.
//
// A font with DEFAULT_CHARSET stores its 8-bit text in the code page of the
// machine the form was saved on, which the form does not record. The form's
// strings, judged together by a charset detector, tell it; the answer is
// limited to the Windows ANSI code pages a designer's machine can have.
#pragma once

#include <string>
#include <vector>

// The Windows ANSI code page (as iconv names it, see CodePageOfCharset) of
// a detector's charset name: windows-125x themselves, and the ISO, KOI8,
// EUC and other encodings of the same script to that script's Windows code
// page. nullptr for names that belong to no Windows code page (ASCII,
// UTF-8, unknown).
const char* AnsiCodePageOfDetectedCharset(const char* detected);

// The code page of a form's 8-bit strings: "CP1252" when they are plain
// ASCII, when the detector is unsure, or when it names no Windows code
// page; Unicode form strings are left out of the judgement.
const char* DetectAnsiCodePage(const std::vector<std::string>& strings);

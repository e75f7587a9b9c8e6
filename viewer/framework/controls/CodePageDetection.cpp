#include "CodePageDetection.h"

#include <uchardet.h>

#include <cstring>
#include <memory>

#include "core/FormStrings.h"

namespace {

struct Alias {
  const char* detected;  // as the detector names it, upper case
  const char* codePage;
};

constexpr Alias kAliases[] = {
    {"WINDOWS-1250", "CP1250"},
    {"ISO-8859-2", "CP1250"},
    {"IBM852", "CP1250"},
    {"MAC-CENTRALEUROPE", "CP1250"},
    {"WINDOWS-1251", "CP1251"},
    {"ISO-8859-5", "CP1251"},
    {"KOI8-R", "CP1251"},
    {"KOI8-U", "CP1251"},
    {"IBM866", "CP1251"},
    {"IBM855", "CP1251"},
    {"MAC-CYRILLIC", "CP1251"},
    {"WINDOWS-1252", "CP1252"},
    {"ISO-8859-1", "CP1252"},
    {"ISO-8859-15", "CP1252"},
    {"WINDOWS-1253", "CP1253"},
    {"ISO-8859-7", "CP1253"},
    {"WINDOWS-1254", "CP1254"},
    {"ISO-8859-9", "CP1254"},
    {"WINDOWS-1255", "CP1255"},
    {"ISO-8859-8", "CP1255"},
    {"WINDOWS-1256", "CP1256"},
    {"ISO-8859-6", "CP1256"},
    {"WINDOWS-1257", "CP1257"},
    {"ISO-8859-4", "CP1257"},
    {"ISO-8859-13", "CP1257"},
    {"WINDOWS-1258", "CP1258"},
    {"VISCII", "CP1258"},
    {"TIS-620", "CP874"},
    {"ISO-8859-11", "CP874"},
    {"WINDOWS-874", "CP874"},
    {"GB18030", "GBK"},
    {"GB2312", "GBK"},
    {"GBK", "GBK"},
    {"EUC-CN", "GBK"},
    {"HZ-GB-2312", "GBK"},
    {"BIG5", "BIG5"},
    {"EUC-TW", "BIG5"},
    {"SHIFT_JIS", "CP932"},
    {"EUC-JP", "CP932"},
    {"ISO-2022-JP", "CP932"},
    {"EUC-KR", "CP949"},
    {"UHC", "CP949"},
    {"ISO-2022-KR", "CP949"},
    {"JOHAB", "CP949"},
};

bool HasHighBytes(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return true;
  return false;
}

}  // namespace

const char* AnsiCodePageOfDetectedCharset(const char* detected) {
  if (!detected) return nullptr;
  for (const Alias& a : kAliases)
    if (strcasecmp(a.detected, detected) == 0) return a.codePage;
  return nullptr;
}

const char* DetectAnsiCodePage(const std::vector<std::string>& strings) {
  std::string text;
  for (const std::string& s : strings) {
    if (!HasHighBytes(s) || IsUnicodeFormString(s)) continue;
    text += s;
    text += '\n';
  }
  if (text.empty()) return "CP1252";
  std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
  if (!detector || uchardet_handle_data(detector.get(), text.data(), text.size()) != 0) return "CP1252";
  uchardet_data_end(detector.get());
  const char* codePage = AnsiCodePageOfDetectedCharset(uchardet_get_charset(detector.get()));
  return codePage ? codePage : "CP1252";
}

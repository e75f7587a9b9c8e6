#include "TextCodecs.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <QStringDecoder>
#include <QStringEncoder>

#include "core/FormStrings.h"

namespace {

// windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

QString DecodeCp1252(std::string_view bytes) {
  QString out;
  out.reserve(qsizetype(bytes.size()));
  for (unsigned char c : bytes) {
    out.append(QChar(c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : char16_t(c)));
  }
  return out;
}

std::string EncodeCp1252(const QString& text) {
  std::string out;
  for (QChar ch : text) {
    char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out += char(u);
      continue;
    }
    char c = '?';
    for (int i = 0; i < 32; ++i) {
      if (kCp1252High[i] == u && u != 0xFFFD) c = char(0x80 + i);
    }
    out += c;
  }
  return out;
}

QString DecodeLatin1(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

bool IsCp1252(const char* cp) { return std::strcmp(cp, "CP1252") == 0; }
bool IsLatin1(const char* cp) { return std::strcmp(cp, "ISO-8859-1") == 0; }

// Runs iconv from one encoding to another; undecodable input is replaced
// (one byte at a time) by `replacement` in the target encoding.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out, std::string_view replacement,
             size_t replacementInputStep) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.clear();
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), size_t(dst - buf.data()));
    if (r == size_t(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): skip the bad input.
      out.append(replacement);
      size_t step = std::min(replacementInputStep, srcLeft);
      src += step;
      srcLeft -= step;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  // Flush any shift state.
  char* dst = buf.data();
  size_t dstLeft = buf.size();
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buf.data(), size_t(dst - buf.data()));
  iconv_close(cd);
  return true;
}

}  // namespace

const char* CodePageOfCharset(int charset) {
  switch (charset) {
    case ANSI_CHARSET:
    case DEFAULT_CHARSET: return "CP1252";
    case SYMBOL_CHARSET: return "ISO-8859-1";
    case MAC_CHARSET: return "MACINTOSH";
    case SHIFTJIS_CHARSET: return "CP932";
    case HANGEUL_CHARSET: return "CP949";
    case JOHAB_CHARSET: return "JOHAB";
    case GB2312_CHARSET: return "GBK";
    case CHINESEBIG5_CHARSET: return "BIG5";
    case GREEK_CHARSET: return "CP1253";
    case TURKISH_CHARSET: return "CP1254";
    case VIETNAMESE_CHARSET: return "CP1258";
    case HEBREW_CHARSET: return "CP1255";
    case ARABIC_CHARSET: return "CP1256";
    case BALTIC_CHARSET: return "CP1257";
    case RUSSIAN_CHARSET: return "CP1251";
    case THAI_CHARSET: return "CP874";
    case EASTEUROPE_CHARSET: return "CP1250";
    case OEM_CHARSET: return "IBM437";
    default: return "CP1252";
  }
}

QString DecodeCodePage(std::string_view bytes, const char* codePage) {
  bool ascii = true;
  for (unsigned char c : bytes) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
  if (IsCp1252(codePage)) return DecodeCp1252(bytes);
  if (IsLatin1(codePage)) return DecodeLatin1(bytes);
  std::string utf8;
  if (!Convert("UTF-8", codePage, bytes, utf8, "\xEF\xBF\xBD", 1)) return DecodeCp1252(bytes);
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string EncodeCodePage(const QString& text, const char* codePage) {
  if (IsCp1252(codePage)) return EncodeCp1252(text);
  if (IsLatin1(codePage)) {
    std::string out;
    for (QChar ch : text) out += ch.unicode() <= 0xFF ? char(ch.unicode()) : '?';
    return out;
  }
  iconv_t cd = iconv_open(codePage, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return EncodeCp1252(text);
  QByteArray utf8 = text.toUtf8();
  char* src = utf8.data();
  size_t srcLeft = size_t(utf8.size());
  std::string out;
  std::vector<char> buf(srcLeft * 2 + 16);
  while (srcLeft > 0) {
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), size_t(dst - buf.data()));
    if (r == size_t(-1) && errno != E2BIG) {
      // A character the code page lacks: '?' for its whole UTF-8 sequence.
      out += '?';
      unsigned char lead = static_cast<unsigned char>(*src);
      size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      len = std::min(len, srcLeft);
      src += len;
      srcLeft -= len;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* dst = buf.data();
  size_t dstLeft = buf.size();
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buf.data(), size_t(dst - buf.data()));
  iconv_close(cd);
  return out;
}

QString DecodeFormString(std::string_view s, int charset) { return DecodeFormStringIn(s, CodePageOfCharset(charset)); }

std::string EncodeFormString(const QString& text, int charset) {
  return EncodeFormStringIn(text, CodePageOfCharset(charset));
}

QString DecodeFormStringIn(std::string_view s, const char* codePage) {
  if (IsUnicodeFormString(s)) {
    std::string_view u = Utf8OfFormString(s);
    return QString::fromUtf8(u.data(), qsizetype(u.size()));
  }
  return DecodeCodePage(s, codePage);
}

std::string EncodeFormStringIn(const QString& text, const char* cp) {
  std::string bytes = EncodeCodePage(text, cp);
  if (DecodeCodePage(bytes, cp) == text) return bytes;
  QByteArray utf8 = text.toUtf8();
  return FormStringFromUtf8(std::string_view(utf8.constData(), size_t(utf8.size())));
}

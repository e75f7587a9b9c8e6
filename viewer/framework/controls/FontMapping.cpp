#include "FontMapping.h"

#include <cmath>
#include <map>
#include <mutex>
#include <unordered_map>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QSet>

#include "TextCodecs.h"
#include "core/FormStrings.h"

namespace {

enum class Kind { Sans, Mono, Serif, Cjk };

const std::map<QString, Kind>& KnownFaces() {
  static const std::map<QString, Kind> faces = [] {
    std::map<QString, Kind> m;
    for (const char* n :
         {"ms sans serif", "microsoft sans serif", "tahoma", "segoe ui", "arial", "verdana",
          "ms shell dlg", "ms shell dlg 2", "system", "small fonts", "helvetica",
          "trebuchet ms", "calibri", "lucida sans unicode", "lucida sans", "arial narrow",
          "arial black", "century gothic", "franklin gothic medium", "default",
          "ms reference sans serif", "candara", "corbel", "sans serif", "sans-serif"}) {
      m[QString::fromLatin1(n)] = Kind::Sans;
    }
    for (const char* n : {"courier new", "courier", "fixedsys", "terminal", "lucida console",
                          "consolas", "andale mono", "ms linedraw", "monospace"}) {
      m[QString::fromLatin1(n)] = Kind::Mono;
    }
    for (const char* n : {"times new roman", "times", "ms serif", "georgia", "garamond",
                          "book antiqua", "palatino linotype", "cambria", "serif"}) {
      m[QString::fromLatin1(n)] = Kind::Serif;
    }
    for (const char* n :
         {"宋体", "simsun", "新宋体", "nsimsun", "微软雅黑", "microsoft yahei", "黑体", "simhei",
          "楷体", "kaiti", "楷体_gb2312", "仿宋", "fangsong", "仿宋_gb2312", "隶书", "幼圆",
          "新細明體", "細明體", "pmingliu", "mingliu", "標楷體", "dfkai-sb", "微軟正黑體",
          "microsoft jhenghei", "ms ui gothic", "ms pgothic", "ms gothic", "ms mincho",
          "ms pmincho", "meiryo", "meiryo ui", "メイリオ", "ｍｓ ｐゴシック", "ｍｓ ゴシック",
          "ｍｓ 明朝", "ｍｓ ｐ明朝", "굴림", "gulim", "굴림체", "gulimche", "돋움", "dotum",
          "바탕", "batang", "맑은 고딕", "malgun gothic"}) {
      m[QString::fromUtf8(n)] = Kind::Cjk;
    }
    return m;
  }();
  return faces;
}

bool HasCjkCharacters(const QString& s) {
  for (QChar ch : s) {
    char16_t u = ch.unicode();
    if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
        (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF)) {
      return true;
    }
  }
  return false;
}

bool HaveGuiApp() { return QGuiApplication::instance() != nullptr; }

QString GenericFamily(QFont::StyleHint hint, const char* fallback) {
  if (!HaveGuiApp()) return QString::fromLatin1(fallback);
  QFont f(QString::fromLatin1(fallback));
  f.setStyleHint(hint);
  QString family = QFontInfo(f).family();
  return family.isEmpty() ? QString::fromLatin1(fallback) : family;
}

QString FamilyOfKind(Kind kind) {
  static std::once_flag once;
  static QString sans, mono, serif, cjk;
  if (!HaveGuiApp()) {
    switch (kind) {
      case Kind::Sans: return QStringLiteral("DejaVu Sans");
      case Kind::Mono: return QStringLiteral("DejaVu Sans Mono");
      case Kind::Serif: return QStringLiteral("DejaVu Serif");
      case Kind::Cjk: return QStringLiteral("WenQuanYi Micro Hei");
    }
  }
  std::call_once(once, [] {
    // The DejaVu families that the set-up installs come first, so that text
    // looks the same on every machine whatever else fontconfig would prefer;
    // the system's generic families are the fallback.
    auto prefer = [](const char* family, QFont::StyleHint hint, const char* generic) {
      const QString name = QString::fromLatin1(family);
      return IsFontFamilyInstalled(name) ? name : GenericFamily(hint, generic);
    };
    sans = prefer("DejaVu Sans", QFont::SansSerif, "sans-serif");
    mono = prefer("DejaVu Sans Mono", QFont::Monospace, "monospace");
    serif = prefer("DejaVu Serif", QFont::Serif, "serif");
    const QString wqy = QStringLiteral("WenQuanYi Micro Hei");
    cjk = IsFontFamilyInstalled(wqy) ? wqy : sans;
  });
  switch (kind) {
    case Kind::Sans: return sans;
    case Kind::Mono: return mono;
    case Kind::Serif: return serif;
    case Kind::Cjk: return cjk;
  }
  return sans;
}

bool FindKnown(const QString& face, Kind& kind) {
  QString key = face.trimmed().toLower();
  auto it = KnownFaces().find(key);
  if (it != KnownFaces().end()) {
    kind = it->second;
    return true;
  }
  if (key.startsWith(QString::fromUtf8("华文")) || HasCjkCharacters(key)) {
    kind = Kind::Cjk;
    return true;
  }
  return false;
}

}  // namespace

bool IsFontFamilyInstalled(const QString& family) {
  if (!HaveGuiApp()) return false;
  // The installed families, listed once (fonts are not installed while we run).
  static const QSet<QString> installed = [] {
    QSet<QString> set;
    for (const QString& f : QFontDatabase::families()) set.insert(f.toLower());
    return set;
  }();
  return installed.contains(family.toLower());
}

QString MapFontFamily(const QString& faceName) {
  Kind kind;
  if (FindKnown(faceName, kind)) return FamilyOfKind(kind);
  QString trimmed = faceName.trimmed();
  if (!trimmed.isEmpty() && IsFontFamilyInstalled(trimmed)) return trimmed;
  return FamilyOfKind(Kind::Sans);
}

static QString MapUncachedFontFamilyFromFormName(std::string_view storedName, int charset);

QString MapFontFamilyFromFormName(std::string_view storedName, int charset) {
  // Every measured or drawn text asks; a form names few faces. The memo is
  // bounded so that a stream of made-up names cannot grow it without end.
  static std::unordered_map<std::string, QString> memo;
  std::string key = std::to_string(charset);
  key += '\0';
  key += storedName;
  if (auto it = memo.find(key); it != memo.end()) return it->second;
  if (memo.size() >= 1024) memo.clear();
  QString family = MapUncachedFontFamilyFromFormName(storedName, charset);
  memo.emplace(std::move(key), family);
  return family;
}

static QString MapUncachedFontFamilyFromFormName(std::string_view storedName, int charset) {
  QString text = DecodeFormString(storedName, charset);
  Kind kind;
  if (FindKnown(text, kind)) return FamilyOfKind(kind);
  bool highBytes = false;
  for (unsigned char c : storedName) highBytes |= c >= 0x80;
  if (highBytes && !IsUnicodeFormString(storedName)) {
    // A name stored in a CJK code page while the font claims another charset
    // (the machine's own code page was CJK): try the CJK code pages.
    for (const char* cp : {"GBK", "BIG5", "CP932", "CP949"}) {
      QString candidate = DecodeCodePage(storedName, cp);
      if (candidate.contains(QChar(0xFFFD))) continue;
      if (FindKnown(candidate, kind) && kind == Kind::Cjk) return FamilyOfKind(kind);
    }
  }
  return MapFontFamily(text);
}

int FontPixelSizeForHeight(const QString& family, int height) {
  if (height < 0) return -height;
  if (height == 0) return 11;
  double ratio = 1.164;  // (ascent + descent) / em of DejaVu Sans
  if (HaveGuiApp()) {
    QFont f(family);
    f.setPixelSize(100);
    QFontMetricsF m(f);
    double cell = m.ascent() + m.descent();
    if (cell > 0) ratio = cell / 100.0;
  }
  return std::max(1, int(std::lround(height / ratio)));
}

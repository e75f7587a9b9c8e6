#include "FontMapping.h"

#include <cmath>
#include <map>
#include <mutex>
#include <set>
#include <span>
#include <unordered_map>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRawFont>
#include <QSet>

#include "BitmapStrikes.h"
#include "RasterFaces.h"
#include "TextCodecs.h"
#include "core/FormStrings.h"

namespace {

enum class Kind { Sans, Mono, Serif, Cjk, CjkSerif };

// A Windows face: the installed face made to match its metrics (empty when
// only the kind's family will do) and the kind to fall back on.
struct Face {
  const char* match;
  Kind kind;
};

const std::map<QString, Face>& KnownFaces() {
  static const std::map<QString, Face> faces = [] {
    std::map<QString, Face> m;
    auto add = [&m](std::initializer_list<const char*> names, const char* match, Kind kind) {
      for (const char* n : names) m[QString::fromUtf8(n)] = Face{match, kind};
    };
    // "Default" names the system's default dialog face, MS Shell Dlg.
    add({"ms sans serif", "ms shell dlg", "default"}, "MS Sans Serif", Kind::Sans);
    add({"tahoma", "ms shell dlg 2", "microsoft sans serif", "ms reference sans serif"}, "Tahoma", Kind::Sans);
    add({"arial", "helvetica", "arial black", "segoe ui", "verdana", "trebuchet ms", "lucida sans unicode",
         "lucida sans", "century gothic", "franklin gothic medium", "candara", "corbel", "sans serif", "sans-serif"},
        "Liberation Sans", Kind::Sans);
    add({"arial narrow"}, "Liberation Sans Narrow", Kind::Sans);
    add({"calibri"}, "Carlito", Kind::Sans);
    add({"small fonts"}, "Small Fonts", Kind::Sans);
    add({"system"}, "System", Kind::Sans);
    add({"courier"}, "Courier", Kind::Mono);
    add({"fixedsys", "terminal"}, "Fixedsys", Kind::Mono);
    add({"courier new", "lucida console", "consolas", "andale mono", "ms linedraw", "monospace"}, "Liberation Mono",
        Kind::Mono);
    add({"times new roman", "times", "ms serif", "georgia", "garamond", "book antiqua", "palatino linotype", "serif"},
        "Liberation Serif", Kind::Serif);
    add({"cambria"}, "Caladea", Kind::Serif);
    add({"symbol"}, "Symbol", Kind::Sans);
    add({"wingdings"}, "Wingdings", Kind::Sans);
    add({"webdings"}, "Webdings", Kind::Sans);
    add({"marlett"}, "Marlett", Kind::Sans);
    // Song and Ming faces are serif; the rest of the CJK faces are sans.
    add({"宋体", "simsun", "新宋体", "nsimsun", "仿宋", "fangsong", "仿宋_gb2312", "楷体", "kaiti", "楷体_gb2312",
         "隶书", "新細明體", "細明體", "pmingliu", "mingliu", "標楷體", "dfkai-sb", "궁서", "gungsuh"},
        "", Kind::CjkSerif);
    add({"微软雅黑", "microsoft yahei", "黑体", "simhei", "幼圆", "微軟正黑體", "microsoft jhenghei", "meiryo",
         "meiryo ui", "メイリオ", "맑은 고딕", "malgun gothic"},
        "", Kind::Cjk);
    // The IPA faces keep the widths of the Japanese system faces, the
    // proportional ones those of the proportional faces.
    add({"ms pgothic", "ｍｓ ｐゴシック", "ms ui gothic"}, "IPAPGothic", Kind::Cjk);
    add({"ms gothic", "ｍｓ ゴシック"}, "IPAGothic", Kind::Cjk);
    add({"ms pmincho", "ｍｓ ｐ明朝"}, "IPAPMincho", Kind::CjkSerif);
    add({"ms mincho", "ｍｓ 明朝"}, "IPAMincho", Kind::CjkSerif);
    // Baekmuk's faces are of the Korean system faces' designs.
    add({"굴림", "gulim", "굴림체", "gulimche"}, "Baekmuk Gulim", Kind::Cjk);
    add({"돋움", "dotum", "돋움체", "dotumche"}, "Baekmuk Dotum", Kind::Cjk);
    add({"바탕", "batang", "바탕체", "batangche"}, "Baekmuk Batang", Kind::CjkSerif);
    return m;
  }();
  return faces;
}

bool HasCjkCharacters(const QString& s) {
  for (QChar ch : s) {
    char16_t u = ch.unicode();
    if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) || (u >= 0xF900 && u <= 0xFAFF) ||
        (u >= 0xFF00 && u <= 0xFFEF)) {
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
  static QString sans, mono, serif, cjk, cjkSerif;
  if (!HaveGuiApp()) {
    switch (kind) {
      case Kind::Sans: return QStringLiteral("Liberation Sans");
      case Kind::Mono: return QStringLiteral("Liberation Mono");
      case Kind::Serif: return QStringLiteral("Liberation Serif");
      case Kind::Cjk: return QStringLiteral("WenQuanYi Micro Hei");
      case Kind::CjkSerif: return QStringLiteral("AR PL UMing CN");
    }
  }
  std::call_once(once, [] {
    // The faces that the set-up installs come first, so that text looks the
    // same on every machine whatever else fontconfig would prefer; the
    // system's generic families are the fallback.
    auto prefer = [](std::initializer_list<const char*> families, QFont::StyleHint hint, const char* generic) {
      for (const char* family : families) {
        const QString name = QString::fromLatin1(family);
        if (IsFontFamilyInstalled(name)) return name;
      }
      return GenericFamily(hint, generic);
    };
    sans = prefer({"Liberation Sans", "DejaVu Sans"}, QFont::SansSerif, "sans-serif");
    mono = prefer({"Liberation Mono", "DejaVu Sans Mono"}, QFont::Monospace, "monospace");
    serif = prefer({"Liberation Serif", "DejaVu Serif"}, QFont::Serif, "serif");
    const QString wqy = QStringLiteral("WenQuanYi Micro Hei");
    cjk = IsFontFamilyInstalled(wqy) ? wqy : sans;
    const QString uming = QStringLiteral("AR PL UMing CN");
    cjkSerif = IsFontFamilyInstalled(uming) ? uming : cjk;
  });
  switch (kind) {
    case Kind::Sans: return sans;
    case Kind::Mono: return mono;
    case Kind::Serif: return serif;
    case Kind::Cjk: return cjk;
    case Kind::CjkSerif: return cjkSerif;
  }
  return sans;
}

bool FindKnown(const QString& face, Face& found) {
  QString key = face.trimmed().toLower();
  auto it = KnownFaces().find(key);
  if (it != KnownFaces().end()) {
    found = it->second;
    return true;
  }
  if (key.startsWith(QString::fromUtf8("华文")) || HasCjkCharacters(key)) {
    found = Face{"", Kind::Cjk};
    return true;
  }
  return false;
}

bool IsCjk(const Face& face) { return face.kind == Kind::Cjk || face.kind == Kind::CjkSerif; }

// The installed family for a known face: its match when installed, else
// its kind's family.
QString FamilyOfFace(const Face& face) {
  const QString match = QString::fromLatin1(face.match);
  if (!match.isEmpty() && IsFontFamilyInstalled(match)) return match;
  return FamilyOfKind(face.kind);
}

// The bitmap strikes registered, as (lower-case family, cell height).
std::set<std::pair<QString, int>>& RegisteredStrikes() {
  static std::set<std::pair<QString, int>> strikes;
  return strikes;
}

// Registers one font file. A bitmap face whose file holds several strikes
// is registered once per strike, so that every size can be drawn.
void RegisterFontFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray data = file.readAll();
  const QString family = QRawFont(data, 12).familyName();
  const std::vector<TBitmapStrike> strikes = BitmapStrikesOf(data);
  if (RasterSizesOf(family).empty() || strikes.size() < 2) {
    QFontDatabase::addApplicationFontFromData(data);
  } else {
    for (const QByteArray& copy : SplitStrikes(data)) QFontDatabase::addApplicationFontFromData(copy);
  }
  if (RasterSizesOf(family).empty()) return;
  for (const TBitmapStrike& strike : strikes) RegisteredStrikes().insert({family.toLower(), strike.ppem});
}

}  // namespace

void RegisterCompatibleFonts() {
  static bool done = false;
  if (done || !HaveGuiApp()) return;
  done = true;
  // Only the TrueType containers: Qt reads the .fon bitmap resources but
  // gives every glyph the face's widest advance, so their text would come
  // out far too wide. Wine's .ttf files carry the same bitmap strikes.
  const QDir dir(QString::fromLatin1(kWineFontDirectory));
  for (const QString& file : dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name)) {
    if (file.contains(QStringLiteral("_jp"))) continue;  // Japanese variants of the same names
    RegisterFontFile(dir.filePath(file));
  }
}

bool IsFontFamilyInstalled(const QString& family) {
  if (!HaveGuiApp()) return false;
  // The installed families, listed once (fonts are not installed while we run).
  static const QSet<QString> installed = [] {
    RegisterCompatibleFonts();
    QSet<QString> set;
    for (const QString& f : QFontDatabase::families()) set.insert(f.toLower());
    return set;
  }();
  return installed.contains(family.toLower());
}

QString MapFontFamily(const QString& faceName) {
  Face face;
  if (FindKnown(faceName, face)) return FamilyOfFace(face);
  QString trimmed = faceName.trimmed();
  if (!trimmed.isEmpty() && IsFontFamilyInstalled(trimmed)) return trimmed;
  return FamilyOfKind(Kind::Sans);
}

bool IsSymbolFace(const QString& family) {
  for (const char* symbol : {"Symbol", "Wingdings", "Webdings", "Marlett"})
    if (family == QLatin1String(symbol)) return true;
  return false;
}

bool IsBitmapFace(const QString& family) { return !RasterSizesOf(family).empty(); }

TDrawnFace DrawnFaceFor(const QString& family, int height) {
  const std::span<const TRasterSize> sizes = RasterSizesOf(family);
  if (sizes.empty()) return TDrawnFace{family, FontPixelSizeForHeight(family, height), false};
  const TRasterSize size = ChooseRasterSize(sizes, height);
  IsFontFamilyInstalled(family);  // registers the strikes on first use
  if (RegisteredStrikes().count({family.toLower(), size.cell})) return TDrawnFace{family, size.cell, true};
  // A size the system has and this machine lacks: the scalable stand-in
  // at the em of that size, so the text still takes about its width.
  QString standIn = RasterStandInOf(family);
  if (!IsFontFamilyInstalled(standIn)) standIn = FamilyOfKind(Kind::Sans);
  return TDrawnFace{standIn, size.em, false};
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
  Face face;
  if (FindKnown(text, face)) return FamilyOfFace(face);
  bool highBytes = false;
  for (unsigned char c : storedName) highBytes |= c >= 0x80;
  if (highBytes && !IsUnicodeFormString(storedName)) {
    // A name stored in a CJK code page while the font claims another charset
    // (the machine's own code page was CJK): try the CJK code pages.
    for (const char* cp : {"GBK", "BIG5", "CP932", "CP949"}) {
      QString candidate = DecodeCodePage(storedName, cp);
      if (candidate.contains(QChar(0xFFFD))) continue;
      if (FindKnown(candidate, face) && IsCjk(face)) return FamilyOfFace(face);
    }
  }
  return MapFontFamily(text);
}

int FontPixelSizeForHeight(const QString& family, int height) {
  // Heights past any real font's are capped, so that a corrupt value cannot
  // ask for glyphs of a billion pixels.
  constexpr int kLargest = 16384;
  if (height < 0) return height < -kLargest ? kLargest : -height;
  if (height == 0) return 11;
  height = std::min(height, kLargest);
  double ratio = 1.117;  // (ascent + descent) / em of Liberation Sans
  if (HaveGuiApp()) {
    QFont f(family);
    f.setPixelSize(100);
    QFontMetricsF m(f);
    double cell = m.ascent() + m.descent();
    if (cell > 0) ratio = cell / 100.0;
  }
  return std::max(1, int(std::lround(height / ratio)));
}

namespace {

uint16_t BigEndian16(const QByteArray& table, int offset) {
  return uint16_t((uint8_t(table[offset]) << 8) | uint8_t(table[offset + 1]));
}

// The face's units per em and Windows ascent and descent; false when it
// carries no such tables (or truncated ones).
bool WindowsVerticalMetrics(const QRawFont& raw, int& unitsPerEm, int& winAscent, int& winDescent) {
  const QByteArray head = raw.fontTable("head");
  const QByteArray os2 = raw.fontTable("OS/2");
  constexpr int kUnitsPerEmAt = 18, kWinAscentAt = 74, kWinDescentAt = 76;
  if (head.size() < kUnitsPerEmAt + 2 || os2.size() < kWinDescentAt + 2) return false;
  unitsPerEm = BigEndian16(head, kUnitsPerEmAt);
  winAscent = BigEndian16(os2, kWinAscentAt);
  winDescent = BigEndian16(os2, kWinDescentAt);
  return unitsPerEm > 0 && winAscent + winDescent > 0;
}

TCellMetrics UncachedCellMetricsOf(const QFont& font) {
  const QFontMetrics qt(font);
  const TCellMetrics reported{qt.ascent(), qt.descent()};
  const int em = font.pixelSize();
  if (em <= 0 || IsBitmapFace(font.family())) return reported;
  int unitsPerEm = 0, winAscent = 0, winDescent = 0;
  if (!WindowsVerticalMetrics(QRawFont::fromFont(font), unitsPerEm, winAscent, winDescent)) return reported;
  auto scaled = [&](int units) { return int(std::lround(double(units) * em / unitsPerEm)); };
  return TCellMetrics{scaled(winAscent), scaled(winDescent)};
}

std::string CellKeyOf(const QFont& font) {
  std::string key = font.family().toStdString();
  key += '\0';
  key += std::to_string(font.pixelSize()) + (font.bold() ? "b" : "") + (font.italic() ? "i" : "");
  return key;
}

std::unordered_map<std::string, TCellMetrics>& CellMemo() {
  static std::unordered_map<std::string, TCellMetrics> memo;
  return memo;
}

std::unordered_map<std::string, int>& StoredCellHeights() {
  static std::unordered_map<std::string, int> heights;
  return heights;
}

TCellMetrics SystemCellMetricsOf(const QFont& font, const std::string& key) {
  // Every measured line asks; a form uses few fonts. Bounded like the
  // family memo above.
  auto& memo = CellMemo();
  if (auto it = memo.find(key); it != memo.end()) return it->second;
  if (memo.size() >= 1024) memo.clear();
  const TCellMetrics metrics = UncachedCellMetricsOf(font);
  memo.emplace(key, metrics);
  return metrics;
}

}  // namespace

TCellMetrics CellMetricsOf(const QFont& font) {
  if (!HaveGuiApp()) return TCellMetrics{};
  const std::string key = CellKeyOf(font);
  TCellMetrics metrics = SystemCellMetricsOf(font, key);
  const auto& stored = StoredCellHeights();
  if (auto it = stored.find(key); it != stored.end()) metrics.ascent = it->second - metrics.descent;
  return metrics;
}

void RecordStoredCellHeight(const QFont& font, int height) {
  if (!HaveGuiApp()) return;
  const std::string key = CellKeyOf(font);
  const TCellMetrics own = SystemCellMetricsOf(font, key);
  if (height <= own.descent || std::abs(height - own.Height()) * 3 > own.Height()) return;
  auto& stored = StoredCellHeights();
  if (stored.size() >= 64 && !stored.count(key)) return;
  stored[key] = height;
}

void ForgetStoredCellHeights() { StoredCellHeights().clear(); }

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/Ascii.h"
#include "core/Exceptions.h"
#include "streaming/FormText.h"
#include "streaming/TextBytes.h"

namespace {

constexpr bool IsIdentStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
constexpr bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline int HexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Value of a hex digit, -1 for any other byte.
constexpr struct HexTable {
  int8_t v[256];
  constexpr HexTable() : v() {
    for (int i = 0; i < 256; ++i) v[i] = -1;
    for (int i = 0; i < 10; ++i) v['0' + i] = static_cast<int8_t>(i);
    for (int i = 0; i < 6; ++i) {
      v['A' + i] = static_cast<int8_t>(10 + i);
      v['a' + i] = static_cast<int8_t>(10 + i);
    }
  }
  int operator[](unsigned char c) const { return v[c]; }
} kHex;

// The C locale, whatever the process's locale says about decimal points.
locale_t CLocale() {
  static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  return c;
}

}  // namespace

FormFloatRead ReadFormFloat(std::string_view text, long double& value) {
  const char* b = text.data();
  const char* e = b + text.size();
  auto r = std::from_chars(b, e, value);
  if (r.ec == std::errc() && r.ptr == e) return FormFloatRead::Ok;
  if (r.ec != std::errc::result_out_of_range) return FormFloatRead::Invalid;
  // from_chars gives up on subnormal extended values; strtold reads them,
  // rounded correctly, and flags only a true underflow with a zero.
  std::string copy(text);
  char* stop = nullptr;
  long double v = strtold_l(copy.c_str(), &stop, CLocale());
  if (stop != copy.c_str() + copy.size()) return FormFloatRead::Invalid;
  if (v == 0 || !std::isfinite(v)) return FormFloatRead::OutOfRange;
  value = v;
  return FormFloatRead::Ok;
}

long double FormExtendedFromText(std::string_view text, long double value) {
  // More than 17 mantissa digits in exponent form is the writer's exact form
  // for values the 16-digit layout cannot carry: taken as it stands.
  size_t exponent = text.find_first_of("eE");
  if (exponent != std::string_view::npos) {
    size_t digits = 0;
    for (size_t i = 0; i < exponent; ++i) digits += IsDigit(static_cast<unsigned char>(text[i]));
    if (digits > 17) return value;
  }
  // Most float properties are doubles, and their values reach the binary
  // stream widened to extended. Text keeps 16 significant digits, which does
  // not say which of the two was meant; when the nearest double prints the
  // same as the parsed value, its widened form is taken, so that binary
  // files written from double properties come back byte for byte.
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<double>::max()) return value;
  long double widened = static_cast<double>(value);
  if (widened == value || !std::isfinite(widened)) return value;
  return FormatFormExtended(widened) == FormatFormExtended(value) ? widened : value;
}

namespace {

// 1: may start an identifier, 2: may continue one. Names are checked for
// every component and property written, so this is a table lookup.
constexpr struct NameClasses {
  uint8_t c[256];
  constexpr NameClasses() : c() {
    for (int i = 0; i < 256; ++i) c[i] = IsIdentStart(uint8_t(i)) ? 3 : IsIdentChar(uint8_t(i)) ? 2 : 0;
  }
} kNameClasses;

}  // namespace

bool IsFormTextIdentifier(std::string_view s, bool dotted) {
  const auto* p = reinterpret_cast<const uint8_t*>(s.data());
  const auto* e = p + s.size();
  for (;;) {
    if (p == e || !(kNameClasses.c[*p] & 1)) return false;
    while (++p < e && (kNameClasses.c[*p] & 2)) {}
    if (p == e) return true;
    if (!dotted || *p++ != '.') return false;
  }
}

bool IsFormTextSetElement(std::string_view s) {
  if (s.empty()) return false;
  for (unsigned char c : s)
    if (!(kNameClasses.c[c] & 2)) return false;
  return true;
}

namespace {

// How far ahead of the value being parsed its text is fetched into the cache.
constexpr size_t kPrefetchAhead = 1024;

class TextParser {
 public:
  TextParser(std::string_view text, FormEvents& sink)
      : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()), sink_(sink) {}

  size_t Run() {
    if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) {
      p_ += 3;
    }
    SkipBlanks();
    std::string_view kw = PeekIdent();
    if (!IsHeaderKeyword(kw)) Fail("'object', 'inherited' or 'inline' expected");
    Component();
    return static_cast<size_t>(p_ - begin_);
  }

 private:
  [[noreturn]] void FailAt(const char* at, const std::string& what) {
    // Recount from the start so that the position is exact wherever we are.
    int line = 1;
    const char* ls = begin_;
    for (const char* q = begin_; q < at; ++q)
      if (*q == '\n') {
        ++line;
        ls = q + 1;
      }
    throw EParserError("Line " + std::to_string(line) + ", column " + std::to_string(at - ls + 1) + ": " + what);
  }
  [[noreturn]] void Fail(const std::string& what) { FailAt(p_, what); }

  void SkipBlanks() {
    while (p_ < end_ && static_cast<unsigned char>(*p_) <= ' ' && *p_ != '\0') ++p_;
  }
  bool At(char c) const { return p_ < end_ && *p_ == c; }
  void Expect(char c, const char* what) {
    SkipBlanks();
    if (!At(c)) Fail(std::string(what) + " expected");
    ++p_;
  }

  std::string_view PeekIdent() const {
    const char* q = p_;
    if (q >= end_ || !IsIdentStart(static_cast<unsigned char>(*q))) return {};
    while (q < end_ && IsIdentChar(static_cast<unsigned char>(*q))) ++q;
    return std::string_view(p_, static_cast<size_t>(q - p_));
  }
  std::string_view Ident(const char* what) {
    SkipBlanks();
    std::string_view id = PeekIdent();
    if (id.empty()) Fail(std::string(what) + " expected");
    p_ += id.size();
    return id;
  }
  // ident { "." ident }, blanks not allowed inside.
  std::string_view Dotted(const char* what) {
    SkipBlanks();
    const char* start = p_;
    Ident(what);
    while (At('.') && p_ + 1 < end_ && IsIdentStart(static_cast<unsigned char>(p_[1]))) {
      ++p_;
      p_ += PeekIdent().size();
    }
    return std::string_view(start, static_cast<size_t>(p_ - start));
  }

  static bool IsHeaderKeyword(std::string_view w) {
    return SameTextAscii(w, "object") || SameTextAscii(w, "inherited") || SameTextAscii(w, "inline");
  }
  // At a header keyword that starts a child (not a property named like one).
  bool AtChildHeader() {
    std::string_view w = PeekIdent();
    if (!IsHeaderKeyword(w)) return false;
    const char* q = p_ + w.size();
    while (q < end_ && static_cast<unsigned char>(*q) <= ' ' && *q != '\0') ++q;
    return !(q < end_ && (*q == '=' || *q == '.'));
  }
  bool AtEndKeyword() {
    std::string_view w = PeekIdent();
    if (!SameTextAscii(w, "end")) return false;
    const char* q = p_ + w.size();
    while (q < end_ && static_cast<unsigned char>(*q) <= ' ' && *q != '\0') ++q;
    return !(q < end_ && (*q == '=' || *q == '.'));
  }

  void Enter() {
    if (++depth_ > kMaxFormNesting) Fail("Form nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
  }

  int64_t SignedInteger(const char* what) {
    SkipBlanks();
    const char* start = p_;
    Number();
    if (!isInteger_) FailAt(start, std::string(what) + ": integer expected");
    return intValue_;
  }

  void Component() {
    Enter();
    FormObjectHeader h;
    std::string_view kw = Ident("'object'");
    if (SameTextAscii(kw, "inherited"))
      h.flags = ffInherited;
    else if (SameTextAscii(kw, "inline"))
      h.flags = ffInline;
    std::string_view first = Dotted("Component name");
    SkipBlanks();
    if (At(':')) {
      ++p_;
      h.name = first;
      h.className = Dotted("Class name");
    } else {
      h.className = first;
    }
    SkipBlanks();
    if (At('[')) {
      ++p_;
      int64_t pos = SignedInteger("Child position");
      if (pos < INT32_MIN || pos > INT32_MAX) Fail("Child position out of range");
      h.position = static_cast<int32_t>(pos);
      h.flags |= ffChildPos;
      Expect(']', "']'");
    }
    sink_.BeginComponent(h);
    for (;;) {
      SkipBlanks();
      if (p_ >= end_) Fail("'end' expected");
      if (AtEndKeyword() || AtChildHeader()) break;
      PropertyAndValue();
    }
    for (;;) {
      SkipBlanks();
      if (p_ >= end_) Fail("'end' expected");
      if (AtEndKeyword()) break;
      if (!AtChildHeader()) Fail("'object', 'inherited', 'inline' or 'end' expected");
      Component();
    }
    p_ += 3;
    sink_.EndComponent();
    --depth_;
  }

  void PropertyAndValue() {
    std::string_view name = Dotted("Property name");
    Expect('=', "'='");
    sink_.Property(name);
    Value();
  }

  // Scans a number at p_: sets isInteger_/intValue_ or the float fields.
  void Number() {
    const char* start = p_;
    bool negative = false;
    if (At('-')) {
      negative = true;
      ++p_;
    } else if (At('+')) {
      ++p_;
    }
    isInteger_ = true;
    if (At('$')) {
      ++p_;
      const char* digits = p_;
      uint64_t v = 0;
      while (p_ < end_ && HexValue(static_cast<unsigned char>(*p_)) >= 0) {
        if (v >> 60) FailAt(start, "Number too large");
        v = v << 4 | static_cast<uint64_t>(HexValue(static_cast<unsigned char>(*p_)));
        ++p_;
      }
      if (p_ == digits) FailAt(start, "Hexadecimal digits expected");
      if (v > static_cast<uint64_t>(INT64_MAX)) FailAt(start, "Number too large");
      if (p_ < end_ && IsIdentChar(static_cast<unsigned char>(*p_))) Fail("Invalid number");
      intValue_ = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
      return;
    }
    const char* digits = p_;
    while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) ++p_;
    if (p_ == digits) FailAt(start, "Number expected");
    if (At('.') && p_ + 1 < end_ && IsDigit(static_cast<unsigned char>(p_[1]))) {
      isInteger_ = false;
      ++p_;
      while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) ++p_;
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
      const char* q = p_ + 1;
      if (q < end_ && (*q == '+' || *q == '-')) ++q;
      if (q < end_ && IsDigit(static_cast<unsigned char>(*q))) {
        isInteger_ = false;
        p_ = q;
        while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) ++p_;
      }
    }
    const char* numberEnd = p_;
    floatSuffix_ = 0;
    if (p_ < end_) {
      char c = static_cast<char>(*p_ | 0x20);
      if ((c == 's' || c == 'c' || c == 'd') && !(p_ + 1 < end_ && IsIdentChar(static_cast<unsigned char>(p_[1])))) {
        floatSuffix_ = c;
        isInteger_ = false;
        ++p_;
      }
    }
    if (p_ < end_ && IsIdentChar(static_cast<unsigned char>(*p_))) Fail("Invalid number");
    const char* numberStart = *start == '+' ? start + 1 : start;
    numberText_ = std::string_view(numberStart, static_cast<size_t>(numberEnd - numberStart));
    if (isInteger_) {
      auto r = std::from_chars(numberStart, numberEnd, intValue_);
      if (r.ec != std::errc()) FailAt(start, "Integer out of range");
      return;
    }
    switch (ReadFormFloat(numberText_, floatValue_)) {
      case FormFloatRead::Ok: return;
      case FormFloatRead::OutOfRange: FailAt(start, "Number out of range");
      case FormFloatRead::Invalid: FailAt(start, "Invalid number");
    }
  }

  void Value() {
    // The text is read once, front to back, from pages the hardware
    // prefetcher does not cross: ask for what comes next ahead of time.
    __builtin_prefetch(p_ + kPrefetchAhead);
    SkipBlanks();
    if (p_ >= end_) Fail("Value expected");
    FormScalar& s = scalar_;
    unsigned char c = static_cast<unsigned char>(*p_);
    if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
      Number();
      if (isInteger_) {
        int64_t v = intValue_;
        s.type =
            v >= INT8_MIN && v <= INT8_MAX     ? TValueType::vaInt8
            : v >= INT16_MIN && v <= INT16_MAX ? TValueType::vaInt16
            : v >= INT32_MIN && v <= INT32_MAX
                ? TValueType::vaInt32
                : TValueType::vaInt64;
        s.integer = v;
      } else if (floatSuffix_ == 's') {
        s.type = TValueType::vaSingle;
        float f = 0;
        if (std::from_chars(numberText_.data(), numberText_.data() + numberText_.size(), f).ec != std::errc())
          Fail("Single value out of range");
        s.real = f;
      } else if (floatSuffix_ == 'd') {
        s.type = TValueType::vaDate;
        double d = 0;
        if (std::from_chars(numberText_.data(), numberText_.data() + numberText_.size(), d).ec != std::errc())
          Fail("Date value out of range");
        s.real = d;
      } else if (floatSuffix_ == 'c') {
        s.type = TValueType::vaCurrency;
        long double r = std::nearbyint(floatValue_);
        // Any 64-bit count of ten-thousandths, the most negative included.
        if (!(r >= -0x1p63L && r < 0x1p63L)) Fail("Currency value out of range");
        s.integer = static_cast<int64_t>(r);
      } else {
        s.type = TValueType::vaExtended;
        s.extended = FormExtendedFromText(numberText_, floatValue_);
      }
      sink_.Scalar(s);
      return;
    }
    if (c == '\'' || c == '#') {
      String();
      return;
    }
    if (IsIdentStart(c)) {
      std::string_view id = Dotted("Value");
      if (SameTextAscii(id, "true"))
        s.type = TValueType::vaTrue;
      else if (SameTextAscii(id, "false"))
        s.type = TValueType::vaFalse;
      else if (SameTextAscii(id, "nil"))
        s.type = TValueType::vaNil;
      else {
        s.type = TValueType::vaIdent;
        s.bytes = id;
      }
      sink_.Scalar(s);
      return;
    }
    switch (c) {
      case '[': Set(); return;
      case '(': List(); return;
      case '<': Collection(); return;
      case '{': Binary(); return;
      default: Fail("Value expected");
    }
  }

  void Set() {
    ++p_;
    FormScalar& s = scalar_;
    s.type = TValueType::vaSet;
    s.setItems.clear();
    SkipBlanks();
    if (At(']')) {
      ++p_;
    } else {
      for (;;) {
        SkipBlanks();
        const char* start = p_;
        while (p_ < end_ && IsIdentChar(static_cast<unsigned char>(*p_))) ++p_;
        if (p_ == start) Fail("Set element expected");
        s.setItems.emplace_back(start, static_cast<size_t>(p_ - start));
        SkipBlanks();
        if (At(']')) {
          ++p_;
          break;
        }
        if (!At(',')) Fail("',' or ']' expected");
        ++p_;
      }
    }
    sink_.Scalar(s);
  }

  void List() {
    Enter();
    ++p_;
    sink_.BeginList();
    for (;;) {
      SkipBlanks();
      if (At(')')) break;
      if (p_ >= end_) Fail("')' expected");
      Value();
    }
    ++p_;
    sink_.EndList();
    --depth_;
  }

  void Collection() {
    Enter();
    ++p_;
    sink_.BeginCollection();
    FormScalar order;
    for (;;) {
      SkipBlanks();
      if (At('>')) break;
      if (p_ >= end_) Fail("'>' expected");
      std::string_view w = PeekIdent();
      if (!SameTextAscii(w, "item")) Fail("'item' expected");
      p_ += w.size();
      SkipBlanks();
      bool hasOrder = false;
      if (At('[')) {
        ++p_;
        order.integer = SignedInteger("Item order");
        int64_t v = order.integer;
        order.type =
            v >= INT8_MIN && v <= INT8_MAX     ? TValueType::vaInt8
            : v >= INT16_MIN && v <= INT16_MAX ? TValueType::vaInt16
            : v >= INT32_MIN && v <= INT32_MAX
                ? TValueType::vaInt32
                : TValueType::vaInt64;
        hasOrder = true;
        Expect(']', "']'");
      }
      sink_.BeginItem(hasOrder, order);
      for (;;) {
        SkipBlanks();
        if (p_ >= end_) Fail("'end' expected");
        if (AtEndKeyword()) break;
        PropertyAndValue();
      }
      p_ += 3;
      sink_.EndItem();
    }
    ++p_;
    sink_.EndCollection();
    --depth_;
  }

  // Whether the line holding p_ starts below the line of `open` and reads
  // like the form text after a value ("end", a header, "Name ="): a binary
  // value whose '}' is missing runs into such a line.
  bool OnFormLineAfter(const char* open) const {
    const char* line = p_;
    while (line > open && line[-1] != '\n' && line[-1] != '\r') --line;
    if (line == open) return false;
    while (line < end_ && (*line == ' ' || *line == '\t')) ++line;
    const char* word = line;
    while (line < end_ && (IsIdentChar(static_cast<unsigned char>(*line)) || *line == '.')) ++line;
    const std::string_view w(word, static_cast<size_t>(line - word));
    if (w.empty() || !IsIdentStart(static_cast<unsigned char>(w[0]))) return false;
    if (SameTextAscii(w, "end") || SameTextAscii(w, "item") || IsHeaderKeyword(w)) return true;
    while (line < end_ && (*line == ' ' || *line == '\t')) ++line;
    return line < end_ && *line == '=';
  }

  void Binary() {
    const char* open = p_;
    // Rows are pairs of hex digits; a pair may also be split by blanks.
    size_t n = 0;
    int high = -1;
    const auto* q = reinterpret_cast<const unsigned char*>(p_ + 1);
    const auto* e = reinterpret_cast<const unsigned char*>(end_);
    for (;;) {
#if defined(__SSE2__)
      // A whole row's worth of digits at once (what real files have between line breaks).
      if (high < 0 && e - q >= 32) {
        __builtin_prefetch(q + kPrefetchAhead);
        if (bin_.size() < n + 16) bin_.resize(std::max<size_t>(2 * bin_.size(), n + 16));
        if (DecodeTextHex32(q, bin_.data() + n)) {
          n += 16;
          q += 32;
          continue;
        }
      }
#endif
      if (q >= e) FailAt(open, "Binary value without '}'");
      unsigned char c = *q;
      if (c == '}') break;
      if (c <= ' ') {
        ++q;
        continue;
      }
      int v = kHex[c];
      if (v < 0) {
        p_ = reinterpret_cast<const char*>(q);
        if (OnFormLineAfter(open)) FailAt(open, "Binary value without '}'");
        Fail("Hexadecimal digit expected");
      }
      if (bin_.size() < n + 1) bin_.resize(std::max<size_t>(2 * bin_.size(), 64));
      if (high >= 0) {
        bin_[n++] = static_cast<char>(high << 4 | v);
        high = -1;
        ++q;
        continue;
      }
      int low = q + 1 < e ? kHex[q[1]] : -1;
      if (low >= 0) {
        bin_[n++] = static_cast<char>(v << 4 | low);
        q += 2;
      } else {
        high = v;
        ++q;
      }
    }
    p_ = reinterpret_cast<const char*>(q);
    if (high >= 0) Fail("Odd number of hexadecimal digits");
    ++p_;
    FormScalar& s = scalar_;
    s.type = TValueType::vaBinary;
    s.bytes = std::string_view(bin_.data(), n);
    sink_.Scalar(s);
  }

  // Appends a UTF-16 unit from a #n escape.
  void AddUnit(uint32_t u) {
    if (!wide_) {
      if (u < 0x80) {
        str8_.push_back(static_cast<char>(u));
        return;
      }
      // First escape above 127: from here on the string is UTF-16, raw bytes as Latin-1.
      wide_ = true;
      str16_.clear();
      for (unsigned char b : str8_) str16_.push_back(b);
    }
    str16_.push_back(static_cast<char16_t>(u));
    if (u > maxUnit_) maxUnit_ = u;
  }
  void AddRaw(const char* p, size_t n) {
    if (!wide_) {
      str8_.append(p, n);
      return;
    }
    for (size_t i = 0; i < n; ++i) str16_.push_back(static_cast<unsigned char>(p[i]));
  }

  // A quoted segment: '' inside stands for one quote.
  void QuotedSegment() {
    const char* open = p_;
    ++p_;
    for (;;) {
      const char* q = FindQuoteOrLineEnd(p_, end_);
      if (q >= end_ || *q != '\'') FailAt(open, "Unterminated string");
      AddRaw(p_, static_cast<size_t>(q - p_));
      p_ = q + 1;
      if (!At('\'')) break;
      AddRaw("'", 1);
      ++p_;
    }
  }

  // A character code: # and a decimal number, or #$ and a hexadecimal one.
  void CharacterCode() {
    const char* hash = p_;
    ++p_;
    const bool hex = At('$');
    if (hex) ++p_;
    const uint32_t base = hex ? 16 : 10;
    auto digit = [hex](unsigned char c) { return hex ? HexValue(c) : (IsDigit(c) ? c - '0' : -1); };
    uint32_t u = 0;
    const char* d = p_;
    while (p_ < end_ && digit(static_cast<unsigned char>(*p_)) >= 0) {
      u = u * base + static_cast<uint32_t>(digit(static_cast<unsigned char>(*p_)));
      if (u > 0xFFFF) FailAt(hash, "Character code above 65535");
      ++p_;
    }
    if (p_ == d) FailAt(hash, "Character code expected after '#'");
    AddUnit(u);
  }

  void String() {
    str8_.clear();
    wide_ = false;
    maxUnit_ = 0;
    for (;;) {
      // One or more adjacent segments.
      bool any = false;
      while (At('\'') || At('#')) {
        if (At('\''))
          QuotedSegment();
        else
          CharacterCode();
        any = true;
      }
      if (!any) Fail("String expected");
      // "+" joins the next part, usually on the next line.
      const char* save = p_;
      SkipBlanks();
      if (At('+')) {
        ++p_;
        SkipBlanks();
        if (!At('\'') && !At('#')) Fail("String expected after '+'");
        continue;
      }
      p_ = save;
      break;
    }
    StringScalar();
  }

  // The string read, in the narrowest type that holds it: 8-bit text as
  // it stands, wide text as UTF-8 when every unit fits in a byte (the
  // writer's choice too), UTF-16 otherwise.
  void StringScalar() {
    FormScalar& s = scalar_;
    if (!wide_) {
      s.type = str8_.size() <= 255 ? TValueType::vaString : TValueType::vaLString;
      s.bytes = str8_;
    } else if (maxUnit_ > 0xFF) {
      s.type = TValueType::vaWString;
      strBytes_.resize(str16_.size() * 2);
      for (size_t i = 0; i < str16_.size(); ++i) {
        strBytes_[2 * i] = static_cast<char>(str16_[i] & 0xFF);
        strBytes_[2 * i + 1] = static_cast<char>(str16_[i] >> 8);
      }
      s.bytes = strBytes_;
    } else {
      s.type = TValueType::vaUTF8String;
      strBytes_.clear();
      for (char16_t u : str16_) {
        if (u < 0x80) {
          strBytes_.push_back(static_cast<char>(u));
        } else {
          strBytes_.push_back(static_cast<char>(0xC0 | (u >> 6)));
          strBytes_.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
      }
      s.bytes = strBytes_;
    }
    sink_.Scalar(s);
  }

  const char* begin_;
  const char* p_;
  const char* end_;
  FormEvents& sink_;
  int depth_ = 0;
  FormScalar scalar_;
  // Number scanner results.
  bool isInteger_ = true;
  int64_t intValue_ = 0;
  long double floatValue_ = 0;
  char floatSuffix_ = 0;
  std::string_view numberText_;  // sign and digits, without a suffix
  // String and binary buffers, reused between values.
  std::string str8_, strBytes_, bin_;
  std::u16string str16_;
  bool wide_ = false;
  uint32_t maxUnit_ = 0;
};

}  // namespace

size_t ParseFormText(std::string_view text, FormEvents& sink) { return TextParser(text, sink).Run(); }

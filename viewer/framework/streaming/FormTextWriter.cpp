#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/Exceptions.h"
#include "streaming/FormText.h"

namespace {

constexpr int kStringLineUnits = 64;  // characters of a string value per line
constexpr size_t kBinaryRowBytes = 32;

// A name for a message: bytes below 32 as #n, at most 60 bytes.
std::string Printable(std::string_view s) {
  std::string out;
  for (unsigned char c : s.substr(0, 60)) {
    if (c < ' ')
      out += "#" + std::to_string(c);
    else
      out += static_cast<char>(c);
  }
  if (s.size() > 60) out += "...";
  return out;
}

bool IsSameText(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char c = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
    if (c != lower[i]) return false;
  }
  return true;
}

// Appends the decimal form of v.
inline void PutInt(FormOutput& out, int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.Put(buf, static_cast<size_t>(r.ptr - buf));
}

// Splits to_chars' scientific output ("-d.ddde+XX") into sign, digits, exponent.
struct Decimal {
  bool negative = false;
  std::string digits;  // without the point, trailing zeros kept
  int exponent = 0;    // of the first digit
};

template <typename F>
Decimal ToDecimal(F v, int significant) {
  char buf[128];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
  Decimal d;
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  const char* e = static_cast<const char*>(std::memchr(p, 'e', static_cast<size_t>(r.ptr - p)));
  for (const char* q = p; q < e; ++q)
    if (*q != '.') d.digits.push_back(*q);
  std::from_chars(e + (e[1] == '+' ? 2 : 1), r.ptr, d.exponent);
  return d;
}

// "1.5E20" / "1E-7": the exponent layout of the general number format.
std::string Scientific(const Decimal& d) {
  std::string digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string s = d.negative ? "-" : "";
  s += digits[0];
  if (digits.size() > 1) {
    s += '.';
    s.append(digits, 1);
  }
  s += 'E';
  s += std::to_string(d.exponent);
  return s;
}

}  // namespace

std::string FormatFormExtended(long double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  constexpr int kDigits = 16, kDecimals = 18;
  Decimal d = ToDecimal(v, kDigits);
  if (d.exponent >= kDigits) return Scientific(d);
  if (d.exponent < -3) {
    // Fewer than 16 significant digits fit into 18 decimals: round there.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, kDecimals);
    return std::string(buf, r.ptr);
  }
  std::string s = d.negative ? "-" : "";
  if (d.exponent >= 0) {
    s.append(d.digits, 0, static_cast<size_t>(d.exponent) + 1);
    s += '.';
    s.append(d.digits, static_cast<size_t>(d.exponent) + 1);
    s.append(static_cast<size_t>(kDecimals - (kDigits - 1 - d.exponent)), '0');
  } else {
    s += "0.";
    s.append(static_cast<size_t>(-d.exponent - 1), '0');
    s += d.digits;
    s.append(static_cast<size_t>(kDecimals - (-d.exponent - 1) - kDigits), '0');
  }
  return s;
}

std::string FormatFormShortFloat(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  constexpr int kDigits = 15;
  Decimal d = ToDecimal(v, kDigits);
  if (v == 0) return "0";
  if (d.exponent >= kDigits || d.exponent < -5) return Scientific(d);
  std::string digits = d.digits;
  size_t intDigits = d.exponent >= 0 ? static_cast<size_t>(d.exponent) + 1 : 0;
  while (digits.size() > intDigits && digits.back() == '0') digits.pop_back();
  std::string s = d.negative ? "-" : "";
  if (d.exponent >= 0) {
    s.append(digits, 0, intDigits);
    if (digits.size() > intDigits) {
      s += '.';
      s.append(digits, intDigits);
    }
  } else {
    s += "0.";
    s.append(static_cast<size_t>(-d.exponent - 1), '0');
    s += digits;
  }
  return s;
}

namespace {

// d.ddd...E-x with `significant` digits, all kept: the exact form.
template <typename F>
std::string ExactScientific(F v, int significant) {
  Decimal d = ToDecimal(v, significant);
  std::string s = d.negative ? "-" : "";
  s += d.digits[0];
  s += '.';
  s.append(d.digits, 1);
  s += 'E';
  s += std::to_string(d.exponent);
  return s;
}

template <typename F>
bool SameBits(F a, F b, size_t bytes) {
  return std::memcmp(&a, &b, bytes) == 0;
}

bool ReadsBackAsExtended(const std::string& text, long double v) {
  long double back = 0;
  if (ReadFormFloat(text, back) != FormFloatRead::Ok) return false;
  return SameBits(FormExtendedFromText(text, back), v, 10);
}

template <typename F>
bool ReadsBackAs(const std::string& text, F v) {
  F back = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), back);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && SameBits(back, v, sizeof(F));
}

}  // namespace

// The 18-decimal layout when it carries the value, else the 16-digit
// exponent form, else all 21 digits (which the parser takes exactly).
// Empty when no text reads back as this value (NaN, infinities and the
// invalid x87 encodings).
namespace {

// The 18-decimal layout of a value whose exact decimal form fits it with at
// most 16 significant digits (whole numbers and the halves, quarters and
// other small binary fractions most stored floats are), in integer
// arithmetic: the same text FormatFormExtended gives, without formatting
// and reading back. Empty for every other value.
std::string ExactEighteenDecimals(long double v) {
  constexpr long double kFractionScale = 262144.0L;   // 2^18: m / 2^18 has at most 18 decimals
  constexpr uint64_t kFiveToEighteen = 3814697265625;  // m / 2^18 == m * 5^18 / 10^18
  const long double magnitude = std::fabs(v);
  if (!(magnitude < 1e15L)) return {};
  long double whole = 0;
  const long double scaled = std::modf(magnitude, &whole) * kFractionScale;
  if (scaled != std::floor(scaled)) return {};
  const auto integer = static_cast<uint64_t>(whole);
  const auto numerator = static_cast<uint64_t>(scaled);
  // Non-canonical x87 encodings compare equal to no value they could be rebuilt from.
  long double rebuilt = static_cast<long double>(integer) + static_cast<long double>(numerator) / kFractionScale;
  if (std::signbit(v)) rebuilt = -rebuilt;
  if (std::memcmp(&rebuilt, &v, 10) != 0) return {};
  const uint64_t decimals = numerator * kFiveToEighteen;  // below 10^18
  char digits[24];
  auto r = std::to_chars(digits, digits + sizeof digits, decimals);
  const int decimalDigits = static_cast<int>(r.ptr - digits);
  int trailingZeros = 0;
  for (uint64_t d = decimals; d != 0 && d % 10 == 0; d /= 10) ++trailingZeros;
  int significant = 0;
  if (integer != 0) {
    char wholeDigits[24];
    significant = static_cast<int>(std::to_chars(wholeDigits, wholeDigits + sizeof wholeDigits, integer).ptr - wholeDigits);
    if (decimals != 0) significant += 18 - trailingZeros;
  } else if (decimals >= 1000000000000000) {  // at least 0.001: the 16-digit layout rounds
    significant = decimalDigits - trailingZeros;
  }
  if (significant > 16) return {};
  std::string text;
  if (std::signbit(v)) text += '-';
  char wholeDigits[24];
  text.append(wholeDigits, std::to_chars(wholeDigits, wholeDigits + sizeof wholeDigits, integer).ptr);
  text += '.';
  text.append(static_cast<size_t>(18 - decimalDigits), '0');
  text.append(digits, r.ptr);
  return text;
}

}  // namespace

std::string FormatFormExtendedExact(long double v) {
  if (!std::isfinite(v)) return {};
  std::string text = ExactEighteenDecimals(v);
  if (!text.empty()) return text;
  text = FormatFormExtended(v);
  if (ReadsBackAsExtended(text, v)) return text;
  text = Scientific(ToDecimal(v, 16));
  if (ReadsBackAsExtended(text, v)) return text;
  text = ExactScientific(v, 21);
  if (ReadsBackAsExtended(text, v)) return text;
  return {};
}

std::string FormatFormShortFloatExact(double v, bool single) {
  if (!std::isfinite(v)) return {};
  std::string text = FormatFormShortFloat(v);
  if (single ? ReadsBackAs(text, static_cast<float>(v)) : ReadsBackAs(text, v)) return text;
  text = single ? ExactScientific(static_cast<float>(v), 9) : ExactScientific(v, 17);
  if (single ? ReadsBackAs(text, static_cast<float>(v)) : ReadsBackAs(text, v)) return text;
  return {};
}

FormTextWriter::FormTextWriter(FormOutput& out, FormTextOptions options)
    : out_(out), options_(options) {}

void FormTextWriter::CannotWrite(const std::string& what) const {
  throw EWriteError("Cannot write " + what + " as form text");
}

void FormTextWriter::RequireName(std::string_view name, const char* what) const {
  if (!IsFormTextIdentifier(name, true))
    CannotWrite(std::string(what) + " '" + Printable(name) + "': it is not an identifier");
}

void FormTextWriter::PutFloat(const std::string& text, char suffix) {
  if (text.empty()) CannotWrite("the value of " + Printable(property_) + ": it has no decimal form (NaN or infinite)");
  out_.Put(text);
  if (suffix) out_.Put(suffix);
}

void FormTextWriter::Indent() {
  static const std::string spaces(256, ' ');
  size_t n = nesting_ > 0 ? static_cast<size_t>(nesting_) * 2 : 0;
  while (n > spaces.size()) {
    out_.Put(spaces);
    n -= spaces.size();
  }
  out_.Put(spaces.data(), n);
}

void FormTextWriter::NewLine() {
  out_.Put(options_.lineBreak);
  Indent();
}

// A value inside a list starts on its own line; a property value follows "Name = ".
void FormTextWriter::BeforeValue() {
  if (!stack_.empty() && stack_.back() == 'L') NewLine();
}

void FormTextWriter::AfterValue() {
  if (stack_.empty() || stack_.back() != 'L') out_.Put(options_.lineBreak);
}

void FormTextWriter::BeginComponent(const FormObjectHeader& h) {
  Indent();
  if (h.flags & ffInherited)
    out_.Put("inherited ");
  else if (h.flags & ffInline)
    out_.Put("inline ");
  else
    out_.Put("object ");
  if (!h.name.empty()) RequireName(h.name, "the component name");
  RequireName(h.className, "the class name");
  if (!h.name.empty()) {
    out_.Put(h.name);
    out_.Put(": ");
  }
  out_.Put(h.className);
  if (h.flags & ffChildPos) {
    out_.Put(" [");
    PutInt(out_, h.position);
    out_.Put(']');
  }
  out_.Put(options_.lineBreak);
  ++nesting_;
  stack_.push_back('C');
}

void FormTextWriter::EndComponent() {
  --nesting_;
  if (!stack_.empty()) stack_.pop_back();
  Indent();
  out_.Put("end");
  out_.Put(options_.lineBreak);
  out_.MaybeFlush();
}

void FormTextWriter::Property(std::string_view name) {
  RequireName(name, "the property name");
  property_.assign(name);
  Indent();
  out_.Put(name);
  out_.Put(" = ");
}

void FormTextWriter::Scalar(const FormScalar& s) {
  BeforeValue();
  switch (s.type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: PutInt(out_, s.integer); break;
    case TValueType::vaExtended: PutFloat(FormatFormExtendedExact(s.extended), 0); break;
    case TValueType::vaDouble: PutFloat(FormatFormExtendedExact(s.real), 0); break;
    case TValueType::vaSingle: PutFloat(FormatFormShortFloatExact(FormNarrowToSingle(s.real), true), 's'); break;
    case TValueType::vaDate: PutFloat(FormatFormShortFloatExact(s.real, false), 'd'); break;
    case TValueType::vaCurrency:
      PutInt(out_, s.integer);
      out_.Put('c');
      break;
    case TValueType::vaString:
    case TValueType::vaLString: WriteString8(s.bytes); break;
    case TValueType::vaUTF8String: {
      // Decode to UTF-16 units; a byte that starts no valid sequence stands for itself.
      units_.clear();
      const auto* p = reinterpret_cast<const uint8_t*>(s.bytes.data());
      const auto* e = p + s.bytes.size();
      while (p < e) {
        uint32_t c = *p;
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        bool ok = extra >= 0 && e - p > extra;
        if (ok && extra > 0) {
          c &= 0x3F >> extra;
          for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
              ok = false;
              break;
            }
            c = c << 6 | (p[i] & 0x3F);
          }
          static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
          if (ok && (c < kMin[extra] || c > 0x10FFFF)) ok = false;
        }
        if (!ok) CannotWrite("the UTF-8 string of " + Printable(property_) + ": it holds bytes that are not UTF-8");
        p += extra + 1;
        if (c >= 0x10000) {
          c -= 0x10000;
          units_.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
          units_.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
          units_.push_back(static_cast<char16_t>(c));
        }
      }
      WriteUnits(units_.data(), units_.size(), false);
      break;
    }
    case TValueType::vaWString: {
      size_t n = s.bytes.size() / 2;
      units_.resize(n);
      const auto* b = reinterpret_cast<const uint8_t*>(s.bytes.data());
      for (size_t i = 0; i < n; ++i) units_[i] = static_cast<char16_t>(b[2 * i] | b[2 * i + 1] << 8);
      WriteUnits(units_.data(), n, false);
      break;
    }
    case TValueType::vaIdent:
      RequireName(s.bytes, "the identifier");
      for (std::string_view keyword : {"true", "false", "nil"})
        if (IsSameText(s.bytes, keyword))
          CannotWrite("the identifier '" + std::string(s.bytes) + "': it would read back as a keyword");
      out_.Put(s.bytes);
      break;
    case TValueType::vaFalse: out_.Put("False"); break;
    case TValueType::vaTrue: out_.Put("True"); break;
    case TValueType::vaNil: out_.Put("nil"); break;
    case TValueType::vaSet:
      out_.Put('[');
      for (size_t i = 0; i < s.setItems.size(); ++i) {
        // Set elements may start with a digit; "_1" would do as well.
        if (!IsFormTextIdentifier("_" + std::string(s.setItems[i]), false))
          CannotWrite("the set element '" + Printable(s.setItems[i]) + "': it is not an identifier");
        if (i) out_.Put(", ");
        out_.Put(s.setItems[i]);
      }
      out_.Put(']');
      break;
    case TValueType::vaBinary: WriteBinary(s.bytes); break;
    default: throw EWriteError("Cannot write value type " + std::to_string(int(s.type)) + " as text");
  }
  AfterValue();
}

namespace {

// How many of the n bytes at p can stand inside quotes in an 8-bit string
// (anything but control characters and the quote), eight at a time.
size_t QuotedRun8(const unsigned char* p, size_t n) {
  constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x;
    std::memcpy(&x, p + i, 8);
    // Bytes below 0x20, and bytes equal to the quote; the lowest flag is exact.
    uint64_t control = (x - kOnes * 0x20) & ~x & kHigh;
    uint64_t q = x ^ (kOnes * '\'');
    uint64_t quote = (q - kOnes) & ~q & kHigh;
    uint64_t stop = control | quote;
    if (stop) return i + static_cast<size_t>(__builtin_ctzll(stop) / 8);
  }
  while (i < n && p[i] >= ' ' && p[i] != '\'') ++i;
  return i;
}

// The string layout: quoted runs of printable characters, #n for the rest,
// a new line (" +") after every kStringLineUnits characters, and a string
// longer than one line starting on a line of its own.
template <typename Unit, typename Quotable>
void LayOutString(FormOutput& out, const Unit* u, size_t len, Quotable quotable,
                  FormTextWriter* w, void (FormTextWriter::*newLine)(), int& nesting) {
  if (len == 0) {
    out.Put("''", 2);
    return;
  }
  ++nesting;
  if (len > static_cast<size_t>(kStringLineUnits)) (w->*newLine)();
  size_t i = 0, k = 0;
  std::string& buf = out.Buffer();
  do {
    bool lineBreak = false;
    if (quotable(u[i])) {
      size_t j = i;
      const size_t lineEnd = std::min(len, k + static_cast<size_t>(kStringLineUnits));
      if constexpr (sizeof(Unit) == 1) {
        i = j + 1 + QuotedRun8(reinterpret_cast<const unsigned char*>(u) + j + 1, lineEnd - j - 1);
      } else {
        do {
          ++i;
        } while (i < lineEnd && quotable(u[i]));
      }
      if (i - k >= static_cast<size_t>(kStringLineUnits)) lineBreak = true;
      buf.push_back('\'');
      if constexpr (sizeof(Unit) == 1) {
        buf.append(reinterpret_cast<const char*>(u + j), i - j);
      } else {
        for (; j < i; ++j) buf.push_back(static_cast<char>(u[j]));
      }
      buf.push_back('\'');
    } else {
      char num[8];
      num[0] = '#';
      auto r = std::to_chars(num + 1, num + sizeof num, static_cast<unsigned>(u[i]));
      buf.append(num, static_cast<size_t>(r.ptr - num));
      ++i;
      if (i - k >= static_cast<size_t>(kStringLineUnits)) lineBreak = true;
    }
    if (lineBreak && i < len) {
      buf.append(" +", 2);
      (w->*newLine)();
      k = i;
    }
  } while (i < len);
  --nesting;
  out.MaybeFlush();
}

}  // namespace

void FormTextWriter::WriteString8(std::string_view bytes) {
  // 8-bit strings keep bytes above 127 raw inside the quotes.
  auto quotable = [](unsigned char c) { return c >= ' ' && c != '\''; };
  LayOutString(out_, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), quotable,
               this, &FormTextWriter::NewLine, nesting_);
}

void FormTextWriter::WriteUnits(const char16_t* units, size_t count, bool eightBit) {
  auto quotable = [eightBit](char16_t c) { return c >= u' ' && c != u'\'' && (c < 0x80 || (eightBit && c < 0x100)); };
  LayOutString(out_, units, count, quotable, this, &FormTextWriter::NewLine, nesting_);
}

namespace {

// Two upper-case hex digits for every byte value.
struct HexPairs {
  char pair[256][2];
  HexPairs() {
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
      pair[i][0] = kDigits[i >> 4];
      pair[i][1] = kDigits[i & 15];
    }
  }
};
const HexPairs kHexPairs;

}  // namespace

void FormTextWriter::WriteBinary(std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t n = bytes.size();
  if (n < kBinaryRowBytes) {
    // Shorter than one row: on the property's own line, "{00FF}".
    std::string& buf = out_.Buffer();
    buf.push_back('{');
    for (size_t i = 0; i < n; ++i) buf.append(kHexPairs.pair[p[i]], 2);
    buf.push_back('}');
    return;
  }
  ++nesting_;
  // Each row: line break, indentation, up to 64 hex digits. Sized once, filled in place.
  const std::string_view lb = options_.lineBreak;
  const size_t indent = nesting_ > 0 ? static_cast<size_t>(nesting_) * 2 : 0;
  const size_t rows = (n + kBinaryRowBytes - 1) / kBinaryRowBytes;
  std::string& buf = out_.Buffer();
  size_t at = buf.size();
  buf.resize(at + 2 + rows * (lb.size() + indent) + n * 2);
  char* d = buf.data() + at;
  *d++ = '{';
  for (size_t i = 0; i < n; i += kBinaryRowBytes) {
    std::memcpy(d, lb.data(), lb.size());
    d += lb.size();
    std::memset(d, ' ', indent);
    d += indent;
    size_t row = n - i < kBinaryRowBytes ? n - i : kBinaryRowBytes;
    for (size_t j = 0; j < row; ++j, d += 2) std::memcpy(d, kHexPairs.pair[p[i + j]], 2);
  }
  *d++ = '}';
  --nesting_;
  out_.MaybeFlush();
}

void FormTextWriter::BeginList() {
  BeforeValue();
  out_.Put('(');
  ++nesting_;
  stack_.push_back('L');
}

void FormTextWriter::EndList() {
  --nesting_;
  if (!stack_.empty()) stack_.pop_back();
  out_.Put(')');
  AfterValue();
}

void FormTextWriter::BeginCollection() {
  BeforeValue();
  out_.Put('<');
  ++nesting_;
  stack_.push_back('K');
}

void FormTextWriter::BeginItem(bool hasOrder, const FormScalar& order) {
  NewLine();
  out_.Put("item");
  if (hasOrder) {
    out_.Put(" [");
    PutInt(out_, order.integer);
    out_.Put(']');
  }
  out_.Put(options_.lineBreak);
  ++nesting_;
  stack_.push_back('I');
}

void FormTextWriter::EndItem() {
  --nesting_;
  if (!stack_.empty()) stack_.pop_back();
  Indent();
  out_.Put("end");
}

void FormTextWriter::EndCollection() {
  --nesting_;
  if (!stack_.empty()) stack_.pop_back();
  out_.Put('>');
  AfterValue();
}

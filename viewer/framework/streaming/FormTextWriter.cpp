#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/Ascii.h"
#include "core/Exceptions.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"
#include "streaming/TextBytes.h"

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
    if (AsciiLower(a[i]) != lower[i]) return false;
  }
  return true;
}

// Appends the decimal form of v.
inline void PutInt(FormOutput& out, int64_t v) {
  char* d = out.Room(24);
  out.Advance(std::to_chars(d, d + 24, v).ptr);
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

namespace {

// The 18-decimal layout of a value whose exact decimal form fits it with at
// most 16 significant digits (whole numbers and the halves, quarters and
// other small binary fractions most stored floats are), in integer
// arithmetic: the same text FormatFormExtended gives, without formatting
// and reading back. Writes it to text (kExactEighteenDecimalsMax bytes) and
// returns its length; 0 for every other value.
constexpr size_t kExactEighteenDecimalsMax = 48;
size_t ExactEighteenDecimals(long double v, char* text) {
  constexpr uint64_t kFiveToEighteen = 3814697265625;  // m / 2^18 == m * 5^18 / 10^18
  constexpr int kFractionBits = 18;
  // Taken apart from its 80 bits (sign and exponent, explicit 64-bit
  // mantissa): integer arithmetic only, no x87 rounding-mode switches.
  uint64_t mantissa = 0;
  uint16_t signAndExponent = 0;
  std::memcpy(&mantissa, &v, 8);
  std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&v) + 8, 2);
  const bool negative = signAndExponent & 0x8000;
  const int biased = signAndExponent & 0x7FFF;
  uint64_t integer = 0, numerator = 0;  // v = integer + numerator / 2^18
  if (biased != 0 || mantissa != 0) {
    // Subnormal, infinite, NaN and non-canonical encodings take the general path.
    if (biased == 0 || biased == 0x7FFF || !(mantissa >> 63)) return 0;
    const int binaryPoint = 16383 + 63 - biased;  // v = mantissa / 2^binaryPoint
    if (binaryPoint <= 0 || binaryPoint > 63 + kFractionBits) return 0;
    if (binaryPoint > kFractionBits) {
      const int dropped = binaryPoint - kFractionBits;  // below 2^-18: must be zero
      if (mantissa & ((uint64_t{1} << dropped) - 1)) return 0;
    }
    integer = binaryPoint >= 64 ? 0 : mantissa >> binaryPoint;
    const uint64_t fraction = binaryPoint >= 64 ? mantissa : mantissa & ((uint64_t{1} << binaryPoint) - 1);
    numerator =
        binaryPoint > kFractionBits
            ? fraction >> (binaryPoint - kFractionBits)
            : fraction << (kFractionBits - binaryPoint);
    if (integer >= 1000000000000000) return 0;  // 1e15 and above: the exponent form
  }
  const uint64_t decimals = numerator * kFiveToEighteen;  // below 10^18
  char digits[24];
  auto r = std::to_chars(digits, digits + sizeof digits, decimals);
  const int decimalDigits = static_cast<int>(r.ptr - digits);
  int trailingZeros = 0;  // of a non-zero fraction
  while (decimals != 0 && r.ptr[-1 - trailingZeros] == '0') ++trailingZeros;
  char* out = text;
  if (negative) *out++ = '-';
  char* wholeStart = out;
  out = std::to_chars(out, out + 24, integer).ptr;
  int significant = 0;
  if (integer != 0) {
    significant = static_cast<int>(out - wholeStart);
    if (decimals != 0) significant += 18 - trailingZeros;
  } else if (decimals >= 1000000000000000) {  // at least 0.001: the 16-digit layout rounds
    significant = decimalDigits - trailingZeros;
  }
  if (significant > 16) return 0;
  *out++ = '.';
  out = std::fill_n(out, 18 - decimalDigits, '0');
  out = std::copy(digits, r.ptr, out);
  return static_cast<size_t>(out - text);
}

}  // namespace

// The 18-decimal layout when it carries the value, else the 16-digit
// exponent form, else all 21 digits (which the parser takes exactly).
// Empty when no text reads back as this value (NaN, infinities and the
// invalid x87 encodings).
std::string FormatFormExtendedExact(long double v) {
  if (!std::isfinite(v)) return {};
  char fast[kExactEighteenDecimalsMax];
  if (size_t n = ExactEighteenDecimals(v, fast)) return std::string(fast, n);
  std::string text = FormatFormExtended(v);
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

FormTextWriter::FormTextWriter(FormOutput& out, FormTextOptions options) : out_(out), options_(options) {
  lineBreakFits_ = options_.lineBreak.size() <= sizeof lineBreak_;
  if (lineBreakFits_ && !options_.lineBreak.empty())
    std::memcpy(lineBreak_, options_.lineBreak.data(), options_.lineBreak.size());
}

void FormTextWriter::CannotWrite(const std::string& what) const {
  throw EUnwritableValue("Cannot write " + what + " as form text");
}

void FormTextWriter::RequireName(std::string_view name, const char* what) const {
  if (!IsFormTextIdentifier(name, true))
    CannotWrite(std::string(what) + " '" + Printable(name) + "': it is not an identifier");
}

std::string_view FormTextWriter::PropertyName() const { return {property_, propertyLength_}; }

void FormTextWriter::PutFloat(std::string_view text, char suffix) {
  if (text.empty())
    CannotWrite("the value of " + Printable(PropertyName()) + ": it has no decimal form (NaN or infinite)");
  char* d = out_.Room(text.size() + 1 + kTextBytesSlack);
  d = CopyTextBytes(d, text.data(), text.size());
  if (suffix) *d++ = suffix;
  out_.Advance(d);
}

void FormTextWriter::Indent() {
  size_t width = IndentWidth();
  out_.Advance(PutTextSpaces(out_.Room(width + kTextBytesSlack), width));
}

void FormTextWriter::NewLine() {
  size_t width = IndentWidth();
  char* d = PutLineBreak(out_.Room(LineBreakRoom() + width + kTextBytesSlack));
  out_.Advance(PutTextSpaces(d, width));
}

void FormTextWriter::LineBreak() { out_.Advance(PutLineBreak(out_.Room(LineBreakRoom()))); }

// A value inside a list starts on its own line; a property value follows "Name = ".
void FormTextWriter::BeforeValue() {
  if (!stack_.empty() && stack_.back() == 'L') NewLine();
}

void FormTextWriter::AfterValue() {
  if (stack_.empty() || stack_.back() != 'L') LineBreak();
}

void FormTextWriter::BeginComponent(const FormObjectHeader& h) {
  const size_t width = IndentWidth();
  char* d = out_.Room(width + h.name.size() + h.className.size() + 48 + LineBreakRoom() + kTextBytesSlack);
  d = PutTextSpaces(d, width);
  std::string_view keyword = h.flags & ffInherited ? "inherited " : h.flags & ffInline ? "inline " : "object ";
  d = CopyTextBytes(d, keyword.data(), keyword.size());
  bool isName = false;
  if (!h.name.empty()) {
    d = CopyTextName(d, h.name, true, isName);
    if (!isName) RequireName(h.name, "the component name");
    *d++ = ':';
    *d++ = ' ';
  }
  d = CopyTextName(d, h.className, true, isName);
  if (!isName) RequireName(h.className, "the class name");
  if (h.flags & ffChildPos) {
    *d++ = ' ';
    *d++ = '[';
    d = std::to_chars(d, d + 24, h.position).ptr;
    *d++ = ']';
  }
  out_.Advance(PutLineBreak(d));
  ++nesting_;
  stack_.push_back('C');
}

void FormTextWriter::EndComponent() {
  --nesting_;
  if (!stack_.empty()) stack_.pop_back();
  const size_t width = IndentWidth();
  char* d = PutTextSpaces(out_.Room(width + 3 + LineBreakRoom() + kTextBytesSlack), width);
  std::memcpy(d, "end", 3);
  out_.Advance(PutLineBreak(d + 3));
  out_.MaybeFlush();
}

void FormTextWriter::Property(std::string_view name) {
  // Kept for messages, which show at most 60 bytes of it.
  propertyLength_ = std::min(name.size(), sizeof property_);
  if (propertyLength_) std::memcpy(property_, name.data(), propertyLength_);
  const size_t width = IndentWidth();
  char* d = PutTextSpaces(out_.Room(width + name.size() + 3 + kTextBytesSlack), width);
  bool isName = false;
  d = CopyTextName(d, name, true, isName);
  if (!isName) RequireName(name, "the property name");
  std::memcpy(d, " = ", 3);
  out_.Advance(d + 3);
}

void FormTextWriter::PutExtended(long double v) {
  char* d = out_.Room(kExactEighteenDecimalsMax);
  if (size_t n = ExactEighteenDecimals(v, d)) {
    out_.Advance(d + n);
    return;
  }
  PutFloat(FormatFormExtendedExact(v), 0);
}

// UTF-8 bytes decoded to UTF-16 units; bytes that are not UTF-8 cannot be
// written, as no text would read back as them.
void FormTextWriter::WriteUtf8String(std::string_view bytes) {
  units_.clear();
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto* e = p + bytes.size();
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
    if (!ok) CannotWrite("the UTF-8 string of " + Printable(PropertyName()) + ": it holds bytes that are not UTF-8");
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
}

void FormTextWriter::WriteWideString(std::string_view bytes) {
  size_t n = bytes.size() / 2;
  units_.resize(n);
  const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t i = 0; i < n; ++i) units_[i] = static_cast<char16_t>(b[2 * i] | b[2 * i + 1] << 8);
  WriteUnits(units_.data(), n, false);
}

// An identifier value; one spelled like a keyword would read back as that
// keyword, so it cannot be written.
void FormTextWriter::WriteIdent(std::string_view name) {
  bool isName = false;
  char* d = CopyTextName(out_.Room(name.size() + kTextBytesSlack), name, true, isName);
  if (!isName) RequireName(name, "the identifier");
  for (std::string_view keyword : {"true", "false", "nil"})
    if (IsSameText(name, keyword))
      CannotWrite("the identifier '" + std::string(name) + "': it would read back as a keyword");
  out_.Advance(d);
}

void FormTextWriter::WriteSet(const std::vector<std::string_view>& items) {
  out_.Put('[');
  for (size_t i = 0; i < items.size(); ++i) {
    if (!IsFormTextSetElement(items[i]))
      CannotWrite("the set element '" + Printable(items[i]) + "': it is not an identifier");
    char* d = out_.Room(2 + items[i].size() + kTextBytesSlack);
    if (i) d = CopyTextBytes(d, ", ", 2);
    out_.Advance(CopyTextBytes(d, items[i].data(), items[i].size()));
  }
  out_.Put(']');
}

void FormTextWriter::Scalar(const FormScalar& s) {
  BeforeValue();
  switch (s.type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: PutInt(out_, s.integer); break;
    case TValueType::vaExtended: PutExtended(s.extended); break;
    case TValueType::vaDouble: PutExtended(s.real); break;
    case TValueType::vaSingle: PutFloat(FormatFormShortFloatExact(FormNarrowToSingle(s.real), true), 's'); break;
    case TValueType::vaDate: PutFloat(FormatFormShortFloatExact(s.real, false), 'd'); break;
    case TValueType::vaCurrency:
      PutInt(out_, s.integer);
      out_.Put('c');
      break;
    case TValueType::vaString:
    case TValueType::vaLString: WriteString8(s.bytes); break;
    case TValueType::vaUTF8String: WriteUtf8String(s.bytes); break;
    case TValueType::vaWString: WriteWideString(s.bytes); break;
    case TValueType::vaIdent: WriteIdent(s.bytes); break;
    case TValueType::vaFalse: out_.Put("False"); break;
    case TValueType::vaTrue: out_.Put("True"); break;
    case TValueType::vaNil: out_.Put("nil"); break;
    case TValueType::vaSet: WriteSet(s.setItems); break;
    case TValueType::vaBinary: WriteBinary(s.bytes); break;
    default: throw EWriteError("Cannot write value type " + std::to_string(int(s.type)) + " as text");
  }
  AfterValue();
}

// The string layout: quoted runs of printable characters, #n for the rest,
// a new line (" +") after every kStringLineUnits characters, and a string
// longer than one line starting on a line of its own.
template <typename Unit, typename Quotable>
void FormTextWriter::LayOutString(const Unit* u, size_t len, Quotable quotable) {
  if (len == 0) {
    out_.Put("''", 2);
    return;
  }
  ++nesting_;
  if (len > static_cast<size_t>(kStringLineUnits)) NewLine();
  // One line holds at most kStringLineUnits units of at most 6 bytes ("#65535",
  // or a unit in quotes), then " +", the line break and the next indentation.
  const size_t lineRoom = kStringLineUnits * 6 + 2 + LineBreakRoom() + IndentWidth() + kTextBytesSlack;
  size_t i = 0, k = 0;
  char* d = out_.Room(lineRoom);
  do {
    bool lineBreak = false;
    if (quotable(u[i])) {
      const size_t lineEnd = std::min(len, k + static_cast<size_t>(kStringLineUnits));
      *d++ = '\'';
      if constexpr (sizeof(Unit) == 1) {
        size_t run = CopyQuotedRun8(d, reinterpret_cast<const unsigned char*>(u) + i, lineEnd - i);
        d += run;
        i += run;
      } else {
        do {
          *d++ = static_cast<char>(u[i++]);
        } while (i < lineEnd && quotable(u[i]));
      }
      *d++ = '\'';
      if (i - k >= static_cast<size_t>(kStringLineUnits)) lineBreak = true;
    } else {
      *d++ = '#';
      d = std::to_chars(d, d + 8, static_cast<unsigned>(u[i])).ptr;
      ++i;
      if (i - k >= static_cast<size_t>(kStringLineUnits)) lineBreak = true;
    }
    if (lineBreak && i < len) {
      *d++ = ' ';
      *d++ = '+';
      d = PutTextSpaces(PutLineBreak(d), IndentWidth());
      out_.Advance(d);
      d = out_.Room(lineRoom);
      k = i;
    }
  } while (i < len);
  out_.Advance(d);
  --nesting_;
  out_.MaybeFlush();
}

void FormTextWriter::WriteString8(std::string_view bytes) {
  // 8-bit strings keep bytes above 127 raw inside the quotes.
  auto quotable = [](unsigned char c) { return c >= ' ' && c != '\''; };
  LayOutString(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), quotable);
}

void FormTextWriter::WriteUnits(const char16_t* units, size_t count, bool eightBit) {
  auto quotable = [eightBit](char16_t c) { return c >= u' ' && c != u'\'' && (c < 0x80 || (eightBit && c < 0x100)); };
  LayOutString(units, count, quotable);
}

void FormTextWriter::WriteBinary(std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  if (n < kBinaryRowBytes) {
    // Shorter than one row: on the property's own line, "{00FF}".
    char* d = out_.Room(2 + 2 * kBinaryRowBytes + kTextBytesSlack);
    *d++ = '{';
    d = PutTextHex(d, p, n);
    *d++ = '}';
    out_.Advance(d);
    return;
  }
  ++nesting_;
  // Each row: line break, indentation, up to 64 hex digits; written a batch
  // of rows (about 64 KB) at a time so a large value never needs a buffer of
  // its size, and a small one asks for no more room than it fills.
  const size_t width = IndentWidth();
  const size_t rowRoom = LineBreakRoom() + width + 2 * kBinaryRowBytes + kTextBytesSlack;
  const size_t rowsPerBatch = std::max<size_t>(1, (size_t(64) << 10) / rowRoom);
  out_.Put('{');
  for (size_t i = 0; i < n;) {
    const size_t batch = std::min(rowsPerBatch, (n - i + kBinaryRowBytes - 1) / kBinaryRowBytes);
    char* d = out_.Room(batch * rowRoom + 1);
    for (size_t rows = 0; rows < batch; ++rows, i += kBinaryRowBytes) {
      d = PutTextSpaces(PutLineBreak(d), width);
      d = PutTextHex(d, p + i, std::min(kBinaryRowBytes, n - i));
    }
    if (i >= n) *d++ = '}';
    out_.Advance(d);
    out_.MaybeFlush();
  }
  --nesting_;
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
  LineBreak();
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

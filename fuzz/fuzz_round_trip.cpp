// Round-trip oracle for the two encodings, on arbitrary bytes.
//
// Binary in: the first conversion to text either fails cleanly (a framework
// exception) or gives text T1; T1 must parse, and its binary B1 must carry
// the same content as the input: the same components, properties and values
// in the same order. The binary encoding allows several spellings of one
// value (an integer in a wider tag than it needs, a long string that would
// fit a short one, a double where text keeps one float kind), which text
// keeps once; and a header both inherited and inline takes the one keyword
// "inherited". So the content is compared with those folded, and the bytes
// are compared from B1 on: B1 to text to binary gives B1 again.
//
// Text in: text that parses gives B1; B1 to text to binary must give B1
// again, and the text written from it must be stable.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/Exceptions.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

std::string ToText(std::string_view binary) {
  FormOutput out;
  FormTextWriter writer(out);
  ReadFormBinary(binary, writer);
  return out.Take();
}

std::string ToBinary(std::string_view text) {
  FormOutput out;
  FormBinaryWriter writer(out);
  ParseFormText(text, writer);
  return out.Take();
}

// The content of a binary form as one string, with every spelling of a value
// folded to one: integers by value, strings as UTF-16 units (8-bit strings as
// their byte values), the two wide float kinds as one.
class ContentLog : public FormEvents {
 public:
  std::string log;

  void BeginComponent(const FormObjectHeader& h) override {
    // A header keeps one keyword in text, and "inherited" wins: an inherited
    // frame (inherited and inline) reads back as inherited alone, as in the
    // designer's own text. The inline flag is not content text can carry.
    uint8_t flags = h.flags;
    if (flags & ffInherited) flags &= uint8_t(~ffInline);
    log += "C" + std::to_string(flags) + ":" + std::to_string((flags & ffChildPos) ? h.position : 0) + ":";
    Bytes(h.className);
    Bytes(h.name);
  }
  void EndComponent() override { log += "E"; }
  void Property(std::string_view name) override {
    log += "P";
    Bytes(name);
  }
  void Scalar(const FormScalar& s) override { Value(s); }
  void BeginList() override { log += "L"; }
  void EndList() override { log += "l"; }
  void BeginCollection() override { log += "K"; }
  void BeginItem(bool hasOrder, const FormScalar& order) override {
    log += "I";
    if (hasOrder) Value(order);
  }
  void EndItem() override { log += "i"; }
  void EndCollection() override { log += "k"; }

 private:
  void Bytes(std::string_view b) {
    log += std::to_string(b.size()) + "'";
    log.append(b);
  }
  void Units(const std::u16string& u) {
    log += std::to_string(u.size()) + "\"";
    log.append(reinterpret_cast<const char*>(u.data()), u.size() * 2);
  }
  void Float(char kind, long double v) {
    char raw[sizeof(long double)] = {};
    std::memcpy(raw, &v, 10);  // the 80-bit value; the rest is padding
    log += kind;
    log.append(raw, 10);
  }
  static std::u16string FromUtf8(std::string_view b) {
    std::u16string u;
    size_t i = 0;
    while (i < b.size()) {
      uint32_t c = uint8_t(b[i]);
      int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : 3;
      c &= extra ? (0x3F >> extra) : 0x7F;
      for (int k = 1; k <= extra && i + k < b.size(); ++k) c = c << 6 | (uint8_t(b[i + k]) & 0x3F);
      i += size_t(extra) + 1;
      if (c >= 0x10000) {
        c -= 0x10000;
        u.push_back(char16_t(0xD800 + (c >> 10)));
        u.push_back(char16_t(0xDC00 + (c & 0x3FF)));
      } else {
        u.push_back(char16_t(c));
      }
    }
    return u;
  }
  void Value(const FormScalar& s) {
    switch (s.type) {
      case TValueType::vaInt8:
      case TValueType::vaInt16:
      case TValueType::vaInt32:
      case TValueType::vaInt64: log += "#" + std::to_string(s.integer); break;
      case TValueType::vaCurrency: log += "$" + std::to_string(s.integer); break;
      case TValueType::vaExtended: Float('X', s.extended); break;
      case TValueType::vaDouble: Float('X', s.real); break;
      case TValueType::vaSingle: Float('S', s.real); break;
      case TValueType::vaDate: Float('D', s.real); break;
      case TValueType::vaString:
      case TValueType::vaLString: {
        std::u16string u;
        for (char c : s.bytes) u.push_back(char16_t(uint8_t(c)));
        Units(u);
        break;
      }
      case TValueType::vaUTF8String: Units(FromUtf8(s.bytes)); break;
      case TValueType::vaWString: {
        std::u16string u;
        for (size_t i = 0; i + 1 < s.bytes.size(); i += 2)
          u.push_back(char16_t(uint8_t(s.bytes[i]) | uint8_t(s.bytes[i + 1]) << 8));
        Units(u);
        break;
      }
      case TValueType::vaIdent:
        log += "=";
        Bytes(s.bytes);
        break;
      case TValueType::vaBinary:
        log += "B";
        Bytes(s.bytes);
        break;
      case TValueType::vaSet:
        log += "[";
        for (std::string_view item : s.setItems) Bytes(item);
        log += "]";
        break;
      default: log += "T" + std::to_string(int(s.type)); break;
    }
  }
};

std::string ContentOf(std::string_view binary) {
  ContentLog content;
  ReadFormBinary(binary, content);
  return content.log;
}

// From a binary the writer made: text and binary stay fixed.
void CheckStable(const std::string& b1) {
  std::string t1 = ToText(b1);
  std::string b2 = ToBinary(t1);
  if (b2 != b1) std::abort();
  if (ToText(b2) != t1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (DetectFormEncoding(bytes.substr(0, 64)) == FormEncoding::Text) {
    std::string b1;
    try {
      b1 = ToBinary(bytes);
    } catch (const Exception&) {
      return 0;
    }
    CheckStable(b1);
    return 0;
  }
  std::string t1;
  try {
    t1 = ToText(bytes);
  } catch (const Exception&) {
    return 0;
  }
  // Text the writer made always parses, and carries everything the input did.
  const std::string b1 = ToBinary(t1);
  if (ContentOf(b1) != ContentOf(bytes)) std::abort();
  CheckStable(b1);
  return 0;
}

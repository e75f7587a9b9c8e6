// A FormEvents sink that records the events as one line of text each, so
// tests can compare what a reader produced with what they expect.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "core/FormValue.h"

class EventLog : public FormEvents {
 public:
  std::string text;

  void BeginComponent(const FormObjectHeader& h) override {
    text += "begin ";
    if (h.flags) text += "flags=" + std::to_string(h.flags) + " ";
    if (h.flags & ffChildPos) text += "pos=" + std::to_string(h.position) + " ";
    text += std::string(h.name) + ":" + std::string(h.className) + "\n";
  }
  void EndComponent() override { text += "end\n"; }
  void Property(std::string_view name) override { text += std::string(name) + "="; }
  void Scalar(const FormScalar& s) override { text += Describe(s) + "\n"; }
  void BeginList() override { text += "(\n"; }
  void EndList() override { text += ")\n"; }
  void BeginCollection() override { text += "<\n"; }
  void BeginItem(bool hasOrder, const FormScalar& order) override {
    text += hasOrder ? "item " + Describe(order) + "\n" : "item\n";
  }
  void EndItem() override { text += "enditem\n"; }
  void EndCollection() override { text += ">\n"; }

  static std::string Hex(std::string_view b) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : b) {
      s += d[c >> 4];
      s += d[c & 15];
    }
    return s;
  }

  static std::string Describe(const FormScalar& s) {
    switch (s.type) {
      case TValueType::vaInt8: return "int8 " + std::to_string(s.integer);
      case TValueType::vaInt16: return "int16 " + std::to_string(s.integer);
      case TValueType::vaInt32: return "int32 " + std::to_string(s.integer);
      case TValueType::vaInt64: return "int64 " + std::to_string(s.integer);
      case TValueType::vaCurrency: return "currency " + std::to_string(s.integer);
      case TValueType::vaExtended: {
        unsigned char b[16] = {};
        long double v = s.extended;
        std::memcpy(b, &v, 10);
        return "extended " + Hex(std::string_view(reinterpret_cast<char*>(b), 10));
      }
      case TValueType::vaSingle: return "single " + std::to_string(s.real);
      case TValueType::vaDouble: return "double " + std::to_string(s.real);
      case TValueType::vaDate: return "date " + std::to_string(s.real);
      case TValueType::vaString: return "string '" + std::string(s.bytes) + "'";
      case TValueType::vaLString: return "lstring " + std::to_string(s.bytes.size());
      case TValueType::vaUTF8String: return "utf8 " + Hex(s.bytes);
      case TValueType::vaWString: return "wstring " + Hex(s.bytes);
      case TValueType::vaIdent: return "ident " + std::string(s.bytes);
      case TValueType::vaBinary: return "binary " + Hex(s.bytes);
      case TValueType::vaTrue: return "true";
      case TValueType::vaFalse: return "false";
      case TValueType::vaNil: return "nil";
      case TValueType::vaSet: {
        std::string r = "set";
        for (auto i : s.setItems) r += " " + std::string(i);
        return r;
      }
      default: return "type " + std::to_string(int(s.type));
    }
  }
};

// Builds binary form streams byte by byte in tests.
struct Bytes {
  std::string b;
  Bytes& u8(unsigned v) {
    b.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& raw(std::string_view s) {
    b.append(s);
    return *this;
  }
  Bytes& str(std::string_view s) { return u8(static_cast<unsigned>(s.size())).raw(s); }
};

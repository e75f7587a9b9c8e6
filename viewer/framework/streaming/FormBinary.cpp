#include "streaming/FormBinary.h"

#include <cstring>
#include <limits>

#include "core/Exceptions.h"
#include "core/SysUtils.h"

static_assert(std::numeric_limits<long double>::digits == 64, "extended values need the x87 80-bit long double");

namespace {

// How far ahead of the value being read its input is fetched into the cache.
constexpr size_t kPrefetchAhead = 1024;

class BinaryReader {
 public:
  BinaryReader(std::string_view data, FormEvents& sink, size_t offsetBase)
      : begin_(reinterpret_cast<const uint8_t*>(data.data())),
        p_(begin_),
        end_(begin_ + data.size()),
        base_(offsetBase),
        sink_(sink) {}

  size_t Run() {
    if (Left() < 4 || std::memcmp(p_, "TPF0", 4) != 0) throw EInvalidImage(Msg::SInvalidImage);
    p_ += 4;
    try {
      Component();
    } catch (const EUnwritableValue& e) {
      // The writer knows the name or value it cannot hold; where it was read is known here.
      throw EUnwritableValue(std::string(e.what()) + " (read at byte " + std::to_string(Offset(event_)) + ")");
    }
    return static_cast<size_t>(p_ - begin_);
  }

 private:
  size_t Left() const { return static_cast<size_t>(end_ - p_); }
  size_t Offset(const uint8_t* at) const { return base_ + static_cast<size_t>(at - begin_); }

  [[noreturn]] void Fail(const uint8_t* at, const std::string& what) {
    throw EReadError(what + " at byte " + std::to_string(Offset(at)));
  }
  [[noreturn, gnu::noinline, gnu::cold]] void Truncated(const uint8_t* at) { Fail(at, Msg::SReadError); }

  void Need(size_t n) {
    if (Left() < n) [[unlikely]]
      Truncated(p_);
  }
  void NeedLength(const uint8_t* at, uint64_t n) {
    if (Left() < n) [[unlikely]]
      LengthExceeds(at, n);
  }
  [[noreturn, gnu::noinline, gnu::cold]] void LengthExceeds(const uint8_t* at, uint64_t n) {
    Fail(at, std::string(Msg::SReadError) + ": length " + std::to_string(n) + " exceeds the " + std::to_string(Left()) +
                 " bytes left");
  }
  uint8_t U8() {
    Need(1);
    return *p_++;
  }
  template <typename T>
  T Fixed() {
    Need(sizeof(T));
    T v;
    std::memcpy(&v, p_, sizeof(T));
    p_ += sizeof(T);
    return v;
  }
  std::string_view Bytes(size_t n) {
    std::string_view s(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return s;
  }
  std::string_view ShortString() {
    uint8_t n = U8();
    NeedLength(p_ - 1, n);
    return Bytes(n);
  }
  void Enter(const uint8_t* at) {
    if (++depth_ > kMaxFormNesting) Fail(at, "Form nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
  }

  // An integer value (tag + payload) where only an integer makes sense.
  int64_t IntegerValue(const char* what) {
    const uint8_t* at = p_;
    switch (static_cast<TValueType>(U8())) {
      case TValueType::vaInt8: return Fixed<int8_t>();
      case TValueType::vaInt16: return Fixed<int16_t>();
      case TValueType::vaInt32: return Fixed<int32_t>();
      case TValueType::vaInt64: return Fixed<int64_t>();
      default: Fail(at, std::string("Integer expected for ") + what);
    }
  }

  void Component() {
    const uint8_t* at = p_;
    event_ = at;
    Enter(at);
    FormObjectHeader h;
    Need(1);
    if ((*p_ & 0xF0) == 0xF0) {
      h.flags = *p_++ & 0x0F;
      if (h.flags & ~(ffInherited | ffChildPos | ffInline)) Fail(at, "Invalid filer flags");
      if (h.flags & ffChildPos) {
        int64_t pos = IntegerValue("the child position");
        if (pos < std::numeric_limits<int32_t>::min() || pos > std::numeric_limits<int32_t>::max())
          Fail(at, "Child position out of range");
        h.position = static_cast<int32_t>(pos);
      }
    }
    h.className = ShortString();
    if (h.className.empty()) Fail(at, "Empty class name");
    h.name = ShortString();
    sink_.BeginComponent(h);
    PropertyList();
    for (;;) {
      Need(1);
      if (*p_ == 0) break;
      Component();
    }
    ++p_;
    sink_.EndComponent();
    --depth_;
  }

  void PropertyList() {
    for (;;) {
      event_ = p_;
      std::string_view name = ShortString();
      if (name.empty()) return;
      sink_.Property(name);
      Value();
    }
  }

  void Value() {
    const uint8_t* at = p_;
    event_ = at;
    // The input is read once, front to back, from pages the hardware
    // prefetcher does not cross: ask for what comes next ahead of time.
    __builtin_prefetch(p_ + kPrefetchAhead);
    uint8_t tag = U8();
    FormScalar& s = scalar_;
    s.type = static_cast<TValueType>(tag);
    switch (s.type) {
      case TValueType::vaList:
        Enter(at);
        sink_.BeginList();
        for (;;) {
          Need(1);
          if (*p_ == 0) break;
          Value();
        }
        ++p_;
        sink_.EndList();
        --depth_;
        return;
      case TValueType::vaCollection: Collection(at); return;
      case TValueType::vaInt8: s.integer = Fixed<int8_t>(); break;
      case TValueType::vaInt16: s.integer = Fixed<int16_t>(); break;
      case TValueType::vaInt32: s.integer = Fixed<int32_t>(); break;
      case TValueType::vaInt64: s.integer = Fixed<int64_t>(); break;
      case TValueType::vaExtended: {
        Need(10);
        long double v = 0;
        std::memset(&v, 0, sizeof v);
        std::memcpy(&v, p_, 10);
        p_ += 10;
        s.extended = v;
        break;
      }
      case TValueType::vaSingle: s.real = Fixed<float>(); break;
      case TValueType::vaDate:
      case TValueType::vaDouble: s.real = Fixed<double>(); break;
      case TValueType::vaCurrency: s.integer = Fixed<int64_t>(); break;
      case TValueType::vaString:
      case TValueType::vaIdent: s.bytes = ShortString(); break;
      case TValueType::vaLString:
      case TValueType::vaUTF8String:
      case TValueType::vaBinary: {
        uint32_t n = Fixed<uint32_t>();
        NeedLength(p_ - 4, n);
        s.bytes = Bytes(n);
        break;
      }
      case TValueType::vaWString: {
        uint32_t n = Fixed<uint32_t>();
        NeedLength(p_ - 4, uint64_t(n) * 2);
        s.bytes = Bytes(size_t(n) * 2);
        break;
      }
      case TValueType::vaFalse:
      case TValueType::vaTrue:
      case TValueType::vaNil: break;
      case TValueType::vaSet:
        s.setItems.clear();
        for (;;) {
          std::string_view item = ShortString();
          if (item.empty()) break;
          s.setItems.push_back(item);
        }
        break;
      case TValueType::vaNull: Fail(at, "Value expected, found the end-of-list tag");
      default: Fail(at, "Unknown value tag " + std::to_string(tag));
    }
    sink_.Scalar(s);
  }

  void Collection(const uint8_t* at) {
    Enter(at);
    sink_.BeginCollection();
    FormScalar order;
    for (;;) {
      Need(1);
      if (*p_ == 0) break;
      bool hasOrder = false;
      uint8_t tag = *p_;
      if (tag == uint8_t(TValueType::vaInt8) || tag == uint8_t(TValueType::vaInt16) ||
          tag == uint8_t(TValueType::vaInt32) || tag == uint8_t(TValueType::vaInt64)) {
        order.type = static_cast<TValueType>(tag);
        order.integer = IntegerValue("the item order");
        hasOrder = true;
      }
      const uint8_t* listAt = p_;
      if (U8() != uint8_t(TValueType::vaList)) Fail(listAt, "Collection item expected");
      sink_.BeginItem(hasOrder, order);
      PropertyList();
      sink_.EndItem();
    }
    ++p_;
    sink_.EndCollection();
    --depth_;
  }

  const uint8_t* begin_;
  const uint8_t* p_;
  const uint8_t* end_;
  size_t base_;
  const uint8_t* event_ = nullptr;  // where the item handed to the sink last was read
  FormEvents& sink_;
  int depth_ = 0;
  FormScalar scalar_;
};

}  // namespace

size_t ReadFormBinary(std::string_view data, FormEvents& sink, size_t offsetBase) {
  return BinaryReader(data, sink, offsetBase).Run();
}

size_t ReadFormResourceHeader(std::string_view data, uint32_t& streamSize) {
  auto bad = [] { return EInvalidImage(Msg::SInvalidImage); };
  const auto* p = reinterpret_cast<const uint8_t*>(data.data());
  size_t n = data.size(), i = 0;
  // Type: ordinal 10 (RCDATA).
  if (n < 3 || p[0] != 0xFF || p[1] != 10 || p[2] != 0) throw bad();
  i = 3;
  // Name: an ordinal (FF + word) or a zero-terminated string.
  if (i < n && p[i] == 0xFF) {
    i += 3;
  } else {
    while (i < n && p[i] != 0) ++i;
    ++i;
  }
  // A header that starts right but ends early says where it ends.
  if (i + 6 > n)
    throw EInvalidImage(
        std::string(Msg::SInvalidImage) + ": the resource header is cut short at byte " + std::to_string(n));
  // The memory flags word is not checked: any value is accepted.
  i += 2;
  streamSize = uint32_t(p[i]) | uint32_t(p[i + 1]) << 8 | uint32_t(p[i + 2]) << 16 | uint32_t(p[i + 3]) << 24;
  return i + 4;
}

size_t ReadFormResource(std::string_view data, FormEvents& sink) {
  uint32_t size = 0;
  size_t header = ReadFormResourceHeader(data, size);
  std::string_view body = data.substr(header);
  if (size < body.size()) body = body.substr(0, size);
  return header + ReadFormBinary(body, sink, header);
}

// ---------------------------------------------------------------------------

FormBinaryWriter::FormBinaryWriter(FormOutput& out, bool withResourceHeader)
    : out_(out), withHeader_(withResourceHeader) {}

void FormBinaryWriter::ShortString(std::string_view s, const char* what) {
  if (s.size() > 255)
    throw EWriteError(std::string(what) + " longer than 255 bytes: " + std::string(s.substr(0, 40)) + "...");
  out_.Put(static_cast<char>(s.size()));
  out_.Put(s);
}

void FormBinaryWriter::ClosePropertiesIfOpen() {
  if (!propsOpen_.empty() && propsOpen_.back()) {
    out_.Put('\0');
    propsOpen_.back() = 0;
  }
}

void FormBinaryWriter::BeginComponent(const FormObjectHeader& h) {
  if (!started_) {
    started_ = true;
    if (withHeader_) {
      out_.Put("\xFF\x0A\x00", 3);
      std::string upper = UpperCase(h.className);
      if (upper.empty() || static_cast<unsigned char>(upper[0]) == 0xFF || upper.find('\0') != std::string::npos) {
        // Not expressible as a resource name string (a leading FF byte marks
        // an ordinal id): use ordinal 1, the stream still names the class.
        out_.Put("\xFF\x01\x00", 3);
      } else {
        out_.Put(upper.data(), upper.size());
        out_.Put('\0');
      }
      out_.Put("\x30\x10", 2);
      sizePos_ = out_.Position();
      out_.Put("\0\0\0\0", 4);
    }
    streamStart_ = out_.Position();
    out_.Put("TPF0", 4);
  }
  ClosePropertiesIfOpen();
  // A class name of 240 bytes or more starts with a length byte that would
  // read as filer flags; an explicit (empty) flags byte goes first then.
  if (h.flags || h.className.size() >= 0xF0) {
    out_.Put(static_cast<char>(0xF0 | (h.flags & 0x0F)));
    if (h.flags & ffChildPos) Integer(TValueType::vaInt8, h.position);
  }
  ShortString(h.className, "Class name");
  ShortString(h.name, "Component name");
  propsOpen_.push_back(1);
}

void FormBinaryWriter::EndComponent() {
  ClosePropertiesIfOpen();
  out_.Put('\0');
  if (!propsOpen_.empty()) propsOpen_.pop_back();
  if (propsOpen_.empty() && !done_) {
    done_ = true;
    if (withHeader_) {
      uint64_t size = out_.Position() - streamStart_;
      if (size > 0xFFFFFFFFu) throw EWriteError("Form stream larger than 4 GB");
      out_.PatchU32(sizePos_, static_cast<uint32_t>(size));
    }
  }
}

void FormBinaryWriter::Property(std::string_view name) { ShortString(name, "Property name"); }

void FormBinaryWriter::Integer(TValueType preferred, int64_t v) {
  auto fits = [v](TValueType t) {
    switch (t) {
      case TValueType::vaInt8: return v >= INT8_MIN && v <= INT8_MAX;
      case TValueType::vaInt16: return v >= INT16_MIN && v <= INT16_MAX;
      case TValueType::vaInt32: return v >= INT32_MIN && v <= INT32_MAX;
      case TValueType::vaInt64: return true;
      default: return false;
    }
  };
  TValueType t = preferred;
  if (!fits(t)) {
    t = fits(TValueType::vaInt8)    ? TValueType::vaInt8
        : fits(TValueType::vaInt16) ? TValueType::vaInt16
        : fits(TValueType::vaInt32)
            ? TValueType::vaInt32
            : TValueType::vaInt64;
  }
  char buf[9];
  buf[0] = static_cast<char>(t);
  size_t n = t == TValueType::vaInt8 ? 1 : t == TValueType::vaInt16 ? 2 : t == TValueType::vaInt32 ? 4 : 8;
  uint64_t u = static_cast<uint64_t>(v);
  for (size_t i = 0; i < n; ++i) buf[1 + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  out_.Put(buf, n + 1);
}

void FormBinaryWriter::Scalar(const FormScalar& s) {
  auto tag = [this](TValueType t) { out_.Put(static_cast<char>(t)); };
  auto u32 = [this](uint32_t v) {
    char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
    out_.Put(b, 4);
  };
  auto longBytes = [&](TValueType t, std::string_view b, size_t unit) {
    if (b.size() / unit > 0xFFFFFFFFu) throw EWriteError("Value larger than 4 GB");
    tag(t);
    u32(static_cast<uint32_t>(b.size() / unit));
    out_.Put(b.data(), b.size() / unit * unit);
  };
  switch (s.type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: Integer(s.type, s.integer); return;
    case TValueType::vaExtended: {
      char b[16] = {};
      long double v = s.extended;
      std::memcpy(b, &v, 10);
      tag(s.type);
      out_.Put(b, 10);
      return;
    }
    case TValueType::vaSingle: {
      float f = FormNarrowToSingle(s.real);
      tag(s.type);
      out_.Put(reinterpret_cast<const char*>(&f), 4);
      return;
    }
    case TValueType::vaDate:
    case TValueType::vaDouble:
      tag(s.type);
      out_.Put(reinterpret_cast<const char*>(&s.real), 8);
      return;
    case TValueType::vaCurrency:
      tag(s.type);
      out_.Put(reinterpret_cast<const char*>(&s.integer), 8);
      return;
    case TValueType::vaString:
      if (s.bytes.size() > 255) {
        longBytes(TValueType::vaLString, s.bytes, 1);
        return;
      }
      tag(s.type);
      ShortString(s.bytes, "String");
      return;
    case TValueType::vaIdent:
      tag(s.type);
      ShortString(s.bytes, "Identifier");
      return;
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
    case TValueType::vaBinary: longBytes(s.type, s.bytes, 1); return;
    case TValueType::vaWString: longBytes(s.type, s.bytes, 2); return;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil: tag(s.type); return;
    case TValueType::vaSet:
      tag(s.type);
      for (std::string_view item : s.setItems) {
        if (item.empty()) throw EWriteError("Empty set element");
        ShortString(item, "Set element");
      }
      out_.Put('\0');
      return;
    default: throw EWriteError("Cannot write value type " + std::to_string(int(s.type)) + " as a scalar");
  }
}

void FormBinaryWriter::BeginList() { out_.Put(static_cast<char>(TValueType::vaList)); }
void FormBinaryWriter::EndList() { out_.Put('\0'); }
void FormBinaryWriter::BeginCollection() { out_.Put(static_cast<char>(TValueType::vaCollection)); }
void FormBinaryWriter::BeginItem(bool hasOrder, const FormScalar& order) {
  if (hasOrder) Integer(order.type, order.integer);
  out_.Put(static_cast<char>(TValueType::vaList));
}
void FormBinaryWriter::EndItem() { out_.Put('\0'); }
void FormBinaryWriter::EndCollection() { out_.Put('\0'); }

// The values a form description holds, shared by the binary form stream, the
// form text and the component reader.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// Value tags of the binary form stream; the numbers are the tag bytes.
enum class TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

// Filer flags of a component header.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// A component header: "object Name: Class", "inherited ..." or "inline ...".
struct FormObjectHeader {
  uint8_t flags = 0;     // TFilerFlag bits
  int32_t position = 0;  // meaningful when flags has ffChildPos
  std::string_view className;
  std::string_view name;  // may be empty
};

// One scalar value. Views point into the producer's buffers and stay valid
// only for the duration of the event call that delivers them.
struct FormScalar {
  TValueType type = TValueType::vaNull;
  int64_t integer = 0;                     // vaInt8/16/32/64; vaCurrency as the raw value scaled by 10,000
  long double extended = 0;                // vaExtended (80-bit on x86-64)
  double real = 0;                         // vaSingle, vaDouble, vaDate
  std::string_view bytes;                  // vaString, vaLString, vaUTF8String, vaIdent, vaBinary;
                                           // vaWString: UTF-16 little-endian code units as bytes
  std::vector<std::string_view> setItems;  // vaSet
};

// The event sequence that every reader of a form description produces and
// every writer consumes. A description is:
//   BeginComponent (Property value)* (child component)* EndComponent
// where a value is one Scalar, or BeginList value* EndList, or
// BeginCollection (BeginItem (Property value)* EndItem)* EndCollection.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void BeginComponent(const FormObjectHeader& header) = 0;
  virtual void EndComponent() = 0;
  virtual void Property(std::string_view name) = 0;
  virtual void Scalar(const FormScalar& value) = 0;
  virtual void BeginList() = 0;
  virtual void EndList() = 0;
  virtual void BeginCollection() = 0;
  // hasOrder: the item carries an order value ("item [n]" in text).
  virtual void BeginItem(bool hasOrder, const FormScalar& order) = 0;
  virtual void EndItem() = 0;
  virtual void EndCollection() = 0;
};

// Takes every event and keeps nothing: for checking that a form reads, and
// a base for sinks that want only some of the events.
class FormIgnoredEvents : public FormEvents {
 public:
  void BeginComponent(const FormObjectHeader&) override {}
  void EndComponent() override {}
  void Property(std::string_view) override {}
  void Scalar(const FormScalar&) override {}
  void BeginList() override {}
  void EndList() override {}
  void BeginCollection() override {}
  void BeginItem(bool, const FormScalar&) override {}
  void EndItem() override {}
  void EndCollection() override {}
};

// Narrows a double to float without undefined behaviour: values beyond the
// float range become infinities.
inline float FormNarrowToSingle(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::infinity();
  if (v < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(v);
}

// Nesting deeper than this (components, lists, collections together) is
// rejected with a clear error instead of exhausting the stack.
inline constexpr int kMaxFormNesting = 1000;

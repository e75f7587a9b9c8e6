// TFormNode: one property value of a form description held in memory, and
// TFiler, through which objects define properties of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/FormValue.h"

struct TFormItem;

// An owned value: a scalar, a list of values or a collection of items.
struct TFormNode {
  // Special members are defined below, once TFormItem is complete.
  TFormNode();
  TFormNode(const TFormNode&);
  TFormNode(TFormNode&&) noexcept;
  TFormNode& operator=(const TFormNode&);
  TFormNode& operator=(TFormNode&&) noexcept;
  ~TFormNode();

  TValueType type = TValueType::vaNull;
  int64_t integer = 0;                // integers; vaCurrency as the raw value scaled by 10,000
  long double extended = 0;           // vaExtended
  double real = 0;                    // vaSingle, vaDouble, vaDate
  std::string bytes;                  // strings and identifiers as stored; vaWString as UTF-16LE bytes
  std::vector<std::string> setItems;  // vaSet
  std::vector<TFormNode> list;        // vaList
  std::vector<TFormItem> items;       // vaCollection

  static TFormNode FromScalar(const FormScalar& s);
  FormScalar ToScalar() const;  // views into this node

  bool IsInteger() const;
  bool IsString() const;  // vaString, vaLString, vaWString, vaUTF8String
  bool IsFloat() const;   // any floating or currency value, or an integer
  // The string value as the framework stores strings (see FormStrings.h).
  std::string AsString() const;
  long double AsFloat() const;

  // Builders for writers.
  static TFormNode Integer(int64_t v);
  static TFormNode String(const std::string& v);  // 8-bit, or wide for a Unicode form string
  static TFormNode Ident(const std::string& v);
  static TFormNode Binary(std::string bytes);
};

struct TFormItem {
  bool hasOrder = false;
  TFormNode order;
  std::vector<std::pair<std::string, TFormNode>> properties;
};

inline TFormNode::TFormNode() = default;
inline TFormNode::TFormNode(const TFormNode&) = default;
inline TFormNode::TFormNode(TFormNode&&) noexcept = default;
inline TFormNode& TFormNode::operator=(const TFormNode&) = default;
inline TFormNode& TFormNode::operator=(TFormNode&&) noexcept = default;
inline TFormNode::~TFormNode() = default;

// Replays a node as FormEvents (a property's value).
void EmitFormNode(const TFormNode& node, FormEvents& sink);

// Builds a node from FormEvents; feed it the events of one value.
class TFormNodeBuilder {
 public:
  // Returns true when the value is complete.
  bool Scalar(const FormScalar& v);
  void BeginList();
  bool EndList();
  void BeginCollection();
  void BeginItem(bool hasOrder, const FormScalar& order);
  void ItemProperty(std::string_view name);
  void EndItem();
  bool EndCollection();
  bool InItem() const;  // the next Property event names an item's property
  int Depth() const { return static_cast<int>(stack_.size()); }
  TFormNode Take();

 private:
  struct Frame {
    TFormNode node;           // an open list or collection
    std::string pendingName;  // collection: the item property awaiting its value
    bool inItem = false;
  };
  bool Finish(TFormNode&& node);

  TFormNode root_;
  std::vector<Frame> stack_;
};

// Objects define extra streamed properties through a filer: the reader asks
// for the one whose name it met; the writer collects those that have data.
class TFiler {
 public:
  virtual ~TFiler() = default;
  virtual void DefineProperty(
      const std::string& name, std::function<void(const TFormNode&)> read, std::function<TFormNode()> write,
      bool hasData) = 0;
};

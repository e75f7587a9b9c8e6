#include "FormNode.h"

#include <cstring>

#include "Exceptions.h"
#include "FormStrings.h"

TFormNode TFormNode::FromScalar(const FormScalar& s) {
  TFormNode n;
  n.type = s.type;
  n.integer = s.integer;
  n.extended = s.extended;
  n.real = s.real;
  n.bytes.assign(s.bytes.data(), s.bytes.size());
  n.setItems.assign(s.setItems.begin(), s.setItems.end());
  return n;
}

FormScalar TFormNode::ToScalar() const {
  FormScalar s;
  s.type = type;
  s.integer = integer;
  s.extended = extended;
  s.real = real;
  s.bytes = bytes;
  s.setItems.assign(setItems.begin(), setItems.end());
  return s;
}

bool TFormNode::IsInteger() const {
  switch (type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: return true;
    default: return false;
  }
}

bool TFormNode::IsString() const {
  switch (type) {
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String: return true;
    default: return false;
  }
}

bool TFormNode::IsFloat() const {
  switch (type) {
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaDouble:
    case TValueType::vaDate:
    case TValueType::vaCurrency: return true;
    default: return IsInteger();
  }
}

std::string TFormNode::AsString() const {
  switch (type) {
    case TValueType::vaWString: return FormStringFromUtf16(bytes);
    case TValueType::vaUTF8String: return FormStringFromUtf8(bytes);
    default: return bytes;
  }
}

long double TFormNode::AsFloat() const {
  switch (type) {
    case TValueType::vaExtended: return extended;
    case TValueType::vaSingle:
    case TValueType::vaDouble:
    case TValueType::vaDate: return real;
    case TValueType::vaCurrency: return static_cast<long double>(integer) / 10000.0L;
    default: return static_cast<long double>(integer);
  }
}

TFormNode TFormNode::Integer(int64_t v) {
  TFormNode n;
  n.integer = v;
  if (v >= -128 && v <= 127)
    n.type = TValueType::vaInt8;
  else if (v >= -32768 && v <= 32767)
    n.type = TValueType::vaInt16;
  else if (v >= INT32_MIN && v <= INT32_MAX)
    n.type = TValueType::vaInt32;
  else
    n.type = TValueType::vaInt64;
  return n;
}

TFormNode TFormNode::String(const std::string& v) {
  TFormNode n;
  if (IsUnicodeFormString(v)) {
    n.type = TValueType::vaWString;
    n.bytes = Utf16OfFormString(v);
  } else {
    n.type = v.size() <= 255 ? TValueType::vaString : TValueType::vaLString;
    n.bytes = v;
  }
  return n;
}

TFormNode TFormNode::Ident(const std::string& v) {
  TFormNode n;
  n.type = TValueType::vaIdent;
  n.bytes = v;
  return n;
}

TFormNode TFormNode::Binary(std::string bytes) {
  TFormNode n;
  n.type = TValueType::vaBinary;
  n.bytes = std::move(bytes);
  return n;
}

void EmitFormNode(const TFormNode& node, FormEvents& sink) {
  switch (node.type) {
    case TValueType::vaList:
      sink.BeginList();
      for (const auto& v : node.list) EmitFormNode(v, sink);
      sink.EndList();
      break;
    case TValueType::vaCollection:
      sink.BeginCollection();
      for (const auto& item : node.items) {
        sink.BeginItem(item.hasOrder, item.order.ToScalar());
        for (const auto& [name, value] : item.properties) {
          sink.Property(name);
          EmitFormNode(value, sink);
        }
        sink.EndItem();
      }
      sink.EndCollection();
      break;
    default: sink.Scalar(node.ToScalar()); break;
  }
}

bool TFormNodeBuilder::Finish(TFormNode&& node) {
  if (stack_.empty()) {
    root_ = std::move(node);
    return true;
  }
  Frame& top = stack_.back();
  if (top.node.type == TValueType::vaList) {
    top.node.list.push_back(std::move(node));
  } else {
    if (!top.inItem || top.node.items.empty()) throw EReadError("Collection value outside an item");
    top.node.items.back().properties.emplace_back(std::move(top.pendingName), std::move(node));
    top.pendingName.clear();
  }
  return false;
}

bool TFormNodeBuilder::Scalar(const FormScalar& v) { return Finish(TFormNode::FromScalar(v)); }

void TFormNodeBuilder::BeginList() {
  Frame f;
  f.node.type = TValueType::vaList;
  stack_.push_back(std::move(f));
}

bool TFormNodeBuilder::EndList() {
  if (stack_.empty() || stack_.back().node.type != TValueType::vaList) throw EReadError("Unbalanced end of list");
  TFormNode node = std::move(stack_.back().node);
  stack_.pop_back();
  return Finish(std::move(node));
}

void TFormNodeBuilder::BeginCollection() {
  Frame f;
  f.node.type = TValueType::vaCollection;
  stack_.push_back(std::move(f));
}

void TFormNodeBuilder::BeginItem(bool hasOrder, const FormScalar& order) {
  if (stack_.empty() || stack_.back().node.type != TValueType::vaCollection)
    throw EReadError("Collection item outside a collection");
  TFormItem item;
  item.hasOrder = hasOrder;
  if (hasOrder) item.order = TFormNode::FromScalar(order);
  stack_.back().node.items.push_back(std::move(item));
  stack_.back().inItem = true;
}

void TFormNodeBuilder::ItemProperty(std::string_view name) {
  stack_.back().pendingName.assign(name.data(), name.size());
}

void TFormNodeBuilder::EndItem() {
  if (stack_.empty()) throw EReadError("Unbalanced end of item");
  stack_.back().inItem = false;
}

bool TFormNodeBuilder::EndCollection() {
  if (stack_.empty() || stack_.back().node.type != TValueType::vaCollection)
    throw EReadError("Unbalanced end of collection");
  TFormNode node = std::move(stack_.back().node);
  stack_.pop_back();
  return Finish(std::move(node));
}

bool TFormNodeBuilder::InItem() const {
  return !stack_.empty() && stack_.back().node.type == TValueType::vaCollection && stack_.back().inItem;
}

TFormNode TFormNodeBuilder::Take() {
  TFormNode out = std::move(root_);
  root_ = TFormNode();
  stack_.clear();
  return out;
}

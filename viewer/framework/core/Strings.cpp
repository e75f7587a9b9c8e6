#include "Strings.h"

#include "Exceptions.h"
#include "FormNode.h"
#include "Streams.h"
#include "SysUtils.h"

const TClassInfo& TStrings::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TStrings>("TStrings", &TPersistent::StaticClassInfo()).Build();
  return info;
}

const TClassInfo& TStringList::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TStringList>("TStringList", &TStrings::StaticClassInfo()).Build();
  return info;
}

void TStrings::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TStrings*>(&source)) {
    Assign(*other);
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Strings",
      [this](const TFormNode& node) {
        if (node.type != TValueType::vaList) throw EReadError("Invalid property value");
        std::vector<std::string> lines;
        lines.reserve(node.list.size());
        for (const auto& item : node.list) {
          if (!item.IsString()) throw EReadError("Invalid property value");
          lines.push_back(item.AsString());
        }
        BeginUpdate();
        try {
          Clear();
          AddLines(std::move(lines));
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this]() {
        TFormNode node;
        node.type = TValueType::vaList;
        for (int i = 0; i < Count(); ++i) node.list.push_back(TFormNode::String(Get(i)));
        return node;
      },
      Count() > 0);
}

void TStrings::ListIndexError(int index) { throw EStringListError(Format(Msg::SListIndexError, index)); }

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  BeginUpdate();
  try {
    Clear();
    AddStrings(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& source) {
  std::vector<std::string> lines;
  if (auto* list = dynamic_cast<const TStringList*>(&source)) {
    lines = list->Lines();  // one copy, not a copy per Get and another per Add
  } else {
    lines.reserve(size_t(source.Count()));
    for (int i = 0; i < source.Count(); ++i) lines.push_back(source.Get(i));
  }
  AddLines(std::move(lines));
}

void TStrings::AddLines(std::vector<std::string>&& lines) {
  for (auto& line : lines) Add(line);
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Get(i), s)) return i;
  return -1;
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetText(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0, i = 0, n = text.size();
  while (i < n) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < n) lines.emplace_back(text.substr(start));
  BeginUpdate();
  try {
    Clear();
    AddLines(std::move(lines));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream) {
  int64_t size = stream.Size() - stream.Position();
  std::string text(size > 0 ? size_t(size) : 0, '\0');
  stream.ReadBuffer(text.data(), text.size());
  SetText(text);
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

std::string TStringList::Text() const {
  size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string out;
  out.reserve(size);
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string text = Text();
  stream.WriteBuffer(text.data(), text.size());
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return lines_[size_t(index)];
}

void TStringList::Put(int index, const std::string& s) {
  CheckIndex(index);
  lines_[size_t(index)] = s;
}

void TStringList::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) ListIndexError(index);
  lines_.insert(lines_.begin() + index, s);
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  lines_.erase(lines_.begin() + index);
}

void TStringList::AddLines(std::vector<std::string>&& lines) {
  if (lines_.empty()) {
    lines_ = std::move(lines);
    return;
  }
  lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
}

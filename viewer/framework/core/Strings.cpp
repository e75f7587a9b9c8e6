#include "Strings.h"

#include "Exceptions.h"
#include "Streams.h"
#include "SysUtils.h"

void TStrings::ListIndexError(int index) {
  throw EStringListError(Format(Msg::SListIndexError, index));
}

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
  lines.reserve(size_t(source.Count()));
  for (int i = 0; i < source.Count(); ++i) lines.push_back(source.Get(i));
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
  lines_.insert(lines_.end(), std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
}

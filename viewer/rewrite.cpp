#include "rewrite.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "FormFiles.h"
#include "components/Registry.h"
#include "core/Ascii.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"

const std::vector<std::string> PlaceholderPropertyNames = {"top", "left", "width", "height", "taborder1", "align1"};

namespace {

// The rewriting runs over every line of large forms, so the tests below work
// on views into the lines and allocate only for log lines and new headers.

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

inline bool EqualsNoCase(std::string_view s, std::string_view lower) {
  return s.size() == lower.size() && StartsWithLowerAscii(s, lower);
}

inline bool EndsWith(std::string_view s, char c) { return !s.empty() && s.back() == c; }

// Event bindings ("OnClick = ...") and action links ("Action = ...",
// "ActionBars = <...") refer to code and objects outside the form file.
inline bool IsEventOrAction(std::string_view trimmed) {
  return StartsWithLowerAscii(trimmed, "on") || StartsWithLowerAscii(trimmed, "action");
}

enum class HeaderKind { None, Object, Inherited, Inline };

HeaderKind HeaderOf(std::string_view trimmed) {
  if (trimmed.size() < 7) return HeaderKind::None;
  switch (AsciiLower(trimmed[0])) {
    case 'o': return IsHeaderKeyword(trimmed, "object") ? HeaderKind::Object : HeaderKind::None;
    case 'i':
      if (IsHeaderKeyword(trimmed, "inherited")) return HeaderKind::Inherited;
      if (IsHeaderKeyword(trimmed, "inline")) return HeaderKind::Inline;
      return HeaderKind::None;
    default: return HeaderKind::None;
  }
}

// The class of an "object" header: everything after the first colon, trimmed
// (so "Panel1: TPanel [2]" names the class "TPanel [2]"); for an unnamed
// component ("object TFancyMeter") the word after the keyword.
std::string_view HeaderClass(std::string_view trimmed, bool& hasColon) {
  size_t colon = trimmed.find(':');
  hasColon = colon != std::string_view::npos;
  if (hasColon) return TrimView(trimmed.substr(colon + 1));
  std::string_view rest = TrimView(trimmed.substr(6));
  size_t k = 0;
  while (k < rest.size() && !IsBlank(rest[k])) ++k;
  return rest.substr(0, k);
}

// The class of a header without its "[n]" position, which goes to
// `position`: "TPanel [2]" -> "TPanel".
std::string_view WithoutPosition(std::string_view className, std::string_view& position) {
  size_t bracket = className.find('[');
  if (bracket == std::string_view::npos) return className;
  position = className.substr(bracket);
  return TrimView(className.substr(0, bracket));
}

// True when the text ends with a "+" that is not inside a quoted string:
// the string goes on on the next line.
bool ContinuesWithPlus(std::string_view s) {
  if (!EndsWith(s, '+')) return false;
  bool quoted = false;
  for (char c : s)
    if (c == '\'') quoted = !quoted;
  return !quoted;
}

// The value of a property line that opens a collection with items
// ("Name = <"), but not the empty collection "Name = <>".
bool OpensCollection(std::string_view trimmed) {
  if (trimmed.empty()) return false;
  char c = trimmed[0];
  if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')) return false;
  size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return false;
  std::string_view v = TrimView(trimmed.substr(eq + 1));
  if (v.empty() || v[0] != '<') return false;
  std::string_view rest = TrimView(v.substr(1));
  return rest.empty() || rest[0] != '>';
}

// The last item's "end" followed by the collection's ">", usually "end>".
bool ClosesCollection(std::string_view trimmed) {
  if (!EndsWith(trimmed, '>')) return false;
  return EqualsNoCase(TrimView(trimmed.substr(0, trimmed.size() - 1)), "end");
}

using Lines = std::vector<std::string>;

// A list "( ... )" (or a set "[ ... ]"): ends where the brackets opened in
// `value` on line `first` close again. Quotes are tracked per line, since a
// quoted string never spans lines, so "('a)b')" counts one pair.
int BracketValueEnd(const Lines& lines, int first, std::string_view value) {
  int depth = 0;
  std::string_view text = value;
  const int n = int(lines.size());
  for (int k = first; k < n; ++k) {
    if (k != first) text = lines[size_t(k)];
    bool quoted = false;
    for (char c : text) {
      if (c == '\'') {
        quoted = !quoted;
      } else if (!quoted) {
        if (c == '(' || c == '[') {
          ++depth;
        } else if (c == ')' || c == ']') {
          if (--depth <= 0) return k;
        }
      }
    }
  }
  return n - 1;
}

// Binary data "{ ... }": ends on the line whose text ends with "}".
int BinaryValueEnd(const Lines& lines, int first, std::string_view value) {
  if (EndsWith(value, '}')) return first;
  const int n = int(lines.size());
  for (int k = first + 1; k < n; ++k)
    if (EndsWith(TrimView(lines[size_t(k)]), '}')) return k;
  return n - 1;
}

// A collection "<" ... "end>": item bodies may open further collections, each
// closed by its own "end>".
int CollectionValueEnd(const Lines& lines, int first, std::string_view value) {
  std::string_view rest = TrimView(value.substr(1));
  if (!rest.empty() && rest[0] == '>') return first;  // "<>"
  int depth = 1;
  const int n = int(lines.size());
  for (int k = first + 1; k < n; ++k) {
    std::string_view t = TrimView(lines[size_t(k)]);
    if (ClosesCollection(t)) {
      if (--depth == 0) return k;
    } else if (OpensCollection(t)) {
      ++depth;
    }
  }
  return n - 1;
}

// Anything else: one line, unless it ends with a "+" that joins the string on
// the next line.
int StringValueEnd(const Lines& lines, int first, std::string_view value) {
  const int n = int(lines.size());
  int k = first;
  std::string_view text = value;
  while (ContinuesWithPlus(text) && k + 1 < n) {
    ++k;
    text = TrimView(lines[size_t(k)]);
  }
  return k;
}

inline bool OpensValueOnNextLine(std::string_view next) {
  return !next.empty() && std::strchr("'#({<[", next[0]) != nullptr;
}

int ValueLastLine(const Lines& lines, int line, std::string_view trimmed) {
  size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return line;
  std::string_view value = TrimView(trimmed.substr(eq + 1));
  int first = line;
  if (value.empty()) {
    // Long strings are written as "Name =" with the value on the next line.
    if (line + 1 >= int(lines.size())) return line;
    std::string_view next = TrimView(lines[size_t(line) + 1]);
    if (!OpensValueOnNextLine(next)) return line;
    first = line + 1;
    value = next;
  }
  switch (value[0]) {
    case '(':
    case '[': return BracketValueEnd(lines, first, value);
    case '{': return BinaryValueEnd(lines, first, value);
    case '<': return CollectionValueEnd(lines, first, value);
    default: return StringValueEnd(lines, first, value);
  }
}

inline void BlankLines(Lines& lines, int from, int to) {
  for (int k = from; k <= to; ++k) lines[size_t(k)].clear();
}

bool IsPlaceholderProperty(std::string_view lowerName) { return AnsiMatchText(lowerName, PlaceholderPropertyNames); }

enum class Frame : unsigned char {
  Placeholder,  // an unregistered component: only its position and size stay
  Component,    // a registered, inherited or inline component inside a placeholder
};

class Rewriter {
 public:
  Rewriter(TStringList& list, RewriteLog& log, const ClassRegisteredFn& isRegistered,
           const ClassRegisteredFn& inheritedClasses)
      : list_(list),
        lines_(list.Lines()),
        log_(log),
        isRegistered_(isRegistered),
        inheritedClasses_(inheritedClasses),
        positionsFollowClasses_(
            !lines_.empty() && HeaderOf(TrimView(lines_[0])) != HeaderKind::Object &&
            HeaderOf(TrimView(lines_[0])) != HeaderKind::None) {}

  void Run() {
    const int n = int(lines_.size());
    int i = 1;
    for (;;) {
      if (stack_.empty()) {
        if (i >= n) break;
        i = TopLevelLine(i);
      } else {
        // A component is still open: its closing "end" must follow.
        if (i >= n) list_.Get(i);  // raises EStringListError
        i = stack_.back() == Frame::Placeholder ? PlaceholderLine(i) : ComponentLine(i);
      }
    }
  }

 private:
  // Outside placeholders every line is looked at on its own, without
  // following the nesting.
  int TopLevelLine(int i) {
    std::string& line = lines_[size_t(i)];
    std::string_view L = TrimView(line);
    switch (HeaderOf(L)) {
      case HeaderKind::Object:
        if (ObjectHeader(i, L)) stack_.push_back(Frame::Placeholder);
        return i + 1;
      case HeaderKind::Inherited:
      case HeaderKind::Inline:
        if (InheritedHeader(i, L)) stack_.push_back(Frame::Placeholder);
        return i + 1;
      case HeaderKind::None: break;
    }
    return EventTest(i, L);
  }

  // A line inside an unregistered component.
  int PlaceholderLine(int i) {
    std::string_view L = TrimView(lines_[size_t(i)]);
    if (L.empty()) return i + 1;
    if (EqualsNoCase(L, "end")) {
      stack_.pop_back();
      return i + 1;
    }
    if (NestedHeader(i, L)) return i + 1;
    size_t eq = L.find('=');
    std::string_view name =
        log_.AddProperty(eq == std::string_view::npos ? std::string_view() : TrimView(L.substr(0, eq)));
    int last = ValueLastLine(lines_, i, L);
    if (!IsPlaceholderProperty(name)) BlankLines(lines_, i, last);
    return last + 1;
  }

  // A line inside a registered (or inherited/inline) component that sits
  // inside a placeholder. The nesting is followed so that the placeholder's
  // own "end" is found; "end" lines inside collection values don't count.
  int ComponentLine(int i) {
    std::string_view L = TrimView(lines_[size_t(i)]);
    if (EqualsNoCase(L, "end")) {
      stack_.pop_back();
      return i + 1;
    }
    if (NestedHeader(i, L)) return i + 1;
    if (IsEventOrAction(L)) return EventTest(i, L);
    int last = ValueLastLine(lines_, i, L);
    // The value's inner lines (collection item bodies) get the event test,
    // as they do outside placeholders.
    for (int k = i + 1; k <= last;) {
      std::string_view t = TrimView(lines_[size_t(k)]);
      if (IsEventOrAction(t)) {
        int end = std::min(ValueLastLine(lines_, k, t), last);
        BlankLines(lines_, k, end);
        k = end + 1;
      } else {
        ++k;
      }
    }
    return last + 1;
  }

  // A component header met inside a placeholder or a component nested in
  // one: pushes the component's frame. Returns false when L is no header.
  bool NestedHeader(int i, std::string_view L) {
    switch (HeaderOf(L)) {
      case HeaderKind::Object:
        stack_.push_back(ObjectHeader(i, L) ? Frame::Placeholder : Frame::Component);
        return true;
      case HeaderKind::Inherited:
      case HeaderKind::Inline:
        stack_.push_back(InheritedHeader(i, L) ? Frame::Placeholder : Frame::Component);
        return true;
      case HeaderKind::None: return false;
    }
    return false;
  }

  // Logs an "object" header's class. A registered class keeps the header
  // (which then gets the event test on its class name); an unregistered one
  // becomes a placeholder header. In an inherited form or frame, a "[n]"
  // after the class is the component's position among its parent's
  // children, not part of its class: it is left out of the lookup and kept
  // on a placeholder. In a form of its own the whole text after the colon
  // is the class, as the load has always taken it. Returns true for a
  // placeholder.
  bool ObjectHeader(int i, std::string_view L) {
    std::string& line = lines_[size_t(i)];
    bool hasColon = false;
    std::string_view position;
    std::string_view className = HeaderClass(L, hasColon);
    if (positionsFollowClasses_) className = WithoutPosition(className, position);
    bool registered = isRegistered_(className);
    log_.AddComponent(className, registered);
    if (registered) {
      if (IsEventOrAction(className)) line.clear();
      return false;
    }
    if (hasColon) {
      PlaceholderHeader(line, position);
    } else {
      // "object TFancyMeter" -> "object TUnknown", keeping the indentation.
      size_t indent = 0;
      while (indent < line.size() && IsBlank(line[indent])) ++indent;
      if (size_t bracket = L.find('['); positionsFollowClasses_ && bracket != std::string_view::npos)
        position = L.substr(bracket);
      std::string kept(position);
      line.resize(indent);
      line += "object";
      line += PlaceholderClassName;
      if (!kept.empty()) line += " " + kept;
    }
    return true;
  }

  // An "inherited" or "inline" header of a registered class passes through
  // unlogged. One of an unregistered class (a frame whose form was not found,
  // or a component whose ancestor made it a placeholder) becomes a
  // placeholder like an unknown "object", keeping its "[n]" position.
  // Returns true for a placeholder.
  bool InheritedHeader(int i, std::string_view L) {
    size_t colon = L.find(':');
    if (colon == std::string_view::npos) return false;
    std::string_view position;
    std::string_view className = WithoutPosition(TrimView(L.substr(colon + 1)), position);
    if (className.empty() || inheritedClasses_(className)) return false;
    log_.AddComponent(className, false);
    PlaceholderHeader(lines_[size_t(i)], position);
    return true;
  }

  // Cuts the header after its first colon and names the placeholder class,
  // followed by the component's position when it had one.
  static void PlaceholderHeader(std::string& line, std::string_view position) {
    std::string kept(position);
    line.resize(line.find(':') + 1);
    line += PlaceholderClassName;
    if (!kept.empty()) {
      line += ' ';
      line += kept;
    }
  }

  // Blanks an event or action line together with all lines of its value.
  int EventTest(int i, std::string_view L) {
    if (!IsEventOrAction(L)) return i + 1;
    int last = ValueLastLine(lines_, i, L);
    BlankLines(lines_, i, last);
    return last + 1;
  }

  TStringList& list_;
  Lines& lines_;
  RewriteLog& log_;
  const ClassRegisteredFn& isRegistered_;
  const ClassRegisteredFn& inheritedClasses_;  // asked for "inherited" and "inline" headers
  const bool positionsFollowClasses_;          // the root is "inherited" or "inline"
  std::vector<Frame> stack_;
};

}  // namespace

int FormValueLastLine(const std::vector<std::string>& lines, int line) {
  if (line < 0 || line >= int(lines.size())) return line;
  return ValueLastLine(lines, line, TrimView(lines[size_t(line)]));
}

std::string_view RewriteLog::Line(size_t index) const {
  size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void RewriteLog::AppendTo(std::vector<std::string>& lines) const {
  lines.reserve(lines.size() + Count());
  for (size_t k = 0; k < Count(); ++k) lines.emplace_back(Line(k));
}

void RewriteLog::AppendTo(TStrings& lines) const {
  std::vector<std::string> v;
  AppendTo(v);
  lines.AddStrings(TStringList(std::move(v)));
}

void RewriteLog::Clear() {
  text_.clear();
  ends_.clear();
}

void RewriteLog::Reserve(size_t lineCount, size_t textBytes) {
  ends_.reserve(lineCount);
  text_.reserve(text_.size() + textBytes);
}

void RewriteLog::AddComponent(std::string_view className, bool registered) {
  text_ += '[';
  text_ += className;
  text_ += "]: [";
  text_ += registered ? "False" : "True";
  text_ += ']';
  EndLine();
}

std::string_view RewriteLog::AddProperty(std::string_view name) {
  static constexpr std::string_view kPrefix = "Propertys: [";
  size_t start = text_.size() + kPrefix.size();
  text_.resize(start + name.size() + 1);
  char* out = text_.data();
  std::memcpy(out + start - kPrefix.size(), kPrefix.data(), kPrefix.size());
  for (size_t k = 0; k < name.size(); ++k) out[start + k] = AsciiLower(name[k]);
  out[start + name.size()] = ']';
  EndLine();
  return std::string_view(text_).substr(start, name.size());
}

void RewriteFormLines(TStringList& lines, RewriteLog& log, const ClassRegisteredFn& isRegistered) {
  RewriteFormLines(lines, log, isRegistered, isRegistered);
}

void RewriteFormLines(TStringList& lines, RewriteLog& log, const ClassRegisteredFn& isRegistered,
                      const ClassRegisteredFn& inheritedClasses) {
  // Room for a log line on every other line: reserving costs address space
  // only, while growing a large log by copying costs time.
  size_t n = lines.Lines().size();
  log.Reserve(log.Count() + n / 2 + 16, n * 12 + 256);
  Rewriter(lines, log, isRegistered, inheritedClasses).Run();
}

void RewriteFormLines(TStringList& lines, std::vector<std::string>& log, const ClassRegisteredFn& isRegistered) {
  // The log keeps what was appended before a failure.
  RewriteLog entries;
  try {
    RewriteFormLines(lines, entries, isRegistered);
  } catch (...) {
    entries.AppendTo(log);
    throw;
  }
  entries.AppendTo(log);
}

void RewriteFormLines(TStringList& lines, TStrings& log, const ClassRegisteredFn& isRegistered) {
  RewriteFormLines(lines, log, isRegistered, isRegistered);
}

void RewriteFormLines(TStringList& lines, TStrings& log, const ClassRegisteredFn& isRegistered,
                      const ClassRegisteredFn& inheritedClasses) {
  RewriteLog entries;
  try {
    RewriteFormLines(lines, entries, isRegistered, inheritedClasses);
  } catch (...) {
    entries.AppendTo(log);
    throw;
  }
  entries.AppendTo(log);
}

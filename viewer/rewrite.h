// The rewriting of a form's text, so that it loads without the project it
// came from (LoadForm.h joins it with the reading and the resource).
//
// The rewriting blanks event and action bindings, and turns every component
// whose class is not registered into a "TUnknown" placeholder that keeps only
// its position and size. Blanked lines stay in place as empty lines, so line
// numbers in the rewritten text match the original file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "LoadTypes.h"

class TStrings;
class TStringList;

// The properties a placeholder keeps (compared lower-case); every other
// property line inside a placeholder is blanked. In order: "top", "left",
// "width", "height", "taborder1", "align1".
extern const std::vector<std::string> PlaceholderPropertyNames;
// Appended after the colon of an unregistered component's header.
inline constexpr std::string_view PlaceholderClassName = " TUnknown";

// The log lines of a rewrite, kept in one buffer so that a large form costs
// no allocation per line.
class RewriteLog {
 public:
  size_t Count() const { return ends_.size(); }
  std::string_view Line(size_t index) const;
  // Appends every line to a vector or a line list.
  void AppendTo(std::vector<std::string>& lines) const;
  void AppendTo(TStrings& lines) const;
  void Clear();
  void Reserve(size_t lineCount, size_t textBytes);

  // Appends "[className]: [True]" (not registered) or "[className]: [False]".
  void AddComponent(std::string_view className, bool registered);
  // Appends "Propertys: [name]" with name lower-cased; returns the lower-cased
  // name as stored.
  std::string_view AddProperty(std::string_view name);

 private:
  void EndLine() { ends_.push_back(text_.size()); }
  std::string text_;
  std::vector<size_t> ends_;
};

// Rewrites form text in place. Line 0 (the root header) is never examined.
// Appends one log line per component header met ("[Class]: [True]" when the
// class is not registered, "[Class]: [False]" when it is) and one per
// property line met inside a placeholder ("Propertys: [name]").
// Raises EStringListError ("List index out of bounds (n)") when a placeholder
// is still open at the end of the text; the lines appended to the log so far
// stay there.
void RewriteFormLines(TStringList& lines, RewriteLog& log, const ClassRegisteredFn& isRegistered);
// The same, asking `inheritedClasses` instead for the classes of "inherited"
// and "inline" headers (components of an ancestor or frame, whose class may
// be one the project declares); "object" headers always ask `isRegistered`.
void RewriteFormLines(TStringList& lines, RewriteLog& log, const ClassRegisteredFn& isRegistered,
                      const ClassRegisteredFn& inheritedClasses);
// The same, appending the log lines to a vector (also when it raises).
void RewriteFormLines(TStringList& lines, std::vector<std::string>& log, const ClassRegisteredFn& isRegistered);
// The same, appending to a list of log lines (also when it raises).
void RewriteFormLines(TStringList& lines, TStrings& log, const ClassRegisteredFn& isRegistered);
void RewriteFormLines(TStringList& lines, TStrings& log, const ClassRegisteredFn& isRegistered,
                      const ClassRegisteredFn& inheritedClasses);

// Index of the last line of the value whose property is on line `line`: the
// line itself for one-line values; for a list "( ... )", binary data
// "{ ... }", a collection "< ... end>" or a string continued with a trailing
// "+", the line that closes it. A value that opens on the line after
// "Name =" is followed there. An unterminated value runs to the last line.
int FormValueLastLine(const std::vector<std::string>& lines, int line);

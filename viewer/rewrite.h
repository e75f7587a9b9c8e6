// Loading a form file for the viewer: the form text is rewritten so that it
// loads without the project it came from, then handed to the preview as a
// binary form resource.
//
// The rewriting blanks event and action bindings, and turns every component
// whose class is not registered into a "TUnknown" placeholder that keeps only
// its position and size. Blanked lines stay in place as empty lines, so line
// numbers in the rewritten text match the original file.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TStream;
class TStrings;
class TStringList;

// Tells whether a component class is registered (names compare ignoring case).
using ClassRegisteredFn = std::function<bool(std::string_view className)>;
// Receives the binary form resource of the rewritten form, positioned at 0.
using PreviewAction = std::function<void(TStream& resource)>;

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
void RewriteFormLines(TStringList& lines, std::vector<std::string>& log,
                      const ClassRegisteredFn& isRegistered);
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

// Where the form text in a stream starts: 0 for form text (first six bytes are
// "object" in any letter case), 3 for form text behind a UTF-8 byte-order
// mark; for an inherited form or a frame ("inherited" or "inline" as the first
// word, after an optional byte-order mark and blanks) the offset of that word;
// -1 for anything else (binary). Reads from position 0 and leaves the stream
// there. Raises EReadError when the stream has fewer than six bytes.
int FormTextStart(TStream& input);

// Loads a form file of either encoding through LoadForm (LoadForm.h): shows
// the rewritten text in sourceLines, appends the component log to logLines
// and runs the preview on the binary resource. An inherited form, or one
// holding frames whose forms are found, is previewed with its ancestors and
// frames; their log lines follow the form's own. Exceptions propagate after
// the streams are freed and logLines has left its update state, with the
// panes holding what the load did up to the failure:
//   EFOpenError (file can't be opened), EReadError (fewer than six bytes),
//   EInvalidImage (neither form text nor a valid resource), EStringListError
//   (placeholder open at end of text; sourceLines unchanged), EParserError
//   (rewritten text is malformed; sourceLines already shows it), and whatever
//   the preview raises.
void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines,
                  const PreviewAction& preview, const ClassRegisteredFn& isRegistered);

// The same, asking the class registry which classes are registered.
void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines,
                  const PreviewAction& preview);
// True when the class registry knows the class (GetClass).
bool IsRegisteredClass(std::string_view className);

// `tessaly-tool rewrite FILE`; args are the operands after "rewrite". Loads
// FILE as the viewer does, with a preview that converts the resource back to
// text as a check. Writes the source pane's lines to out (LF line ends) and the
// log lines to err; on failure also the exception's message, and returns 1.
// Classes count as registered when they are among kStandardFormClassNames.
// Returns 2 for a wrong number of operands.
int RunRewriteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRewriteCommand(const std::vector<std::string>& args);

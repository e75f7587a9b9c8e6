// Reading a form file's text, whichever encoding it came in.
#pragma once

#include <string_view>

class TStream;
class TStringList;

// Where the form text in a stream starts: 0 for form text (first six bytes are
// "object" in any letter case), 3 for form text behind a UTF-8 byte-order
// mark; for an inherited form or a frame ("inherited" or "inline" as the first
// word, after an optional byte-order mark and blanks) the offset of that word;
// -1 for anything else (binary). Reads from position 0 and leaves the stream
// there. Raises EReadError when the stream has fewer than six bytes.
int FormTextStart(TStream& input);

// The lines of a form file's text: the text itself, or a binary form
// converted to text. Returns false when the input was form text, true when
// it was converted. Raises what the conversion raises (EInvalidImage ...).
bool ReadFormLines(TStream& input, TStringList& lines);

// Whether a trimmed line starts with a component header's keyword
// ("object", "inherited", "inline"; `keyword` in lower case) as a whole
// word: followed by a blank and then something other than "=", so that a
// property named "Object" or "Inline" ("Inline = True") is not a header.
bool IsHeaderKeyword(std::string_view trimmed, std::string_view keyword);

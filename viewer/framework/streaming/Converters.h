// Conversions between the two encodings of a form description, and the entry
// points the component reader uses to get a form's events.
#pragma once

#include <string_view>

#include "core/FormValue.h"

class TStream;

// Binary form stream ("TPF0"...) at in's position -> form text appended at
// out's position. in is left just after the stream.
void ObjectBinaryToText(TStream& in, TStream& out);
// Form text -> binary form stream (no resource header).
void ObjectTextToBinary(TStream& in, TStream& out);
// Resource header + binary form stream -> form text.
void ObjectResourceToText(TStream& in, TStream& out);
// Form text -> resource header + binary form stream.
void ObjectTextToResource(TStream& in, TStream& out);

// Reads a resource header and the binary form stream after it from in's
// position and delivers the form's events to sink. Raises EInvalidImage
// ("Invalid stream format") without a valid header, EReadError for a damaged
// stream.
void ReadFormResource(TStream& in, FormEvents& sink);
// Same for a bare binary form stream (starting with "TPF0").
void ReadFormBinary(TStream& in, FormEvents& sink);
// Form text from in's position.
void ReadFormText(TStream& in, FormEvents& sink);

enum class FormEncoding { Text, Resource, Binary };

// Tells the encoding from the first bytes: text when, after a UTF-8 byte
// order mark and blanks, the first six characters lower-cased are "object",
// "inheri" or "inline"; a bare binary stream when they start with "TPF0";
// otherwise a resource.
FormEncoding DetectFormEncoding(std::string_view head);

// Reads a form file's contents in either encoding (resource or bare binary
// stream, or text) and delivers its events to sink.
void ReadFormAny(std::string_view data, FormEvents& sink);

// Where a form comes from: a form file, or a form inside a Windows program
// or resource file, named "PROGRAM:NAME" (see ProgramResources.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A form argument split into its file and, for a form inside a program, the
// form's resource name. An argument that names an existing file is that
// file, colons and all; otherwise the text after its last colon is the form's
// name when the text before it names an existing file.
struct TFormArgument {
  std::string file;
  std::string formName;  // empty: the file itself (or a program's only form)
};
TFormArgument SplitFormArgument(const std::string& argument);

// The most bytes one form file, ancestor or program may hold.
inline constexpr uint64_t kMaxFormSourceSize = uint64_t(1) << 30;

// Reads a whole regular file without ever blocking: it is opened
// non-blocking and checked with fstat before anything is read, so a named
// pipe, socket or device is refused rather than waited on. Raises
// EFOpenError "Cannot open file "PATH". REASON", where REASON says what the
// file is ("is a folder", "is a named pipe", "is a device", "is larger
// than N bytes") or why it could not be opened.
std::string ReadRegularFile(const std::string& path, uint64_t maxBytes);

// The bytes of the form an argument names: a form file as it is, or the
// named form inside a program or resource file as a binary form file
// (FormFileBytes). A
// program or resource file named without a form gives its only form; with
// several, EInvalidImage lists their names. Every form a load reads (the
// form, its ancestors, its frames' forms) comes through here, so another
// source of form bytes needs adding in this one place. Raises EFOpenError when the file
// cannot be read and EInvalidImage ("FILE: " and the resource walk's
// message) when the program is malformed, packed, or holds no such form.
std::string ReadFormSource(const std::string& argument);

// A name from a form (a resource's, a component's and property's) made
// usable as one file name on any file system: characters that separate
// folders, control characters and those Windows refuses become "_", and a
// leading dot becomes "_." so that no name is "." or ".." or hidden. Keeps
// at most 180 bytes so that an extension still fits.
std::string SafeFileName(std::string_view name);

// True when a file's bytes are a program or resource file rather than a form.
bool IsProgramFile(std::string_view bytes);
// The form an argument names inside the bytes of its program or resource
// file, as ReadFormSource gives it.
std::string ProgramFormBytes(std::string_view file, const TFormArgument& argument);

// Forms compiled into Windows programs and resource files.
//
// A program (PE32 or PE32+: .exe, .dll, .bpl ...) keeps its resources in a
// three-level directory (type, name, language) inside one of its sections; a
// 32-bit resource file (.res) is a flat run of entries, each with a header
// naming its type, name and language. A form is an RT_RCDATA resource (type
// 10) whose data is a binary form stream ("TPF0"). The layouts are written
// down in docs/program-resources.md.
//
// Every read is bounds-checked against the file: offsets, sizes, entry
// counts, the directory's depth, and directories reached twice (a loop) are
// refused with EInvalidImage naming the byte offset. Nothing is copied; the
// forms found are views into the caller's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a file's first bytes say it is.
enum class TProgramKind : uint8_t { pkNone, pkPE32, pkPE32Plus, pkResourceFile };

// A form stored as a resource.
struct TProgramForm {
  std::string name;       // the resource's name as UTF-8, or "#N" for a numeric ID
  uint16_t language = 0;  // Windows language ID (0 for neutral)
  std::string_view data;  // the binary form stream, starting with "TPF0"
  std::string rootClass;  // the root component's class and name, read from
  std::string rootName;   // the stream's first header (empty when unreadable)
};

// The most forms one file may list; more is taken for a damaged directory.
inline constexpr size_t kMaxProgramForms = 65536;

TProgramKind DetectProgramKind(std::string_view file);
const char* ProgramKindName(TProgramKind kind);  // "PE32", "PE32+", "resource file"

// Every form of a program or resource file, in directory order (programs) or
// file order (resource files). Raises EInvalidImage for a file that is
// neither, for a malformed or truncated layout, for a program packed by an
// executable packer whose forms cannot be read ("is packed by an executable
// packer (section UPX0)"), and for one holding no forms ("holds no forms").
std::vector<TProgramForm> ReadProgramForms(std::string_view file);

// The form named `name` (compared without regard to ASCII case, as Windows
// compares resource names; "#N" or "N" for a numeric ID). When several
// languages hold that name, the first listed is taken. Raises EInvalidImage
// when no form has that name, listing the names there are.
const TProgramForm& FindProgramForm(const std::vector<TProgramForm>& forms, std::string_view name);

// The form as a binary form file holds it: the 16-bit resource header that
// form files carry (type RCDATA, the resource's name upper-cased or its
// numeric ID, the stream's size) followed by the stored stream unchanged.
std::string FormFileBytes(const TProgramForm& form);

// The root class and name of a binary form stream, without reading further.
// False when the header is malformed or runs past the data.
bool ReadBinaryFormRoot(std::string_view stream, std::string& className, std::string& name);

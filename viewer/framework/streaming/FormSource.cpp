#include "FormSource.h"

#include <sys/stat.h>

#include "ProgramResources.h"
#include "core/Exceptions.h"
#include "core/Streams.h"

namespace {

bool IsExistingFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
  TMemoryStream s;
  s.LoadFromFile(path);
  std::string bytes(size_t(s.Size()), '\0');
  s.SetPosition(0);
  if (!bytes.empty()) s.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

}  // namespace

TFormArgument SplitFormArgument(const std::string& argument) {
  if (IsExistingFile(argument)) return {argument, {}};
  const size_t colon = argument.rfind(':');
  if (colon != std::string::npos && colon + 1 < argument.size() && IsExistingFile(argument.substr(0, colon)))
    return {argument.substr(0, colon), argument.substr(colon + 1)};
  return {argument, {}};
}

std::string SafeFileName(std::string_view name) {
  std::string out;
  for (char c : name.substr(0, 180)) {
    const auto u = static_cast<unsigned char>(c);
    out += (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) ? '_' : c;
  }
  if (out.empty() || out[0] == '.') out.insert(0, "_");
  return out;
}

bool IsProgramFile(std::string_view bytes) { return DetectProgramKind(bytes) != TProgramKind::pkNone; }

std::string ProgramFormBytes(std::string_view file, const TFormArgument& argument) {
  const std::vector<TProgramForm> forms = ReadProgramForms(file);
  if (!argument.formName.empty()) return FormFileBytes(FindProgramForm(forms, argument.formName));
  if (forms.size() == 1) return FormFileBytes(forms[0]);
  std::string names;
  for (size_t i = 0; i < forms.size() && i < 20; ++i) names += (i ? ", " : "") + forms[i].name;
  if (forms.size() > 20) names += ", ...";
  throw EInvalidImage("holds " + std::to_string(forms.size()) + " forms; name one as " + argument.file +
                      ":NAME (" + names + ")");
}

std::string ReadFormSource(const std::string& argument) {
  const TFormArgument arg = SplitFormArgument(argument);
  std::string bytes = ReadWholeFile(arg.file);
  if (arg.formName.empty() && !IsProgramFile(bytes)) return bytes;
  try {
    return ProgramFormBytes(bytes, arg);
  } catch (const EInvalidImage& e) {
    throw EInvalidImage(arg.file + ": " + e.what());
  }
}

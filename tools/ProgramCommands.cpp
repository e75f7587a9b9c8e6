#include "ProgramCommands.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "ToolFiles.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"
#include "streaming/FormOutput.h"
#include "streaming/FormText.h"
#include "streaming/ProgramResources.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitOk = 0, kExitBadFile = 1, kExitUsage = 2;

// The forms of a program given on the command line; reports a failure under
// the file's name and returns false.
bool ReadForms(const std::string& file, std::optional<ToolInput>& input, std::vector<TProgramForm>& forms) {
  try {
    input.emplace(file, true);
    forms = ReadProgramForms(input->Data());
    return true;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), e.what());
    return false;
  }
}

char HexDigit(unsigned v) { return "0123456789abcdef"[v & 15]; }

std::string LanguageText(uint16_t language) {
  std::string s(4, '0');
  for (int i = 0; i < 4; ++i) s[size_t(3 - i)] = HexDigit(language >> (4 * i));
  return s;
}

// The file name each form is written to: NAME.dfm, with the language added
// when several forms share a name (ignoring case, as file systems may).
std::vector<std::string> ExtractNames(const std::vector<TProgramForm>& forms) {
  std::map<std::string, int> uses;
  for (const TProgramForm& f : forms) ++uses[UpperCase(SafeFileName(f.name))];
  std::vector<std::string> names;
  std::set<std::string> taken;
  for (const TProgramForm& f : forms) {
    std::string base = SafeFileName(f.name);
    if (uses[UpperCase(base)] > 1) base += "." + LanguageText(f.language);
    std::string name = base + ".dfm";
    for (int n = 2; !taken.insert(UpperCase(name)).second; ++n) name = base + "." + std::to_string(n) + ".dfm";
    names.push_back(name);
  }
  return names;
}

void WriteForm(const TProgramForm& form, const fs::path& target, bool asText) {
  const std::string bytes = FormFileBytes(form);
  ToolOutput out(target.string());
  if (asText) {
    FormOutput output(out);
    FormTextWriter writer(output);
    ReadFormAny(bytes, writer);
    output.Flush();
  } else {
    out.WriteBuffer(bytes.data(), bytes.size());
  }
  out.Commit();
}

}  // namespace

int RunFormsCommand(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
    std::fprintf(stderr, "usage: tessaly-tool forms PROGRAM\n");
    return kExitUsage;
  }
  std::optional<ToolInput> input;
  std::vector<TProgramForm> forms;
  if (!ReadForms(args[0], input, forms)) return kExitBadFile;
  for (const TProgramForm& f : forms)
    std::printf("%s\t%s\t%zu\t%s\t%s\n", f.name.c_str(), LanguageText(f.language).c_str(), f.data.size(),
                f.rootClass.c_str(), f.rootName.c_str());
  return kExitOk;
}

int RunExtractCommand(const std::vector<std::string>& args) {
  std::string program, folder = ".";
  bool asText = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
      folder = args[++i];
    } else if (args[i] == "--text") {
      asText = true;
    } else if (program.empty() && !args[i].empty() && args[i][0] != '-') {
      program = args[i];
    } else {
      program.clear();
      break;
    }
  }
  if (program.empty()) {
    std::fprintf(stderr, "usage: tessaly-tool extract PROGRAM [-o DIR] [--text]\n");
    return kExitUsage;
  }
  std::optional<ToolInput> input;
  std::vector<TProgramForm> forms;
  if (!ReadForms(program, input, forms)) return kExitBadFile;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "tessaly-tool: %s: %s\n", folder.c_str(), ec.message().c_str());
    return kExitBadFile;
  }
  const std::vector<std::string> names = ExtractNames(forms);
  int status = kExitOk;
  for (size_t i = 0; i < forms.size(); ++i) {
    const fs::path target = fs::path(folder) / names[i];
    try {
      RefuseOverwritingInput(target.string(), {program});
      WriteForm(forms[i], target, asText);
      std::printf("%s\n", target.c_str());
    } catch (const EToolOutputError& e) {
      std::fprintf(stderr, "tessaly-tool: %s\n", e.what());
      return kExitBadFile;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s:%s: %s\n", program.c_str(), forms[i].name.c_str(), e.what());
      status = kExitBadFile;
    }
  }
  return status;
}

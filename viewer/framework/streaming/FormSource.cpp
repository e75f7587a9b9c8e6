#include "FormSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ProgramResources.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"

namespace {

bool IsExistingFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

[[noreturn]] void CannotOpen(const std::string& path, const std::string& reason) {
  throw EFOpenError(Format(Msg::SFOpenError, path, reason));
}

// What a file that is not a regular file is, for the message.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "is a folder";
  if (S_ISFIFO(mode)) return "is a named pipe";
  if (S_ISSOCK(mode)) return "is a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
  return "is not a regular file";
}

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

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
  throw EInvalidImage(
      "holds " + std::to_string(forms.size()) + " forms; name one as " + argument.file + ":NAME (" + names + ")");
}

std::string ReadRegularFile(const std::string& path, uint64_t maxBytes) {
  // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) CannotOpen(path, std::strerror(errno));
  struct stat st;
  if (::fstat(file.fd, &st) != 0) CannotOpen(path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) CannotOpen(path, KindOf(st.st_mode));
  if (uint64_t(st.st_size) > maxBytes) CannotOpen(path, "is larger than " + std::to_string(maxBytes) + " bytes");
  std::string data(size_t(st.st_size), '\0');
  size_t done = 0;
  while (done < data.size()) {
    ssize_t got = ::read(file.fd, data.data() + done, data.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) CannotOpen(path, std::strerror(errno));
    if (got == 0) break;  // truncated while we read: keep what was there
    done += size_t(got);
  }
  data.resize(done);
  return data;
}

std::string ReadFormSource(const std::string& argument) {
  const TFormArgument arg = SplitFormArgument(argument);
  std::string bytes = ReadRegularFile(arg.file, kMaxFormSourceSize);
  if (arg.formName.empty() && !IsProgramFile(bytes)) return bytes;
  try {
    return ProgramFormBytes(bytes, arg);
  } catch (const EInvalidImage& e) {
    throw EInvalidImage(arg.file + ": " + e.what());
  }
}

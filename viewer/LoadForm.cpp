#include "LoadForm.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Ancestors.h"
#include "core/Exceptions.h"
#include "core/SysUtils.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormOutput.h"

namespace {

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

std::string ReadRegularFile(const std::string& path, uint64_t maxBytes) {
  // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) CannotOpen(path, std::strerror(errno));
  struct stat st;
  if (::fstat(file.fd, &st) != 0) CannotOpen(path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) CannotOpen(path, KindOf(st.st_mode));
  if (uint64_t(st.st_size) > maxBytes)
    CannotOpen(path, "is larger than " + std::to_string(maxBytes) + " bytes");
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

std::string ReadFormSource(const std::string& path) { return ReadRegularFile(path, kMaxFormSourceSize); }

void LoadForm(const std::string& path, TFormLoad& load, const ClassRegisteredFn& isRegistered) {
  TMemoryStream input;
  {
    std::string bytes = ReadFormSource(path);
    load.files.push_back({path, TFormFileRead::frForm});
    input.WriteBuffer(bytes.data(), bytes.size());
  }
  input.SetPosition(0);
  TStringList lines;
  int textStart = FormTextStart(input);
  if (textStart < 0) {
    TMemoryStream text;
    ObjectResourceToText(input, text);
    text.SetPosition(0);
    lines.LoadFromStream(text);
  } else {
    input.SetPosition(textStart);
    lines.LoadFromStream(input);
  }
  input.Clear();

  // Only an "inherited" root and "inline" frames are looked up in the
  // project; every "object" header is judged by the registry alone.
  TInheritedForm inherited(path, isRegistered, load);
  RewriteFormLines(lines, load.log, isRegistered, inherited.RewriteClasses());
  load.source.Assign(lines);
  load.rewritten = true;
  load.resource.Clear();
  if (inherited.NeedsResolving(lines)) {
    FormOutput resource(load.resource);
    FormBinaryWriter writer(resource, true);
    inherited.Resolve(lines, writer);
    resource.Flush();
  } else {
    lines.SaveToStream(input);
    input.SetPosition(0);
    ObjectTextToResource(input, load.resource);
  }
  load.resource.SetPosition(0);
}

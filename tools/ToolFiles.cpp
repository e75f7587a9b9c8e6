#include "ToolFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/Ascii.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Refuse(const std::string& what) { throw EFOpenError(what); }

std::string Reason(int error) { return std::strerror(error); }

// Where pipes and devices are read: large blocks, so a 50 MB pipe costs
// a few dozen reads.
constexpr size_t kReadBlock = size_t(1) << 20;
// When a result replaces an existing file, the file system writes the whole
// result out at the rename, and the rename waits for it. Asking for
// writeback every few megabytes lets the disk work while we convert.
constexpr int64_t kWritebackStep = int64_t(8) << 20;

// Inputs this large are read onto 2 MB pages: the converters touch every
// byte once, and over 4 KB pages the address translation misses cost more
// than the reading (a third of the conversion at 50 MB, measured). Below
// this size, rounding up to a whole 2 MB page costs more than it saves.
constexpr uint64_t kLargeInput = uint64_t(256) << 10;
constexpr size_t kLargePage = size_t(2) << 20;

// Whether the kernel hands out transparent 2 MB pages when asked.
bool LargePagesOnRequest() {
  static const bool available = [] {
    std::ifstream settings("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    std::getline(settings, mode);
    return mode.find("[always]") != std::string::npos || mode.find("[madvise]") != std::string::npos;
  }();
  return available;
}

bool StartsLikeText(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  size_t i = 0;
  while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n')) ++i;
  std::string word;
  for (; i < head.size() && word.size() < 9; ++i) {
    word.push_back(AsciiLower(head[i]));
  }
  for (std::string_view kw : {"object", "inherited", "inline"})
    if (word.compare(0, kw.size(), kw) == 0) return true;
  return false;
}

// Reads a regular file of the given size in large blocks; fewer bytes when
// it shrank while we read it (what is there is the input).
size_t ReadUpTo(int fd, char* into, size_t size) {
  size_t got = 0;
  while (got < size) {
    ssize_t n = ::read(fd, into + got, std::min(size - got, kReadBlock * 8));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Refuse("cannot be read: " + Reason(errno));
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

void CheckFormFileStart(std::string_view data, const std::string& path) {
  (void)path;
  if (data.size() < 6) Refuse(data.empty() ? "is empty" : "is too short to be a form file");
  if (StartsLikeText(data.substr(0, 64))) return;
  if (data.substr(0, 4) == "TPF0" || data.substr(0, 3) == std::string_view("\xFF\x0A\x00", 3)) return;
  if (IsProgramFile(data)) return;  // its forms are checked when they are read
  Refuse("is not a form file (it starts with neither form text nor a binary form header)");
}

std::string OutOfMemoryWhileReading(const std::string& path) {
  return "Out of memory while reading " + (path == "-" ? std::string("standard input") : path);
}

ToolInput::ToolInput(const std::string& path, bool regularOnly) : path_(path) {
  int fd = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) Refuse("cannot be opened: " + Reason(errno));
  struct Closer {
    int fd;
    ~Closer() {
      if (fd != STDIN_FILENO) ::close(fd);
    }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) Refuse("cannot be read: " + Reason(errno));
  if (S_ISDIR(st.st_mode)) Refuse("is a folder");
  identity_ = FileIdentity{st.st_dev, st.st_ino};
  if (!S_ISREG(st.st_mode)) {
    if (regularOnly)
      Refuse(S_ISFIFO(st.st_mode)
                 ? "is a pipe; this command reads regular files only"
                 : "is not a regular file; this command reads regular files only");
    // A FIFO opened without blocking has no writer yet or gave an end of file;
    // from here on reads wait for data as usual.
    if (fd != STDIN_FILENO) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    ReadStream(fd, path);
    return;
  }
  uint64_t size = static_cast<uint64_t>(st.st_size);
  if (size == 0) Refuse("is empty");
  if (size > kMaxFormFileSize) Refuse("is larger than the 4 GB a form file can hold");
  ReadRegular(fd, size);
  CheckFormFileStart(data_, path);
}

ToolInput::~ToolInput() {
  if (map_) ::munmap(map_, mapSize_);
}

// Reads a regular file into memory we own rather than mapping it: a mapped
// file that another program truncates while we convert would kill us with
// SIGBUS. The memory is faulted in with one call where the kernel offers it
// (Linux 5.14); on this kind of machine a fault per page costs more than the
// copy, and mapping was faster for that reason alone.
void ToolInput::ReadRegular(int fd, uint64_t size) {
  const bool large = size >= kLargeInput && LargePagesOnRequest();
  const size_t page = large ? kLargePage : static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t rounded = (static_cast<size_t>(size) + page - 1) & ~(page - 1);
  // For 2 MB pages, over-allocate by one page to find a 2 MB boundary, then
  // give back the ends.
  const size_t extra = large ? kLargePage : 0;
  void* raw = ::mmap(nullptr, rounded + extra, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED && errno == ENOMEM) throw EToolOutOfMemory(OutOfMemoryWhileReading(path_));
  if (raw == MAP_FAILED) Refuse("cannot be read: " + Reason(errno));
  auto* start = static_cast<char*>(raw);
  if (large) {
    start = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(raw) + kLargePage - 1) & ~uintptr_t(kLargePage - 1));
    const size_t head = static_cast<size_t>(start - static_cast<char*>(raw));
    if (head) ::munmap(raw, head);
    if (kLargePage - head) ::munmap(start + rounded, kLargePage - head);
    ::madvise(start, rounded, MADV_HUGEPAGE);
  }
  map_ = start;
  mapSize_ = rounded;
  constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE
  ::madvise(start, rounded, kPopulateWrite);
  const size_t got = ReadUpTo(fd, start, static_cast<size_t>(size));
  if (got == 0) Refuse("is empty");
  data_ = std::string_view(start, got);
}

// Pipes and devices are read into anonymous memory that grows by doubling
// with mremap: the kernel moves the pages instead of copying them, so the
// memory in use stays the bytes read plus one block, up to the 4 GB limit
// that files have too. Memory the system refuses is reported as such.
void ToolInput::ReadStream(int fd, const std::string& path) {
  size_t used = 0;
  bool checked = false;
  auto grow = [&](size_t wanted) {
    void* moved =
        map_ ? ::mremap(map_, mapSize_, wanted, MREMAP_MAYMOVE)
             : ::mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (moved == MAP_FAILED) {
      if (errno == ENOMEM) throw EToolOutOfMemory(OutOfMemoryWhileReading(path));
      Refuse("cannot be read: " + Reason(errno));
    }
    map_ = moved;
    mapSize_ = wanted;
  };
  for (;;) {
    if (used > kMaxFormFileSize) Refuse("is larger than the 4 GB a form file can hold");
    if (mapSize_ - used < kReadBlock) grow(std::max(mapSize_ * 2, kReadBlock * 4));
    ssize_t got = ::read(fd, static_cast<char*>(map_) + used, kReadBlock);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) Refuse("cannot be read: " + Reason(errno));
    if (got == 0) break;
    used += static_cast<size_t>(got);
    // Endless or unrelated input (/dev/zero, /dev/urandom) stops at its first block.
    if (!checked && used >= 64) {
      CheckFormFileStart(std::string_view(static_cast<const char*>(map_), used), path);
      checked = true;
    }
  }
  data_ = map_ ? std::string_view(static_cast<const char*>(map_), used) : std::string_view();
  CheckFormFileStart(data_, path);
}

// ---------------------------------------------------------------------------

namespace {

// The file a chain of symbolic links ends at (which need not exist yet), so
// that a result replaces that file and the links keep pointing at it.
std::string ThroughLinks(const std::string& path, const std::string& name) {
  fs::path at = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(at, ec)) return at.string();
    fs::path next = fs::read_symlink(at, ec);
    if (ec) throw EToolOutputError("cannot follow the link " + name + ": " + ec.message());
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
  throw EToolOutputError("cannot follow the link " + name + ": too many levels of links");
}

// A file the user could not write, or someone else's, is not replaced
// behind their back: a folder's write permission lets us rename over it,
// but that is not the user asking for it.
void RefuseProtected(const struct stat& st, const std::string& target, const std::string& name) {
  if (!(st.st_mode & S_IWUSR) || ::access(target.c_str(), W_OK) != 0)
    throw EToolOutputError("refusing to replace " + name + ": it is read-only (--force replaces it)");
  if (st.st_uid != ::geteuid())
    throw EToolOutputError("refusing to replace " + name + ": it belongs to another user (--force replaces it)");
}

}  // namespace

ToolOutput::ToolOutput(const std::string& path, bool force)
    : name_(path.empty() || path == "-" ? "standard output" : path) {
  if (path.empty() || path == "-") {
    fd_ = STDOUT_FILENO;
    return;
  }
  target_ = ThroughLinks(path, name_);
  struct stat st;
  bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) throw EToolOutputError("cannot write " + name_ + ": it is a folder");
  if (exists && S_ISREG(st.st_mode) && !force) RefuseProtected(st, target_, name_);
  if (exists && !S_ISREG(st.st_mode)) {
    // A device or a pipe: nothing to replace atomically.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) Fail("cannot open", errno);
    ownsFd_ = true;
    return;
  }
  fs::path folder = fs::path(target_).parent_path();
  if (folder.empty()) folder = ".";
  temp_ = (folder / ("." + fs::path(target_).filename().string() + ".XXXXXX")).string();
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    int error = errno;
    temp_.clear();
    Fail("cannot create a file in the folder of", error);
  }
  ownsFd_ = true;
  seekable_ = true;
  replacing_ = exists;
  // The result gets the mode a new file would get, or the one it replaces.
  mode_t mode;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd_, mode);
}

ToolOutput::~ToolOutput() {
  if (ownsFd_ && fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

namespace {
// A failed write to standard output is reported where it happens; closing
// it at the end fails the same way and must not say it a second time.
bool standardOutputFailed = false;
}  // namespace

void ToolOutput::Fail(const char* what, int error) {
  if (fd_ == STDOUT_FILENO && target_.empty()) standardOutputFailed = true;
  throw EToolOutputError(std::string(what) + " " + name_ + ": " + Reason(error));
}

size_t ToolOutput::Read(void*, size_t) { return 0; }

size_t ToolOutput::Write(const void* buffer, size_t count) {
  const char* p = static_cast<const char*>(buffer);
  size_t left = count;
  while (left > 0) {
    ssize_t n = ::write(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("cannot write", errno);
    if (n == 0) Fail("cannot write", ENOSPC);
    p += n;
    left -= static_cast<size_t>(n);
    written_ += n;
  }
  if (replacing_ && written_ - flushStarted_ >= kWritebackStep) {
    ::sync_file_range(fd_, flushStarted_, written_ - flushStarted_, SYNC_FILE_RANGE_WRITE);
    flushStarted_ = written_;
  }
  return count;
}

int64_t ToolOutput::Seek(int64_t offset, TSeekOrigin origin) {
  if (!seekable_ && origin == soCurrent && offset == 0) return written_;
  if (!seekable_) throw EToolOutputError("cannot seek in " + name_);
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t at = ::lseek(fd_, offset, whence);
  if (at < 0) Fail("cannot seek in", errno);
  return at;
}

void ToolOutput::Commit() {
  if (!ownsFd_) return;
  int fd = fd_;
  fd_ = -1;
  ownsFd_ = false;
  if (::close(fd) != 0) Fail("cannot write", errno);
  if (temp_.empty()) return;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("cannot replace", errno);
  temp_.clear();
}

namespace {

// The file behind an open descriptor; none for a closed one.
std::optional<FileIdentity> IdentityOfDescriptor(int fd) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino};
}

// What "-" or a path names: standard input or output, or a file.
std::optional<FileIdentity> IdentityOfArgument(const std::string& path, int standardFd) {
  return path.empty() || path == "-" ? IdentityOfDescriptor(standardFd) : IdentityOf(path);
}

}  // namespace

// Standard output counts too: "totext app.dfm >> app.dfm" would append the
// result to the file it is still reading.
void RefuseOverwritingInput(const std::string& target, const std::vector<std::string>& inputs) {
  std::optional<FileIdentity> out = IdentityOfArgument(target, STDOUT_FILENO);
  if (!out) return;
  struct stat st;
  const bool toStandardOutput = target.empty() || target == "-";
  // Standard output on a terminal or a pipe cannot be a form we read.
  if (toStandardOutput && (::fstat(STDOUT_FILENO, &st) != 0 || !S_ISREG(st.st_mode))) return;
  for (const std::string& input : inputs) {
    const std::string file = input == "-" ? input : SplitFormArgument(input).file;
    if (IdentityOfArgument(file, STDIN_FILENO) == out)
      throw EToolOutputError(
          "refusing to write " + (toStandardOutput ? std::string("standard output") : target) + ": it is the input " +
          (input == "-" ? std::string("standard input") : input));
  }
}

namespace {

bool StartsWithObject(std::string_view head) {
  if (head.size() < 6) return false;
  for (size_t i = 0; i < 6; ++i) {
    if (AsciiLower(head[i]) != "object"[i]) return false;
  }
  return true;
}

}  // namespace

// Form text as the viewer's load takes it: "object" first (after a
// byte-order mark), or "inherited"/"inline" after a mark and blanks.
bool LoadsAsFormText(std::string_view data) {
  if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
  if (StartsWithObject(data)) return true;
  while (!data.empty() && static_cast<unsigned char>(data.front()) <= ' ') data.remove_prefix(1);
  for (std::string_view word : {std::string_view("inherited"), std::string_view("inline")}) {
    if (data.size() <= word.size() || static_cast<unsigned char>(data[word.size()]) > ' ') continue;
    bool same = true;
    for (size_t i = 0; i < word.size() && same; ++i) same = (data[i] | 0x20) == word[i];
    if (same) return true;
  }
  return false;
}

ToolFormInput::ToolFormInput(const std::string& argument, bool regularOnly)
    : argument_(SplitFormArgument(argument)), input_(argument_.file, regularOnly) {
  if (argument_.formName.empty() && !IsProgramFile(input_.Data())) return;
  form_ = ProgramFormBytes(input_.Data(), argument_);
  program_ = true;
}

void CheckPreviewInput(const std::string& path) {
  ToolFormInput input(path, true);
  std::string_view data = input.Data();
  // Form text is checked by the load itself, after rewriting: a value the
  // rewriting blanks does not stop it.
  if (LoadsAsFormText(data)) return;
  FormIgnoredEvents ignore;
  try {
    ReadFormResource(data, ignore);
  } catch (const EInvalidImage&) {
    // A header that starts right but is cut short says where.
    if (data.substr(0, 3) == std::string_view("\xFF\x0A\x00", 3)) throw;
    Refuse(
        "is neither form text (starting with \"object\", \"inherited\" or \"inline\") nor a binary form "
        "(it has no resource header)");
  }
}

void StandardOutputFailureReported() { standardOutputFailed = true; }

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

int FinishStandardOutput(int status) {
  int error = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) error = errno ? errno : EIO;
  // Closing a descriptor that was never open (the tool started with standard
  // output closed) loses nothing: anything written would have failed above.
  errno = 0;
  if (std::fclose(stdout) != 0 && errno != EBADF && !error) error = errno;
  if (!error) return status;
  if (!standardOutputFailed)
    std::fprintf(stderr, "tessaly-tool: cannot write standard output: %s\n", std::strerror(error));
  return status == 0 ? 1 : status;
}

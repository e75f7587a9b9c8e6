#include "FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include <QString>

#include "Ascii.h"
#include "Exceptions.h"
#include "SysUtils.h"

namespace {

constexpr char kHostDrive = 'C';

struct TFoundEntry {
  std::string name;
  int attr = 0;
  int64_t size = 0;
};

std::string WithBackslashes(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::vector<std::string> SplitComponents(std::string_view s) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= s.size()) {
    size_t end = s.find('\\', start);
    if (end == std::string_view::npos) end = s.size();
    if (end > start) parts.emplace_back(s.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string HostWorkingDirectory() {
  char buf[PATH_MAX];
  if (!::getcwd(buf, sizeof buf)) return "/";
  return buf;
}

std::string JoinHost(const std::string& dir, const std::string& name) {
  return dir == "/" ? "/" + name : dir + "/" + name;
}

std::string HostParent(const std::string& dir) {
  size_t slash = dir.rfind('/');
  return (slash == 0 || slash == std::string::npos) ? "/" : dir.substr(0, slash);
}

bool EntryExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of dir whose name equals name ignoring case; an exact match wins.
bool FindEntryNamed(const std::string& dir, const std::string& name, std::string& found) {
  if (EntryExists(JoinHost(dir, name))) {
    found = name;
    return true;
  }
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  bool ok = false;
  while (dirent* e = ::readdir(d)) {
    const std::string candidate = e->d_name;
    if (AnsiCompareFileName(candidate, name) != 0) continue;
    // Several entries may differ only in case: take the smallest, so the
    // answer does not depend on the folder's order.
    if (!ok || candidate < found) found = candidate;
    ok = true;
  }
  ::closedir(d);
  return ok;
}

// Splits a Windows path into its drive letter (0 when none) and the rest.
char SplitDrive(const std::string& path, std::string& rest) {
  if (path.size() >= 2 && path[1] == ':' && IsAsciiLetter(path[0])) {
    rest = path.substr(2);
    return path[0];
  }
  rest = path;
  return 0;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t i = 0; i <= name.size(); ++i)
      if (WildcardMatch(pattern.substr(1), name.substr(i))) return true;
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && AsciiLower(pattern[0]) != AsciiLower(name[0])) return false;
  return WildcardMatch(pattern.substr(1), name.substr(1));
}

bool MatchesPattern(const std::string& pattern, const std::string& name) {
  return pattern == "*.*" || pattern == "*" || WildcardMatch(pattern, name);
}

TFoundEntry DescribeEntry(const std::string& dir, const std::string& name) {
  TFoundEntry e;
  e.name = name;
  const std::string path = JoinHost(dir, name);
  struct stat st {};
  // stat follows a symbolic link: a link to a folder is a folder.
  if (::stat(path.c_str(), &st) == 0 || ::lstat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      e.attr |= faDirectory;
    } else {
      e.attr |= faArchive;
      e.size = int64_t(st.st_size);
    }
  }
  if (name.size() > 1 && name[0] == '.' && name != "..") e.attr |= faHidden;
  if (::access(path.c_str(), W_OK) != 0 && errno == EACCES) e.attr |= faReadOnly;
  return e;
}

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t follow = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
    if (follow == 9 || i + follow >= s.size() + (follow == 0)) return false;
    for (size_t k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += follow + 1;
  }
  return true;
}

template <class AsciiFn, class QtFn>
std::string ConvertFileNameCase(std::string_view s, AsciiFn ascii, QtFn unicode) {
  bool plain = true;
  for (char c : s) plain = plain && static_cast<unsigned char>(c) < 0x80;
  if (plain || !IsValidUtf8(s)) {
    std::string out(s);
    for (char& c : out) c = ascii(c);
    return out;
  }
  return unicode(QString::fromUtf8(s.data(), qsizetype(s.size()))).toUtf8().toStdString();
}

[[noreturn]] void RaiseInOutError(int code) { throw EInOutError(SysErrorMessage(code)); }

}  // namespace

struct TSearchState {
  std::vector<TFoundEntry> entries;
  size_t next = 0;
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;

std::string SysErrorMessage(int code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified";
    case ERROR_ACCESS_DENIED: return "Access is denied";
    case ERROR_INVALID_DRIVE: return "The system cannot find the drive specified";
    case ERROR_NO_MORE_FILES: return "There are no more files";
    default: return Format("System error.  Code: %d", code);
  }
}

bool HostPathOf(const std::string& windowsPath, std::string& host) {
  std::string rest;
  const char drive = SplitDrive(WithBackslashes(windowsPath), rest);
  host = HostWorkingDirectory();
  if (drive && AsciiUpper(drive) != kHostDrive) return false;
  if (!rest.empty() && rest[0] == '\\') host = "/";
  for (const std::string& part : SplitComponents(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      host = HostParent(host);
      continue;
    }
    std::string found;
    if (!FindEntryNamed(host, part, found)) return false;
    host = JoinHost(host, found);
  }
  return true;
}

int FindFirst(const std::string& path, int attr, TSearchRec& f) {
  FindClose(f);
  const std::string full = WithBackslashes(path);
  const size_t cut = full.rfind('\\');
  const std::string pattern = cut == std::string::npos ? full.substr(full.find(':') + 1) : full.substr(cut + 1);
  std::string dirPart = cut == std::string::npos ? full.substr(0, full.find(':') + 1) : full.substr(0, cut + 1);
  std::string dir;
  if (!HostPathOf(dirPart, dir)) return ERROR_PATH_NOT_FOUND;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return ERROR_PATH_NOT_FOUND;
  auto state = std::make_unique<TSearchState>();
  f.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID);
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (!MatchesPattern(pattern, name)) continue;
    TFoundEntry entry = DescribeEntry(dir, name);
    if (entry.attr & f.ExcludeAttr) continue;
    state->entries.push_back(std::move(entry));
  }
  ::closedir(d);
  if (state->entries.empty()) return ERROR_FILE_NOT_FOUND;
  f.FindHandle = std::move(state);
  return FindNext(f);
}

int FindNext(TSearchRec& f) {
  TSearchState* s = f.FindHandle.get();
  if (!s || s->next >= s->entries.size()) return ERROR_NO_MORE_FILES;
  const TFoundEntry& e = s->entries[s->next++];
  f.Name = e.name;
  f.Attr = e.attr;
  f.Size = e.size;
  return 0;
}

void FindClose(TSearchRec& f) { f.FindHandle.reset(); }

std::string GetDir(uint8_t drive) {
  if (drive != 0 && drive != kHostDrive - 'A' + 1) {
    if (drive > 26) RaiseInOutError(ERROR_INVALID_DRIVE);
    return std::string(1, char('A' + drive - 1)) + ":\\";
  }
  const std::string cwd = HostWorkingDirectory();
  return std::string(1, kHostDrive) + ":" + (cwd == "/" ? "\\" : WithBackslashes(cwd));
}

void ChDir(const std::string& path) {
  std::string rest;
  const char drive = SplitDrive(WithBackslashes(path), rest);
  if (drive && AsciiUpper(drive) != kHostDrive) RaiseInOutError(ERROR_INVALID_DRIVE);
  std::string host;
  if (path.empty() || !HostPathOf(path, host)) RaiseInOutError(ERROR_PATH_NOT_FOUND);
  if (::chdir(host.c_str()) != 0) RaiseInOutError(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
}

std::string ExpandFileName(const std::string& name) {
  const std::string path = WithBackslashes(name);
  if (path.rfind("\\\\", 0) == 0) return path;  // a network path stays as it is
  std::string rest;
  char drive = SplitDrive(path, rest);
  const std::string current = GetDir(0);
  if (!drive) drive = current[0];
  std::string absolute;
  if (!rest.empty() && rest[0] == '\\') {
    absolute = rest;
  } else {
    const std::string base = AsciiUpper(drive) == AsciiUpper(current[0]) ? current.substr(2) : "\\";
    absolute = base + (base.back() == '\\' ? "" : "\\") + rest;
  }
  std::vector<std::string> parts;
  for (const std::string& part : SplitComponents(absolute)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out = std::string(1, drive) + ":\\";
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  if (!parts.empty() && !absolute.empty() && absolute.back() == '\\') out += '\\';
  return out;
}

std::string AnsiLowerCaseFileName(std::string_view s) {
  return ConvertFileNameCase(s, AsciiLower, [](const QString& q) { return q.toLower(); });
}

std::string AnsiUpperCaseFileName(std::string_view s) {
  return ConvertFileNameCase(s, AsciiUpper, [](const QString& q) { return q.toUpper(); });
}

int AnsiCompareFileName(std::string_view a, std::string_view b) {
  const int c = AnsiLowerCaseFileName(a).compare(AnsiLowerCaseFileName(b));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

TCurrentDirectoryGuard::TCurrentDirectoryGuard() : saved_(HostWorkingDirectory()) {}

TCurrentDirectoryGuard::~TCurrentDirectoryGuard() {
  if (::chdir(saved_.c_str()) != 0) {
    // The folder went away; there is nothing better to return to.
  }
}

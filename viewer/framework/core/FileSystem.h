// The runtime's file functions, speaking in Windows paths over the host's
// file system, as a compatibility layer would:
//
// * Drive C: is the host's root folder. C:\home\ann is /home/ann. Other
//   drive letters have no folder: changing to them fails, listing them finds
//   nothing, and GetDir gives their bare root.
// * Path components are resolved without regard to case against the real
//   entries (an exact match wins), so C:\HOME\ANN reaches /home/ann.
// * Both backslashes and slashes separate components.
// * A name starting with a full stop (other than "." and "..") is hidden.
//   Folders, and symbolic links to folders, carry the directory attribute.
//
// Paths are 8-bit strings; host names pass through as their UTF-8 bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// File attributes of TSearchRec::Attr and of FindFirst's filter.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

// Operating-system error codes the functions below report.
inline constexpr int ERROR_FILE_NOT_FOUND = 2;
inline constexpr int ERROR_PATH_NOT_FOUND = 3;
inline constexpr int ERROR_ACCESS_DENIED = 5;
inline constexpr int ERROR_INVALID_DRIVE = 15;
inline constexpr int ERROR_NO_MORE_FILES = 18;

// The text for an operating-system error code.
std::string SysErrorMessage(int code);

struct TSearchState;

// One entry of a directory search, and the search itself. FindClose (or
// the record's destruction) releases the search.
struct TSearchRec {
  TSearchRec();
  ~TSearchRec();
  TSearchRec(const TSearchRec&) = delete;
  TSearchRec& operator=(const TSearchRec&) = delete;

  int64_t Size = 0;
  int Attr = 0;
  std::string Name;
  int ExcludeAttr = 0;
  std::unique_ptr<TSearchState> FindHandle;
};

// Starts listing the entries matching a path whose last component is a
// pattern ('*' and '?'; "*.*" matches every name). Entries that are hidden,
// system or volume labels are left out unless attr asks for them. Returns 0
// with the first entry in f, or an error code (ERROR_NO_MORE_FILES when
// nothing matches, ERROR_PATH_NOT_FOUND when the folder cannot be read).
int FindFirst(const std::string& path, int attr, TSearchRec& f);
// 0 with the next entry, or ERROR_NO_MORE_FILES.
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);

// The current directory of a drive (0 the current drive, 1 A:, 2 B:, 3 C: ...)
// as a Windows path: C:\ followed by the working directory's components.
std::string GetDir(uint8_t drive);
// Changes the process's working directory. Raises EInOutError (with the
// error code in the message) when the drive or folder does not exist.
void ChDir(const std::string& path);
// The full Windows path of a name, resolved against the current directory;
// "." and ".." components are folded. A trailing separator is kept.
std::string ExpandFileName(const std::string& name);

// The host path a Windows path names, components matched without regard to
// case. False when the drive has no folder or a component does not exist
// (then host holds the part that resolved).
bool HostPathOf(const std::string& windowsPath, std::string& host);

// File-name case: Unicode-aware for UTF-8 names, byte-wise otherwise.
std::string AnsiLowerCaseFileName(std::string_view s);
std::string AnsiUpperCaseFileName(std::string_view s);
// Compares two file names ignoring case: < 0, 0 or > 0.
int AnsiCompareFileName(std::string_view a, std::string_view b);

// Restores the process's working directory when it goes out of scope.
class TCurrentDirectoryGuard {
 public:
  TCurrentDirectoryGuard();
  ~TCurrentDirectoryGuard();
  TCurrentDirectoryGuard(const TCurrentDirectoryGuard&) = delete;
  TCurrentDirectoryGuard& operator=(const TCurrentDirectoryGuard&) = delete;

 private:
  std::string saved_;
};

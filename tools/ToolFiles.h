// Input and output files of tessaly-tool.
//
// Inputs are checked before they are read (a folder, an empty file, a file
// too large for a form, something that is not a form at all each get their
// own message) and read into memory in large blocks, from files, pipes and
// devices alike, within the same size limit. No input is mapped: a mapped
// file truncated by another program while we read it would crash us.
//
// Outputs go to a temporary file in the target's folder that is renamed into
// place only after every write and the close succeeded, so a failed run
// leaves the target as it was and no partial file behind. A target that is a
// device or a pipe (/dev/stdout, /dev/full) is written directly.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/FormSource.h"

// The most bytes a form file can hold: the resource header stores the form
// stream's size in 32 bits.
inline constexpr uint64_t kMaxFormFileSize = 0xFFFFFFFFu;

// Which file a path names, following links; equal for hard links too.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

// A failure to write an output; the message names the output.
class EToolOutputError : public EWriteError {
 public:
  explicit EToolOutputError(const std::string& message) : EWriteError(message) {}
};

// The system refused memory for an input or its result; the message names
// the file ("Out of memory while reading app.dfm"), so callers print it as it
// is, instead of std::bad_alloc's.
class EToolOutOfMemory : public Exception {
 public:
  explicit EToolOutOfMemory(const std::string& message) : Exception(message) {}
};
// The message for memory refused while reading or converting `path`.
std::string OutOfMemoryWhileReading(const std::string& path);

// The bytes of one input file ("-" is standard input). Raises EFOpenError
// with what is wrong ("is a folder", "is empty", "is not a form file", ...);
// callers put the file name in front; running out of memory raises
// EToolOutOfMemory. With regularOnly, pipes and devices are refused (commands that read
// the file a second time need a regular file).
class ToolInput {
 public:
  explicit ToolInput(const std::string& path, bool regularOnly = false);
  ~ToolInput();
  ToolInput(const ToolInput&) = delete;
  ToolInput& operator=(const ToolInput&) = delete;

  std::string_view Data() const { return data_; }
  const std::optional<FileIdentity>& Identity() const { return identity_; }

 private:
  // Reads a pipe or device into memory that grows as it fills.
  void ReadStream(int fd, const std::string& path);
  // Reads a regular file into anonymous memory, on 2 MB pages when it is
  // large and the system offers them.
  void ReadRegular(int fd, uint64_t size);
  void* map_ = nullptr;  // the anonymous memory the input was read into
  size_t mapSize_ = 0;
  std::string path_;
  std::string_view data_;
  std::optional<FileIdentity> identity_;
};

// A form argument read as ToolInput reads files: a form file, or a form
// inside a program or resource file ("PROGRAM:NAME", or a program holding
// one form), which reads as its binary form file (ProgramFormBytes). Raises
// what ToolInput raises and EInvalidImage for a program without that form.
class ToolFormInput {
 public:
  explicit ToolFormInput(const std::string& argument, bool regularOnly = false);
  std::string_view Data() const { return program_ ? std::string_view(form_) : input_.Data(); }
  const ToolInput& File() const { return input_; }
  const TFormArgument& Argument() const { return argument_; }

 private:
  TFormArgument argument_;
  ToolInput input_;
  std::string form_;
  bool program_ = false;
};

// Raises EFOpenError "is not a form file" unless data starts like form
// text or a binary form (a resource header or "TPF0"), and "is too short to
// be a form file" for fewer than six bytes. Programs and resource files pass
// (their forms are checked when read).
void CheckFormFileStart(std::string_view data, const std::string& path);

// An output file written atomically (see above), or standard output for "-"
// or an empty path. Every failed write or close raises EToolOutputError
// naming the output. Destroying it without Commit() removes the temporary file.
// A symbolic link is written through: the file it ends at is replaced and
// the link kept. An existing file that is read-only or belongs to another
// user is refused unless `force`.
class ToolOutput : public TStream {
 public:
  explicit ToolOutput(const std::string& path, bool force = false);
  ~ToolOutput() override;
  ToolOutput(const ToolOutput&) = delete;
  ToolOutput& operator=(const ToolOutput&) = delete;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  // Seeking works for files; standard output and pipes only tell the position.
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

  // Closes the file and renames it into place.
  void Commit();
  const std::string& Name() const { return name_; }
  // True when writes go to a temporary file that Commit() renames.
  bool Seekable() const { return seekable_; }

 private:
  [[noreturn]] void Fail(const char* what, int error);
  std::string name_;
  std::string target_;
  std::string temp_;  // empty when writing directly
  int fd_ = -1;
  int64_t written_ = 0;
  int64_t flushStarted_ = 0;  // writeback was asked for up to here
  bool replacing_ = false;    // the temporary file will replace an existing one
  bool seekable_ = false;
  bool ownsFd_ = false;
};

// Raises EToolOutputError when target names the same file as one of inputs,
// through any path or link: "refusing to write OUT: it is the input IN". A
// target of "-" or "" is standard output, an input of "-" standard input;
// standard output redirected onto an input file is refused too.
void RefuseOverwritingInput(const std::string& target, const std::vector<std::string>& inputs);

// Checks the file a preview command (rewrite, render, tree) loads: a regular
// file that reads as a form, in the encoding the viewer's load takes it for.
// A binary form is read through, and a fault raises with its byte offset;
// form text is left to the load, which parses it after rewriting.
void CheckPreviewInput(const std::string& path);

// A file-size limit makes writes fail (and be reported) instead of killing
// the process with a partial output.
void IgnoreFileSizeSignal();
// Flushes and closes standard output; a failure turns status into 1 with a
// message, so nothing written there is lost silently.
// (A failure already reported, through ToolOutput or after
// StandardOutputFailureReported(), is not reported again.)
int FinishStandardOutput(int status);
void StandardOutputFailureReported();

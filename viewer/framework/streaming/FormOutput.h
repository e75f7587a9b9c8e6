// A growable output buffer that the form writers append to. It either keeps
// everything in memory (stream == nullptr) or flushes to a TStream in large
// chunks, so converting a big form never holds the whole output twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TStream;

class FormOutput {
 public:
  // Collects into an internal string; take it with Str() / Take().
  FormOutput();
  // Appends at the stream's current position, flushing every kChunk bytes.
  explicit FormOutput(TStream& stream);
  FormOutput(const FormOutput&) = delete;
  FormOutput& operator=(const FormOutput&) = delete;

  void Put(char c) {
    buf_.push_back(c);
  }
  void Put(std::string_view s) {
    buf_.append(s.data(), s.size());
    if (buf_.size() >= kChunk) MaybeFlush();
  }
  void Put(const char* p, size_t n) {
    buf_.append(p, n);
    if (buf_.size() >= kChunk) MaybeFlush();
  }
  // Direct access for writers that format in place.
  std::string& Buffer() { return buf_; }
  void MaybeFlush() {
    if (stream_ && buf_.size() >= kChunk) Flush();
  }
  // Writes what is buffered to the stream (no-op without a stream).
  void Flush();

  // Absolute position of the next byte relative to where output started.
  uint64_t Position() const { return flushed_ + buf_.size(); }
  // Overwrites 4 bytes written earlier at position pos (from Position()).
  void PatchU32(uint64_t pos, uint32_t value);

  const std::string& Str() const { return buf_; }
  std::string Take() { return std::move(buf_); }

  static constexpr size_t kChunk = 1 << 18;

 private:
  std::string buf_;
  TStream* stream_ = nullptr;
  int64_t streamStart_ = 0;
  uint64_t flushed_ = 0;
};

// Raw bytes of the unread part of a stream. For a TMemoryStream this is a
// view of its memory (no copy); other streams are read into owned storage.
// Finish(consumed) moves the stream position to just after the bytes used.
class FormInput {
 public:
  explicit FormInput(TStream& stream);
  std::string_view Data() const { return data_; }
  void Finish(size_t consumed);

 private:
  TStream& stream_;
  int64_t start_ = 0;
  std::string owned_;
  std::string_view data_;
};

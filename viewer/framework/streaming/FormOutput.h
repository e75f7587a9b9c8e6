// A growable output buffer that the form writers append to. It either keeps
// everything in memory (stream == nullptr) or flushes to a TStream in large
// chunks, so converting a big form never holds the whole output twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TStream;

class FormOutput {
 public:
  // Collects into an internal buffer; take it with Str() / Take().
  FormOutput();
  // Appends at the stream's current position, flushing every kChunk bytes.
  explicit FormOutput(TStream& stream);
  FormOutput(const FormOutput&) = delete;
  FormOutput& operator=(const FormOutput&) = delete;

  // Writers that format in place ask for room for n bytes, write through the
  // pointer, and hand back where they stopped. They may write up to n bytes
  // beyond what they keep (whole vector stores), never more.
  char* Room(size_t n) {
    if (static_cast<size_t>(cap_ - end_) < n) Grow(n);
    return end_;
  }
  void Advance(char* to) { end_ = to; }

  void Put(char c) { *Room(1) = c, ++end_; }
  void Put(std::string_view s) { Put(s.data(), s.size()); }
  void Put(const char* p, size_t n) {
    char* d = Room(n);
    if (n) std::memcpy(d, p, n);  // an empty view may carry a null pointer
    end_ += n;
  }
  // Writes to the stream once a chunk has gathered.
  void MaybeFlush() {
    if (stream_ && Size() >= kChunk) Flush();
  }
  // Writes what is buffered to the stream (no-op without a stream).
  void Flush();

  // Absolute position of the next byte relative to where output started.
  uint64_t Position() const { return flushed_ + Size(); }
  // Overwrites 4 bytes written earlier at position pos (from Position()).
  void PatchU32(uint64_t pos, uint32_t value);

  // What is buffered (everything, without a stream).
  std::string Str() const { return std::string(begin_, end_); }
  std::string Take();

  static constexpr size_t kChunk = 1 << 17;

 private:
  size_t Size() const { return static_cast<size_t>(end_ - begin_); }
  // Makes room for n more bytes: flushes a full chunk to the stream first,
  // then enlarges the buffer if that is still not enough.
  void Grow(size_t n);

  std::unique_ptr<char[]> storage_;
  char* begin_ = nullptr;
  char* end_ = nullptr;
  char* cap_ = nullptr;
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

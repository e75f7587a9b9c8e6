// Byte streams: the abstract TStream, an in-memory stream and a file stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read.
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual size_t Write(const void* buffer, size_t count) = 0;
  // Moves the position and returns the new one. Raises EStreamError for a
  // position before the start.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  virtual int64_t Size();

  // Reads exactly count bytes or raises EReadError ("Stream read error").
  void ReadBuffer(void* buffer, size_t count);
  // Writes exactly count bytes or raises EWriteError.
  void WriteBuffer(const void* buffer, size_t count);
  // Copies count bytes from source's position (all of source when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream held in one growable block of memory.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(size_); }

  void SetSize(size_t newSize);
  void Clear();
  // Replaces the contents with the whole of source; position becomes 0.
  void LoadFromStream(TStream& source);
  // Replaces the contents with the file's bytes. Raises EFOpenError.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path);

  const char* Memory() const { return data_; }
  char* Memory() { return data_; }

 private:
  void Reserve(size_t capacity);

  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  size_t position_ = 0;
};

enum TFileMode { fmOpenRead, fmCreate };

// A stream over a file on disk.
class TFileStream : public TStream {
 public:
  // Raises EFOpenError or EFCreateError naming the file.
  TFileStream(const std::string& path, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  std::FILE* file_ = nullptr;
};

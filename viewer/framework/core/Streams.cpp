#include "Streams.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "Exceptions.h"
#include "SysUtils.h"

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(Msg::SReadError);
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(Msg::SWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  char chunk[64 * 1024];
  int64_t left = count;
  while (left > 0) {
    size_t n = left > int64_t(sizeof chunk) ? sizeof chunk : size_t(left);
    source.ReadBuffer(chunk, n);
    WriteBuffer(chunk, n);
    left -= int64_t(n);
  }
  return count;
}

TMemoryStream::~TMemoryStream() { std::free(data_); }

void TMemoryStream::Reserve(size_t capacity) {
  if (capacity <= capacity_) return;
  // Grow by a quarter: large blocks are moved by the allocator's remapping,
  // so modest growth keeps peak memory close to the data's size.
  size_t grown = capacity_ + capacity_ / 4;
  if (grown < capacity) grown = capacity;
  grown = (grown + 8191) & ~size_t(8191);
  char* p = static_cast<char*>(std::realloc(data_, grown));
  if (!p) throw EOutOfResources("Out of memory while growing a memory stream");
  data_ = p;
  capacity_ = grown;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= size_) return 0;
  size_t n = size_ - position_;
  if (n > count) n = count;
  std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  size_t end = position_ + count;
  if (end > size_) {
    Reserve(end);
    if (position_ > size_) std::memset(data_ + size_, 0, position_ - size_);
    size_ = end;
  }
  std::memcpy(data_ + position_, buffer, count);
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? int64_t(position_) : int64_t(size_);
  int64_t target = base + offset;
  if (target < 0) throw EStreamError("Seek before the start of a stream");
  position_ = size_t(target);
  return target;
}

void TMemoryStream::SetSize(size_t newSize) {
  Reserve(newSize);
  if (newSize > size_) std::memset(data_ + size_, 0, newSize - size_);
  size_ = newSize;
  if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
  std::free(data_);
  data_ = nullptr;
  size_ = capacity_ = position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  int64_t n = source.Size();
  SetSize(size_t(n));
  position_ = 0;
  source.ReadBuffer(data_, size_t(n));
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  TFileStream file(path, fmOpenRead);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& path) {
  TFileStream file(path, fmCreate);
  file.WriteBuffer(data_, size_);
}

TFileStream::TFileStream(const std::string& path, TFileMode mode) {
  file_ = std::fopen(path.c_str(), mode == fmCreate ? "wb" : "rb");
  if (!file_) {
    std::string reason = std::strerror(errno);
    if (mode == fmCreate) throw EFCreateError(Format(Msg::SFCreateError, path, reason));
    throw EFOpenError(Format(Msg::SFOpenError, path, reason));
  }
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

size_t TFileStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, file_); }

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  if (fseeko(file_, offset, whence) != 0) throw EStreamError("Cannot seek in a file stream");
  return ftello(file_);
}

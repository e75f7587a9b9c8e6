#include "streaming/FormOutput.h"

#include <algorithm>
#include <cstring>

#include "core/Exceptions.h"
#include "core/Streams.h"

FormOutput::FormOutput() = default;

FormOutput::FormOutput(TStream& stream) : stream_(&stream), streamStart_(stream.Position()) {}

void FormOutput::Grow(size_t n) {
  if (stream_ && Size() >= kChunk) Flush();
  if (static_cast<size_t>(cap_ - end_) >= n) return;
  // Small conversions (most loads, and every fuzz run) start small; a large
  // form settles at about one chunk when streaming.
  size_t size = Size();
  size_t capacity = std::max<size_t>({4096, 2 * static_cast<size_t>(cap_ - begin_), size + n});
  std::unique_ptr<char[]> grown(new char[capacity]);
  if (size) std::memcpy(grown.get(), begin_, size);
  storage_ = std::move(grown);
  begin_ = storage_.get();
  end_ = begin_ + size;
  cap_ = begin_ + capacity;
}

void FormOutput::Flush() {
  if (!stream_ || end_ == begin_) return;
  stream_->WriteBuffer(begin_, Size());
  flushed_ += Size();
  end_ = begin_;
}

std::string FormOutput::Take() {
  std::string out(begin_, end_);
  end_ = begin_;
  return out;
}

void FormOutput::PatchU32(uint64_t pos, uint32_t value) {
  char bytes[4] = {
      static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF), static_cast<char>((value >> 16) & 0xFF),
      static_cast<char>((value >> 24) & 0xFF)};
  if (pos >= flushed_) {
    std::memcpy(begin_ + (pos - flushed_), bytes, 4);
    return;
  }
  // Already on the stream: write what is buffered, patch in place, return to the end.
  Flush();
  int64_t end = stream_->Position();
  stream_->Seek(streamStart_ + static_cast<int64_t>(pos), soBeginning);
  stream_->WriteBuffer(bytes, 4);
  stream_->Seek(end, soBeginning);
}

FormInput::FormInput(TStream& stream) : stream_(stream) {
  start_ = stream.Position();
  if (auto* mem = dynamic_cast<TMemoryStream*>(&stream)) {
    int64_t size = mem->Size();
    size_t n = start_ < size ? static_cast<size_t>(size - start_) : 0;
    data_ = std::string_view(mem->Memory() + (n ? start_ : 0), n);
    return;
  }
  int64_t size = -1;
  try {
    size = stream.Size();
  } catch (const Exception&) {
    size = -1;
  }
  if (size > start_) owned_.reserve(static_cast<size_t>(size - start_));
  char chunk[65536];
  for (;;) {
    size_t got = stream.Read(chunk, sizeof chunk);
    if (got == 0) break;
    owned_.append(chunk, got);
  }
  data_ = owned_;
}

void FormInput::Finish(size_t consumed) { stream_.Seek(start_ + static_cast<int64_t>(consumed), soBeginning); }

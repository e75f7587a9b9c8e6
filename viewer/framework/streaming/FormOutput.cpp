#include "streaming/FormOutput.h"

#include <cstring>

#include "core/Exceptions.h"
#include "core/Streams.h"

FormOutput::FormOutput() = default;

FormOutput::FormOutput(TStream& stream) : stream_(&stream), streamStart_(stream.Position()) {
  // Grows to about kChunk on large forms only: small conversions (most
  // loads, and every fuzz run) do not pay for fresh pages of a full chunk.
  buf_.reserve(4096);
}

void FormOutput::Flush() {
  if (!stream_ || buf_.empty()) return;
  stream_->WriteBuffer(buf_.data(), buf_.size());
  flushed_ += buf_.size();
  buf_.clear();
}

void FormOutput::PatchU32(uint64_t pos, uint32_t value) {
  char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                   static_cast<char>((value >> 16) & 0xFF), static_cast<char>((value >> 24) & 0xFF)};
  if (pos >= flushed_) {
    std::memcpy(buf_.data() + (pos - flushed_), bytes, 4);
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

void FormInput::Finish(size_t consumed) {
  stream_.Seek(start_ + static_cast<int64_t>(consumed), soBeginning);
}

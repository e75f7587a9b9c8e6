// Feeds arbitrary bytes as a bare binary form stream to the reader with a
// sink that does nothing, so the fuzzer spends its time in the reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Exceptions.h"
#include "streaming/FormBinary.h"

namespace {
using NullSink = FormIgnoredEvents;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullSink sink;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    ReadFormBinary(bytes, sink);
  } catch (const Exception&) {}
  try {
    ReadFormResource(bytes, sink);
  } catch (const Exception&) {}
  return 0;
}

// Feeds arbitrary text to ObjectTextToResource, then reads the result back:
// text the parser accepts must give a binary stream the binary reader accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream in, res;
  if (size) in.WriteBuffer(data, size);
  in.SetPosition(0);
  try {
    ObjectTextToResource(in, res);
  } catch (const Exception&) {
    return 0;
  }
  TMemoryStream text;
  res.SetPosition(0);
  try {
    ObjectResourceToText(res, text);
  } catch (const Exception&) {
    std::abort();  // our own binary output must always read back
  }
  return 0;
}

// Feeds arbitrary bytes to ObjectResourceToText; any framework exception is
// an expected answer to bad input, anything else (crash, leak, hang) is a bug.
// Input that converts must also convert back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream in, text;
  if (size) in.WriteBuffer(data, size);
  in.SetPosition(0);
  try {
    ObjectResourceToText(in, text);
  } catch (const Exception&) {
    return 0;
  }
  // The text the writer produced must parse and write the same again,
  // unless it holds floats that have no exact text form (NAN, INF).
  TMemoryStream res, again;
  text.SetPosition(0);
  try {
    ObjectTextToResource(text, res);
  } catch (const EParserError&) {
    return 0;
  }
  res.SetPosition(0);
  ObjectResourceToText(res, again);
  if (again.Size() != text.Size() || std::memcmp(again.Memory(), text.Memory(), size_t(text.Size())) != 0) {
    // Floats print with 16 digits, so a value may settle on the second pass;
    // the third pass must then be stable.
    TMemoryStream res2, third;
    again.SetPosition(0);
    ObjectTextToResource(again, res2);
    res2.SetPosition(0);
    ObjectResourceToText(res2, third);
    if (third.Size() != again.Size() || std::memcmp(third.Memory(), again.Memory(), size_t(again.Size())) != 0)
      std::abort();
  }
  return 0;
}

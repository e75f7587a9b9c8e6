// The viewer's load on arbitrary bytes, up to the resource the preview reads:
// the encoding test, the binary-to-text conversion, the rewriting with its
// log, and the conversion of the rewritten text. Framework exceptions are the
// expected answer to bad input; crashes, leaks and hangs are bugs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FormFiles.h"
#include "RegisteredClassNames.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "rewrite.h"
#include "streaming/Converters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream input, work;
  if (size) input.WriteBuffer(data, size);
  input.SetPosition(0);
  TStringList lines;
  std::vector<std::string> log;
  try {
    int start = FormTextStart(input);
    if (start < 0) {
      ObjectResourceToText(input, work);
      input.Clear();
      input.LoadFromStream(work);
      work.Clear();
      start = 0;
    }
    input.Seek(start, soBeginning);
    lines.LoadFromStream(input);
    RewriteFormLines(lines, log, IsStandardFormClass);
    input.Clear();
    lines.SaveToStream(input);
    input.SetPosition(0);
    work.Clear();
    ObjectTextToResource(input, work);
  } catch (const Exception&) {}
  return 0;
}

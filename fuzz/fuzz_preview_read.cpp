// A resource read into a fresh preview form, with all 110 preview classes
// registered, off-screen: the reader's property setters, the controls'
// reactions to any value, and the form's destruction. Framework exceptions
// are the expected answer to bad input; crashes, leaks and hangs are bugs.
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Unit2.h"
#include "components/Reader.h"
#include "controls/Forms.h"
#include "core/DecodeBudget.h"
#include "core/Exceptions.h"
#include "core/Streams.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  RegisterPreviewClasses();
  Application->Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream resource;
  if (size) resource.WriteBuffer(data, size);
  resource.SetPosition(0);
  // The pictures of one input share a decoding budget, as in the viewer's
  // load: a few bytes of run-length data must not decode gigabytes.
  TDecodeBudget budget;
  std::unique_ptr<TForm2> preview(new TForm2(Application));
  try {
    ReadComponentRes(resource, preview.get());
  } catch (const Exception&) {}
  return 0;
}

// Feeds arbitrary bytes to the resource walk over programs and resource
// files, and reads every form it finds as far as the listing does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Exceptions.h"
#include "streaming/ProgramResources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    for (const TProgramForm& form : ReadProgramForms(bytes)) {
      // Every form lies inside the input.
      if (form.data.data() < bytes.data() || form.data.data() + form.data.size() > bytes.data() + bytes.size())
        __builtin_trap();
      (void)FormFileBytes(form);
    }
  } catch (const Exception&) {}
  return 0;
}

// Round-trip oracle for the two encodings, on arbitrary bytes.
//
// Binary in: the first conversion to text either fails cleanly (a framework
// exception) or gives text T1; T1 must parse, and its binary B1 must convert
// to the same text again and back to the same bytes. The binary encoding
// allows several spellings of one value (an integer in a wider tag than it
// needs, a long string that would fit a short one), which text keeps once,
// so bytes are compared from the first binary the writer made.
//
// Text in: text that parses gives B1; B1 to text to binary must give B1
// again, and the text written from it must be stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Exceptions.h"
#include "streaming/Converters.h"
#include "streaming/FormBinary.h"
#include "streaming/FormText.h"

namespace {

std::string ToText(std::string_view binary) {
  FormOutput out;
  FormTextWriter writer(out);
  ReadFormBinary(binary, writer);
  return out.Take();
}

std::string ToBinary(std::string_view text) {
  FormOutput out;
  FormBinaryWriter writer(out);
  ParseFormText(text, writer);
  return out.Take();
}

// From a binary the writer made: text and binary stay fixed.
void CheckStable(const std::string& b1) {
  std::string t1 = ToText(b1);
  std::string b2 = ToBinary(t1);
  if (b2 != b1) std::abort();
  if (ToText(b2) != t1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (DetectFormEncoding(bytes.substr(0, 64)) == FormEncoding::Text) {
    std::string b1;
    try {
      b1 = ToBinary(bytes);
    } catch (const Exception&) {
      return 0;
    }
    CheckStable(b1);
    return 0;
  }
  std::string t1;
  try {
    t1 = ToText(bytes);
  } catch (const Exception&) {
    return 0;
  }
  // Text the writer made always parses.
  CheckStable(ToBinary(t1));
  return 0;
}

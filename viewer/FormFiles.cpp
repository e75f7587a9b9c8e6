#include "FormFiles.h"

#include <algorithm>

#include "core/Ascii.h"
#include "core/Streams.h"
#include "core/Strings.h"
#include "streaming/Converters.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

bool IsHeaderKeyword(std::string_view trimmed, std::string_view keyword) {
  if (trimmed.size() <= keyword.size() || !IsBlank(trimmed[keyword.size()])) return false;
  if (!StartsWithLowerAscii(trimmed, keyword)) return false;
  std::string_view rest = trimmed.substr(keyword.size());
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);
  return !rest.empty() && rest[0] != '=';
}

int FormTextStart(TStream& input) {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  char head[6];
  input.ReadBuffer(head, sizeof head);
  input.Seek(0, soBeginning);
  if (StartsWithLowerAscii(std::string_view(head, sizeof head), "object")) return 0;
  // Inherited forms and frames start with "inherited" or "inline"; editors
  // may have put a byte-order mark or blank lines before them.
  char more[256];
  int64_t avail = std::min<int64_t>(input.Size(), int64_t(sizeof more));
  input.ReadBuffer(more, size_t(avail));
  input.Seek(0, soBeginning);
  std::string_view text(more, size_t(avail));
  size_t start = text.substr(0, 3) == kBom ? 3 : 0;
  if (start == 3 && StartsWithLowerAscii(text.substr(3), "object")) return 3;
  while (start < text.size() && IsBlank(text[start])) ++start;
  std::string_view word = text.substr(start);
  if (IsHeaderKeyword(word, "inherited") || IsHeaderKeyword(word, "inline")) return int(start);
  return -1;
}

bool ReadFormLines(TStream& input, TStringList& lines) {
  const int start = FormTextStart(input);
  if (start >= 0) {
    input.SetPosition(start);
    lines.LoadFromStream(input);
    return false;
  }
  TMemoryStream text;
  ObjectResourceToText(input, text);
  text.SetPosition(0);
  lines.LoadFromStream(text);
  return true;
}

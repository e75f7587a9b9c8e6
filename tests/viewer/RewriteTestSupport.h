// Helpers shared by the viewer's tests: a small "registered" class set and a
// one-call rewrite of form text given as lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Strings.h"
#include "core/SysUtils.h"
#include "rewrite.h"

namespace testsupport {

// The classes the tests treat as registered.
inline const std::vector<std::string> kRegistered = {
    "TForm",     "TButton",   "TPanel",     "TLabel",   "TEdit",  "TActionManager", "TActionList", "TAction",
    "TMainMenu", "TMenuItem", "TStatusBar", "TListBox", "TImage", "ActionRecorder", "OnlineMeter"};

inline bool IsRegistered(std::string_view name) { return AnsiMatchText(name, kRegistered); }

struct Rewritten {
  std::vector<std::string> lines;
  std::vector<std::string> log;
};

inline Rewritten Rewrite(std::vector<std::string> lines) {
  TStringList list(std::move(lines));
  Rewritten out;
  RewriteFormLines(list, out.log, IsRegistered);
  out.lines = list.Lines();
  return out;
}

}  // namespace testsupport

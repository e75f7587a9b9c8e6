// The vocabulary of one form load, shared by the rewriting, the reading of
// inherited forms and frames, and the load that joins them: which classes
// count as registered, what receives the built resource, and the record of
// what a load did.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Streams.h"
#include "core/Strings.h"

// Tells whether a component class is registered (names compare ignoring case).
using ClassRegisteredFn = std::function<bool(std::string_view className)>;
// Receives the binary form resource of the rewritten form, positioned at 0.
using PreviewAction = std::function<void(TStream& resource)>;

// One file a load read.
struct TFormFileRead {
  enum Role { frForm, frAncestor, frFrame };
  std::string path;  // as opened
  Role role = frForm;
};

// What one load produces. The members are filled as the load goes, so that
// after a failure they hold what was done up to it.
struct TFormLoad {
  // The rewritten text of the form itself; valid once `rewritten` is set.
  TStringList source;
  bool rewritten = false;
  // The component log, then one line per ancestor or frame form read.
  TStringList log;
  // The binary form resource of the resolved form, at position 0.
  TMemoryStream resource;
  // Every form file read, the form first, then its ancestors and frames'
  // forms in the order they were read, each once.
  std::vector<TFormFileRead> files;
  // The log line of an ancestor that was not found (empty when none was
  // missing); the form is then read without it.
  std::string missingAncestor;
};

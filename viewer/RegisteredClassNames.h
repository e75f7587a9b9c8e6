// The component classes a standard Tessaly build registers, in registration
// order. The rewriting's tests and the corpus check use this list as their
// "registered" predicate; the class registry can register the same names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

extern const std::vector<std::string> kStandardFormClassNames;

// The notebooks' page classes, which the preview registers after the list
// so that stored pages load as pages.
extern const std::vector<std::string> kNotebookPageClassNames;

// True when name equals one of kStandardFormClassNames or
// kNotebookPageClassNames, ignoring ASCII case.
bool IsStandardFormClass(std::string_view name);

// True when the class registry knows the class (GetClass): what the
// viewer's own loads ask.
bool IsRegisteredClass(std::string_view className);

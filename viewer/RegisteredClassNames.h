// The component classes a standard Tessaly build registers, in registration
// order. The rewriting's tests and the corpus check use this list as their
// "registered" predicate; the class registry can register the same names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

extern const std::vector<std::string> kStandardFormClassNames;

// True when name equals one of kStandardFormClassNames, ignoring ASCII case.
bool IsStandardFormClass(std::string_view name);

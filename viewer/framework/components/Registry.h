// The class registry: form descriptions name classes, the registry turns
// the names into classes that can be constructed with an owner.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

class TClassInfo;

// Registers classes in the given order. Registering a name again is ignored.
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void RegisterClass(const TClassInfo& cls);
// The registered class of that name (ASCII case-insensitive), or nullptr.
const TClassInfo* GetClass(std::string_view name);
// Every registered class, in registration order.
std::vector<const TClassInfo*> RegisteredClasses();
// Empties the registry (for tests).
void UnregisterAllClasses();

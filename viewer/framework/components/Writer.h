// The component writer: a component and the components nested in it, as
// form description events. Published properties in declaration order,
// defaults left out, defined properties after them, then the children.
#pragma once

#include <string>

#include "core/FormValue.h"

class TComponent;
class TPersistent;
struct TPropInfo;

void WriteComponent(TComponent* root, FormEvents& sink);

// Whether the writer stores this property of this instance (its stored test
// passes and its value differs from the streaming default).
bool IsStoredProperty(const TPersistent* instance, const TPropInfo& prop);

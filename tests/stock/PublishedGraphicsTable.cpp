// Published lists of the graphics unit's sub-objects that forms store.
#include "PublishedTable.h"
#include "controls/Graphics.h"

namespace {
using K = TTypeKind;

const bool added = AddExpectedClasses({
    {"TFont",
     &TFont::StaticClassInfo,
     {
         {"Charset", K::tkInteger, "", std::nullopt},
         {"Color", K::tkInteger, "", std::nullopt},
         {"Height", K::tkInteger, "", std::nullopt},
         {"Name", K::tkString, "", std::nullopt},
         {"Pitch", K::tkEnumeration, "TFontPitch", 0},
         {"Style", K::tkSet, "TFontStyle", std::nullopt},
         {"Orientation", K::tkInteger, "", 0},
         {"Quality", K::tkEnumeration, "TFontQuality", 0},
     }},
});
}  // namespace

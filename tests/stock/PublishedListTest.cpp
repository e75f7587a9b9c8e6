// Every stock class publishes what real forms set on it, with the type and
// streaming default the form files rely on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "PublishedTable.h"
#include "StockTestSupport.h"
#include "components/Registry.h"

namespace {

std::string TypeNameOf(const TPropInfo& p) {
  if (p.enumInfo) return p.enumInfo->typeName;
  if (p.classType) return p.classType().Name();
  return {};
}

const char* KindName(TTypeKind k) {
  switch (k) {
    case TTypeKind::tkInteger: return "integer";
    case TTypeKind::tkInt64: return "int64";
    case TTypeKind::tkChar: return "char";
    case TTypeKind::tkEnumeration: return "enumeration";
    case TTypeKind::tkSet: return "set";
    case TTypeKind::tkFloat: return "float";
    case TTypeKind::tkString: return "string";
    case TTypeKind::tkClass: return "class";
    case TTypeKind::tkMethod: return "event";
  }
  return "?";
}

}  // namespace

TEST(PublishedLists, EveryTabledPropertyIsPublishedWithItsTypeAndDefault) {
  RegisterStockClassesForTests();
  ASSERT_FALSE(ExpectedClasses().empty());
  for (const ExpectedClass& expected : ExpectedClasses()) {
    const TClassInfo* cls = expected.info ? &expected.info() : GetClass(expected.className);
    ASSERT_NE(cls, nullptr) << expected.className << " is not registered";
    EXPECT_EQ(cls->Name(), expected.className);
    for (const ExpectedProperty& want : expected.properties) {
      const std::string where = expected.className + "." + want.name;
      const TPropInfo* got = cls->FindProperty(want.name);
      if (!got) {
        ADD_FAILURE() << where << " is not published";
        continue;
      }
      EXPECT_EQ(got->name, want.name) << where << ": spelled differently";
      EXPECT_STREQ(KindName(got->kind), KindName(want.kind)) << where;
      if (!want.typeName.empty()) {
        EXPECT_EQ(TypeNameOf(*got), want.typeName) << where;
      }
      if (want.defaultOrd) {
        EXPECT_EQ(got->defaultOrd, want.defaultOrd) << where << ": streaming default";
      }
    }
  }
}

TEST(PublishedLists, EveryStockClassHasATable) {
  RegisterStockClassesForTests();
  std::set<std::string> tabled;
  for (const ExpectedClass& expected : ExpectedClasses()) tabled.insert(expected.className);
  std::string missing;
  for (const std::string& name : StockClassNames())
    if (!tabled.count(name)) missing += " " + name;
  EXPECT_TRUE(missing.empty()) << "stock classes without a table of what forms set:" << missing;
}

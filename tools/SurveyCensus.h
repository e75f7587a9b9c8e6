// The census of a project's forms: which component classes they use, how
// often, whether the preview knows them, and which unit of the project
// declares them. It reads form descriptions through the streaming core and
// Pascal units as plain text, so it needs no Qt and builds no preview.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// What one form holds, from its description alone.
struct FormCensus {
  std::string rootClass, rootName;
  bool inherited = false;              // root header "inherited"
  std::map<std::string, int> classes;  // class of every component below the root -> count
  std::set<std::string> frames;        // classes of components stored "inline" (frames)
  // Properties set on components of classes the preview does not know:
  // class -> property -> count. Properties of collection items are named
  // "Collection.Property".
  std::map<std::string, std::map<std::string, int>> unknownProperties;
  int componentCount = 0;  // below the root
};

// Reads one form description (either encoding). Raises the streaming core's
// exceptions for a damaged form; what was read before the fault is lost.
FormCensus TakeFormCensus(std::string_view data);

// Serialises a census as tab-separated lines and reads it back, so that a
// survey can keep each form's census beside its other results.
std::string FormCensusToTsv(const FormCensus& census);
FormCensus FormCensusFromTsv(std::string_view tsv);

// What the Pascal units of a tree declare.
struct UnitDeclarations {
  // Lower-cased class name -> (unit name, ancestor class as written).
  struct Declaration {
    std::string unit, name, ancestor;
  };
  std::map<std::string, Declaration> classes;
  // Unit name -> the units its uses clauses name, in order.
  std::map<std::string, std::vector<std::string>> uses;

  void Merge(const UnitDeclarations& other);
  std::string ToTsv() const;
  static UnitDeclarations FromTsv(std::string_view tsv);
  // The unit that declares className, or "" where no unit says.
  std::string UnitOf(std::string_view className) const;
  // className, its ancestor, that one's ancestor ... as far as the units say
  // (at most 64 levels, so a cycle in broken sources ends).
  std::vector<std::string> Chain(std::string_view className) const;
};

// Scans one unit's source: class declarations ("TName = class(TParent)",
// also "class" without a parent, and "packed class") and the units of its
// uses clauses. Comments and string literals are skipped.
void ScanUnitSource(std::string_view unitName, std::string_view source, UnitDeclarations& into);

// One form of a survey as the census sees it.
struct CensusForm {
  std::string path;   // relative to the surveyed tree
  std::string error;  // non-empty when the description could not be read
  FormCensus census;
};

// One row of the class table.
struct CensusClassRow {
  std::string name;
  int count = 0;
  std::vector<std::string> forms;         // paths, sorted, each once
  bool known = false;                     // the preview builds it (otherwise a placeholder)
  bool frame = false;                     // some form holds it inline
  std::string unit;                       // declaring unit, where the sources say
  std::map<std::string, int> properties;  // set on it, for unknown classes
};

// The class table over forms, most used first (then by name). Classes
// compare ignoring ASCII case; the first spelling met is kept.
std::vector<CensusClassRow> BuildClassTable(const std::vector<CensusForm>& forms, const UnitDeclarations& units);

// The table as CSV (RFC 4180 quoting): class,count,forms,known,frame,unit,
// form_paths,properties. Lists inside a field are separated by "; ".
std::string ClassTableCsv(const std::vector<CensusClassRow>& rows);
// The table for a terminal: class, count, forms, known/placeholder, unit.
std::string ClassTableText(const std::vector<CensusClassRow>& rows);

// One CSV field, quoted when it holds a comma, quote or line break.
std::string CsvField(std::string_view value);

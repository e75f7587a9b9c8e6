#include "SurveyCensus.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "RegisteredClassNames.h"
#include "core/Ascii.h"
#include "core/FormValue.h"
#include "streaming/Converters.h"

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

// Names go into tab-separated lines; a tab or line break in a damaged name
// must not split the record.
std::string Clean(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <typename F>
void ForEachLine(std::string_view text, F&& f) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) f(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

int ToInt(std::string_view s) {
  int value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

// Collects the census of one form from its events.
class CensusSink : public FormIgnoredEvents {
 public:
  explicit CensusSink(FormCensus& out) : out_(out) {}

  void BeginComponent(const FormObjectHeader& header) override {
    if (depth_++ == 0) {
      out_.rootClass = Clean(header.className);
      out_.rootName = Clean(header.name);
      out_.inherited = (header.flags & ffInherited) != 0;
      classes_.push_back({out_.rootClass, true});
      return;
    }
    std::string cls = Clean(header.className);
    ++out_.classes[cls];
    ++out_.componentCount;
    if (header.flags & ffInline) out_.frames.insert(cls);
    classes_.push_back({cls, IsStandardFormClass(cls)});
  }
  void EndComponent() override {
    --depth_;
    if (!classes_.empty()) classes_.pop_back();
  }
  void Property(std::string_view name) override {
    lastProperty_ = collections_.empty() ? std::string(name) : collections_.back() + "." + std::string(name);
    if (depth_ <= 1 || classes_.empty() || classes_.back().known) return;
    ++out_.unknownProperties[classes_.back().name][lastProperty_];
  }
  void BeginCollection() override { collections_.push_back(lastProperty_); }
  void EndCollection() override {
    if (!collections_.empty()) collections_.pop_back();
  }

 private:
  struct Open {
    std::string name;
    bool known;
  };
  FormCensus& out_;
  int depth_ = 0;
  std::vector<Open> classes_;
  std::vector<std::string> collections_;
  std::string lastProperty_;
};

// A Pascal token: an identifier (dotted names joined), or one punctuation
// character. Comments, strings and numbers are dropped.
struct PasToken {
  std::string text;
  bool ident;
};

std::vector<PasToken> TokenizePascal(std::string_view s) {
  std::vector<PasToken> tokens;
  size_t i = 0;
  auto skipTo = [&](std::string_view end) {
    size_t at = s.find(end, i);
    i = at == std::string_view::npos ? s.size() : at + end.size();
  };
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '{') {
      skipTo("}");
    } else if (c == '(' && i + 1 < s.size() && s[i + 1] == '*') {
      i += 2;
      skipTo("*)");
    } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      skipTo("\n");
    } else if (c == '\'') {
      ++i;
      skipTo("'");
    } else if (std::isalpha(c) || c == '_' || c == '&') {
      size_t start = i++;
      while (i < s.size()) {
        const unsigned char d = static_cast<unsigned char>(s[i]);
        const bool dotted =
            d == '.' && i + 1 < s.size() && (std::isalpha(static_cast<unsigned char>(s[i + 1])) || s[i + 1] == '_');
        if (!(std::isalnum(d) || d == '_' || dotted)) break;
        ++i;
      }
      tokens.push_back({std::string(s.substr(start, i - start)), true});
    } else if (std::isspace(c) || std::isdigit(c)) {
      ++i;
    } else {
      tokens.push_back({std::string(1, static_cast<char>(c)), false});
      ++i;
    }
  }
  return tokens;
}

bool Is(const PasToken& t, std::string_view keyword) { return t.ident && Lower(t.text) == keyword; }

}  // namespace

FormCensus TakeFormCensus(std::string_view data) {
  FormCensus census;
  CensusSink sink(census);
  ReadFormAny(data, sink);
  return census;
}

std::string FormCensusToTsv(const FormCensus& c) {
  std::string out =
      "root\t" + c.rootClass + "\t" + c.rootName + "\t" + (c.inherited ? "1" : "0") + "\t" +
      std::to_string(c.componentCount) + "\n";
  for (const auto& [cls, count] : c.classes) out += "class\t" + cls + "\t" + std::to_string(count) + "\n";
  for (const std::string& cls : c.frames) out += "frame\t" + cls + "\n";
  for (const auto& [cls, props] : c.unknownProperties)
    for (const auto& [prop, count] : props) out += "prop\t" + cls + "\t" + prop + "\t" + std::to_string(count) + "\n";
  return out;
}

FormCensus FormCensusFromTsv(std::string_view tsv) {
  FormCensus c;
  ForEachLine(tsv, [&](std::string_view line) {
    std::vector<std::string_view> f = SplitTabs(line);
    if (f[0] == "root" && f.size() >= 5) {
      c.rootClass = f[1];
      c.rootName = f[2];
      c.inherited = f[3] == "1";
      c.componentCount = ToInt(f[4]);
    } else if (f[0] == "class" && f.size() >= 3) {
      c.classes[std::string(f[1])] += ToInt(f[2]);
    } else if (f[0] == "frame" && f.size() >= 2) {
      c.frames.insert(std::string(f[1]));
    } else if (f[0] == "prop" && f.size() >= 4) {
      c.unknownProperties[std::string(f[1])][std::string(f[2])] += ToInt(f[3]);
    }
  });
  return c;
}

void ScanUnitSource(std::string_view unitName, std::string_view source, UnitDeclarations& into) {
  const std::vector<PasToken> t = TokenizePascal(source);
  std::vector<std::string>& uses = into.uses[std::string(unitName)];
  for (size_t i = 0; i < t.size(); ++i) {
    if (Is(t[i], "uses")) {
      // uses A, B in 'b.pas', C;
      for (++i; i < t.size() && t[i].text != ";"; ++i) {
        if (Is(t[i], "in")) continue;
        if (t[i].ident && (i == 0 || !Is(t[i - 1], "in"))) uses.push_back(t[i].text);
      }
      continue;
    }
    // Name = [packed] class [(Parent ...)] -- not "class of" (a metaclass)
    // and not "class;" (a forward declaration).
    if (!t[i].ident || i + 2 >= t.size() || t[i + 1].text != "=") continue;
    size_t k = i + 2;
    if (Is(t[k], "packed")) ++k;
    if (k >= t.size() || !Is(t[k], "class")) continue;
    ++k;
    std::string ancestor;
    if (k < t.size() && (Is(t[k], "of") || t[k].text == ";")) continue;
    if (k + 1 < t.size() && t[k].text == "(" && t[k + 1].ident) ancestor = t[k + 1].text;
    into.classes[Lower(t[i].text)] = {std::string(unitName), t[i].text, ancestor};
  }
  if (uses.empty()) into.uses.erase(std::string(unitName));
}

void UnitDeclarations::Merge(const UnitDeclarations& other) {
  for (const auto& [key, decl] : other.classes) classes.emplace(key, decl);
  for (const auto& [unit, list] : other.uses) uses.emplace(unit, list);
}

std::string UnitDeclarations::ToTsv() const {
  std::string out;
  for (const auto& [key, d] : classes) out += "class\t" + d.name + "\t" + d.unit + "\t" + d.ancestor + "\n";
  for (const auto& [unit, list] : uses) {
    out += "uses\t" + unit;
    for (const std::string& u : list) out += "\t" + u;
    out += "\n";
  }
  return out;
}

UnitDeclarations UnitDeclarations::FromTsv(std::string_view tsv) {
  UnitDeclarations d;
  ForEachLine(tsv, [&](std::string_view line) {
    std::vector<std::string_view> f = SplitTabs(line);
    if (f[0] == "class" && f.size() >= 4) {
      d.classes[Lower(f[1])] = {std::string(f[2]), std::string(f[1]), std::string(f[3])};
    } else if (f[0] == "uses" && f.size() >= 2) {
      std::vector<std::string>& list = d.uses[std::string(f[1])];
      for (size_t i = 2; i < f.size(); ++i) list.emplace_back(f[i]);
    }
  });
  return d;
}

std::string UnitDeclarations::UnitOf(std::string_view className) const {
  auto it = classes.find(Lower(className));
  return it == classes.end() ? std::string() : it->second.unit;
}

std::vector<std::string> UnitDeclarations::Chain(std::string_view className) const {
  std::vector<std::string> chain{std::string(className)};
  for (int level = 0; level < 64; ++level) {
    auto it = classes.find(Lower(chain.back()));
    if (it == classes.end() || it->second.ancestor.empty()) break;
    chain.push_back(it->second.ancestor);
  }
  return chain;
}

std::vector<CensusClassRow> BuildClassTable(const std::vector<CensusForm>& forms, const UnitDeclarations& units) {
  std::map<std::string, CensusClassRow> byKey;
  for (const CensusForm& form : forms) {
    const FormCensus& c = form.census;
    for (const auto& [cls, count] : c.classes) {
      CensusClassRow& row = byKey[Lower(cls)];
      if (row.name.empty()) row.name = cls;
      row.count += count;
      row.forms.push_back(form.path);
    }
    for (const std::string& cls : c.frames) byKey[Lower(cls)].frame = true;
    for (const auto& [cls, props] : c.unknownProperties)
      for (const auto& [prop, count] : props) byKey[Lower(cls)].properties[prop] += count;
  }
  std::vector<CensusClassRow> rows;
  for (auto& [key, row] : byKey) {
    if (row.name.empty()) continue;
    std::sort(row.forms.begin(), row.forms.end());
    row.forms.erase(std::unique(row.forms.begin(), row.forms.end()), row.forms.end());
    row.known = IsStandardFormClass(row.name);
    row.unit = units.UnitOf(row.name);
    rows.push_back(std::move(row));
  }
  std::sort(rows.begin(), rows.end(), [](const CensusClassRow& a, const CensusClassRow& b) {
    if (a.count != b.count) return a.count > b.count;
    return Lower(a.name) < Lower(b.name);
  });
  return rows;
}

std::string CsvField(std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string ClassTableCsv(const std::vector<CensusClassRow>& rows) {
  std::string out = "class,count,forms,known,frame,unit,form_paths,properties\r\n";
  for (const CensusClassRow& r : rows) {
    std::string paths, props;
    for (const std::string& p : r.forms) paths += (paths.empty() ? "" : "; ") + p;
    for (const auto& [name, count] : r.properties)
      props += (props.empty() ? "" : "; ") + name + "=" + std::to_string(count);
    out += CsvField(r.name) + "," + std::to_string(r.count) + "," + std::to_string(r.forms.size()) + "," +
           (r.known ? "yes" : "no") + "," + (r.frame ? "yes" : "no") + "," + CsvField(r.unit) + "," + CsvField(paths) +
           "," + CsvField(props) + "\r\n";
  }
  return out;
}

std::string ClassTableText(const std::vector<CensusClassRow>& rows) {
  size_t width = 5;
  for (const CensusClassRow& r : rows) width = std::max(width, r.name.size());
  auto pad = [](std::string s, size_t w) {
    if (s.size() < w) s.append(w - s.size(), ' ');
    return s;
  };
  std::string out = pad("class", width) + "  count  forms  preview      unit\n";
  for (const CensusClassRow& r : rows) {
    std::string count = std::to_string(r.count), forms = std::to_string(r.forms.size());
    out += pad(r.name, width) + "  " + std::string(count.size() < 5 ? 5 - count.size() : 0, ' ') + count + "  " +
           std::string(forms.size() < 5 ? 5 - forms.size() : 0, ' ') + forms + "  " +
           pad(r.known ? "known" : (r.frame ? "frame" : "placeholder"), 11) + "  " + r.unit + "\n";
  }
  return out;
}

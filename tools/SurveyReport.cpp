#include "SurveyReport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "RegisteredClassNames.h"
#include "ToolFiles.h"
#include "core/Ascii.h"

extern const char kSurveyReportCss[];
extern const char kSurveyReportJs[];

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) { return ReadSurveyFile(path.string()); }
void WriteText(const fs::path& path, std::string_view text) { WriteSurveyFile(path.string(), text); }

std::string Number(double v, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string Size(const SurveyRecord& r) {
  return r.width > 0 || r.height > 0 ? std::to_string(r.width) + " \xC3\x97 " + std::to_string(r.height) : "";
}

std::string Lower(std::string s) {
  for (char& c : s) c = AsciiLower(c);
  return s;
}

std::string PageHead(const std::string& title, const std::string& root) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
         "</title>\n<link rel=\"stylesheet\" href=\"" + root + "report.css\">\n</head>\n";
}

std::string Nav(const std::string& root) {
  return "<nav><a href=\"" + root + "index.html\">Forms</a> <a href=\"" + root + "census.html\">Census</a></nav>\n";
}

// Everything the filter box matches a form against.
std::string SearchText(const SurveyRecord& r) {
  std::string s = r.path + " " + r.census.rootClass + " " + r.census.rootName + " " + r.status + " " + r.error;
  for (const auto& [cls, count] : r.census.classes) s += " " + cls;
  return Lower(DisplayUtf8(s));
}

std::string Card(const SurveyRecord& r) {
  const std::string href = "forms/" + r.key + "/index.html";
  std::string html =
      "<a class=\"card " + r.status + "\" href=\"" + href + "\" data-search=\"" + HtmlEscape(SearchText(r)) +
      "\" data-name=\"" + HtmlEscape(Lower(DisplayUtf8(r.path))) + "\" data-status=\"" + r.status + "\" data-area=\"" +
      std::to_string(int64_t(r.width) * r.height) + "\" data-components=\"" + std::to_string(r.census.componentCount) +
      "\">";
  if (r.hasPreview)
    html += "<img src=\"forms/" + r.key + "/thumb.png\" alt=\"\" loading=\"lazy\">";
  else
    html += "<div class=\"noimage\">" + HtmlEscape(r.status == "ok" ? "no image" : r.status) + "</div>";
  html += "<span class=\"name\">" + HtmlEscape(DisplayUtf8(r.path)) + "</span><span class=\"meta\">" +
          HtmlEscape(DisplayUtf8(r.census.rootClass)) + " " + Size(r) + " <b>" + r.status + "</b></span>";
  if (!r.error.empty()) html += "<span class=\"error\">" + HtmlEscape(DisplayUtf8(r.error)) + "</span>";
  return html + "</a>\n";
}

std::string IndexPage(const std::vector<SurveyRecord>& records, const std::vector<CensusClassRow>& rows) {
  int failed = 0, placeholders = 0;
  for (const SurveyRecord& r : records) failed += r.status != "ok";
  for (const CensusClassRow& row : rows) placeholders += !row.known;
  std::string html =
      PageHead("Tessaly survey", "") + "<body class=\"index\">\n" + Nav("") + "<header><h1>" +
      std::to_string(records.size()) + " forms</h1><p>" + std::to_string(records.size() - failed) + " loaded, " +
      std::to_string(failed) + " failed; " + std::to_string(rows.size()) + " component classes, " +
      std::to_string(placeholders) +
      " shown as placeholders</p>\n"
      "<div class=\"controls\"><input id=\"filter\" type=\"search\" "
      "placeholder=\"Filter by form, class or error\" autofocus>\n"
      "<select id=\"sort\"><option value=\"name\">by name</option>"
      "<option value=\"status\">failures first</option><option value=\"area\">largest first</option>"
      "<option value=\"components\">most components first</option></select>\n"
      "<span id=\"shown\"></span></div></header>\n<main id=\"grid\">\n";
  for (const SurveyRecord& r : records) html += Card(r);
  return html + "</main>\n<script src=\"report.js\"></script>\n</body>\n</html>\n";
}

std::string CensusPage(
    const std::vector<SurveyRecord>& records, const std::vector<CensusClassRow>& rows, const UnitDeclarations& units) {
  std::map<std::string, std::string> keyOfPath;
  for (const SurveyRecord& r : records) keyOfPath[r.path] = r.key;
  std::string html =
      PageHead("Tessaly survey: census", "") + "<body class=\"census\">\n" + Nav("") +
      "<header><h1>Component classes</h1>\n<div class=\"controls\"><input id=\"filter\" "
      "type=\"search\" placeholder=\"Filter by class, unit or form\"><span id=\"shown\"></span>"
      "</div></header>\n<table id=\"classes\" class=\"sortable\"><thead><tr><th>Class</th>"
      "<th data-numeric>Count</th><th data-numeric>Forms</th><th>Preview</th><th>Unit</th>"
      "<th>Properties set (unknown classes)</th><th>Used in</th></tr></thead><tbody>\n";
  for (const CensusClassRow& row : rows) {
    std::string used, props;
    for (const std::string& p : row.forms)
      used += "<a href=\"forms/" + keyOfPath[p] + "/index.html\">" + HtmlEscape(DisplayUtf8(p)) + "</a> ";
    for (const auto& [name, count] : row.properties)
      props += HtmlEscape(DisplayUtf8(name)) + "&nbsp;(" + std::to_string(count) + ") ";
    const std::string state = row.known ? "known" : row.frame ? "frame" : "placeholder";
    html +=
        "<tr class=\"" + state + "\" data-search=\"" +
        HtmlEscape(Lower(DisplayUtf8(row.name + " " + row.unit + " " + state))) + "\"><td>" +
        HtmlEscape(DisplayUtf8(row.name)) + "</td><td>" + std::to_string(row.count) + "</td><td>" +
        std::to_string(row.forms.size()) + "</td><td>" + state + "</td><td>" + HtmlEscape(row.unit) +
        "</td><td class=\"props\">" + props + "</td><td class=\"used\">" + used + "</td></tr>\n";
  }
  html +=
      "</tbody></table>\n<h2>Inherited forms</h2>\n<table><thead><tr><th>Form</th><th>Class chain</th>"
      "</tr></thead><tbody>\n";
  for (const SurveyRecord& r : records) {
    if (!r.census.inherited) continue;
    std::string chain;
    for (const std::string& c : units.Chain(r.census.rootClass)) chain += (chain.empty() ? "" : " \xE2\x86\x92 ") + c;
    html += "<tr><td><a href=\"forms/" + r.key + "/index.html\">" + HtmlEscape(DisplayUtf8(r.path)) + "</a></td><td>" +
            HtmlEscape(DisplayUtf8(chain)) + "</td></tr>\n";
  }
  return html + "</tbody></table>\n<script src=\"report.js\"></script>\n</body>\n</html>\n";
}

std::string Section(const std::string& title, const std::string& body) {
  return "<section><h2>" + title + "</h2>\n" + body + "</section>\n";
}

std::string FormPage(const SurveyRecord& r, const fs::path& dir, const UnitDeclarations& units) {
  const std::string path = DisplayUtf8(r.path);
  std::string html =
      PageHead(path + " \xE2\x80\x93 Tessaly survey", "../../") + "<body class=\"form\">\n" + Nav("../../") +
      "<header><h1>" + HtmlEscape(path) + "</h1><p class=\"meta\">" +
      HtmlEscape(DisplayUtf8(r.census.rootName + ": " + r.census.rootClass)) + " " + Size(r) + " <b>" + r.status +
      "</b>";
  if (r.census.inherited) {
    std::string chain;
    for (const std::string& c : units.Chain(r.census.rootClass)) chain += (chain.empty() ? "" : " \xE2\x86\x92 ") + c;
    html += " inherited: " + HtmlEscape(DisplayUtf8(chain));
  }
  html += "</p>\n";
  if (!r.error.empty()) html += "<p class=\"error\">" + HtmlEscape(DisplayUtf8(r.error)) + "</p>\n";
  if (!r.note.empty()) html += "<p class=\"note\">" + HtmlEscape(r.note) + "</p>\n";
  html += "</header>\n";
  if (r.hasPreview)
    html +=
        Section("Preview", "<img id=\"preview\" src=\"preview.png\" alt=\"preview of " + HtmlEscape(path) + "\">\n");
  if (fs::exists(dir / "tree.json")) html += Section("Components", "<div id=\"tree\"></div>\n");
  std::string classes = "<table><thead><tr><th>Class</th><th>Count</th><th>Preview</th></tr></thead><tbody>\n";
  for (const auto& [cls, count] : r.census.classes)
    classes +=
        "<tr><td>" + HtmlEscape(DisplayUtf8(cls)) + "</td><td>" + std::to_string(count) + "</td><td>" +
        (IsStandardFormClass(cls) ? "known"
         : r.census.frames.count(cls)
             ? "frame"
             : "placeholder") +
        "</td></tr>\n";
  html += Section("Classes", classes + "</tbody></table>\n");
  if (fs::exists(dir / "rewritten.txt"))
    html += Section(
        "Rewritten text",
        "<pre class=\"text\">" + HtmlEscape(DisplayUtf8(ReadText(dir / "rewritten.txt"))) + "</pre>\n");
  html += Section("Log", "<pre class=\"log\">" + HtmlEscape(DisplayUtf8(ReadText(dir / "log.txt"))) + "</pre>\n");
  html += "<script src=\"../../report.js\"></script>\n";
  if (fs::exists(dir / "tree.json")) html += "<script src=\"tree.js\"></script>\n";
  return html + "</body>\n</html>\n";
}

}  // namespace

std::string SurveyRecord::RecordTsv() const {
  std::string out =
      "path\t" + path + "\nstatus\t" + status + "\nwidth\t" + std::to_string(width) + "\nheight\t" +
      std::to_string(height) + "\nseconds\t" + Number(seconds, 3) + "\n";
  if (!error.empty()) out += "error\t" + error + "\n";
  if (!note.empty()) out += "note\t" + note + "\n";
  if (!censusError.empty()) out += "census_error\t" + censusError + "\n";
  return out;
}

void ParseRecordTsv(std::string_view tsv, SurveyRecord& r) {
  std::istringstream in{std::string(tsv)};
  std::string line;
  while (std::getline(in, line)) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string key = line.substr(0, tab), value = line.substr(tab + 1);
    if (key == "path")
      r.path = value;
    else if (key == "status")
      r.status = value;
    else if (key == "error")
      r.error = value;
    else if (key == "note")
      r.note = value;
    else if (key == "census_error")
      r.censusError = value;
    else if (key == "width")
      r.width = std::atoi(value.c_str());
    else if (key == "height")
      r.height = std::atoi(value.c_str());
    else if (key == "seconds")
      r.seconds = std::atof(value.c_str());
  }
}

std::vector<SurveyRecord> ReadSurveyRecords(const std::string& out) {
  std::vector<SurveyRecord> records;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(fs::path(out) / "forms", ec)) {
    const fs::path& dir = e.path();
    if (!e.is_directory() || !fs::exists(dir / "record.tsv")) continue;
    SurveyRecord r;
    r.key = dir.filename().string();
    ParseRecordTsv(ReadText(dir / "record.tsv"), r);
    r.census = FormCensusFromTsv(ReadText(dir / "census.tsv"));
    r.hasPreview = fs::exists(dir / "thumb.png");
    records.push_back(std::move(r));
  }
  std::sort(records.begin(), records.end(), [](const SurveyRecord& a, const SurveyRecord& b) {
    return a.path < b.path;
  });
  return records;
}

std::string FormsCsv(const std::vector<SurveyRecord>& records, const UnitDeclarations& units) {
  std::string out =
      "path,key,status,root_class,root_name,inherited,ancestors,width,height,components,classes,"
      "unknown_classes,frames,seconds,error\r\n";
  for (const SurveyRecord& r : records) {
    const FormCensus& c = r.census;
    std::string ancestors, unknown, frames;
    const std::vector<std::string> chain = units.Chain(c.rootClass);
    for (size_t i = 1; i < chain.size(); ++i) ancestors += (ancestors.empty() ? "" : "; ") + chain[i];
    for (const auto& [cls, count] : c.classes)
      if (!IsStandardFormClass(cls)) unknown += (unknown.empty() ? "" : "; ") + cls;
    for (const std::string& f : c.frames) frames += (frames.empty() ? "" : "; ") + f;
    const std::string error = !r.error.empty() ? r.error : r.censusError;
    out +=
        CsvField(r.path) + "," + r.key + "," + r.status + "," + CsvField(c.rootClass) + "," + CsvField(c.rootName) +
        "," + (c.inherited ? "yes" : "no") + "," + CsvField(ancestors) + "," + std::to_string(r.width) + "," +
        std::to_string(r.height) + "," + std::to_string(c.componentCount) + "," + std::to_string(c.classes.size()) +
        "," + CsvField(unknown) + "," + CsvField(frames) + "," + Number(r.seconds, 3) + "," + CsvField(error) + "\r\n";
  }
  return out;
}

void WriteSurveyReport(
    const std::string& out, const std::vector<SurveyRecord>& records, const UnitDeclarations& units) {
  const fs::path base(out);
  std::vector<CensusForm> forms;
  for (const SurveyRecord& r : records) forms.push_back({r.path, r.censusError, r.census});
  const std::vector<CensusClassRow> rows = BuildClassTable(forms, units);
  WriteText(base / "census.csv", ClassTableCsv(rows));
  WriteText(base / "forms.csv", FormsCsv(records, units));
  WriteText(base / "report.css", kSurveyReportCss);
  WriteText(base / "report.js", kSurveyReportJs);
  for (const SurveyRecord& r : records) {
    const fs::path dir = base / "forms" / r.key;
    if (fs::exists(dir / "tree.json"))
      WriteText(dir / "tree.js", "tessalyShowTree(" + ReadText(dir / "tree.json") + ");\n");
    WriteText(dir / "index.html", FormPage(r, dir, units));
  }
  WriteText(base / "census.html", CensusPage(records, rows, units));
  WriteText(base / "index.html", IndexPage(records, rows));
}

std::string ReadSurveyFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteSurveyFile(const std::string& path, std::string_view text) {
  ToolOutput out(path);
  out.WriteBuffer(text.data(), text.size());
  out.Commit();
}

std::string DisplayUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    bool valid = len > 0 && i + len <= s.size() && !(len == 2 && c < 0xC2);
    for (size_t k = 1; valid && k < len; ++k) valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    if (valid) {
      out.append(s.substr(i, len));
      i += len;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

// A survey's output folder: one folder per form under forms/KEY holding its
// results (see SurveyForm.h) plus record.tsv and census.tsv, the units'
// declarations in units.tsv, and the report built from them: census.csv,
// forms.csv and a static web page (index.html, census.html, a page per form)
// that opens from file:// without a server or network.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "SurveyCensus.h"

// What the survey kept for one form.
struct SurveyRecord {
  std::string key, path;
  std::string status;  // ok, failed, timeout, crashed
  std::string error, note;
  int width = 0, height = 0;
  double seconds = 0;
  std::string censusError;  // the description could not be read for the census
  FormCensus census;
  bool hasPreview = false;  // forms/KEY/thumb.png exists

  std::string RecordTsv() const;  // record.tsv (census.tsv is separate)
};

// Reads forms/*/record.tsv and census.tsv under out, sorted by path.
// Folders without a record (unfinished work) are left out.
std::vector<SurveyRecord> ReadSurveyRecords(const std::string& out);
// "key<TAB>value" lines into a record; unknown keys are ignored.
void ParseRecordTsv(std::string_view tsv, SurveyRecord& record);

// forms.csv: path,key,status,root_class,root_name,inherited,ancestors,width,
// height,components,classes,unknown_classes,frames,seconds,error.
std::string FormsCsv(const std::vector<SurveyRecord>& records, const UnitDeclarations& units);

// Writes census.csv, forms.csv, the web pages and their style and script
// into out. Raises EToolOutputError when a file cannot be written.
void WriteSurveyReport(const std::string& out, const std::vector<SurveyRecord>& records, const UnitDeclarations& units);

// A whole file of an output folder ("" when it cannot be read), and one
// written atomically (raises EToolOutputError).
std::string ReadSurveyFile(const std::string& path);
void WriteSurveyFile(const std::string& path, std::string_view text);

// Text as UTF-8 for a page: valid UTF-8 is kept, any other byte is read as
// Latin-1 (form text keeps the bytes of its code page).
std::string DisplayUtf8(std::string_view bytes);
// Escapes &, <, >, " and '.
std::string HtmlEscape(std::string_view text);

// Form text: a parser that turns it into FormEvents and a writer (a
// FormEvents sink) that lays it out the way real form files look. The format
// is described in docs/form-text.md.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "streaming/FormOutput.h"
#include "streaming/FormValue.h"

// Parses one component tree from text and delivers it to sink. A UTF-8 byte
// order mark and anything after the root's "end" are ignored. Returns the
// number of bytes used. Raises EParserError "Line L, column C: ...".
size_t ParseFormText(std::string_view text, FormEvents& sink);

struct FormTextOptions {
  // Line ending written after every line.
  std::string_view lineBreak = "\r\n";
};

// Writes the events it receives as form text into out.
class FormTextWriter : public FormEvents {
 public:
  explicit FormTextWriter(FormOutput& out, FormTextOptions options = {});

  void BeginComponent(const FormObjectHeader& header) override;
  void EndComponent() override;
  void Property(std::string_view name) override;
  void Scalar(const FormScalar& value) override;
  void BeginList() override;
  void EndList() override;
  void BeginCollection() override;
  void BeginItem(bool hasOrder, const FormScalar& order) override;
  void EndItem() override;
  void EndCollection() override;

 private:
  void Indent();
  void NewLine();  // line break, then the current indentation
  void BeforeValue();
  void AfterValue();
  void WriteString8(std::string_view bytes);
  void WriteUnits(const char16_t* units, size_t count, bool eightBit);
  void WriteBinary(std::string_view bytes);

  FormOutput& out_;
  FormTextOptions options_;
  int nesting_ = 0;
  // Open contexts: 'C' component, 'L' list, 'K' collection, 'I' item.
  std::string stack_;
  std::u16string units_;
};

// Number layouts shared with tests: extended as the writer prints it
// ("38003.000000000000000000") and the short form used for single, date and
// double ("1.5", "1E20").
std::string FormatFormExtended(long double value);
std::string FormatFormShortFloat(double value);

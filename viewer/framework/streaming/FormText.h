// Form text: a parser that turns it into FormEvents and a writer (a
// FormEvents sink) that lays it out the way real form files look. The format
// is described in docs/form-text.md.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "core/FormValue.h"
#include "streaming/FormOutput.h"

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
  size_t IndentWidth() const { return nesting_ > 0 ? static_cast<size_t>(nesting_) * 2 : 0; }
  void Indent();
  void NewLine();    // line break, then the current indentation
  void LineBreak();  // the line break alone
  // Stores the line break at d (up to LineBreakRoom() bytes) and returns its end.
  char* PutLineBreak(char* d) const {
    if (lineBreakFits_)
      std::memcpy(d, lineBreak_, sizeof lineBreak_);  // one fixed-size store
    else                                              // longer than 16 bytes, so never empty
      std::memcpy(d, options_.lineBreak.data(), options_.lineBreak.size());
    return d + options_.lineBreak.size();
  }
  size_t LineBreakRoom() const { return options_.lineBreak.size() + sizeof lineBreak_; }
  void BeforeValue();
  void AfterValue();
  void WriteString8(std::string_view bytes);
  void WriteUtf8String(std::string_view bytes);
  void WriteWideString(std::string_view bytes);
  void WriteIdent(std::string_view name);
  void WriteSet(const std::vector<std::string_view>& items);
  void WriteUnits(const char16_t* units, size_t count, bool eightBit);
  template <typename Unit, typename Quotable>
  void LayOutString(const Unit* units, size_t count, Quotable quotable);
  void WriteBinary(std::string_view bytes);
  [[noreturn]] void CannotWrite(const std::string& what) const;
  void RequireName(std::string_view name, const char* what) const;
  // Writes a number's text and suffix; empty text (no exact form) raises.
  void PutFloat(std::string_view text, char suffix);
  void PutExtended(long double value);
  std::string_view PropertyName() const;

  FormOutput& out_;
  FormTextOptions options_;
  char lineBreak_[16] = {};  // options_.lineBreak, padded for one fixed-size store
  bool lineBreakFits_ = false;
  int nesting_ = 0;
  // Open contexts: 'C' component, 'L' list, 'K' collection, 'I' item.
  std::string stack_;
  std::u16string units_;
  // The start of the property being written, for messages (which show 60 bytes).
  char property_[61] = {};
  size_t propertyLength_ = 0;
};

// Number layouts shared with tests: extended as the writer prints it
// ("38003.000000000000000000") and the short form used for single, date and
// double ("1.5", "1E20").
std::string FormatFormExtended(long double value);

// The number reading shared by the parser and the writer's checks.
enum class FormFloatRead { Ok, OutOfRange, Invalid };
// Reads a decimal number ("-1.5E-300", no suffix) as an extended value,
// subnormal values included.
FormFloatRead ReadFormFloat(std::string_view text, long double& value);
// The extended value a number's text stands for, given its parsed value:
// the widened double when the text is the 16-digit layout of one, the value
// itself for an exact form (more than 17 mantissa digits with an exponent).
long double FormExtendedFromText(std::string_view text, long double value);
// True when s reads back as one name: a letter, '_' or a byte above 127,
// then those or digits; with dotted, several joined by single dots.
bool IsFormTextIdentifier(std::string_view s, bool dotted);
// True when s reads back as a set element: name characters only, which
// unlike a name may start with a digit.
bool IsFormTextSetElement(std::string_view s);
std::string FormatFormShortFloat(double value);
// The layouts above when they read back as the same bits, else a longer
// exact form; empty for values with no decimal form (NaN, infinities).
std::string FormatFormExtendedExact(long double value);
std::string FormatFormShortFloatExact(double value, bool single);

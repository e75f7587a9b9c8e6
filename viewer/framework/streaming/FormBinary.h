// The binary form stream: a reader that turns it into FormEvents and a writer
// (a FormEvents sink) that produces it, with or without the resource header
// that .dfm files carry. The layout is described in docs/binary-form-stream.md.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Exceptions.h"
#include "core/FormValue.h"
#include "streaming/FormOutput.h"

// What a sink raises for a name or value its encoding cannot hold (form text
// has no spelling for a component named "bad one"). The sink knows what it
// refused; ReadFormBinary adds "(read at byte N)", where it read it.
class EUnwritableValue : public EWriteError {
 public:
  explicit EUnwritableValue(const std::string& message) : EWriteError(message) {}
};

// Reads one component tree ("TPF0" + root component) from data and delivers
// it to sink. Returns the number of bytes used. offsetBase is added to byte
// offsets in error messages (the size of a header already read).
// Raises EInvalidImage for a missing signature, EReadError for everything else.
size_t ReadFormBinary(std::string_view data, FormEvents& sink, size_t offsetBase = 0);

// Parses the resource header at the start of data. Returns its size and sets
// streamSize to the size it declares. Raises EInvalidImage("Invalid stream
// format") when data does not start with a valid header, and names the byte
// where it ends when it starts right but is cut short.
size_t ReadFormResourceHeader(std::string_view data, uint32_t& streamSize);

// Resource header followed by the binary form stream. Returns bytes used.
size_t ReadFormResource(std::string_view data, FormEvents& sink);

// Writes the events it receives as a binary form stream into out. With
// withResourceHeader the resource header (named after the root's class in
// upper case) comes first and its size is patched when the root ends.
class FormBinaryWriter : public FormEvents {
 public:
  explicit FormBinaryWriter(FormOutput& out, bool withResourceHeader = false);

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

  // True once the root component has ended.
  bool Done() const { return done_; }

 private:
  void ClosePropertiesIfOpen();
  void ShortString(std::string_view s, const char* what);
  void Integer(TValueType preferred, int64_t v);

  FormOutput& out_;
  bool withHeader_;
  bool done_ = false;
  bool started_ = false;
  uint64_t sizePos_ = 0;
  uint64_t streamStart_ = 0;
  // One entry per open component: true while its property list is open.
  std::string propsOpen_;
};

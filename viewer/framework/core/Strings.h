// Lists of 8-bit strings. TStrings is the abstract list that memo lines and
// other views implement; TStringList keeps its lines in memory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Persistent.h"

class TStream;

class TStrings : public TPersistent {
  TESSALY_CLASS(TStrings)

 public:
  // Copies the lines of another TStrings.
  void Assign(const TPersistent& source) override;
  // Streams the lines as the defined property "Strings", a list of strings.
  void DefineProperties(TFiler& filer) override;

  virtual int Count() const = 0;
  // Raise EStringListError ("List index out of bounds (n)") outside 0..Count()-1.
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  int Add(const std::string& s);
  void Assign(const TStrings& source);
  void AddStrings(const TStrings& source);
  int IndexOf(std::string_view s) const;  // ASCII case-insensitive

  // Nested update state: the list tells its view to stop redrawing when the
  // count rises from 0, and to resume when it falls back to 0.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Splits at CR LF, LF or CR; a final line break adds no empty line.
  void LoadFromStream(TStream& stream);
  void SetText(std::string_view text);
  // Each line followed by CR LF.
  void SaveToStream(TStream& stream) const;
  virtual std::string Text() const;

 protected:
  // Called when the update state starts (true) or ends (false).
  virtual void SetUpdateState(bool updating) { (void)updating; }
  // Lets implementations add many lines at once.
  virtual void AddLines(std::vector<std::string>&& lines);
  [[noreturn]] static void ListIndexError(int index);

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  TESSALY_CLASS(TStringList)

 public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override { lines_.clear(); }
  std::string Text() const override;

  // Direct access for code that rewrites many lines in place.
  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }

 protected:
  void AddLines(std::vector<std::string>&& lines) override;

 private:
  void CheckIndex(int index) const;
  std::vector<std::string> lines_;
};

// The component reader: fills a root component and creates its children
// from a form description.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/FormNode.h"
#include "core/FormValue.h"

class TComponent;
class TPersistent;
class TStream;

// Reads a form resource (resource header and binary form stream) into an
// existing root. The resource's root class name is not looked up: the root's
// properties go onto `root`, each child is created by class name through the
// registry, owned by the root (or by the inline frame that holds it) and given
// its parent by the nesting. csLoading is set on each component while reading;
// references are resolved, then Loaded is called on every component read,
// root first. Errors raise EReadError (or EClassNotFound) naming the
// component and property: "Error reading Gauge1.MinValue: ...".
void ReadComponentRes(TStream& stream, TComponent* root);
// The same for a binary form stream without a resource header.
void ReadComponentBinary(TStream& stream, TComponent* root);

// Receives, while it lives, one line for each value that the component
// readers leave out instead of failing the read: an event bound to a method
// the root does not have stays unassigned. Scopes nest; the innermost one
// receives. Without a scope such lines are dropped. User-interface thread only.
class ReadNoticeScope {
 public:
  explicit ReadNoticeScope(std::function<void(const std::string&)> sink);
  ~ReadNoticeScope();
  ReadNoticeScope(const ReadNoticeScope&) = delete;
  ReadNoticeScope& operator=(const ReadNoticeScope&) = delete;

  // Hands the line to the innermost scope, if any.
  static void Notice(const std::string& line);

 private:
  std::function<void(const std::string&)> sink_;
  ReadNoticeScope* outer_;
};

// Assigns one property value, by a possibly dotted name, to an object.
// An event naming a method the root lacks raises EReadError here.
// Component references are resolved against `root` immediately.
void SetPropertyValue(TPersistent* instance, std::string_view path, const TFormNode& value, TComponent* root);

// Collects the 8-bit string values of a description, in order, for the
// root's ReadingStrings (the reading functions above call it themselves).
class FormStringCollector : public FormEvents {
 public:
  std::vector<std::string> strings;

  void BeginComponent(const FormObjectHeader&) override {}
  void EndComponent() override {}
  void Property(std::string_view) override {}
  void Scalar(const FormScalar& value) override;
  void BeginList() override {}
  void EndList() override {}
  void BeginCollection() override {}
  void BeginItem(bool, const FormScalar&) override {}
  void EndItem() override {}
  void EndCollection() override {}
};

// The FormEvents consumer behind ReadComponentRes, for callers that produce
// events themselves (for example from form text).
class TReader : public FormEvents {
 public:
  explicit TReader(TComponent* root);
  ~TReader() override;

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

  // Resolves references and calls Loaded on everything read. Call once after
  // the last event.
  void Finish();

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// Small component classes with one published property of every kind, for
// tests of the component reader and writer.
#pragma once

#include <string>
#include <vector>

#include "components/Collection.h"
#include "components/Component.h"
#include "core/Strings.h"

enum TShapeKind { skCircle, skSquare, skStar };
enum TFlag { flRed, flGreen, flBlue };

const TEnumInfo& ShapeKindInfo();
const TEnumInfo& FlagInfo();

// A sub-object streamed as dotted properties ("Pen.Width").
class TTestPen : public TPersistent {
  TESSALY_CLASS(TTestPen)

 public:
  int32_t Width() const { return width_; }
  void SetWidth(int32_t w) { width_ = w; }
  std::string Style() const { return style_; }
  void SetStyle(const std::string& s) { style_ = s; }

 private:
  int32_t width_ = 1;
  std::string style_;
};

class TTestItem : public TCollectionItem {
  TESSALY_CLASS(TTestItem)

 public:
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  int32_t Size() const { return size_; }
  void SetSize(int32_t s) { size_ = s; }

 private:
  std::string caption_;
  int32_t size_ = 10;
};

class TTestWidget : public TComponent {
  TESSALY_CLASS(TTestWidget)

 public:
  explicit TTestWidget(TComponent* owner);

  int32_t Count() const { return count_; }
  void SetCount(int32_t v) { count_ = v; }
  int32_t Color() const { return color_; }
  void SetColor(int32_t v) { color_ = v; }
  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  TShapeKind Kind() const { return kind_; }
  void SetKind(TShapeKind v) { kind_ = v; }
  uint32_t Flags() const { return flags_; }
  void SetFlags(uint32_t v) { flags_ = v; }
  char Letter() const { return letter_; }
  void SetLetter(char v) { letter_ = v; }
  long double Ratio() const { return ratio_; }
  void SetRatio(long double v) { ratio_ = v; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int32_t Progress() const { return progress_; }
  void SetProgress(int32_t v) { progress_ = v; }
  TStringList* Lines() { return &lines_; }
  TTestPen* Pen() { return &pen_; }
  TCollection* Items() { return &items_; }
  TTestWidget* Buddy() const { return buddy_; }
  void SetBuddy(TTestWidget* b) { buddy_ = b; }
  TMethod OnChange;

  // Nesting: children read inside this widget become its children.
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override { return parent_; }
  bool HasParent() const override { return parent_ != nullptr; }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  std::vector<TTestWidget*> children;
  TTestWidget* parent_ = nullptr;
  bool loadingSeenBySetter = false;
  bool wasLoadingWhenLoaded = false;
  int loadedCalls = 0;
  std::vector<std::string> removals;

 private:
  int32_t count_ = 0;
  int32_t color_ = 0xFFFFFF;
  bool active_ = true;
  TShapeKind kind_ = skSquare;
  uint32_t flags_ = 1u << flRed;
  char letter_ = 'a';
  long double ratio_ = 0;
  std::string caption_;
  int32_t progress_ = 0;
  TStringList lines_;
  TTestPen pen_;
  TCollection items_{TTestItem::StaticClassInfo()};
  TTestWidget* buddy_ = nullptr;
};

// A root with a published method that event properties bind to.
class TTestRoot : public TComponent {
  TESSALY_CLASS(TTestRoot)

 public:
  explicit TTestRoot(TComponent* owner) : TComponent(owner) {}
  void WidgetChanged(TPersistent* sender);
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  std::vector<TPersistent*> changedSenders;
};

// Registers the test classes (idempotent).
void RegisterTestClasses();

// The pages of the two notebooks. A form stores each page as a child
// component (`object TPage` in a TNotebook, `object TTabPage` in a
// TTabbedNotebook), usually without a name; the page's Caption names it.
// A page fills its notebook's page area and the notebook shows one page at
// a time.
#pragma once

#include <string>
#include <vector>

#include "StdCtrls.h"

class TPage : public TCustomControl {
  TESSALY_CLASS(TPage)

 public:
  explicit TPage(TComponent* owner);
  TMethod OnPaint;  // never called: pages draw only their background

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& msg) override;
};

class TTabPage : public TPage {
  TESSALY_CLASS(TTabPage)

 public:
  explicit TTabPage(TComponent* owner) : TPage(owner) {}
};

// The pages among a notebook's children, in the order they were read.
std::vector<TPage*> NotebookPages(const TWinControl& notebook);
// The page captions, as stored (8-bit form strings).
std::vector<std::string> NotebookPageNames(const TWinControl& notebook);
// The index of the page whose caption is `caption` (ignoring case), or -1.
int FindNotebookPage(const TWinControl& notebook, const std::string& caption);
// Shows the page at index (others hidden) and lays it out over the page
// area. An index out of range shows none.
void ShowNotebookPage(TWinControl& notebook, int index);
// A notebook reacts to its pages' captions changing.
class TPageOwner {
 public:
  virtual ~TPageOwner() = default;
  virtual void PageCaptionChanged() = 0;
};

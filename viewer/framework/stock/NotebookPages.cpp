#include "NotebookPages.h"

#include "core/SysUtils.h"

const TClassInfo& TPage::StaticClassInfo() {
  static const TClassInfo info =
      ClassBuilder<TPage>("TPage", &TCustomControl::StaticClassInfo())
          .Publish("Caption")
          .Publish("HelpContext")
          .Publish("HelpKeyword")
          .Publish("HelpType")
          .Publish("OnEnter")
          .Publish("OnExit")
          .Publish("OnMouseDown")
          .Publish("OnMouseMove")
          .Publish("OnMouseUp")
          .Build();
  return info;
}

const TClassInfo& TTabPage::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TTabPage>("TTabPage", &TPage::StaticClassInfo()).Build();
  return info;
}

TPage::TPage(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csClickEvents | csSetCaption | csDoubleClicks);
  SetParentColor(true);
  // A page always fills the notebook's page area; pages store no size.
  SetAlign(alClient);
  SetVisible(false);
}

void TPage::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
}

void TPage::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  if (auto* owner = dynamic_cast<TPageOwner*>(Parent())) owner->PageCaptionChanged();
}

std::vector<TPage*> NotebookPages(const TWinControl& notebook) {
  std::vector<TPage*> pages;
  for (int i = 0; i < notebook.ControlCount(); ++i)
    if (auto* page = dynamic_cast<TPage*>(notebook.Controls(i))) pages.push_back(page);
  return pages;
}

std::vector<std::string> NotebookPageNames(const TWinControl& notebook) {
  std::vector<std::string> names;
  for (const TPage* page : NotebookPages(notebook)) names.push_back(page->Caption());
  return names;
}

int FindNotebookPage(const TWinControl& notebook, const std::string& caption) {
  const auto names = NotebookPageNames(notebook);
  for (size_t i = 0; i < names.size(); ++i)
    if (CompareText(names[i], caption) == 0) return int(i);
  return -1;
}

void ShowNotebookPage(TWinControl& notebook, int index) {
  const auto pages = NotebookPages(notebook);
  for (size_t i = 0; i < pages.size(); ++i) pages[i]->SetVisible(int(i) == index);
  notebook.Realign();
}

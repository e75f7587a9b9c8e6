#include "LoadPreview.h"

#include <memory>

#include "LoadForm.h"
#include "RegisteredClassNames.h"
#include "components/Reader.h"
#include "core/DecodeBudget.h"

void PreviewLoadedForm(TFormLoad& load, TStrings& log, const PreviewAction& preview) {
  ReadNoticeScope notices([&log](const std::string& line) { log.Add(line); });
  TDecodeBudget budget;
  preview(load.resource);
  if (budget.Refused() > 0) log.Add(budget.LogLine());
}

void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines, const PreviewAction& preview,
                  const ClassRegisteredFn& isRegistered) {
  logLines.BeginUpdate();
  // Runs on every way out, also when a step or the preview raises: the
  // panes get what the load did up to the failure.
  auto load = std::make_unique<TFormLoad>();
  struct CleanUp {
    std::unique_ptr<TFormLoad>& load;
    TStrings& log;
    ~CleanUp() {
      load.reset();
      log.EndUpdate();
    }
  } cleanUp{load, logLines};
  struct Panes {
    TFormLoad& load;
    TStrings& source;
    TStrings& log;
    bool shown = false;
    void Show() {
      if (shown) return;
      shown = true;
      log.AddStrings(load.log);
      if (load.rewritten) source.Assign(load.source);
    }
    ~Panes() {
      try {
        Show();
      } catch (...) {
        // Out of memory while unwinding: the load's own error is the one to report.
      }
    }
  } panes{*load, sourceLines, logLines};
  LoadForm(path, *load, isRegistered);
  panes.Show();
  PreviewLoadedForm(*load, logLines, preview);
}

void LoadFormFile(const std::string& path, TStrings& sourceLines, TStrings& logLines, const PreviewAction& preview) {
  LoadFormFile(path, sourceLines, logLines, preview, IsRegisteredClass);
}

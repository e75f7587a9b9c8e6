#include "OpenProgram.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputDialog>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "controls/Forms.h"
#include "core/Exceptions.h"
#include "core/Streams.h"
#include "streaming/FormSource.h"
#include "streaming/ProgramResources.h"

std::function<int(const std::vector<std::string>& items)> PickProgramFormHook;

namespace {

int PickForm(const std::string& path, const std::vector<std::string>& items) {
  if (PickProgramFormHook) return PickProgramFormHook(items);
  QStringList list;
  for (const std::string& item : items) list << QString::fromStdString(item);
  bool ok = false;
  const QString chosen =
      QInputDialog::getItem(nullptr, "Tessaly", QString::fromStdString("Forms in " + path + ":"), list, 0, false, &ok);
  return ok ? int(list.indexOf(chosen)) : -1;
}

// Hands files dropped on the window to the open function.
class DropFilter : public QObject {
 public:
  DropFilter(QObject* parent, std::function<void(const std::string&)> open) : QObject(parent), open_(std::move(open)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
        return true;
      }
    } else if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      std::vector<std::string> files;
      for (const QUrl& url : drop->mimeData()->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
      drop->acceptProposedAction();
      for (const std::string& file : files) {
        try {
          open_(file);
        } catch (const std::exception& e) {
          Application->HandleException(e);
        }
      }
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(const std::string&)> open_;
};

}  // namespace

std::string ChooseFormToOpen(const std::string& path) {
  // Read as the load reads: a pipe or device is refused, never waited on.
  const std::string bytes = ReadRegularFile(path, kMaxFormSourceSize);
  if (!IsProgramFile(bytes)) return path;
  std::vector<TProgramForm> forms;
  try {
    forms = ReadProgramForms(bytes);
  } catch (const EInvalidImage& e) {
    throw EInvalidImage(path + ": " + e.what());
  }
  if (forms.size() == 1) return path + ":" + forms[0].name;
  std::vector<std::string> items;
  for (const TProgramForm& f : forms) items.push_back(f.name + "  " + f.rootClass + " " + f.rootName);
  const int picked = PickForm(path, items);
  if (picked < 0 || size_t(picked) >= forms.size()) return {};
  return path + ":" + forms[size_t(picked)].name;
}

void AcceptDroppedFiles(TCustomForm& form, std::function<void(const std::string& path)> open) {
  QWidget* window = form.Handle();
  window->setAcceptDrops(true);
  window->installEventFilter(new DropFilter(window, std::move(open)));
}

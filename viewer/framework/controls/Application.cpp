#include "Forms.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "ClassicLook.h"
#include "CodePageDetection.h"
#include "FontMapping.h"
#include "FormTitleBar.h"
#include "ScrollingArea.h"
#include "components/Reader.h"
#include "core/Exceptions.h"
#include "core/FormNode.h"
#include "core/Streams.h"
#include "streaming/Converters.h"

// ---------------------------------------------------------------------------
// TApplication

const TClassInfo& TApplication::StaticClassInfo() {
  static const TClassInfo info = ClassBuilder<TApplication>("TApplication", &TComponent::StaticClassInfo()).Build();
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}
TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (!qApp) {
    static int argc = 1;
    static char name[] = "tessaly";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    UseClassicLook();
  }
  // The program's icon resource, when it carries one, is every window's
  // icon unless the window has its own.
  if (QFile::exists(kMainIconResource)) QApplication::setWindowIcon(QIcon(kMainIconResource));
}

void TApplication::CreateForm(const TClassInfo& cls, TCustomForm*& reference) {
  if (!cls.componentFactory) throw EInvalidOperation("Class " + cls.Name() + " cannot be created");
  TComponent* c = cls.componentFactory(this);
  reference = dynamic_cast<TCustomForm*>(c);
  if (!reference) {
    delete c;
    throw EInvalidOperation("Class " + cls.Name() + " is not a form");
  }
  if (!mainForm_) mainForm_ = reference;
}

void TApplication::Run() {
  Initialize();
  running_ = true;
  if (mainForm_) mainForm_->Show();
  while (!terminated_ && mainForm_ && mainForm_->Visible()) {
    try {
      QApplication::exec();
    } catch (const std::exception& e) {
      HandleException(e);
      continue;
    }
    break;
  }
  running_ = false;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (qApp) QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() {
  if (qApp) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException)
    OnException(this, e);
  else
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
  std::string msg = e.what();
  if (!msg.empty() && msg.back() != '.') msg += '.';
  MessageBox(msg, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  TMessageBoxRequest req{text, caption.empty() ? title_ : caption, flags};
  if (MessageBoxHook) return MessageBoxHook(req);
  if (!qApp) return IDOK;
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(req.caption));
  box.setText(QString::fromStdString(req.text));
  switch (flags & 0xF0) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct B {
    QMessageBox::StandardButton qt;
    int id;
  };
  std::vector<B> buttons;
  switch (flags & 0x0F) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons set;
  for (auto& b : buttons) set |= b.qt;
  box.setStandardButtons(set);
  const int r = box.exec();
  for (auto& b : buttons)
    if (r == b.qt) return b.id;
  return buttons.size() > 1 ? IDCANCEL : IDOK;
}

void TApplication::FormClosed(TCustomForm* form) {
  if (form == mainForm_) Terminate();
}

void TApplication::FormDestroyed(TCustomForm* form) {
  if (form == mainForm_) mainForm_ = nullptr;
}

TApplication* Application = new TApplication(nullptr);

// Drives the real file dialog window that TOpenDialog::Execute shows: types
// a name into its file-name box, presses Return, answers any message box
// that appears with a given button and cancels the dialog if it stays open.
#pragma once

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

struct FileDialogRun {
  bool dialogShown = false;
  QStringList filterLabels;  // as the file-type box shows them
  QStringList messages;      // texts of the message boxes the dialog showed
  bool openAfterReturn = false;
};

// Schedules the script; call the code that runs the dialog right after.
// `run` must outlive that call. `beforeReturn` may act on the dialog
// (choose a filter ...) before the name is typed.
inline void ScriptFileDialog(
    FileDialogRun& run, const QString& typed, QMessageBox::StandardButton answer = QMessageBox::Ok,
    std::function<void(QFileDialog&)> beforeReturn = {}) {
  QTimer::singleShot(0, [&run, typed, answer, beforeReturn] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    run.dialogShown = true;
    if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo"))
      for (int i = 0; i < types->count(); ++i) run.filterLabels << types->itemText(i);
    if (beforeReturn) beforeReturn(*dialog);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (!name) return;
    // The box has the focus, as when a user types: the name typed then
    // replaces a name the dialog had selected in its list.
    dialog->activateWindow();
    QCoreApplication::processEvents();
    name->setFocus();
    name->setText(typed);
    // A message box opened by Return runs its own loop: answer it there.
    // The dialog is the timer's context, so the timer dies with it.
    QTimer::singleShot(0, dialog, [&run, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      run.messages << box->text();
      if (QAbstractButton* b = box->button(answer)) b->click();
    });
    QTest::keyClick(name, Qt::Key_Return);
    run.openAfterReturn = dialog->isVisible();
    if (run.openAfterReturn) dialog->reject();
  });
}

#include "ClassicLook.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "Graphics.h"

void UseClassicLook() {
  static bool done = false;
  if (done) return;
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return;
  done = true;
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) QApplication::setStyle(style);
  QApplication::setPalette(SystemColorsPalette());
}

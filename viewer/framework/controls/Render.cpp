#include "Render.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "Forms.h"

// Renders the width x height area of w whose top-left is origin, into an
// image whose (0, 0) is that corner.
static QImage RenderWidget(QWidget* w, int width, int height, QPoint origin = {0, 0}) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image.fill(Qt::white);
  // A window that was never shown renders once it is "shown" without
  // reaching the screen; it is hidden again afterwards.
  QWidget* window = w->window();
  const bool wasVisible = window->isVisible();
  const bool hadAttribute = window->testAttribute(Qt::WA_DontShowOnScreen);
  if (!wasVisible) {
    window->setAttribute(Qt::WA_DontShowOnScreen, true);
    window->show();
  }
  w->ensurePolished();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  w->render(&image, QPoint(0, 0), QRegion(origin.x(), origin.y(), width, height),
            QWidget::DrawWindowBackground | QWidget::DrawChildren);
  if (!wasVisible) {
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, hadAttribute);
  }
  QCoreApplication::sendPostedEvents();
  return image;
}

QImage RenderControl(TControl* control) {
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    QWidget* widget = w->Handle();
    if (auto* form = dynamic_cast<TCustomForm*>(control)) {
      // The client area only: a menu bar above it is not part of it.
      const TPoint o = form->WidgetClientOrigin();
      return RenderWidget(widget, form->ClientWidth(), form->ClientHeight(), QPoint(o.X, o.Y));
    }
    return RenderWidget(widget, w->Width(), w->Height());
  }
  TWinControl* parent = control->Parent();
  if (!parent) {
    QImage image(std::max(1, control->Width()), std::max(1, control->Height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
  }
  QImage whole = RenderControl(parent);
  return whole.copy(control->Left(), control->Top(), control->Width(), control->Height());
}

QImage RenderFormClient(TCustomForm* form) { return RenderControl(form); }

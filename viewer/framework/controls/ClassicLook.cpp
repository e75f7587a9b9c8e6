#include "ClassicLook.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>

#include "Graphics.h"

namespace {

// Qt's "Windows" style, except that a combo box whose field cannot be typed
// into (a drop-down list) shows the white field of an edit, as the classic
// system draws it, not the grey face of a button.
class TClassicStyle : public QProxyStyle {
 public:
  explicit TClassicStyle(QStyle* base) : QProxyStyle(base) {}

  void drawComplexControl(
      ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
      const QWidget* widget) const override {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || combo->editable) {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    // The field and its frame: the face brush is the field's colour; the
    // frame's inner bottom and right lines keep the face colour they take
    // from it.
    QStyleOptionComboBox field(*combo);
    field.palette.setBrush(QPalette::Button, combo->palette.brush(QPalette::Base));
    field.subControls &= ~SC_ComboBoxArrow;
    QProxyStyle::drawComplexControl(control, &field, painter, widget);
    if (combo->frame && (combo->subControls & SC_ComboBoxFrame)) {
      const QRect r = combo->rect;
      painter->save();
      painter->setPen(combo->palette.color(QPalette::Button));
      painter->drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
      painter->drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
      painter->restore();
    }
    // The button beside it, in the face colour.
    QStyleOptionComboBox arrow(*combo);
    arrow.subControls = combo->subControls & SC_ComboBoxArrow;
    if (arrow.subControls) QProxyStyle::drawComplexControl(control, &arrow, painter, widget);
  }
};

}  // namespace

void UseClassicLook() {
  static bool done = false;
  if (done) return;
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return;
  done = true;
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows")))
    QApplication::setStyle(new TClassicStyle(style));
  QApplication::setPalette(SystemColorsPalette());
}

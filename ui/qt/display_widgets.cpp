#include "ui/qt/display_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace molvane {

ClickableLabel::ClickableLabel(const QString& text, bool elide, QWidget* parent)
    : QLabel(text, parent), elide_(elide) {}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit activated(0);
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit activated(1);
    QLabel::mouseDoubleClickEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    if (!elide_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
    painter.drawText(contentsRect(), static_cast<int>(alignment()), shown);
}

KeyButton::KeyButton(const QString& text, QWidget* parent) : QPushButton(text, parent) { setFocusPolicy(Qt::NoFocus); }

}  // namespace molvane

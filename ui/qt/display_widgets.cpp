// SPDX-License-Identifier: MIT
#include "ui/qt/display_widgets.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "ui/command_ids.h"

namespace molvane {

namespace {

// The window's Enter accelerator would run the task before the open list saw
// the key: the list claims Enter for itself.
class ListKeepsEnter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) event->accept();
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

ClickableLabel::ClickableLabel(const QString& text, bool elide, QWidget* parent) : QLabel(text, parent), elide_(elide) {
    setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit activated(0);
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit activated(0);
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit activated(1);
    QLabel::mouseDoubleClickEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    if (elide_) {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
        painter.drawText(contentsRect(), static_cast<int>(alignment()), shown);
    } else {
        QLabel::paintEvent(event);
    }
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

KeyButton::KeyButton(const QString& text, QWidget* parent) : QPushButton(text, parent) { setFocusPolicy(Qt::TabFocus); }

RecentTasksBox::RecentTasksBox(QWidget* parent) : QComboBox(parent) {}

void RecentTasksBox::showPopup() {
    if (!listKeepsEnter_) {
        listKeepsEnter_ = new ListKeepsEnter(this);
        view()->installEventFilter(listKeepsEnter_);
    }
    QComboBox::showPopup();
    if (count() == 0) return;
    view()->setCurrentIndex(model()->index(0, modelColumn()));
    view()->scrollToTop();
}

// Alt+Down still opens the list.
void RecentTasksBox::keyPressEvent(QKeyEvent* event) {
    bool up = event->key() == Qt::Key_Up;
    if ((!up && event->key() != Qt::Key_Down) || (event->modifiers() & ~Qt::KeypadModifier)) {
        QComboBox::keyPressEvent(event);
        return;
    }
    emit recall(up ? RecallOlder : RecallNewer);
}

}  // namespace molvane

// SPDX-License-Identifier: MIT
#include "ui/qt/answer_announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace molvane {

namespace {

// Long enough for a screen reader busy with the other news of a task (the
// history's new line, the emptied input line) to come to this one.
constexpr int kShownMilliseconds = 3000;

QAccessibleInterface* announcerAccessibility(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("molvane::AnswerAnnouncer"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    if (className == QLatin1String("QWidget") && qobject_cast<AnswerAnnouncer*>(widget->parentWidget()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

void makeSilent(QWidget* widget) {
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setGeometry(0, 0, 0, 0);
}

}  // namespace

AnswerAnnouncer::AnswerAnnouncer(QWidget* answerLine) : QWidget(answerLine) {
    static const bool installed = [] {
        QAccessible::installFactory(announcerAccessibility);
        return true;
    }();
    (void)installed;
    makeSilent(this);
    notification_ = new QWidget(this);
    makeSilent(notification_);
    notification_->hide();
    quiet_.setSingleShot(true);
    quiet_.setInterval(kShownMilliseconds);
    connect(&quiet_, &QTimer::timeout, notification_, &QWidget::hide);
}

// The news is the appearing: a notification still on show from the last task
// goes first, so the same answer twice is said twice.
void AnswerAnnouncer::announce(const QString& text) {
    notification_->hide();
    notification_->setAccessibleName(text);
    notification_->show();
    quiet_.start();
}

}  // namespace molvane

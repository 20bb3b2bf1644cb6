// SPDX-License-Identifier: MIT
#include "ui/qt/accessible_display_line.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace molvane {

namespace {

// A label's own accessibility says its text as its name, which the layout's
// name replaces: the text must stay within reach, as the value.
class AccessibleDisplayLine : public QAccessibleWidget {
public:
    explicit AccessibleDisplayLine(QWidget* line) : QAccessibleWidget(line, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* displayLineAccessibility(const QString& className, QObject* object) {
    if (className == QLatin1String("molvane::ClickableLabel") && object && object->isWidgetType())
        return new AccessibleDisplayLine(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void installDisplayLineAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(displayLineAccessibility);
        return true;
    }();
    (void)installed;
}

}  // namespace molvane

// SPDX-License-Identifier: MIT
#include "ui/qt/about_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/about_texts.h"
#include "ui/qt/history_window.h"

namespace molvane {

QLabel* aboutIconLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QIcon icon = QApplication::windowIcon();
    // Without an SVG plugin the program's own icon cannot be drawn.
    if (icon.pixmap(32).isNull()) icon = parent->style()->standardIcon(QStyle::SP_MessageBoxInformation);
    label->setPixmap(icon.pixmap(32));
    return label;
}

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle("About Molvane");
    auto* grid = new QGridLayout(this);
    grid->addWidget(aboutIconLabel(this), 0, 0, 4, 1, Qt::AlignTop);
    const char* lines[] = {kProductLine, kEditionLine, kReleaseDate};
    for (int row = 0; row < 3; ++row) grid->addWidget(new QLabel(QString::fromUtf8(lines[row]), this), row, 1);
    grid->addWidget(webSiteLink(this), 3, 1);

    auto* ok = new QPushButton("&OK", this);
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(ok, 0, 2);
    grid->addWidget(cancel, 1, 2);

    auto* frame = new QGroupBox(this);
    auto* texts = new QVBoxLayout(frame);
    for (const char* text : kDescriptionLines) texts->addWidget(new QLabel(QString::fromUtf8(text), frame));
    texts->addSpacing(6);
    auto* notice = new QLabel(QString::fromUtf8(kDistributionNotice), frame);
    notice->setWordWrap(true);
    texts->addWidget(notice);
    grid->addWidget(frame, 4, 0, 1, 3);
    auto* rights = new QLabel(QString::fromUtf8(kRightsNotice), this);
    rights->setAlignment(Qt::AlignCenter);
    grid->addWidget(rights, 5, 0, 1, 3);
}

}  // namespace molvane

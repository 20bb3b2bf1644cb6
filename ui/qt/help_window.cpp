// SPDX-License-Identifier: MIT
#include "ui/qt/help_window.h"

#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/qt/history_window.h"
#include "ui/web_site.h"

namespace molvane {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle("Molvane Help");
    resize(640, 560);
    // Links inside the document move within it; the one link out is the web
    // site, opened by its fixed address.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.toString() == QString::fromLatin1(kWebSiteAddress)) {
            openWebSite();
        } else if (url.scheme() == "qrc") {
            browser_->scrollToAnchor(url.fragment());
        }
    });
    browser_->setSource(QUrl("qrc:/help/molvane-help.html"));
    // Esc closes it, as it closes every window beside the main one.
    new QShortcut(Qt::Key_Escape, this, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
}

}  // namespace molvane

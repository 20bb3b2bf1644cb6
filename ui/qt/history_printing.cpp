// SPDX-License-Identifier: MIT
#include "ui/qt/history_printing.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include "ui/print_layout.h"
#include "ui/qt/cp1252.h"

namespace molvane {

namespace {

QFont printFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

PageRange chosenRange(const QPrinter& printer) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1) return {};
    return {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
}

void drawPage(QPainter& painter, const PrintGeometry& geometry, int width, const PrintedPage& page) {
    for (std::size_t i = 0; i < page.lines.size(); ++i) {
        QRect line(geometry.left, geometry.top + geometry.lineHeight * static_cast<int>(i), width, geometry.lineHeight);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         fromEngineText(expandedTabs(page.lines[i])));
    }
}

}  // namespace

int paintHistory(QPrinter& printer, const std::string& text) {
    // Margins are measured from the paper's edge, not from the printable area.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    painter.setFont(printFont());
    QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    PrintGeometry geometry = printGeometry(paper.height(), printer.logicalDpiX(), printer.logicalDpiY(),
                                           painter.fontMetrics().lineSpacing());
    int width = std::max(1, paper.width() - 2 * geometry.left);
    std::vector<PrintedPage> pages = layOutPages(text, geometry.linesPerPage, chosenRange(printer));
    // Printers that cannot make copies themselves get the document again.
    int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    int drawn = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const PrintedPage& page : pages) {
            if (drawn > 0) printer.newPage();
            drawPage(painter, geometry, width, page);
            ++drawn;
        }
    }
    painter.end();
    return drawn;
}

QString printHistoryText(QWidget* owner, const std::string& documentName, const std::string& text, bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(fromEngineText(documentName));
    if (preview) {
        QPrintPreviewDialog dialog(&printer, owner);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&text](QPrinter* previewed) { paintHistory(*previewed, text); });
        dialog.exec();
        return {};
    }
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, 65535);
    if (dialog.exec() != QDialog::Accepted || paintHistory(printer, text) > 0) return {};
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

}  // namespace molvane

// SPDX-License-Identifier: MIT
// The history on paper: the print dialog, the preview and the drawing they share.
#pragma once

#include <QPrinter>
#include <string>

class QWidget;

namespace molvane {

// Draws the engine text `text` on `printer` as layOutPages lays it out, one
// inch from the paper's edges in a fixed-pitch font, honouring the printer's
// page range and copies. Returns the number of pages drawn; 0 when the
// printer could not be started.
int paintHistory(QPrinter& printer, const std::string& text);

// The print dialog (page range, copies) or the print preview, then the
// drawing. Returns the printer, or the file printed to, that could not be
// started; empty when the history was printed or the user cancelled.
QString printHistoryText(QWidget* owner, const std::string& documentName, const std::string& text, bool preview);

}  // namespace molvane

// The About box, and the texts it shares with the Number Format dialog.
#pragma once

#include <QDialog>
#include <QLabel>

namespace molvane {

inline constexpr const char* kRightsNotice = "\u00A9 2026 The Molvane developers";
inline constexpr const char* kDistributionNotice =
    "Free to use, copy and share. It comes with no warranty: check results that matter by other means.";

// The program's icon at dialog size.
QLabel* aboutIconLabel(QWidget* parent);

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
};

}  // namespace molvane

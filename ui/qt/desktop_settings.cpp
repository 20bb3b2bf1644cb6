// SPDX-License-Identifier: MIT
#include "ui/qt/desktop_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace molvane {

namespace {

// An INI file beside mvn.cfg in the user's configuration folder.
QSettings desktopSettings() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "molvane", "desktop"); }

QString folderKey(FileKind kind) { return kind == FileKind::TaskFile ? "folders/taskFiles" : "folders/savedHistory"; }

}  // namespace

QString lastFolder(FileKind kind) {
    QString folder = desktopSettings().value(folderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void rememberFolder(FileKind kind, const QString& chosenFile) {
    desktopSettings().setValue(folderKey(kind), QFileInfo(chosenFile).absolutePath());
}

int savedZoom() {
    int percent = desktopSettings().value("view/zoom", kZoomSmallest).toInt();
    percent = std::clamp(percent, kZoomSmallest, kZoomLargest);
    return percent - (percent - kZoomSmallest) % kZoomStep;
}

void saveZoom(int percent) { desktopSettings().setValue("view/zoom", percent); }

}  // namespace molvane

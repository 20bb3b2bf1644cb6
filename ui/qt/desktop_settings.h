// SPDX-License-Identifier: MIT
// What only the desktop program remembers between runs, kept apart from
// mvn.cfg (whose lines are shared with the other front ends): the folder last
// used for each kind of file and the zoom of the window.
#pragma once

#include <QString>

namespace molvane {

enum class FileKind { TaskFile, SavedHistory };

// The folder the last file of this kind was chosen in; the home folder at first,
// or when that folder has gone.
QString lastFolder(FileKind kind);
void rememberFolder(FileKind kind, const QString& chosenFile);

inline constexpr int kZoomSmallest = 100;
inline constexpr int kZoomLargest = 300;
inline constexpr int kZoomStep = 25;

// The window's zoom in percent, a step of kZoomStep between the two limits.
int savedZoom();
void saveZoom(int percent);

}  // namespace molvane

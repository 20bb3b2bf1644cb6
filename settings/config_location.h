// SPDX-License-Identifier: MIT
// Where the configuration file lives: the per-user configuration folder.
#pragma once

#include <filesystem>

namespace molvane {

// $XDG_CONFIG_HOME/molvane/mvn.cfg, or ~/.config/molvane/mvn.cfg on Linux;
// %APPDATA%\Molvane\mvn.cfg on Windows, unless a mvn.cfg stands next to the
// program; the user's application-data folder on macOS. The same place is read
// and written.
std::filesystem::path configurationFilePath();

#ifdef _WIN32
// The folder this program was started from; empty when Windows does not say.
std::filesystem::path programFolder();
#endif

}  // namespace molvane

// SPDX-License-Identifier: MIT
#include "settings/config_location.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace molvane {

namespace {

#ifndef _WIN32
// The file's own place inside the user's configuration folder.
std::filesystem::path inFolder(const std::filesystem::path& base) { return base / "molvane" / "mvn.cfg"; }

// An unset or empty variable is no value.
const char* environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// The home folder: $HOME, else the password database's entry for the user.
std::filesystem::path homeFolder() {
    if (const char* home = environmentValue("HOME")) return home;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
    return {};
}
#endif

}  // namespace

#ifdef _WIN32
std::filesystem::path programFolder() {
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) return std::filesystem::path(name.data(), name.data() + length).parent_path();
        name.resize(name.size() * 2);
    }
}
#endif

std::filesystem::path configurationFilePath() {
#if defined(_WIN32)
    // A mvn.cfg standing next to the program wins: a portable copy keeps its settings with it.
    std::filesystem::path folder = programFolder();
    std::error_code error;
    if (!folder.empty() && std::filesystem::is_regular_file(folder / "mvn.cfg", error)) return folder / "mvn.cfg";
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && *appData) {
        return std::filesystem::path(appData) / "Molvane" / "mvn.cfg";
    }
    return "mvn.cfg";
#elif defined(__APPLE__)
    std::filesystem::path home = homeFolder();
    if (home.empty()) return "mvn.cfg";
    return inFolder(home / "Library" / "Application Support");
#else
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    if (const char* configHome = environmentValue("XDG_CONFIG_HOME")) {
        std::filesystem::path folder(configHome);
        if (folder.is_absolute()) return inFolder(folder);
    }
    std::filesystem::path home = homeFolder();
    // With no home at all, the current folder is the one place left.
    if (home.empty()) return "mvn.cfg";
    return inFolder(home / ".config");
#endif
}

}  // namespace molvane

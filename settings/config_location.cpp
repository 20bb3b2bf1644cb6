#include "settings/config_location.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
namespace molvane {

#endif

namespace {

// The file's own place inside the user's configuration folder.
std::filesystem::path inFolder(const std::filesystem::path& base) { return base / "molvane" / "mvn.cfg"; }

// An unset or empty variable is no value.
const char* environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

#ifndef _WIN32
// The home folder: $HOME, else the password database's entry for the user.
std::filesystem::path homeFolder() {
    if (const char* home = environmentValue("HOME")) return home;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
    return {};
}
#endif

}  // namespace

std::filesystem::path configurationFilePath() {
#if defined(_WIN32)
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && *appData) return inFolder(appData);
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

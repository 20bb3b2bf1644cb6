// SPDX-License-Identifier: MIT
// The local date and time now, for the history header and the saved file's name.
#pragma once

#include <ctime>

namespace molvane {

inline std::tm localTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

}  // namespace molvane

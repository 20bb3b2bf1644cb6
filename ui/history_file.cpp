// SPDX-License-Identifier: MIT
#include "ui/history_file.h"

#include "session/encoding.h"
#include "ui/web_site.h"

namespace molvane {

std::string defaultHistoryFileName(const std::tm& date) {
    char name[81] = {};
    std::size_t length = std::strftime(name, sizeof(name), "mvn_%d%m%Y", &date);
    return std::string(name, length);
}

std::string savedHistoryBytes(std::string_view history) {
    if (history.empty()) return {};
    std::string bytes = cp1252ToUtf8(history);
    bytes += "\r\n=======================\r\nCalculated by Molvane\r\n";
    bytes += kWebSiteAddress;
    return bytes;
}

}  // namespace molvane

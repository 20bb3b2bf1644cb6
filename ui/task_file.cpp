// Open: every line of a text file run through the "=" button, as if typed.
#include "ui/task_file.h"

#include <fstream>
#include <iterator>

#include "ui/encoding.h"
#include "ui/line_ends.h"
#include "ui/window_logic.h"

namespace {

constexpr const char* kUnreadableFileMessage = "The task file could not be read.";

// Well-formed UTF-8 sequences only; the converter turns anything else into '?',
// which would spoil a Windows-1252 file that happens to hold a '\xD7'.
bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

std::string engineText(std::string_view bytes) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(byteOrderMark)) bytes.remove_prefix(byteOrderMark.size());
    if (isUtf8(bytes)) return utf8ToCp1252(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        if (c != '\0') text += c;
    }
    return text;
}

bool readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::vector<std::string> taskFileLines(std::string_view bytes) {
    std::string text = engineText(bytes);
    std::vector<std::string_view> lines = splitLines(text);
    return {lines.begin(), lines.end()};
}

void WindowLogic::loadTaskFile() {
    std::filesystem::path file = platform_.chooseFileToOpen();
    if (file.empty()) return;
    std::string bytes;
    // A folder opens as a stream on some systems and reads as nothing.
    if (std::filesystem::is_directory(file) || !readWholeFile(file, bytes)) {
        platform_.showErrorMessage(kMessageCaption, kUnreadableFileMessage);
        return;
    }
    runTaskLines(taskFileLines(bytes));
}

void WindowLogic::runTaskLines(const std::vector<std::string>& lines) {
    int total = static_cast<int>(lines.size());
    platform_.beginProgress("Running the tasks of the file...", total);
    for (int done = 0; done < total; ++done) {
        if (!platform_.reportProgress(done)) break;
        platform_.setInputText(lines[done]);
        dispatchCommand(EnterButton);
    }
    platform_.endProgress();
}

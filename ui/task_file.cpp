// Open: every line of a text file run through the "=" button, as if typed.
#include "ui/task_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "session/encoding.h"
#include "session/utf16_text.h"
#include "ui/failure_message.h"
#include "ui/line_ends.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const char* kUnreadableFileMessage = "The task file could not be read.";
constexpr const char* kNotRunMessage = "The task file was not run.";
constexpr const char* kNotTextReason = "It does not look like a text file.";

constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Windows' editors save "Unicode" text as UTF-16 under its byte-order mark.
std::u16string utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

bool isControlByte(char byte) {
    auto code = static_cast<unsigned char>(byte);
    return code < 0x20 || code == 0x7F;
}

// A text file has few control bytes besides its line ends and tabs; a picture
// or a program has many, and would run as thousands of tasks of garbage.
bool looksLikeText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LittleEndianMark) || bytes.starts_with(kUtf16BigEndianMark)) return true;
    std::size_t control = 0;
    for (char byte : bytes) control += isControlByte(byte) && byte != '\r' && byte != '\n' && byte != '\t';
    return control * 10 <= bytes.size();
}

// The five bytes that Windows-1252 leaves undefined stand for control characters too.
bool isCodePageGap(char byte) {
    auto code = static_cast<unsigned char>(byte);
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// The engine drops control characters (NUL, tabs, DEL); an edit control shows
// them as boxes, or worse, so a line goes into the input line without them.
std::string withoutControlCharacters(std::string_view line) {
    std::string kept;
    kept.reserve(line.size());
    for (char byte : line) {
        if (!isControlByte(byte) && !isCodePageGap(byte)) kept += byte;
    }
    return kept;
}

std::string engineText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LittleEndianMark) || bytes.starts_with(kUtf16BigEndianMark))
        return engineTextOfUtf16(utf16Units(bytes.substr(2), bytes.starts_with(kUtf16BigEndianMark)));
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(byteOrderMark)) bytes.remove_prefix(byteOrderMark.size());
    // Only well-formed UTF-8 is read as UTF-8: the converter turns anything else
    // into '?', which would spoil a Windows-1252 file that holds a '\xD7'. A
    // Windows-1252 file is read as its characters, as typed text is: its
    // middle dot joins a hydrate, its '\xB2' raises to the square.
    if (isWellFormedUtf8(bytes)) return utf8ToCp1252(bytes);
    return utf8ToCp1252(cp1252ToUtf8(bytes));
}

constexpr const char* kNotRegularFileReason = "It is not a regular file.";

// Only a regular file is opened: a named pipe or a device would block the
// window in the open call, and a folder reads as nothing.
std::string readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error) return error.message();
    if (!std::filesystem::is_regular_file(status)) return kNotRegularFileReason;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::generic_category().message(errno != 0 ? errno : EIO);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::generic_category().message(EIO);
    return {};
}

}  // namespace

std::vector<std::string> taskFileLines(std::string_view bytes) {
    std::string text = engineText(bytes);
    std::vector<std::string> lines;
    for (std::string_view line : splitLines(text)) lines.push_back(withoutControlCharacters(line));
    return lines;
}

void WindowLogic::loadTaskFile() {
    std::filesystem::path file = platform_.chooseFileToOpen();
    if (file.empty()) return;
    std::string bytes;
    std::string failure = readWholeFile(file, bytes);
    if (!failure.empty()) {
        platform_.showErrorMessage(kMessageCaption, fileFailureMessage(kUnreadableFileMessage, file, failure));
        return;
    }
    if (!looksLikeText(bytes)) {
        platform_.showErrorMessage(kMessageCaption, fileFailureMessage(kNotRunMessage, file, kNotTextReason));
        return;
    }
    runTaskLines(taskFileLines(bytes));
}

// The keys go back to the input line once, when the run ends: asked for after
// every line, they were taken from the progress window, or from another
// program the user had turned to, thousands of times a file.
void WindowLogic::runTaskLines(const std::vector<std::string>& lines) {
    int total = static_cast<int>(lines.size());
    platform_.beginProgress("Running the tasks of the file...", total);
    runningFile_ = true;
    for (int done = 0; done < total; ++done) {
        if (!platform_.reportProgress(done)) break;
        platform_.setInputText(lines[static_cast<std::size_t>(done)]);
        dispatchCommand(EnterButton);
    }
    runningFile_ = false;
    platform_.endProgress();
    platform_.focusInputLine();
}

}  // namespace molvane

// SPDX-License-Identifier: MIT
#include "settings/configuration.h"

#include <cstdio>

#include "engine/numbers.h"
#include "engine/text.h"
#include "settings/atomic_file.h"

namespace molvane {

const char* const kSaveFailedMessage =
    "ERROR - Save failed !\r\n\r\nNot able to save your configuration.\r\nThe destination directory is probably write "
    "protected.";

namespace {

// Gathers the bytes of one line at a time and runs each line that a line feed
// ends. A line too long for a task is dropped whole rather than cut, since a
// cut directive could mean something else than the one written.
class LineRunner {
public:
    LineRunner(CalcState& state, const ConfigurationCommandHandler& onCommand) : state_(state), onCommand_(onCommand) {}

    void feed(std::string_view bytes) {
        while (!bytes.empty()) {
            std::size_t end = bytes.find('\n');
            line_.append(bytes.substr(0, end));
            if (end == std::string_view::npos) return;
            runLine();
            bytes.remove_prefix(end + 1);
        }
    }

private:
    void runLine() {
        if (!line_.overflowed) {
            // A NUL ends the task's text there, as it would end a typed line.
            writeTextCut(state_.szTask, line_.view());
            int result = runTask(state_);
            if (isWindowOption(result) && onCommand_) onCommand_(result);
        }
        line_.clear();
    }

    CalcState& state_;
    const ConfigurationCommandHandler& onCommand_;
    FixedText<kTaskLimit> line_;
};

void appendInteger(std::string& text, std::int32_t value) { text.append(writeInteger(value).view()); }

const char* angleLine(std::int32_t angleUnit) {
    if (angleUnit == Degrees) return "#deg   = Set angle unit to degrees";
    if (angleUnit == Grads) return "#grad   = Set angle unit to grads";
    return "#rad   = Set angle unit to radians";
}

const char* numberModeLine(std::int32_t numberMode) {
    if (numberMode == Scientific) return "#sci   = Scientific mode for displaying numbers";
    if (numberMode == Fixed) return "#fix   = Fixed mode for displaying numbers";
    return "#auto  = Automatic mode for displaying numbers";
}

}  // namespace

void switchOnViewOption(ViewFlags& view, int command) {
    switch (command) {
        case OptionDisplayOnly: view.displayOnly = 1; break;
        case OptionAlwaysOnTop: view.alwaysOnTop = 1; break;
        case OptionHistoryVisible: view.historyVisible = 1; break;
        case OptionTaskNumbering: view.taskNumbering = 1; break;
        default: break;
    }
}

void applyConfigurationText(std::string_view bytes, CalcState& state, const ConfigurationCommandHandler& onCommand) {
    LineRunner runner(state, onCommand);
    runner.feed(bytes);
}

bool loadConfiguration(const std::filesystem::path& file, CalcState& state,
                       const ConfigurationCommandHandler& onCommand) {
    std::FILE* stream = nullptr;
#ifdef _WIN32
    stream = _wfopen(file.c_str(), L"rb");
#else
    stream = std::fopen(file.c_str(), "rb");
#endif
    if (!stream) return false;
    // Read in pieces: a huge or endless file never has to fit in memory.
    LineRunner runner(state, onCommand);
    char buffer[16384];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof(buffer), stream)) > 0) runner.feed({buffer, count});
    // A folder opens on some systems but cannot be read.
    bool readWhole = !std::ferror(stream);
    std::fclose(stream);
    return readWhole;
}

std::string configurationText(const CalcState& state, const ViewFlags& view) {
    const char* const banner = "==============================";
    std::string text;
    auto line = [&text](std::string_view content) {
        text.append(content);
        text.append("\r\n");
    };
    // Each section begins after a line of a single CR, so the bytes there are CR CR LF.
    line(banner);
    line("= CONFIGURATION FILE FOR MVN =");
    line(banner);
    line("\r");
    line("= CHANGES THE APPERANCE OF THE CALCULATOR =");
    if (view.displayOnly) line("#501   = Show display only");
    if (view.alwaysOnTop) line("#502   = Always on top");
    if (view.historyVisible) line("#503   = View history");
    if (view.taskNumbering) line("#504   = Task numbering");
    line("\r");
    line("= CHANGES THE UNIT OF ANGLE MEASUREMENT =");
    line(angleLine(state.angleUnit));
    line("\r");
    line("= CHANGES THE DISPLAYED NUMBER FORMATS =");
    line(numberModeLine(state.numberMode));
    text.append("#dec ");
    appendInteger(text, state.decimals);
    text.append(" = Round number to ");
    appendInteger(text, state.decimals);
    line(" decimal places");
    text.append("#dig ");
    appendInteger(text, state.digitGrouping);
    line(" = Use space as thousands separator (0 = OFF, 1 = ON)");
    text.append("#fun ");
    appendInteger(text, state.functionSeparator);
    line(" = Use colon (:) as function separator (0 = OFF, 1 = ON)");
    line(state.decimalComma == 1 ? "#comma = Use comma (,) as decimal separator"
                                 : "#dot   = Use dot (.) as decimal separator");
    line("\r");
    line("= END OF CONFIGURATION FILE  =");
    line(banner);
    return text;
}

bool saveConfiguration(const std::filesystem::path& file, const CalcState& state, const ViewFlags& view) {
    return !saveConfigurationReporting(file, state, view);
}

std::error_code saveConfigurationReporting(const std::filesystem::path& file, const CalcState& state,
                                           const ViewFlags& view) {
    // The per-user configuration folder is made at the first save.
    std::error_code error;
    if (!file.parent_path().empty()) std::filesystem::create_directories(file.parent_path(), error);
    if (error) return error;
    try {
        return replaceFileReporting(file, configurationText(state, view), writeAllBytes);
    } catch (...) {
        // Only an allocation can throw here; the old file is still whole.
        return std::make_error_code(std::errc::not_enough_memory);
    }
}

}  // namespace molvane

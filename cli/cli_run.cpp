// SPDX-License-Identifier: MIT
#include "cli/cli_run.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <system_error>

#include "molvane_version.h"
#include "settings/config_location.h"
#include "settings/configuration.h"

namespace molvane {

namespace {

constexpr const char* kProgram = "molvane-cli";

// However long a line is, only this much of it is kept: enough for any line
// the input line accepts in any encoding, so a line of a gigabyte costs no memory.
constexpr std::size_t kLineByteLimit = 64 * 1024;

// Cuts a stream into lines at LF, CR LF or a lone CR, as the desktop program's
// task files end them. A CR ends its line at once and an LF right after it is
// skipped on the next read, so a line from a pipe runs as soon as it arrives.
struct LineReader {
    std::istream& in;
    bool skipLineFeed = false;
};

// Reads one line into `line`; false at the end of the input. `tooLong` tells
// that the line passed kLineByteLimit and was not kept whole.
bool readLine(LineReader& reader, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buffer = reader.in.rdbuf();
    bool any = false;
    for (;;) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            reader.in.setstate(std::ios::eofbit);
            break;
        }
        bool skipped = reader.skipLineFeed && c == '\n';
        reader.skipLineFeed = false;
        if (skipped) continue;
        any = true;
        if (c == '\n') break;
        if (c == '\r') {
            reader.skipLineFeed = true;
            break;
        }
        if (line.size() < kLineByteLimit)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    return any;
}

// What the run has done so far, for its exit status.
struct RunState {
    CliSession session;
    bool anyFailed = false;
};

// Prints what one line gives. False when standard output can take no more.
bool printLine(RunState& run, const LineOutput& output, std::ostream& out, std::ostream& err, bool flush) {
    out << output.out;
    err << output.err;
    if (output.failed) run.anyFailed = true;
    if (flush) out.flush();
    return static_cast<bool>(out);
}

// Names arrive as UTF-8 on every platform; Windows opens files by their UTF-16 names.
std::filesystem::path pathFromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Runs every line of `in` as a task; a stream that is no regular file (a pipe,
// a terminal, a device) has each answer flushed as soon as it is known.
void runLines(RunState& run, std::istream& in, std::ostream& out, std::ostream& err, bool flushEachLine) {
    LineReader reader{in};
    std::string line;
    bool tooLong = false;
    while (readLine(reader, line, tooLong)) {
        LineOutput output = tooLong ? refuseLine(run.session) : runLine(run.session, line);
        if (!printLine(run, output, out, err, flushEachLine)) return;
    }
}

std::string helpAtTerminal() {
    return "Type a task and press Enter: 2+3, h2so4, 2sin30, x^2-3x+2 (a quadratic equation).\n"
           "'+' joins a hydrate (CuSO4+5H2O), '*' multiplies (2*3). The previous answer, the\n"
           "memory and the settings carry over; \"#deg\", \"#fix 4\", \"#mem\" change them.\n"
           "A line that begins with \"=\" is a comment. Up and Down recall earlier lines.\n"
           "quit, exit or Ctrl-D ends; molvane-cli --help and man molvane-cli tell more.\n";
}

// Lines typed at a terminal: "help", "quit" and "exit" are words only here,
// where no script can mean them as tasks.
void runTerminal(RunState& run, const TerminalReader& terminal, std::ostream& out, std::ostream& err) {
    out << kProgram << ' ' << MOLVANE_VERSION << " - Ctrl-D quits, help for help\n" << std::flush;
    std::string line;
    while (terminal(line)) {
        std::string_view word = line;
        while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
        while (!word.empty() && word.front() == ' ') word.remove_prefix(1);
        if (word == "quit" || word == "exit") return;
        if (word == "help") {
            out << helpAtTerminal() << std::flush;
            continue;
        }
        if (line.size() > kLineByteLimit) line.resize(kLineByteLimit);
        if (!printLine(run, runLine(run.session, line), out, err, true)) return;
    }
    out << '\n';
}

// Why a file cannot be read, as the system words it.
std::string whyUnreadable(const std::string& name) {
    std::error_code error;
    if (std::filesystem::is_directory(pathFromUtf8(name), error)) return "it is a directory";
    std::ifstream file(pathFromUtf8(name), std::ios::binary);
    if (!file) return std::generic_category().message(errno);
    return "reading failed";
}

// Runs the lines of a file, or of standard input for "-". False when the file
// cannot be read.
bool runFile(RunState& run, const std::string& name, std::istream& in, std::ostream& out, std::ostream& err) {
    if (name == "-") {
        runLines(run, in, out, err, true);
        return true;
    }
    std::error_code error;
    std::ifstream file(pathFromUtf8(name), std::ios::binary);
    if (!file || std::filesystem::is_directory(pathFromUtf8(name), error)) {
        err << kProgram << ": cannot read " << name << ": " << whyUnreadable(name) << '\n';
        return false;
    }
    runLines(run, file, out, err, !std::filesystem::is_regular_file(pathFromUtf8(name), error));
    if (file.bad()) {
        err << kProgram << ": reading " << name << " failed\n";
        return false;
    }
    return true;
}

// The view options are the desktop program's; the CLI keeps those the file had
// so that saving writes them back.
ConfigurationCommandHandler keepViewFlags(ViewFlags& view) {
    return [&view](int command) { switchOnViewOption(view, command); };
}

// The message box's CR LF line ends, as a terminal wants them.
std::string withLineFeeds(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

// Answers that never reached standard output (closed, or its disk full) must
// not pass for a run that worked. The stream keeps no cause: errno is gone by now.
int failedOutput(std::ostream& err) {
    err << kProgram << ": cannot write to standard output\n";
    return 1;
}

// A folder named by --config is the user's to make; only the per-user
// configuration folder is created when it is missing.
bool saveSettings(const CliOptions& options, const std::filesystem::path& file, const CalcState& state,
                  const ViewFlags& view) {
    std::error_code error;
    std::filesystem::path folder = file.parent_path();
    if (!options.configFile.empty() && !folder.empty() && !std::filesystem::is_directory(folder, error)) return false;
    return saveConfiguration(file, state, view);
}

}  // namespace

int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
           const TerminalReader& terminal) {
    if (!options.error.empty()) {
        err << kProgram << ": " << options.error << "\nTry '" << kProgram << " --help'.\n";
        return 2;
    }
    if (options.showHelp || options.showVersion) {
        out << (options.showHelp ? usageText() : std::string(kProgram) + ' ' + MOLVANE_VERSION + '\n') << std::flush;
        return out ? 0 : failedOutput(err);
    }

    // As the desktop program does when it starts its history: "ran" differs from run to run.
    seedRandomNumbers(static_cast<unsigned>(std::time(nullptr)));
    RunState run;
    run.session.format = options.format;
    run.session.showComposition = options.showComposition;
    ViewFlags view;
    std::filesystem::path configFile =
        options.configFile.empty() ? configurationFilePath() : pathFromUtf8(options.configFile);
    if (options.readConfig) {
        bool loaded = loadConfiguration(configFile, run.session.tasks.current, keepViewFlags(view));
        if (!loaded && !options.configFile.empty() && !options.saveConfig) {
            err << kProgram << ": cannot read " << options.configFile << ": " << whyUnreadable(options.configFile)
                << '\n';
            return 2;
        }
    }

    if (options.sources.empty()) {
        if (terminal) {
            runTerminal(run, terminal, out, err);
        } else {
            runLines(run, in, out, err, true);
        }
    }
    for (const TaskSource& source : options.sources) {
        if (!out) break;
        if (!source.isFile) {
            printLine(run, runLine(run.session, source.value), out, err, false);
        } else if (!runFile(run, source.value, in, out, err)) {
            out.flush();
            return 2;
        }
    }
    out.flush();
    if (!out) return failedOutput(err);

    if (options.saveConfig && !saveSettings(options, configFile, run.session.tasks.current, view)) {
        err << withLineFeeds(kSaveFailedMessage) << '\n';
        return 1;
    }
    return run.anyFailed ? 1 : 0;
}

int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err, bool interactive) {
    TerminalReader terminal;
    if (interactive) terminal = lineEditor("> ", terminalHistoryPath(), in, out);
    return runCli(options, in, out, err, terminal);
}

}  // namespace molvane

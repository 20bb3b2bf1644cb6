// SPDX-License-Identifier: MIT
#include "cli/cli_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string_view>
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

// Input is taken up to this much at a time, and answers leave once this much
// has gathered: one system call serves a thousand lines.
constexpr std::size_t kChunkBytes = 64 * 1024;

// Cuts a stream into lines at LF, CR LF or a lone CR, as the desktop program's
// task files end them. A CR ends its line at once and an LF right after it is
// skipped later, so a line from a pipe runs as soon as it arrives.
struct LineReader {
    std::streambuf& source;
    std::string held;       // taken from the stream; the bytes before `start` are handed out
    std::size_t start = 0;  // where the next line begins
    bool skipLineFeed = false;
    bool failed = false;  // the stream could not be read
};

// Takes more bytes from the stream; false at its end. When no byte is waiting
// (a pipe or a terminal that has given everything so far), `idle` runs before
// the wait: the answers of the lines before leave first, so a script that
// writes one task and waits for its answer gets it.
bool fillLineReader(LineReader& reader, const std::function<void()>& idle) {
    reader.held.erase(0, reader.start);
    reader.start = 0;
    try {
        std::streamsize waiting = reader.source.in_avail();
        if (waiting <= 0) {
            idle();
            if (std::char_traits<char>::eq_int_type(reader.source.sgetc(), std::char_traits<char>::eof())) return false;
            waiting = std::max<std::streamsize>(reader.source.in_avail(), 1);
        }
        std::size_t size = reader.held.size();
        reader.held.resize(size + std::min(static_cast<std::size_t>(waiting), kChunkBytes));
        std::streamsize got =
            reader.source.sgetn(reader.held.data() + size, static_cast<std::streamsize>(reader.held.size() - size));
        reader.held.resize(size + static_cast<std::size_t>(std::max<std::streamsize>(got, 0)));
        return got > 0;
    } catch (const std::ios_base::failure&) {
        reader.failed = true;
        return false;
    }
}

// Where the first LF or CR from `from` on lies, or the size of `bytes`. Eight
// bytes at a time skip where none is below 0x0E, the first byte after CR: such
// a byte would leave a high bit in (word - 0x0E0E..) & ~word.
std::size_t findLineEnd(std::string_view bytes, std::size_t from) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
    std::size_t i = from;
    for (;;) {
        for (; i + 8 <= bytes.size(); i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if (((word - kOnes * ('\r' + 1)) & ~word & kHighBits) != 0) break;
        }
        std::size_t stop = std::min(i + 8, bytes.size());
        for (; i < stop; ++i) {
            if (bytes[i] == '\n' || bytes[i] == '\r') return i;
        }
        if (i == bytes.size()) return i;
    }
}

// The next line; false at the end of the input. `tooLong` tells that the line
// passed kLineByteLimit and was not kept whole. The line lasts until the next call.
bool readLine(LineReader& reader, std::string_view& line, bool& tooLong, const std::function<void()>& idle) {
    tooLong = false;
    std::size_t scanned = reader.start;  // from `start` to here, no line ends
    for (;;) {
        std::string_view held = reader.held;
        if (reader.skipLineFeed && reader.start < held.size()) {
            reader.skipLineFeed = false;
            if (held[reader.start] == '\n') scanned = ++reader.start;
        }
        std::size_t end = findLineEnd(held, scanned);
        if (end < held.size()) {
            tooLong = tooLong || end - reader.start > kLineByteLimit;
            line = held.substr(reader.start, std::min(end - reader.start, kLineByteLimit));
            reader.skipLineFeed = held[end] == '\r';
            reader.start = end + 1;
            return true;
        }
        if (held.size() - reader.start > kLineByteLimit) {
            reader.held.resize(reader.start + kLineByteLimit);
            tooLong = true;
        }
        std::size_t kept = reader.start;
        scanned = reader.held.size() - kept;
        if (!fillLineReader(reader, idle)) {
            line = std::string_view(reader.held).substr(reader.start);
            reader.start = reader.held.size();
            return !line.empty() || tooLong;
        }
    }
}

// What the run has done so far, for its exit status, and the answers that
// wait to leave together.
struct RunState {
    CliSession session;
    LineOutput pending;
    bool anyFailed = false;
};

// Writes the answers that wait; `flush` hands them to the system at once.
// False when standard output can take no more.
bool deliver(RunState& run, std::ostream& out, bool flush) {
    out.write(run.pending.out.data(), static_cast<std::streamsize>(run.pending.out.size()));
    run.pending.out.clear();
    if (flush) out.flush();
    return static_cast<bool>(out);
}

// After a line: its messages go to standard error at once, after the answers
// before them, and answers leave once many wait. False when standard output
// can take no more.
bool finishLine(RunState& run, bool failed, std::ostream& out, std::ostream& err) {
    if (failed) run.anyFailed = true;
    if (!run.pending.err.empty()) {
        if (!deliver(run, out, true)) return false;
        err << run.pending.err;
        run.pending.err.clear();
    }
    if (run.pending.out.size() >= kChunkBytes) return deliver(run, out, false);
    return static_cast<bool>(out);
}

// Names arrive as UTF-8 on every platform; Windows opens files by their UTF-16 names.
std::filesystem::path pathFromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Runs every line of `in` as a task.
void runLines(RunState& run, std::istream& in, std::ostream& out, std::ostream& err) {
    LineReader reader{*in.rdbuf(), {}};
    std::function<void()> idle = [&run, &out] { deliver(run, out, true); };
    std::string_view line;
    bool tooLong = false;
    while (readLine(reader, line, tooLong, idle)) {
        bool failed = true;
        if (tooLong) {
            refuseLine(run.session, run.pending);
        } else {
            failed = runLine(run.session, line, run.pending);
        }
        if (!finishLine(run, failed, out, err)) return;
    }
    if (reader.failed) in.setstate(std::ios::badbit);
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
        bool failed = runLine(run.session, line, run.pending);
        // Typed at a terminal: its answer is awaited.
        if (!finishLine(run, failed, out, err) || !deliver(run, out, true)) return;
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

// Runs the lines of an open stream; false, with a message, when it fails as
// it is read.
bool runStream(RunState& run, std::istream& in, const std::string& name, std::ostream& out, std::ostream& err) {
    runLines(run, in, out, err);
    if (!in.bad()) return true;
    deliver(run, out, true);
    err << kProgram << ": reading " << name << " failed\n";
    return false;
}

// Runs the lines of a file, or of standard input for "-". False when the file
// cannot be read.
bool runFile(RunState& run, const std::string& name, std::istream& in, std::ostream& out, std::ostream& err) {
    if (name == "-") return runStream(run, in, "standard input", out, err);
    std::error_code error;
    std::ifstream file(pathFromUtf8(name), std::ios::binary);
    if (!file || std::filesystem::is_directory(pathFromUtf8(name), error)) {
        deliver(run, out, true);
        err << kProgram << ": cannot read " << name << ": " << whyUnreadable(name) << '\n';
        return false;
    }
    return runStream(run, file, name, out, err);
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
        } else if (!runFile(run, "-", in, out, err)) {
            return 2;
        }
    }
    for (const TaskSource& source : options.sources) {
        if (!out) break;
        if (!source.isFile) {
            finishLine(run, runLine(run.session, source.value, run.pending), out, err);
        } else if (!runFile(run, source.value, in, out, err)) {
            return 2;
        }
    }
    deliver(run, out, true);
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

#include "cli/cli_run.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <system_error>

#include "engine/functions.h"
#include "molvane_version.h"
#include "settings/config_location.h"
#include "settings/configuration.h"

namespace {

constexpr const char* kProgram = "molvane-cli";

// However long a line is, only this much of it is kept: enough for any line
// the input line accepts in any encoding, so a line of a gigabyte costs no memory.
constexpr std::size_t kLineByteLimit = 64 * 1024;

// Reads one line (LF or CR LF) into `line`; false at the end of the input.
// `tooLong` tells that the line passed kLineByteLimit and was not kept whole.
bool readLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    bool any = false;
    for (;;) {
        int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < kLineByteLimit)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

// Runs every line of `in` (LF or CR LF line ends) as a task.
void runLines(CliSession& session, std::istream& in, std::ostream& out, bool interactive) {
    std::string line;
    bool tooLong = false;
    for (;;) {
        if (interactive) out << "> " << std::flush;
        if (!readLine(in, line, tooLong)) break;
        out << (tooLong ? refuseLine(session) : runLine(session, line));
        if (interactive) out << std::flush;
    }
    if (interactive) out << '\n';
}

// Names arrive as UTF-8 on every platform; Windows opens files by their UTF-16 names.
std::filesystem::path pathFromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

bool runFile(CliSession& session, const std::string& name, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (std::filesystem::is_directory(pathFromUtf8(name), error)) {
        err << kProgram << ": cannot read " << name << ": it is a directory\n";
        return false;
    }
    std::ifstream file(pathFromUtf8(name), std::ios::binary);
    if (!file) {
        err << kProgram << ": cannot read " << name << ": " << std::generic_category().message(errno) << '\n';
        return false;
    }
    runLines(session, file, out, false);
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

}  // namespace

int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err, bool interactive) {
    if (!options.error.empty()) {
        err << kProgram << ": " << options.error << "\nTry '" << kProgram << " --help'.\n";
        return 2;
    }
    if (options.showHelp) {
        out << usageText();
        return 0;
    }
    if (options.showVersion) {
        out << kProgram << ' ' << MOLVANE_VERSION << '\n';
        return 0;
    }

    // As the desktop program does when it starts its history: "ran" differs from run to run.
    seedRandomGenerator(static_cast<unsigned>(std::time(nullptr)));
    CliSession session;
    session.format = options.format;
    ViewFlags view;
    std::filesystem::path configFile =
        options.configFile.empty() ? configurationFilePath() : pathFromUtf8(options.configFile);
    if (options.readConfig) {
        bool loaded = loadConfiguration(configFile, session.current, keepViewFlags(view));
        if (!loaded && !options.configFile.empty() && !options.saveConfig) {
            err << kProgram << ": cannot read " << options.configFile << '\n';
            return 2;
        }
    }

    if (options.sources.empty()) {
        runLines(session, in, out, interactive);
    }
    for (const TaskSource& source : options.sources) {
        if (!source.isFile) {
            out << runLine(session, source.value);
        } else if (!runFile(session, source.value, out, err)) {
            out.flush();
            return 2;
        }
    }
    out.flush();

    if (options.saveConfig && !saveConfiguration(configFile, session.current, view)) {
        err << withLineFeeds(kSaveFailedMessage) << '\n';
        return 1;
    }
    return 0;
}

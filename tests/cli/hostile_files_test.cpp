// Files nobody should feed a calculator: NUL bytes, broken UTF-8, megabyte lines,
// binary junk, folders and missing files. Each ends in a correct result or a
// clear message, and what the user had (memory, settings) survives.
// Configuration files of the same kinds are read in tests/settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "cli_helpers.h"
#include "session/encoding.h"
#include "tests/support/files.h"

using namespace molvane;

namespace fs = std::filesystem;

namespace {

// Deterministic junk: every byte value but the ones named in `without`.
std::string junk(std::size_t size, std::string_view without = "") {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        do c = static_cast<char>(random());
        while (without.find(c) != std::string_view::npos);
    }
    return bytes;
}

class HostileFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        writeFile(folder / name, bytes);
        return (folder / name).string();
    }

    TemporaryFolder temporary;
    fs::path folder = temporary.path();
};

}  // namespace

TEST_F(HostileFiles, TaskFilesEndInResultsOrMessages) {
    const std::string megabyte(1 << 20, '1');
    struct Row {
        const char* name;
        std::string bytes;
        const char* out;
        int status = 0;  // 1 when a line gave no answer
    };
    const Row rows[] = {
        {"NUL bytes are dropped", std::string("2+3\0\n1\0+2\n", 10), "2+3 = 5\n1+2 = 3\n"},
        {"broken UTF-8 is no character", "\xFF\xFE(2+3)\n\xC3(\n2\xE2\x82\n",
         "(2+3) = 5\n( = Missing right bracket ')'\n2 = 2\n", 1},
        {"a megabyte line is refused, the next runs", "4\n" + megabyte + "\n*2\n",
         "4 = 4\nExpression is too long !\n4*2 = 8\n", 1},
        {"a megabyte without a line end", megabyte, "Expression is too long !\n", 1},
        {"the memory outlives junk", "7\n#mem\n" + junk(4000, "#") + "\nmem*2\n", nullptr, 1},
        {"lone CR line ends, as the desktop's task files have them", "1\r2\r\n3\r\r4",
         "1 = 1\n2 = 2\n3 = 3\n\n4 = 4\n"},
        {"nothing but line ends", "\n\r\n\n", "\n\n\n"},
        {"an empty file", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CliResult run = runCliWith({"--no-config", "-f", write("tasks.txt", row.bytes)});
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, "");
        if (row.out) {
            EXPECT_EQ(run.out, row.out);
        } else {
            EXPECT_TRUE(run.out.ends_with("\n:mem*2 = 14\n")) << run.out;
        }
    }
}

TEST_F(HostileFiles, BinaryJunkGivesUtf8LinesOnly) {
    CliResult run = runCliWith({"--no-config", "-f", write("junk.bin", junk(256 * 1024))});
    EXPECT_EQ(run.status, 1) << "junk holds failing tasks";
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(isWellFormedUtf8(run.out));
    EXPECT_TRUE(run.out.ends_with('\n'));
    CliResult json = runCliWith({"--no-config", "--json", "-f", write("junk.bin", junk(64 * 1024))});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(isWellFormedUtf8(json.out));
}

TEST_F(HostileFiles, UnreadableSourcesStopWithAMessage) {
    const std::string missing = (folder / "vanished.txt").string();
    const std::string directory = folder.string();
    const std::string noFile = ": No such file or directory\n", isFolder = ": it is a directory\n";
    const std::tuple<std::vector<std::string>, const char*, std::string> rows[] = {
        {{"--no-config", "1+1", "-f", missing, "2+2"}, "1+1 = 2\n", missing + noFile},
        {{"--no-config", "1+1", "-f", directory, "2+2"}, "1+1 = 2\n", directory + isFolder},
        {{"--config", missing, "1+1"}, "", missing + noFile},
        {{"--config", directory, "1+1"}, "", directory + isFolder},
    };
    for (const auto& [arguments, out, reason] : rows) {
        SCOPED_TRACE(arguments[1] + " " + arguments[arguments.size() - 2]);
        CliResult run = runCliWith(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "molvane-cli: cannot read " + reason);
    }
}

// Paths of the settings module that the other suites leave untried: a temporary
// file left behind by an earlier process with the same id, and a user with no
// HOME in the environment.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "settings/config_location.h"
#include "settings/configuration.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeAll(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// Sets (or, with no value, unsets) an environment variable for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class StaleTemporary : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("molvane-stale-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        file = folder / "mvn.cfg";
        temporary = folder / ("mvn.cfg.tmp-" + std::to_string(::getpid()));
        writeAll(file, "old\r\n");
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder, file, temporary;
};

}  // namespace

TEST_F(StaleTemporary, IsReplacedWhenItCanBeRemoved) {
    writeAll(temporary, "left by a crash");
    CalcState state;
    state.angleUnit = Grads;
    ASSERT_TRUE(saveConfiguration(file, state, {}));
    EXPECT_EQ(readAll(file), configurationText(state, {}));
    EXPECT_FALSE(fs::exists(temporary));
}

TEST_F(StaleTemporary, ThatCannotBeRemovedFailsTheSaveCleanly) {
    // A folder in the temporary's place, with something in it, survives the removal.
    fs::create_directories(temporary / "inside");
    EXPECT_FALSE(saveConfiguration(file, CalcState{}, {}));
    EXPECT_EQ(readAll(file), "old\r\n");
    EXPECT_TRUE(fs::is_directory(temporary / "inside"));
}

TEST(ConfigurationFilePathWithoutHome, ComesFromThePasswordDatabase) {
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_TRUE(entry && entry->pw_dir && *entry->pw_dir);
    struct Row {
        const char* name;
        std::optional<std::string> home;
        std::optional<std::string> configHome;
        fs::path expected;
    };
    const Row rows[] = {
        {"HOME unset", std::nullopt, std::nullopt, fs::path(entry->pw_dir) / ".config/molvane/mvn.cfg"},
        {"HOME empty", "", "", fs::path(entry->pw_dir) / ".config/molvane/mvn.cfg"},
        {"relative XDG_CONFIG_HOME, no HOME", std::nullopt, "relative/config",
         fs::path(entry->pw_dir) / ".config/molvane/mvn.cfg"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScopedVariable home("HOME", row.home);
        ScopedVariable configHome("XDG_CONFIG_HOME", row.configHome);
        EXPECT_EQ(configurationFilePath(), row.expected);
    }
}

// SPDX-License-Identifier: MIT
#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <system_error>

#include "engine/numbers.h"

namespace molvane {

namespace {

// The few file calls that differ between POSIX and Windows.
#ifdef _WIN32
int openNew(const std::filesystem::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long writeSome(int descriptor, std::string_view bytes) {
    unsigned count = bytes.size() > 1u << 30 ? 1u << 30 : static_cast<unsigned>(bytes.size());
    return ::_write(descriptor, bytes.data(), count);
}
bool syncToDisk(int descriptor) { return ::_commit(descriptor) == 0; }
bool closeFile(int descriptor) { return ::_close(descriptor) == 0; }
int processId() { return ::_getpid(); }
#else
int openNew(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long writeSome(int descriptor, std::string_view bytes) { return ::write(descriptor, bytes.data(), bytes.size()); }
bool syncToDisk(int descriptor) { return ::fsync(descriptor) == 0; }
bool closeFile(int descriptor) { return ::close(descriptor) == 0; }
int processId() { return static_cast<int>(::getpid()); }
#endif

// Removes the temporary file on every way out that does not rename it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void keep() { kept_ = true; }

private:
    std::filesystem::path path_;
    bool kept_ = false;
};

// Creates the temporary file, unique to this process; a stale one left by a
// crash of an earlier process with the same id is replaced.
int createTemporary(const std::filesystem::path& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        int descriptor = openNew(path);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    return -1;
}

// After the rename, the folder's entry must reach the disk too.
void syncFolder(const std::filesystem::path& folder) {
#ifndef _WIN32
    int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
#else
    (void)folder;
#endif
}

std::string temporarySuffix() { return ".tmp-" + std::string(writeInteger(processId()).view()); }

}  // namespace

bool writeAllBytes(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        auto written = writeSome(descriptor, bytes);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::error_code replaceFileReporting(const std::filesystem::path& file, std::string_view bytes,
                                     const FileWriter& writeBytes) {
    auto lastError = [] { return std::error_code(errno != 0 ? errno : EIO, std::generic_category()); };
    std::error_code error;
    std::filesystem::path folder = file.parent_path();
    std::filesystem::path temporaryPath = file;
    temporaryPath += temporarySuffix();
    errno = 0;
    int descriptor = createTemporary(temporaryPath);
    if (descriptor < 0) return lastError();
    TemporaryFile temporary(temporaryPath);

    // The first failure is the one worth telling; closing still has to happen.
    errno = 0;
    if (!writeBytes || !writeBytes(descriptor, bytes)) error = lastError();
    errno = 0;
    if (!syncToDisk(descriptor) && !error) error = lastError();
    errno = 0;
    if (!closeFile(descriptor) && !error) error = lastError();
    if (error) return error;

    std::filesystem::rename(temporary.path(), file, error);
    if (error) return error;
    temporary.keep();
    syncFolder(folder);
    return {};
}

}  // namespace molvane

// The file system on POSIX, behaving as Windows does for the game's paths: backslashes
// separate, names match without regard to case, read-only files are neither written, replaced
// nor deleted (also for root, who is not stopped by the permission bits).
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/error.h"
#include "platform/filesystem.h"

namespace quillory {
namespace {

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isReadOnly(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

// The name within `dir` that matches `name` without regard to case, or `name` itself.
std::string matchInDirectory(const std::string& dir, const std::string& name) {
    const std::string full = dir + "/" + name;
    struct stat st;
    if (::lstat(full.c_str(), &st) == 0) {
        return name;
    }
    DIR* listing = ::opendir(dir.empty() ? "/" : dir.c_str());
    if (listing == nullptr) {
        return name;
    }
    std::string found = name;
    while (dirent* entry = ::readdir(listing)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(listing);
    return found;
}

// The real path of a game path: backslashes become slashes and each name takes the case
// it has on disk.
std::string resolve(const std::string& path) {
    std::string slashed = path;
    for (char& c : slashed) {
        if (c == '\\') {
            c = '/';
        }
    }
    std::string result;
    std::size_t start = 0;
    if (!slashed.empty() && slashed[0] == '/') {
        start = 1;
    } else {
        result = ".";
    }
    while (start <= slashed.size()) {
        std::size_t end = slashed.find('/', start);
        if (end == std::string::npos) {
            end = slashed.size();
        }
        const std::string name = slashed.substr(start, end - start);
        if (!name.empty()) {
            result += "/" + matchInDirectory(result, name);
        }
        start = end + 1;
    }
    return result.empty() ? "/" : result;
}

int codeOf(int err, const std::string& resolvedPath) {
    switch (err) {
        case ENOENT: {
            const std::size_t slash = resolvedPath.rfind('/');
            const std::string parent =
                slash == std::string::npos ? "." : resolvedPath.substr(0, slash);
            return parent.empty() || isDirectory(parent) ? kFileNotFound : kPathNotFound;
        }
        case ENOTDIR:
            return kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return kAccessDenied;
        case EMFILE:
        case ENFILE:
            return kTooManyOpenFiles;
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return kDiskFull;
        default:
            return err;
    }
}

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    std::size_t read(void* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                fail();
            }
        }
    }

    void write(const void* buffer, std::size_t size) override {
        const auto* bytes = static_cast<const char*>(buffer);
        while (size > 0) {
            const ssize_t put = ::write(fd_, bytes, size);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                fail();
            }
            if (put == 0) {
                throw Error(kDiskFull);
            }
            bytes += put;
            size -= static_cast<std::size_t>(put);
        }
    }

    void seek(std::uint64_t offset) override {
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
            fail();
        }
    }

    std::uint64_t length() override {
        struct stat st;
        if (::fstat(fd_, &st) != 0) {
            fail();
        }
        return static_cast<std::uint64_t>(st.st_size);
    }

    void flush() override {
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
            fail();
        }
    }

    void close() override {
        if (fd_ < 0) {
            return;
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) {
            fail();
        }
    }

private:
    [[noreturn]] void fail() { throw Error(codeOf(errno, path_)); }

    int fd_;
    std::string path_;
};

class PosixFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override {
        struct stat st;
        return ::stat(resolve(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
    }

    bool dirExists(const std::string& path) override { return isDirectory(resolve(path)); }

    bool createDirectory(const std::string& path) override {
        return ::mkdir(resolve(path).c_str(), 0777) == 0;
    }

    bool removeDirectory(const std::string& path) override {
        return ::rmdir(resolve(path).c_str()) == 0;
    }

    bool deleteFile(const std::string& path) override {
        const std::string real = resolve(path);
        return !isDirectory(real) && !isReadOnly(real) && ::unlink(real.c_str()) == 0;
    }

    std::unique_ptr<File> openRead(const std::string& path) override {
        const std::string real = resolve(path);
        if (isDirectory(real)) {
            throw Error(kAccessDenied);
        }
        const int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            throw Error(codeOf(errno, real));
        }
        return std::make_unique<PosixFile>(fd, real);
    }

    std::unique_ptr<File> create(const std::string& path) override {
        const std::string real = resolve(path);
        if (isReadOnly(real) || isDirectory(real)) {
            throw Error(kAccessDenied);
        }
        const int fd = ::open(real.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) {
            throw Error(codeOf(errno, real));
        }
        return std::make_unique<PosixFile>(fd, real);
    }

    void replace(const std::string& from, const std::string& target) override {
        const std::string realFrom = resolve(from);
        const std::string realTarget = resolve(target);
        if (isReadOnly(realTarget) || isDirectory(realTarget)) {
            throw Error(kAccessDenied);
        }
        if (::rename(realFrom.c_str(), realTarget.c_str()) != 0) {
            throw Error(codeOf(errno, realTarget));
        }
        syncDirectoryOf(realTarget);
    }

private:
    static void syncDirectoryOf(const std::string& path) {
        const std::size_t slash = path.rfind('/');
        const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
        const int fd = ::open(dir.empty() ? "/" : dir.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
};

}  // namespace

FileSystem& systemFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace quillory

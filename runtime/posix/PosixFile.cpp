#include "runtime/posix/PosixFile.h"

#include "runtime/Messages.h"
#include "runtime/SystemError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// Distinguishes the temporary files of one process; constant-initialised.
std::atomic<unsigned> TempCounter{0};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

TFileDescriptor::~TFileDescriptor() {
    if (FFd >= 0)
        ::close(FFd);
}

int TFileDescriptor::Close() {
    return ::close(std::exchange(FFd, -1));
}

TReadResult ReadWholeFile(const std::string& path) {
    const TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        const int error = errno;
        const bool missing = error == ENOENT || error == ENOTDIR;
        return {missing ? TReadStatus::Missing : TReadStatus::Unreadable, {}, error};
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        return {TReadStatus::Unreadable, {}, errno};
    if (S_ISDIR(info.st_mode))
        return {TReadStatus::Missing, {}, EISDIR};
    // Files are read once per use, straight into the result; stopping at the
    // size fstat gave saves the extra read that would only report the end of
    // the file. A file without a size (a pipe, a /proc file) is read to its
    // end.
    const auto expected = static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0);
    std::string bytes(expected > 0 ? expected : 4096, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (expected > 0)
                break;
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(file.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return {TReadStatus::Unreadable, {}, errno};
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return {TReadStatus::Read, std::move(bytes), 0, info.st_mtime};
}

std::string ReplaceWholeFile(const std::string& path, const std::string& bytes,
                             mode_t newFileMode) {
    std::string target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) == nullptr)
            return SystemErrorMessage(static_cast<unsigned long>(errno));
        target = resolved;
    }
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode))
        return Messages::NotARegularFile();

    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp.assign(dir).append("/.").append(base).append(".~");
        temp.append(std::to_string(::getpid())).append("-").append(std::to_string(TempCounter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
        if (fd < 0 && errno != EEXIST)
            return SystemErrorMessage(static_cast<unsigned long>(errno));
    }
    if (fd < 0)
        return Messages::NoTemporaryFileBeside();
    TFileDescriptor file(fd);
    auto fail = [&temp](int error) {
        ::unlink(temp.c_str());
        return SystemErrorMessage(static_cast<unsigned long>(error));
    };
    if (exists && ::fchmod(fd, info.st_mode & 07777) != 0)
        return fail(errno);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        return fail(errno);
    if (file.Close() != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    return {};
}

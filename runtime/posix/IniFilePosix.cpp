// TIniFile over our own reader and writer. The file is read and parsed once,
// on first use, and each read is answered from that parse. A write goes to
// disk at once, as the Windows routines do: the whole new text into a
// temporary file in the same folder, then renamed over the old file, so a
// failure never leaves the file half written.

#include "runtime/IniFile.h"

#include "runtime/IniFileErrors.h"
#include "runtime/IniText.h"
#include "runtime/posix/PosixPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now, for the caller to see the error a late write may report.
    int Close() { return ::close(std::exchange(FFd, -1)); }

private:
    int FFd;
};

enum class TReadStatus { Read, Missing, Unreadable };

struct TReadResult {
    TReadStatus Status;
    std::string Bytes;
    int Error;
};

TReadResult ReadWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const bool missing = error == ENOENT || error == ENOTDIR;
        return {missing ? TReadStatus::Missing : TReadStatus::Unreadable, {}, error};
    }
    TFileDescriptor file(fd);
    std::string bytes;
    struct stat info {};
    std::size_t expected = 0;
    const bool statted = ::fstat(fd, &info) == 0;
    // A folder is no file: it reads as a missing one, as with the Windows routines.
    if (statted && S_ISDIR(info.st_mode))
        return {TReadStatus::Missing, {}, EISDIR};
    if (statted && info.st_size > 0) {
        expected = static_cast<std::size_t>(info.st_size);
        bytes.reserve(expected);
    }
    char buffer[65536];
    // A shortcut is read once per load; stopping at the size fstat gave
    // saves the extra read that would only report the end of the file.
    while (expected == 0 || bytes.size() < expected) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return {TReadStatus::Unreadable, {}, errno};
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return {TReadStatus::Read, std::move(bytes), 0};
}

// Distinguishes the temporary files of one process; constant-initialised.
std::atomic<unsigned> TempCounter{0};

// Replaces the file at path with bytes; the reason on failure, else empty.
std::string ReplaceFile(const std::string& path, const std::string& bytes) {
    std::string target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // Write through the link, not over it.
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) == nullptr)
            return std::strerror(errno);
        target = resolved;
    }
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode))
        return "it is not a regular file";

    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp.assign(dir).append("/.").append(base).append(".~");
        temp.append(std::to_string(::getpid())).append("-").append(std::to_string(TempCounter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return std::strerror(errno);
    }
    if (fd < 0)
        return "no temporary file could be created beside it";
    TFileDescriptor file(fd);
    auto fail = [&temp](int error) {
        ::unlink(temp.c_str());
        return std::string(std::strerror(error));
    };
    if (exists)
        ::fchmod(fd, info.st_mode & 07777);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (file.Close() != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    return {};
}

} // namespace

struct TIniFile::Impl {
    bool Loaded = false;
    TReadResult Read{TReadStatus::Missing, {}, 0};
    TIniText Text;

    void Load(const std::string& fileName) {
        if (Loaded)
            return;
        Read = ReadWholeFile(ToPosixPath(fileName));
        Text = TIniText(std::move(Read.Bytes));
        Read.Bytes.clear();
        Loaded = true;
    }
};

TIniFile::TIniFile(std::string fileName)
    : FFileName(std::move(fileName)), FImpl(std::make_unique<Impl>()) {}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) {
    // An existing file that cannot be read must not read as one without
    // values; a missing file reads as an empty one.
    FImpl->Load(FFileName);
    if (FImpl->Read.Status == TReadStatus::Unreadable)
        throw IniReadError(FFileName, std::strerror(FImpl->Read.Error));
    std::optional<std::string> value = FImpl->Text.Find(section, ident);
    if (value)
        return std::move(*value);
    return def;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (std::string problem = TIniText::WriteProblem(section, ident, value); !problem.empty())
        throw IniWriteError(FFileName, problem);
    FImpl->Load(FFileName);
    // A file that exists but could not be read must not be replaced by one
    // that holds only this key.
    if (FImpl->Read.Status == TReadStatus::Unreadable)
        throw IniWriteError(FFileName,
                            std::string("it cannot be read: ") + std::strerror(FImpl->Read.Error));
    TIniText edited = FImpl->Text;
    edited.Write(section, ident, value);
    if (std::string reason = ReplaceFile(ToPosixPath(FFileName), edited.Bytes()); !reason.empty())
        throw IniWriteError(FFileName, reason);
    FImpl->Text = std::move(edited);
}

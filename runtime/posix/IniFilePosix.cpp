// TIniFile over our own reader and writer. The file is opened and read once,
// at the first query; whether it exists, its time and its values all come
// from that open file. A write goes to disk at once, as the Windows routines
// do, through ReplaceWholeFile, so a failure never leaves the file half
// written.

#include "runtime/IniFile.h"

#include "runtime/FileNames.h"
#include "runtime/IniFileErrors.h"
#include "runtime/IniText.h"
#include "runtime/SystemError.h"
#include "runtime/posix/PosixFile.h"
#include "runtime/posix/PosixFileTime.h"
#include "runtime/posix/PosixPath.h"

#include <utility>

struct TIniFile::Impl {
    bool Loaded = false;
    TReadResult Read{TReadStatus::Missing, {}, 0};
    TIniText Text;

    void Load(const std::string& fileName) {
        if (Loaded)
            return;
        Read = IsDeviceName(fileName) ? TReadResult{TReadStatus::Missing, {}, 0}
                                      : ReadWholeFile(ToPosixPath(fileName));
        Text = TIniText(std::move(Read.Bytes));
        Read.Bytes.clear();
        Loaded = true;
    }

    // An existing file that cannot be read must not read as one without
    // values; a missing file reads as an empty one.
    void LoadReadable(const std::string& fileName) {
        Load(fileName);
        if (Read.Status == TReadStatus::Unreadable)
            throw IniReadError(fileName,
                               SystemErrorMessage(static_cast<unsigned long>(Read.Error)));
    }
};

TIniFile::TIniFile(std::string fileName)
    : FFileName(std::move(fileName)), FImpl(std::make_unique<Impl>()) {}

TIniFile::~TIniFile() = default;

bool TIniFile::FileFound() {
    FImpl->LoadReadable(FFileName);
    return FImpl->Read.Status == TReadStatus::Read;
}

bool TIniFile::ModificationTime(TLocalTimeFields& time) {
    if (!FileFound())
        return false;
    time = LocalTimeFields(FImpl->Read.ModificationTime);
    return true;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& def) {
    FImpl->LoadReadable(FFileName);
    std::optional<std::string> value = FImpl->Text.Find(section, ident);
    if (value)
        return std::move(*value);
    return def;
}

std::optional<std::u16string> TIniFile::ReadUnicodeString(const std::string& section,
                                                          const std::string& ident) {
    FImpl->LoadReadable(FFileName);
    return FImpl->Text.FindUnicode(section, ident);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    if (std::string problem = TIniText::WriteProblem(section, ident, value); !problem.empty())
        throw IniWriteRefused(FFileName, problem);
    FImpl->Load(FFileName);
    // A file that exists but could not be read must not be replaced by one
    // that holds only this key.
    if (FImpl->Read.Status == TReadStatus::Unreadable)
        throw EIniFileException(Messages::FileUnreadableForWrite(
            FFileName, SystemErrorMessage(static_cast<unsigned long>(FImpl->Read.Error))));
    TIniText edited = FImpl->Text;
    edited.Write(section, ident, value);
    if (std::string reason = ReplaceWholeFile(ToPosixPath(FFileName), edited.Bytes(), 0666);
        !reason.empty())
        throw IniWriteError(FFileName, reason);
    // The next query reads the file as written, with its new time.
    FImpl->Loaded = false;
}

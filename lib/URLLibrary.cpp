#include "lib/URLLibrary.h"

#include "lib/UrlText.h"
#include "runtime/FileSystem.h"
#include "runtime/IniFile.h"
#include "runtime/Messages.h"

namespace {

constexpr char ShortcutSection[] = "InternetShortcut";
constexpr char URLKey[] = "URL";
// Where Windows keeps a URL with characters outside the ANSI code page whole.
constexpr char WideShortcutSection[] = "InternetShortcut.W";
constexpr char LogSection[] = "Log";
constexpr char CommentKey[] = "UserComment";
constexpr char LastVisitKey[] = "LastVisit";
constexpr char LastVisitPattern[] = "yy/mm/dd hh:nn";

// The last visit as the file has it; EConvertError saying which text could
// not be read, and how to mend the file, otherwise.
TDateTime ReadLastVisit(const std::string& text) {
    try {
        return StrToDateTime(text);
    } catch (const EConvertError&) {
        throw EConvertError(Messages::UnreadableLastVisit(text));
    }
}

} // namespace

TUrlFileData::TUrlFileData() {
    Revert();
}

void TUrlFileData::LoadFromFile(const std::string& path) {
    // One open of the file answers whether it exists, its date and its keys.
    TIniFile ini(path);
    if (ini.FileFound()) {
        URL = ini.ReadString(ShortcutSection, URLKey, "");
        if (!URL.empty())
            URL = ShortcutUrl(URL, ini.ReadString(WideShortcutSection, URLKey, ""),
                              ini.ReadUnicodeString(ShortcutSection, URLKey));
        Valid = !URL.empty();
        if (Valid) {
            Comment = ini.ReadString(LogSection, CommentKey, "");
            TLocalTimeFields time{};
            if (ini.ModificationTime(time))
                FileDateTime = FileTimeToDateTime(path, time);
            const std::string lastVisit = ini.ReadString(LogSection, LastVisitKey, "");
            HasLastVisit = !lastVisit.empty();
            if (HasLastVisit)
                LastVisit = ReadLastVisit(lastVisit);
        }
    } else {
        Valid = true;
    }
    FileName = path;
    if (Valid)
        Revert();
}

void TUrlFileData::Save() {
    if (!Valid || !Modified)
        return;
    URL = NewURL;
    Comment = NewComment;
    LastVisit = NewLastVisit;
    HasLastVisit = NewHasLastVisit;
    if (!FileExists(FileName))
        FileDateTime = Now();
    {
        TIniFile ini(FileName);
        ini.WriteString(ShortcutSection, URLKey, URL);
        ini.WriteString(LogSection, CommentKey, Comment);
        ini.WriteString(LogSection, LastVisitKey,
                        HasLastVisit ? FormatDateTime(LastVisitPattern, LastVisit) : std::string());
    }
    Modified = false;
}

void TUrlFileData::Revert() {
    Modified = false;
    NewURL = URL;
    NewComment = Comment;
    NewLastVisit = LastVisit;
    NewHasLastVisit = HasLastVisit;
}

void TUrlFileData::SetURL(const std::string& value) {
    NewURL = value;
    Modified = Modified || URL != NewURL;
}

void TUrlFileData::SetComment(const std::string& value) {
    NewComment = value;
    Modified = Modified || Comment != NewComment;
}

void TUrlFileData::SetLastVisit(TDateTime value) {
    NewLastVisit = value;
    Modified = Modified || LastVisit != NewLastVisit;
    NewHasLastVisit = true;
}

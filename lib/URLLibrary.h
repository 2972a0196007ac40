#pragma once
// TUrlFileData: the record of one Internet Shortcut file, with the stored
// values as read from (or written to) the file and a pending copy of the three
// editable ones (URL, comment, last visit).

#include "runtime/DateTime.h"
#include "runtime/Exception.h"

#include <string>

class TUrlFileData {
public:
    TUrlFileData();

    // Reads the file at path into the stored fields, opening it once. A path
    // with no file makes a valid record for a new shortcut; a file without a
    // URL an invalid one. A URL with characters outside the ANSI code page
    // is taken whole from the file's Unicode text or from
    // [InternetShortcut.W] (ShortcutUrl). Raises EIniFileException for a file
    // that exists but cannot be read, for a path that cannot be looked up and
    // for a name that several files match (see TIniFile::FileFound), and
    // EConvertError for a last visit that is no date and time.
    void LoadFromFile(const std::string& path);
    // Commits the pending values and writes them to FileName, only when the
    // record is valid and modified.
    void Save();
    // Discards the pending changes.
    void Revert();
    void SetURL(const std::string& value);
    void SetComment(const std::string& value);
    void SetLastVisit(TDateTime value);

    std::string FileName;
    std::string URL;
    std::string NewURL;
    TDateTime LastVisit = 0.0;
    TDateTime FileDateTime = 0.0;
    TDateTime NewLastVisit = 0.0;
    std::string Comment;
    std::string NewComment;
    bool HasLastVisit = false;
    bool NewHasLastVisit = false;
    bool Modified = false;
    bool Valid = false;
};

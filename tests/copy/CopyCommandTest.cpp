// The copy command from selection buffer to clipboard, on whichever runtime
// backend the build has (the posix stand-ins or the real Win32 calls).

#include "copy/CopyCommand.h"
#include "copy/SelectionBuffer.h"
#include "runtime/Clipboard.h"
#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "tests/common/ExpectThrow.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"
#include "tests/common/ShortcutText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "runtime/posix/ClipboardStandIn.h"
#endif

namespace {

constexpr const char* Sentinel = "clipboard before the copy";

void Copy(const std::vector<std::string>& paths) {
    const std::string buffer = SelectionBuffer(paths);
    RunCopyCommand(buffer.data(), static_cast<std::int32_t>(buffer.size()));
}

class CopyCommandTest : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        ClipboardStandIn::Reset();
#endif
        Clipboard().SetAsText(Sentinel);
    }

    // Files named after their titles, so %p shows which entry a line is.
    std::string Shortcut(const std::string& title, const std::string& text) {
        return Folder.Write(title + ".url", text);
    }

    TScratchFolder Folder;
    TScratchRegistry Store{{}, StoredFormatValue()};
};

TEST_F(CopyCommandTest, DefaultFormatGivesOneLinePerShortcutInSelectionOrder) {
    const std::string c = Shortcut("Charlie", ShortcutText("https://c.example/"));
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/?q=1&r=2"));
    const std::string b =
        Shortcut("Bravo", ShortcutText("https://b.example/", "note", "24/03/15 21:40"));
    Copy({c, a, b});
    EXPECT_EQ(Clipboard().AsText(), "Charlie : https://c.example/\r\n"
                                    "Alpha : https://a.example/?q=1&r=2\r\n"
                                    "Bravo : https://b.example/\r\n");
}

TEST_F(CopyCommandTest, PathSelectedTwiceIsCopiedTwice) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string b = Shortcut("Bravo", ShortcutText("https://b.example/"));
    Copy({a, b, a});
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n"
                                    "Bravo : https://b.example/\r\n"
                                    "Alpha : https://a.example/\r\n");
}

TEST_F(CopyCommandTest, AddsNoSeparatorOfItsOwn) {
    SaveFormat("[%p]");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string b = Shortcut("Bravo", ShortcutText("https://b.example/"));
    Copy({a, b});
    EXPECT_EQ(Clipboard().AsText(), "[Alpha][Bravo]");
}

TEST_F(CopyCommandTest, EmptySelectionLeavesTheClipboardAlone) {
    RunCopyCommand(nullptr, 0);
    const std::string onlyNul(1, '\0');
    RunCopyCommand(onlyNul.data(), 1);
    RunCopyCommand(onlyNul.data(), -5);
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
#ifndef _WIN32
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 1);
#endif
}

TEST_F(CopyCommandTest, EmptyExpansionLeavesTheClipboardAlone) {
    SaveFormat("%x%1");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    Copy({a, a});
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
#ifndef _WIN32
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 1);
#endif
}

TEST_F(CopyCommandTest, InvalidFormatRaisesTheFormatErrorAndLeavesTheClipboardAlone) {
    SaveFormat("%u%2d");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    ExpectThrowMessage<EConvertError>([&] { Copy({a, a}); }, "書式文字列が不正です\r\n%u%2d");
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

TEST_F(CopyCommandTest, UnreadableLastVisitEndsTheCommandNamingTheFile) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string bad = Shortcut("Bad", ShortcutText("https://bad.example/", "", "not a date"));
    // The message quotes the text as the file has it; the path selected is
    // its last line.
    ExpectThrowMessage<EConvertError>(
        [&] {
            Copy({a, bad, a});
        },
        Messages::UnreadableLastVisit("not a date") + "\r\n" + bad);
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

TEST_F(CopyCommandTest, ShortcutThatExistsButCannotBeOpenedEndsTheCommandNamingTheFile) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string held = Shortcut("Held", ShortcutText("https://held.example/"));
    const TUnreadableFile lock(held);
    ExpectThrowMessageWithSystemText<EIniFileException>(
        [&] {
            Copy({a, held, a});
        },
        Messages::FileReadFailed(held, {}) + "\r\n" + held);
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

TEST_F(CopyCommandTest, ReadsTheFormatOnEveryCallEvenForAnEmptySelection) {
    DamageStoredFormat(Store);
    EXPECT_ANY_THROW(RunCopyCommand(nullptr, 0));
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

TEST_F(CopyCommandTest, FormatSavedBetweenTwoCallsAppliesToTheSecond) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/", "first pick"));
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n");
    SaveFormat("%c <%u>%z");
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "first pick <https://a.example/>\r\n");
}

TEST_F(CopyCommandTest, EachEntryStartsFromAnEmptyRecord) {
    SaveFormat("%p|%u|%c|%v %a|%1f%z");
    const std::string full =
        Shortcut("Full", ShortcutText("https://full.example/", "kept", "24/03/15 21:40"));
    const std::string missing = Folder.Path() + "Missing.url";
    const std::string noUrl =
        Shortcut("NoUrl", "[InternetShortcut]\r\nIconIndex=0\r\n[Log]\r\nUserComment=x\r\n");
    const std::string noVisit = Shortcut("NoVisit", ShortcutText("https://novisit.example/"));
    Copy({full, missing, full, noUrl, full, noVisit});
    const std::string fullLine = "Full|https://full.example/|kept|2024/03/15 21:40:00|Full.url\r\n";
    EXPECT_EQ(Clipboard().AsText(),
              fullLine + "Missing|||1899/12/30 00:00:00|Missing.url\r\n" + fullLine +
                  "NoUrl|||1899/12/30 00:00:00|NoUrl.url\r\n" + fullLine +
                  "NoVisit|https://novisit.example/||1899/12/30 00:00:00|NoVisit.url\r\n");
}

TEST_F(CopyCommandTest, MissingFileShowsItsOwnNameAndFolder) {
    SaveFormat("%p;%1f;%2f%z");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string gone = Folder.Path() + "Gone.url";
    Copy({a, gone});
    const std::string folder = Folder.Path().substr(0, Folder.Path().size() - 1);
    EXPECT_EQ(Clipboard().AsText(),
              "Alpha;Alpha.url;" + folder + "\r\nGone;Gone.url;" + folder + "\r\n");
}

// A device name is never opened (a serial port can block the reader), even
// where a file of that name exists: such a path has no file.
TEST_F(CopyCommandTest, DeviceNamesAreEntriesWithoutAFile) {
    SaveFormat("%u|%1f%z");
    const std::string names[] = {"CON.url",     "nul",   "Com1 .url",   "lpt9.url",
                                 "aux.txt.url", "PRN..", "CONSOLE.url", "COM10.url"};
    std::vector<std::string> selection;
    for (const std::string& name : names) {
        const std::string text = ShortcutText("https://" + name + ".example/");
#ifdef _WIN32
        // Only the "\\?\" form creates a file of such a name.
        WriteBytesWide(WideExtendedPath(Folder.Path()) + std::wstring(name.begin(), name.end()),
                       text);
        selection.push_back(Folder.Path() + name);
#else
        selection.push_back(Folder.Write(name, text));
#endif
    }
    Copy(selection);
    EXPECT_EQ(Clipboard().AsText(),
              "|CON.url\r\n|nul\r\n|Com1 .url\r\n|lpt9.url\r\n|aux.txt.url\r\n"
              "|PRN..\r\nhttps://CONSOLE.url.example/|CONSOLE.url\r\n"
              "https://COM10.url.example/|COM10.url\r\n");
}

#ifdef _WIN32
TEST_F(CopyCommandTest, BareFileNameReadsTheFileInTheCurrentFolder) {
    // The private-profile routines would look for a bare name in the Windows
    // folder; the file whose existence and date were checked is this one.
    char windows[MAX_PATH + 1] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    const std::string decoy = std::string(windows) + "\\pell-bare-name.url";
    const std::string decoyText = ShortcutText("https://windows-folder.example/");
    WriteBytes(decoy, decoyText);
    Shortcut("pell-bare-name", ShortcutText("https://current-folder.example/", "here"));
    SaveFormat("%p|%u|%c%z");
    {
        const TCurrentFolder inFolder(Folder.Path());
        Copy({"pell-bare-name.url"});
    }
    RemoveFile(decoy);
    EXPECT_EQ(Clipboard().AsText(), "pell-bare-name|https://current-folder.example/|here\r\n");
}

// Creates the folders of a path below the scratch folder by their wide names.
void CreateFolders(const std::string& base, const std::vector<std::string>& folders) {
    std::string path = base;
    for (const std::string& folder : folders)
        CreateFolderWide(WideExtendedPath(path += folder + "\\"));
}

// The ANSI file functions stop at MAX_PATH bytes; such a shortcut is read
// through the wide form of its path, also when the host gives it in the
// "\\?\" form, and a file held there is still named in the error.
TEST_F(CopyCommandTest, ShortcutBeyondMaxPathIsReadByItsWideName) {
    SaveFormat("%u|%1f%z");
    // 328 bytes in all; "表" ends in the byte 0x5C.
    std::vector<std::string> folders = {"表示"};
    std::size_t length = Folder.Path().size() + 5 + std::string("long.url").size();
    for (; length + 101 < 328; length += 101)
        folders.push_back(std::string(100, 'd'));
    folders.push_back(std::string(328 - length - 1, 'e'));
    CreateFolders(Folder.Path(), folders);
    std::string dir = Folder.Path();
    for (const std::string& folder : folders)
        dir += folder + "\\";
    const std::string path = dir + "long.url";
    ASSERT_EQ(path.size(), 328u);
    WriteBytesWide(WideExtendedPath(path), ShortcutText("https://long.example/"));
    WriteBytesWide(WideExtendedPath(dir + "held.url"), ShortcutText("https://held.example/"));

    Copy({path, "\\\\?\\" + path, dir + "gone.url"});
    EXPECT_EQ(Clipboard().AsText(),
              "https://long.example/|long.url\r\nhttps://long.example/|long.url\r\n|gone.url\r\n");

    const TUnreadableFile lock(dir + "held.url");
    ExpectThrowMessage<EIniFileException>(
        [&] { Copy({dir + "held.url"}); },
        Messages::FileReadFailed(dir + "held.url", SystemErrorMessage(ERROR_SHARING_VIOLATION)) +
            "\r\n" + dir + "held.url");
}

// The host lists favorites with the ANSI file functions, which show each
// character that code page 932 lacks by its best fit (under Wine: "é" as "e",
// "·" as "・") or as '?' ("–", Korean, and an emoji as "??"). Each path as the
// host lists it finds its file; a form that matches no file is an entry
// without a file, and %1f keeps the name as the host gave it.
TEST_F(CopyCommandTest, NamesOutsideTheCodePageFindTheirFile) {
    SaveFormat("%u|%1f%z");
    struct TRow {
        const wchar_t* Folder; // empty: the file lies in the row's own folder
        const wchar_t* File;
    };
    const TRow rows[] = {
        {L"", L"caf\u00E9 guide.url"},  {L"", L"2020\u20132024.url"},
        {L"", L"a\u00B7b.url"},         {L"", L"\uD55C\uAD6D\uC5B4 \uB274\uC2A4.url"},
        {L"", L"\U0001F363 sushi.url"}, {L"Caf\u00E9 \u2013 \uD55C", L"inner.url"},
    };
    std::vector<std::string> selection;
    std::string expected;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const std::string dir = Folder.Path() + std::to_string(i) + "\\";
        const std::wstring wideDir = WideExtendedPath(dir);
        const std::string url = "https://" + std::to_string(i) + ".example/";
        CreateFolderWide(wideDir);
        std::string host;
        if (*rows[i].Folder == L'\0') {
            WriteBytesWide(wideDir + rows[i].File, ShortcutText(url));
            host = dir + AnsiListing(dir).at(0);
        } else {
            CreateFolderWide(wideDir + rows[i].Folder);
            WriteBytesWide(wideDir + rows[i].Folder + L"\\" + rows[i].File, ShortcutText(url));
            host = dir + AnsiListing(dir).at(0) + "\\inner.url";
        }
        selection.push_back(host);
        expected += url + "|" + host.substr(host.rfind('\\') + 1) + "\r\n";
    }
    selection.push_back(Folder.Path() + "0\\caf? guide.url");
    selection.push_back(Folder.Path() + "0\\cafe gone.url");
    expected += "|caf? guide.url\r\n|cafe gone.url\r\n";
    Copy(selection);
    EXPECT_EQ(Clipboard().AsText(), expected);
}

// Two files that the host lists under one name: which one is meant cannot be
// told, and copying either would be silently wrong.
TEST_F(CopyCommandTest, NameThatSeveralFilesMatchEndsTheCommand) {
    const std::wstring pairs[][2] = {{L"\uD55C.url", L"\uAD6D.url"},
                                     {L"caf\u00E9.url", L"caf\u00E8.url"}};
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        const std::string dir = Folder.Path() + "pair" + std::to_string(i) + "\\";
        CreateFolderWide(WideExtendedPath(dir));
        for (const std::wstring& name : pairs[i])
            WriteBytesWide(WideExtendedPath(dir) + name, ShortcutText("https://pair.example/"));
        const std::vector<std::string> listed = AnsiListing(dir);
        ASSERT_EQ(listed.size(), 2u);
        ASSERT_EQ(listed[0], listed[1]);
        const std::string path = dir + listed[0];
        ExpectThrowMessage<EIniFileException>([&] { Copy({path}); },
                                              Messages::AmbiguousFileName(path) + "\r\n" + path);
    }
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

// Only "file not found" and "path not found" mean that no file is there; a
// name the system refuses ends the command with an error naming the path.
TEST_F(CopyCommandTest, PathThatCannotBeLookedUpEndsTheCommand) {
    for (const char* name : {"a|b.url", "a<b.url", "a\"b.url"}) {
        const std::string path = Folder.Path() + name;
        ExpectThrowMessageWithSystemText<EIniFileException>(
            [&] { Copy({path}); }, Messages::FileLookupFailed(path, {}) + "\r\n" + path);
    }
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}
#else
TEST_F(CopyCommandTest, ClipboardThatCannotBeOpenedPassesTheErrorOn) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    ClipboardStandIn::FailNextOpens(ClipboardOpenAttempts);
    EXPECT_THROW(Copy({a}), EClipboardException);
    EXPECT_EQ(ClipboardStandIn::Text(), Sentinel);
}
#endif

} // namespace

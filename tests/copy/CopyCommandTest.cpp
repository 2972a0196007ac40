// The copy command from selection buffer to clipboard, on whichever runtime
// backend the build has (the posix stand-ins or the real Win32 calls).

#include "copy/CopyCommand.h"
#include "copy/SelectionBuffer.h"
#include "runtime/Clipboard.h"
#include "runtime/Exception.h"
#include "tests/common/Files.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"
#include "tests/common/ShortcutText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "runtime/ClipboardStandIn.h"
#endif

namespace {

constexpr const char* kSentinel = "clipboard before the copy";

void Copy(const std::vector<std::string>& paths) {
    const std::string buffer = SelectionBuffer(paths);
    RunCopyCommand(buffer.data(), static_cast<std::int32_t>(buffer.size()));
}

class CopyCommand : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        ClipboardStandIn::Reset();
#endif
        Clipboard().SetAsText(kSentinel);
    }

    // Files named after their titles, so %p shows which entry a line is.
    std::string Shortcut(const std::string& title, const std::string& text) {
        return Folder.Write(title + ".url", text);
    }

    TScratchFolder Folder;
    TScratchRegistry Store{{}, StoredFormatValue()};
};

TEST_F(CopyCommand, DefaultFormatGivesOneLinePerShortcutInSelectionOrder) {
    const std::string c = Shortcut("Charlie", ShortcutText("https://c.example/"));
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/?q=1&r=2"));
    const std::string b =
        Shortcut("Bravo", ShortcutText("https://b.example/", "note", "24/03/15 21:40"));
    Copy({c, a, b});
    EXPECT_EQ(Clipboard().AsText(), "Charlie : https://c.example/\r\n"
                                    "Alpha : https://a.example/?q=1&r=2\r\n"
                                    "Bravo : https://b.example/\r\n");
}

TEST_F(CopyCommand, PathSelectedTwiceIsCopiedTwice) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string b = Shortcut("Bravo", ShortcutText("https://b.example/"));
    Copy({a, b, a});
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n"
                                    "Bravo : https://b.example/\r\n"
                                    "Alpha : https://a.example/\r\n");
}

TEST_F(CopyCommand, AddsNoSeparatorOfItsOwn) {
    SaveFormat("[%p]");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string b = Shortcut("Bravo", ShortcutText("https://b.example/"));
    Copy({a, b});
    EXPECT_EQ(Clipboard().AsText(), "[Alpha][Bravo]");
}

TEST_F(CopyCommand, EmptySelectionLeavesTheClipboardAlone) {
    RunCopyCommand(nullptr, 0);
    const std::string onlyNul(1, '\0');
    RunCopyCommand(onlyNul.data(), 1);
    RunCopyCommand(onlyNul.data(), -5);
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
#ifndef _WIN32
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 1);
#endif
}

TEST_F(CopyCommand, EmptyExpansionLeavesTheClipboardAlone) {
    SaveFormat("%x%1");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    Copy({a, a});
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
#ifndef _WIN32
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 1);
#endif
}

TEST_F(CopyCommand, InvalidFormatRaisesTheFormatErrorAndLeavesTheClipboardAlone) {
    SaveFormat("%u%2d");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    try {
        Copy({a, a});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "書式文字列が不正です\r\n%u%2d");
    }
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, UnreadableLastVisitEndsTheCommandNamingTheFile) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string bad = Shortcut("Bad", ShortcutText("https://bad.example/", "", "not a date"));
    try {
        Copy({a, bad, a});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'not a date' is not a valid date and time\r\n" + bad);
    }
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, ShortcutThatExistsButCannotBeOpenedEndsTheCommandNamingTheFile) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string held = Shortcut("Held", ShortcutText("https://held.example/"));
    const TUnreadableFile lock(held);
    try {
        Copy({a, held, a});
        FAIL() << "an unreadable shortcut was copied as one without a URL";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message.rfind("Cannot read the file \"" + held + "\": ", 0), 0u) << e.Message;
        const std::string tail = "\r\n" + held;
        EXPECT_EQ(e.Message.substr(e.Message.size() - std::min(e.Message.size(), tail.size())),
                  tail);
    }
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, ReadsTheFormatOnEveryCallEvenForAnEmptySelection) {
    DamageStoredFormat(Store);
    EXPECT_ANY_THROW(RunCopyCommand(nullptr, 0));
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, FormatSavedBetweenTwoCallsAppliesToTheSecond) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/", "first pick"));
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n");
    SaveFormat("%c <%u>%z");
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "first pick <https://a.example/>\r\n");
}

TEST_F(CopyCommand, EachEntryStartsFromAnEmptyRecord) {
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

TEST_F(CopyCommand, MissingFileShowsItsOwnNameAndFolder) {
    SaveFormat("%p;%1f;%2f%z");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string gone = Folder.Path() + "Gone.url";
    Copy({a, gone});
    const std::string folder = Folder.Path().substr(0, Folder.Path().size() - 1);
    EXPECT_EQ(Clipboard().AsText(),
              "Alpha;Alpha.url;" + folder + "\r\nGone;Gone.url;" + folder + "\r\n");
}

#ifdef _WIN32
TEST_F(CopyCommand, BareFileNameReadsTheFileInTheCurrentFolder) {
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
#else
TEST_F(CopyCommand, ClipboardThatCannotBeOpenedPassesTheErrorOn) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    ClipboardStandIn::FailNextOpens(ClipboardOpenAttempts);
    EXPECT_THROW(Copy({a}), EClipboardException);
    EXPECT_EQ(ClipboardStandIn::Text(), kSentinel);
}
#endif

} // namespace

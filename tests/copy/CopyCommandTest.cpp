// The copy command from selection buffer to clipboard, on whichever runtime
// backend the build has (the posix stand-ins or the real Win32 calls).

#include "copy/CopyCommand.h"
#include "runtime/Clipboard.h"
#include "runtime/Exception.h"
#include "tests/copy/CopyTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include "runtime/ClipboardStandIn.h"
#endif

namespace {

constexpr const char* kSentinel = "clipboard before the copy";

std::string Selection(const std::vector<std::string>& paths) {
    std::string buffer;
    for (const std::string& path : paths) {
        buffer += path;
        buffer += '\0';
    }
    buffer += '\0';
    return buffer;
}

void Copy(const std::vector<std::string>& paths) {
    const std::string buffer = Selection(paths);
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
    TScratchFormatStore Store;
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
    Store.Save("[%p]");
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
    Store.Save("%x%1");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    Copy({a, a});
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
#ifndef _WIN32
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 1);
#endif
}

TEST_F(CopyCommand, InvalidFormatRaisesTheFormatErrorAndLeavesTheClipboardAlone) {
    Store.Save("%u%2d");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    try {
        Copy({a, a});
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "書式文字列が不正です\r\n%u%2d");
    }
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, UnreadableLastVisitEndsTheCommandAtThatEntry) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string bad = Shortcut("Bad", ShortcutText("https://bad.example/", "", "not a date"));
    EXPECT_THROW(Copy({a, bad, a}), EConvertError);
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, ReadsTheFormatOnEveryCallEvenForAnEmptySelection) {
    Store.Damage();
    EXPECT_ANY_THROW(RunCopyCommand(nullptr, 0));
    EXPECT_EQ(Clipboard().AsText(), kSentinel);
}

TEST_F(CopyCommand, FormatSavedBetweenTwoCallsAppliesToTheSecond) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/", "first pick"));
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n");
    Store.Save("%c <%u>%z");
    Copy({a});
    EXPECT_EQ(Clipboard().AsText(), "first pick <https://a.example/>\r\n");
}

TEST_F(CopyCommand, EachEntryStartsFromAnEmptyRecord) {
    Store.Save("%p|%u|%c|%v %a|%1f%z");
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
    Store.Save("%p;%1f;%2f%z");
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    const std::string gone = Folder.Path() + "Gone.url";
    Copy({a, gone});
    const std::string folder = Folder.Path().substr(0, Folder.Path().size() - 1);
    EXPECT_EQ(Clipboard().AsText(),
              "Alpha;Alpha.url;" + folder + "\r\nGone;Gone.url;" + folder + "\r\n");
}

#ifndef _WIN32
TEST_F(CopyCommand, ClipboardThatCannotBeOpenedPassesTheErrorOn) {
    const std::string a = Shortcut("Alpha", ShortcutText("https://a.example/"));
    ClipboardStandIn::FailNextOpens(1);
    EXPECT_THROW(Copy({a}), EClipboardException);
    EXPECT_EQ(ClipboardStandIn::Text(), kSentinel);
}
#endif

} // namespace

// The clipboard as plain text, and what a failed open leaves behind.

#include "runtime/Clipboard.h"
#include "runtime/Exception.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <thread>
#else
#include "runtime/ClipboardStandIn.h"
#endif

TEST(Clipboard_test, TextRoundTrips) {
    const std::string texts[] = {"表示 : http://example.com/ソ\r\n", "a", "%p : %u\r\n"};
    for (const std::string& text : texts) {
        Clipboard().SetAsText(text);
        EXPECT_EQ(Clipboard().AsText(), text);
    }
    EXPECT_EQ(&Clipboard(), &Clipboard());
}

TEST(Clipboard_test, TextEndsAtItsFirstNul) {
    Clipboard().SetAsText(std::string("ab\0cd", 5));
    EXPECT_EQ(Clipboard().AsText(), "ab");
}

#ifdef _WIN32
TEST(Clipboard_test, HeldByAnotherThreadFailsAndKeepsTheText) {
    Clipboard().SetAsText("before");
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    BOOL heldOpen = FALSE;
    // The clipboard belongs to one window at a time, so the holder opens it
    // for a window of its own.
    std::thread holder([&] {
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
        heldOpen = window != nullptr && OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(done, 10000);
        if (heldOpen)
            CloseClipboard();
        if (window != nullptr)
            DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    std::string message = "no error";
    try {
        Clipboard().SetAsText("after");
    } catch (const EClipboardException& e) {
        message = e.what();
    }
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    ASSERT_TRUE(heldOpen);
    EXPECT_EQ(message.rfind("Cannot open the clipboard: ", 0), 0u) << message;
    EXPECT_EQ(Clipboard().AsText(), "before");
}
#else
TEST(Clipboard_test, AFailedOpenLeavesThePreviousText) {
    ClipboardStandIn::Reset();
    EXPECT_FALSE(ClipboardStandIn::EverWritten());
    Clipboard().SetAsText("before");
    ClipboardStandIn::FailNextOpens(1);
    EXPECT_THROW(Clipboard().SetAsText("after"), EClipboardException);
    EXPECT_EQ(ClipboardStandIn::Text(), "before");
    EXPECT_TRUE(ClipboardStandIn::EverWritten());
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 2);
    EXPECT_EQ(Clipboard().AsText(), "before");

    ClipboardStandIn::FailNextOpens(1);
    EXPECT_THROW(Clipboard().AsText(), EClipboardException);
    EXPECT_EQ(Clipboard().AsText(), "before");

    ClipboardStandIn::Reset();
    EXPECT_FALSE(ClipboardStandIn::EverWritten());
    EXPECT_EQ(ClipboardStandIn::Text(), "");
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 0);
}
#endif

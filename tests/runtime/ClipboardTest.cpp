// The clipboard as text: the formats placed, the window that places them,
// and what a failed open leaves behind.

#include "runtime/Clipboard.h"
#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "tests/common/ExpectThrow.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "runtime/win32/ClipboardBlocks.h"
#include "tests/common/TestThread.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>
#else
#include "runtime/posix/ClipboardStandIn.h"
#endif

TEST(ClipboardTest, TextRoundTrips) {
    const std::string texts[] = {"表示 : http://example.com/ソ\r\n", "a", "%p : %u\r\n"};
    for (const std::string& text : texts) {
        Clipboard().SetAsText(text);
        EXPECT_EQ(Clipboard().AsText(), text);
    }
    EXPECT_EQ(&Clipboard(), &Clipboard());
}

TEST(ClipboardTest, TextEndsAtItsFirstNul) {
    Clipboard().SetAsText(std::string("ab\0cd", 5));
    EXPECT_EQ(Clipboard().AsText(), "ab");
}

#ifdef _WIN32
namespace {

// Texts with what code page 1252 would read differently: half-width katakana,
// a trail byte 0x5C, a text ending before a NUL, an empty text.
struct TTextCase {
    std::string Text;
    std::string Bytes;
    std::u16string Unicode;
};
const TTextCase TextCases[] = {
    {"ｶｽﾀﾑ 表示 : http://example.com/ソ\r\n", "ｶｽﾀﾑ 表示 : http://example.com/ソ\r\n",
     u"ｶｽﾀﾑ 表示 : http://example.com/ソ\r\n"},
    {std::string("京都\0tail", 9), "京都", u"京都"},
    {"", "", u""},
};

std::string BlockBytes(HGLOBAL block) {
    const char* data = static_cast<const char*>(GlobalLock(block));
    std::string bytes(data, data == nullptr ? 0 : GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

std::u16string BlockUnicode(HGLOBAL block) {
    const std::string bytes = BlockBytes(block);
    return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

LCID BlockLocale(HGLOBAL block) {
    LCID locale = 0;
    const std::string bytes = BlockBytes(block);
    std::memcpy(&locale, bytes.data(), std::min(bytes.size(), sizeof locale));
    return locale;
}

// What the clipboard holds: its formats in the order it lists them (those
// the system makes from others come last), and the blocks of the three text
// formats, each whole.
struct TClipboardContents {
    std::vector<UINT> Formats;
    std::string Text;
    std::u16string Unicode;
    LCID Locale = 0;
};

TClipboardContents ReadClipboard() {
    TClipboardContents contents;
    if (!OpenClipboard(nullptr))
        return contents;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        contents.Formats.push_back(format);
    contents.Text = BlockBytes(GetClipboardData(CF_TEXT));
    contents.Unicode = BlockUnicode(GetClipboardData(CF_UNICODETEXT));
    contents.Locale = BlockLocale(GetClipboardData(CF_LOCALE));
    CloseClipboard();
    return contents;
}

// The message-only windows of the calling thread.
int MessageWindowsOfThisThread() {
    int count = 0;
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            ++count;
    }
    return count;
}

// Counts, for one scope, the windows the calling thread creates and destroys,
// and those destroyed while they own the clipboard.
class TWindowWatch {
public:
    struct TCounts {
        int Created = 0;
        int Destroyed = 0;
        int DestroyedOwningTheClipboard = 0;
    };

    TWindowWatch() : FHook(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
        Counts() = {};
    }
    ~TWindowWatch() {
        if (FHook != nullptr)
            UnhookWindowsHookEx(FHook);
    }
    TWindowWatch(const TWindowWatch&) = delete;
    TWindowWatch& operator=(const TWindowWatch&) = delete;
    bool IsOn() const { return FHook != nullptr; }

    static TCounts& Counts() {
        static TCounts counts;
        return counts;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND)
            ++Counts().Created;
        if (code == HCBT_DESTROYWND) {
            ++Counts().Destroyed;
            if (GetClipboardOwner() == reinterpret_cast<HWND>(wParam))
                ++Counts().DestroyedOwningTheClipboard;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK FHook;
};

} // namespace

TEST(ClipboardTest, BlocksHoldTheTextInBothCodePagesAndTheSystemLocale) {
    for (const TTextCase& c : TextCases) {
        const std::vector<TClipboardBlock> blocks = PrepareClipboardBlocks(c.Text);
        ASSERT_EQ(blocks.size(), 3u);
        EXPECT_EQ(blocks[0].Format, static_cast<UINT>(CF_TEXT));
        EXPECT_EQ(BlockBytes(blocks[0].Memory.get()), c.Bytes + '\0');
        EXPECT_EQ(blocks[1].Format, static_cast<UINT>(CF_UNICODETEXT));
        EXPECT_EQ(BlockUnicode(blocks[1].Memory.get()), c.Unicode + u'\0');
        EXPECT_EQ(blocks[2].Format, static_cast<UINT>(CF_LOCALE));
        EXPECT_EQ(BlockLocale(blocks[2].Memory.get()), GetSystemDefaultLCID());
    }
}

TEST(ClipboardTest, PlacesTextUnicodeTextAndLocaleInOneSession) {
    for (const TTextCase& c : TextCases) {
        Clipboard().SetAsText(c.Text);
        const TClipboardContents contents = ReadClipboard();
        ASSERT_GE(contents.Formats.size(), 3u);
        EXPECT_EQ(std::vector<UINT>(contents.Formats.begin(), contents.Formats.begin() + 3),
                  (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_LOCALE}));
        EXPECT_EQ(contents.Text, c.Bytes + '\0');
        EXPECT_EQ(contents.Unicode, c.Unicode + u'\0');
        EXPECT_EQ(contents.Locale, GetSystemDefaultLCID());
    }
}

TEST(ClipboardTest, WritesThroughAMessageWindowThatIsGoneAfterwards) {
    const int before = MessageWindowsOfThisThread();
    const TWindowWatch watch;
    ASSERT_TRUE(watch.IsOn());
    Clipboard().SetAsText("所有");
    EXPECT_EQ(TWindowWatch::Counts().Created, 1);
    EXPECT_EQ(TWindowWatch::Counts().DestroyedOwningTheClipboard, 1);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
    EXPECT_EQ(MessageWindowsOfThisThread(), before);
    // Reading needs no window.
    EXPECT_EQ(Clipboard().AsText(), "所有");
    EXPECT_EQ(TWindowWatch::Counts().Created, 1);
}

TEST(ClipboardTest, HeldByAnotherThreadFailsAndKeepsTheText) {
    Clipboard().SetAsText("before");
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    BOOL heldOpen = FALSE;
    // The clipboard belongs to one window at a time, so the holder opens it
    // for a window of its own.
    TTestThread holder([&] {
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
    const int before = MessageWindowsOfThisThread();
    {
        const TWindowWatch watch;
        // Windows does not document which error a held clipboard gives.
        ExpectThrowMessageWithSystemText<EClipboardException>(
            [] { Clipboard().SetAsText("after"); }, Messages::ClipboardOpenFailed({}));
        EXPECT_EQ(TWindowWatch::Counts().Destroyed, TWindowWatch::Counts().Created);
    }
    EXPECT_EQ(MessageWindowsOfThisThread(), before);
    SetEvent(done);
    holder.Join();
    CloseHandle(opened);
    CloseHandle(done);
    ASSERT_TRUE(heldOpen);
    EXPECT_EQ(Clipboard().AsText(), "before");
}
#else
TEST(ClipboardTest, AFailedOpenLeavesThePreviousText) {
    ClipboardStandIn::Reset();
    EXPECT_FALSE(ClipboardStandIn::EverWritten());
    Clipboard().SetAsText("before");
    ClipboardStandIn::FailNextOpens(ClipboardOpenAttempts);
    // The Windows message without the system's text, which the stand-in lacks.
    ExpectThrowMessage<EClipboardException>([] { Clipboard().SetAsText("after"); },
                                            Messages::ClipboardOpenFailed({}));
    EXPECT_EQ(ClipboardStandIn::Text(), "before");
    EXPECT_TRUE(ClipboardStandIn::EverWritten());
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 2);
    EXPECT_EQ(Clipboard().AsText(), "before");

    ClipboardStandIn::FailNextOpens(ClipboardOpenAttempts);
    EXPECT_THROW(Clipboard().AsText(), EClipboardException);
    EXPECT_EQ(Clipboard().AsText(), "before");

    // A holder that lets go before the last try is waited for.
    ClipboardStandIn::FailNextOpens(ClipboardOpenAttempts - 1);
    Clipboard().SetAsText("after");
    EXPECT_EQ(ClipboardStandIn::Text(), "after");

    ClipboardStandIn::Reset();
    EXPECT_FALSE(ClipboardStandIn::EverWritten());
    EXPECT_EQ(ClipboardStandIn::Text(), "");
    EXPECT_EQ(ClipboardStandIn::SetAsTextCalls(), 0);
}
#endif

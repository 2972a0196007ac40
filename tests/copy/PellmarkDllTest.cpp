// Pellmark.dll as the host sees it: loaded with LoadLibrary, called through
// its exports, with the real registry, clipboard and message box.

#include "copy/CopyCommand.h"
#include "copy/SelectionBuffer.h"
#include "plugin/OrrelPlugins.h"
#include "runtime/Clipboard.h"
#include "runtime/Messages.h"
#include "tests/common/AddressSpace.h"
#include "tests/common/Files.h"
#include "tests/common/ImportPatch.h"
#include "tests/common/MessageBoxes.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"
#include "tests/common/SettingsScope.h"
#include "tests/common/ShortcutText.h"
#include "tests/common/TestThread.h"
#include "tests/copy/DescriptorBytes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* Sentinel = "clipboard before the copy";

class PellmarkDllTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Module = LoadLibraryA(HostPath(PELLMARK_DLL).c_str());
        ASSERT_NE(Module, nullptr) << "cannot load " << PELLMARK_DLL;
    }
    static void TearDownTestSuite() {
        if (Module != nullptr)
            FreeLibrary(Module);
        Module = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(Module, nullptr);
        GetInterface = reinterpret_cast<TGetPluginInterfalce>(
            reinterpret_cast<void*>(GetProcAddress(Module, "GetPluginInterfalce")));
        Execute = reinterpret_cast<TExecutePlugin>(
            reinterpret_cast<void*>(GetProcAddress(Module, "ExecutePlugin")));
        ASSERT_NE(GetInterface, nullptr);
        ASSERT_NE(Execute, nullptr);
        Clipboard().SetAsText(Sentinel);
    }

    std::int32_t Run(const std::string& selection) {
        return Execute(selection.data(), static_cast<std::int32_t>(selection.size()));
    }

    static HMODULE Module;
    TGetPluginInterfalce GetInterface = nullptr;
    TExecutePlugin Execute = nullptr;
    TScratchFolder Folder;
    TScratchRegistry Store{{}, StoredFormatValue()};
};

HMODULE PellmarkDllTest::Module = nullptr;

// Writes the format straight into the registry, as another program would.
void StoreRawFormat(const std::string& text) {
    WriteRegistryValue(StoredFormatValue(), TStoredValue{REG_SZ, text + '\0'});
}

TEST_F(PellmarkDllTest, ExportsByNameAndOrdinal) {
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(Module, MAKEINTRESOURCEA(1))),
              reinterpret_cast<void*>(GetInterface));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(Module, MAKEINTRESOURCEA(10))),
              reinterpret_cast<void*>(Execute));
    for (WORD ordinal = 2; ordinal <= 9; ++ordinal)
        EXPECT_EQ(GetProcAddress(Module, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
    EXPECT_EQ(GetProcAddress(Module, MAKEINTRESOURCEA(11)), nullptr);
    // Only the undecorated names exist.
    EXPECT_EQ(GetProcAddress(Module, "GetPluginInterfalce@4"), nullptr);
    EXPECT_EQ(GetProcAddress(Module, "_ExecutePlugin@8"), nullptr);
}

TEST_F(PellmarkDllTest, DescriptorBytesLeaveTheGapsAlone) {
    const TRecordBytes first =
        WrittenRecord([&](TPluginInterface* p) { EXPECT_EQ(GetInterface(p), 0); });
    EXPECT_EQ(first, ExpectedPellmarkRecord());
    const TRecordBytes second = WrittenRecord([&](TPluginInterface* p) { GetInterface(p); });
    EXPECT_EQ(second, first);
}

TEST_F(PellmarkDllTest, SettingsPluginDiffersOnlyInCaptionDescriptionAndNumber4) {
    HMODULE setting = LoadLibraryA(HostPath(PELLMARK_SETTING_DLL).c_str());
    ASSERT_NE(setting, nullptr);
    const auto getSetting = reinterpret_cast<TGetPluginInterfalce>(
        reinterpret_cast<void*>(GetProcAddress(setting, MAKEINTRESOURCEA(1))));
    ASSERT_NE(getSetting, nullptr);
    const TRecordBytes settingBytes = WrittenRecord([&](TPluginInterface* p) { getSetting(p); });
    FreeLibrary(setting);
    const TRecordBytes copyBytes = WrittenRecord([&](TPluginInterface* p) { GetInterface(p); });
    EXPECT_EQ(settingBytes, ExpectedPellmarkSettingRecord());
    for (std::size_t i = 0; i < copyBytes.size(); ++i) {
        const bool mayDiffer = (i >= 64 && i < 194) || (i >= 196 && i < 200);
        if (!mayDiffer) {
            EXPECT_EQ(copyBytes[i], settingBytes[i]) << "offset " << i;
        }
    }
}

// One string of a DLL's version resource, from its Japanese (code page 932)
// block; "" when the value is missing.
std::string VersionString(const std::vector<char>& info, const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\041103a4\\" + name;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length) || length == 0)
        return "";
    return std::string(static_cast<const char*>(value));
}

TEST(PluginVersionTest, BothDllsCarryTheProjectVersionAndTheirNames) {
    struct TExpected {
        const char* Path;
        const char* FileName;
        const char* InternalName;
        const char* Description;
    };
    const TExpected dlls[] = {
        {PELLMARK_DLL, "Pellmark.dll", "Pellmark",
         "選択したお気に入りをユーザー定義の書式でクリップボードにコピー"},
        {PELLMARK_SETTING_DLL, "PellmarkSetting.dll", "PellmarkSetting",
         "選択リストコピーの書式を設定するダイアログ"},
    };
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(PELL_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
    for (const TExpected& dll : dlls) {
        SCOPED_TRACE(dll.FileName);
        const std::string path = HostPath(dll.Path);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_NE(size, 0u) << "no version resource";
        std::vector<char> info(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
        ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
        EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
        EXPECT_EQ(fixed->dwProductVersionMS, (major << 16) | minor);
        EXPECT_EQ(fixed->dwProductVersionLS, patch << 16);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

        ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &value, &length));
        ASSERT_EQ(length, 4u);
        const auto* translation = static_cast<const WORD*>(value);
        EXPECT_EQ(translation[0], 0x0411); // Japanese
        EXPECT_EQ(translation[1], 932);

        EXPECT_EQ(VersionString(info, "FileVersion"), PELL_VERSION);
        EXPECT_EQ(VersionString(info, "ProductVersion"), PELL_VERSION);
        EXPECT_EQ(VersionString(info, "ProductName"), "Pellmark");
        EXPECT_EQ(VersionString(info, "OriginalFilename"), dll.FileName);
        EXPECT_EQ(VersionString(info, "InternalName"), dll.InternalName);
        EXPECT_EQ(VersionString(info, "FileDescription"), dll.Description);
    }
}

// Calls fn with the arguments pushed right to left and returns how far the
// stack pointer moved over the call; a callee that cleans up (stdcall)
// leaves it where it was. The stack is put back either way.
std::int32_t StackMoveOverCall(void* fn, std::uintptr_t first, std::uintptr_t second, int args,
                               std::int32_t& result) {
    std::int32_t moved = 0;
    if (args == 1) {
        asm volatile("movl %%esp, %%esi\n\t"
                     "pushl %[a1]\n\t"
                     "call *%[fn]\n\t"
                     "movl %%esi, %%ecx\n\t"
                     "subl %%esp, %%ecx\n\t"
                     "movl %%esi, %%esp\n\t"
                     : "=a"(result), "=c"(moved)
                     : [fn] "r"(fn), [a1] "r"(first)
                     : "edx", "esi", "memory", "cc");
    } else {
        asm volatile("movl %%esp, %%esi\n\t"
                     "pushl %[a2]\n\t"
                     "pushl %[a1]\n\t"
                     "call *%[fn]\n\t"
                     "movl %%esi, %%ecx\n\t"
                     "subl %%esp, %%ecx\n\t"
                     "movl %%esi, %%esp\n\t"
                     : "=a"(result), "=c"(moved)
                     : [fn] "r"(fn), [a1] "r"(first), [a2] "r"(second)
                     : "edx", "esi", "memory", "cc");
    }
    return moved;
}

TEST_F(PellmarkDllTest, CalleeCleansTheStack) {
    TRecordBytes bytes;
    bytes.fill(0xFF);
    alignas(TPluginInterface) unsigned char record[sizeof(TPluginInterface)];
    std::memcpy(record, bytes.data(), bytes.size());
    std::int32_t result = -1;
    EXPECT_EQ(StackMoveOverCall(reinterpret_cast<void*>(GetInterface),
                                reinterpret_cast<std::uintptr_t>(record), 0, 1, result),
              0);
    EXPECT_EQ(result, 0);
    std::memcpy(bytes.data(), record, bytes.size());
    EXPECT_EQ(bytes, ExpectedPellmarkRecord());

    const std::string selection(1, '\0');
    result = -1;
    EXPECT_EQ(StackMoveOverCall(reinterpret_cast<void*>(Execute),
                                reinterpret_cast<std::uintptr_t>(selection.data()), 1, 2, result),
              0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

TEST_F(PellmarkDllTest, CopiesFilesWithJapaneseNames) {
    // 表 ends in the byte 0x5C, which must not split the title.
    const std::string kyoto =
        Folder.Write("京都の宿.url",
                     ShortcutText("https://www.example.jp/tabi/", "紅葉の季節", "24/03/15 21:40"));
    const std::string list =
        Folder.Write("ニュース一覧表.url", ShortcutText("https://news.example.jp/?id=4&x=5"));
    const std::string ascii =
        Folder.Write("Example Domain.url", ShortcutText("https://example.com/"));
    EXPECT_EQ(Run(SelectionBuffer({kyoto, list, ascii})), 0);
    EXPECT_EQ(Clipboard().AsText(), "京都の宿 : https://www.example.jp/tabi/\r\n"
                                    "ニュース一覧表 : https://news.example.jp/?id=4&x=5\r\n"
                                    "Example Domain : https://example.com/\r\n");

    StoreRawFormat("%c (%1v %1a) %1f%z");
    EXPECT_EQ(Run(SelectionBuffer({kyoto, list})), 0);
    EXPECT_EQ(Clipboard().AsText(), "紅葉の季節 (24/03/15 21:40) 京都の宿.url\r\n"
                                    " (99/12/30 00:00) ニュース一覧表.url\r\n");
}

// A favorite whose URL holds characters outside code page 932, byte for byte
// as Windows writes it: best fit and '?' in the ANSI sections, the whole URL
// UTF-7 encoded in [InternetShortcut.W].
TEST_F(PellmarkDllTest, CopiesTheWholeUrlOfAShortcutThatWindowsWroteLossy) {
    const std::string cafe = Folder.Write(
        "Cafe.url", "[{000214A0-0000-0000-C000-000000000046}]\r\n"
                    "Prop3=19,11\r\n"
                    "[InternetShortcut]\r\n"
                    "IDList=\r\n"
                    "URL=https://example.com/cafe/???q=??&lang=ko\r\n"
                    "[InternetShortcut.A]\r\n"
                    "URL=https://example.com/cafe/???q=??&lang=ko\r\n"
                    "[InternetShortcut.W]\r\n"
                    "URL=https://example.com/caf+AOk-/+1VytbQ-?q+AD3YPd4AACY-lang+AD0-ko\r\n");
    EXPECT_EQ(Run(SelectionBuffer({cafe})), 0);
    EXPECT_EQ(Clipboard().AsText(),
              "Cafe : https://example.com/caf%C3%A9/%ED%95%9C%EA%B5%AD?q=%F0%9F%98%80&lang=ko\r\n");
}

TEST_F(PellmarkDllTest, RegistryValueWrittenBetweenCallsChangesTheNextCopy) {
    const std::string a = Folder.Write("Alpha.url", ShortcutText("https://a.example/"));
    EXPECT_EQ(Run(SelectionBuffer({a})), 0);
    EXPECT_EQ(Clipboard().AsText(), "Alpha : https://a.example/\r\n");
    StoreRawFormat("<%u>");
    EXPECT_EQ(Run(SelectionBuffer({a, a})), 0);
    EXPECT_EQ(Clipboard().AsText(), "<https://a.example/><https://a.example/>");
}

// The calls Pellmark.dll makes to one system function, counted while a
// TImportPatch sends them through Call. Id keeps functions of the same
// signature apart.
template <typename Signature, int Id> struct TCountedCall;
template <typename R, typename... A, int Id> struct TCountedCall<R(WINAPI*)(A...), Id> {
    static inline R(WINAPI* Original)(A...) = nullptr;
    static inline int Calls = 0;
    static R WINAPI Call(A... args) {
        ++Calls;
        return Original(args...);
    }
};

template <typename Counted> class TCounting {
public:
    TCounting(HMODULE module, const char* function)
        : FPatch(module, "kernel32.dll", function, reinterpret_cast<void*>(&Counted::Call)) {
        Counted::Original = reinterpret_cast<decltype(Counted::Original)>(FPatch.Original());
        Counted::Calls = 0;
    }
    bool Imported() const { return FPatch.Imported(); }
    int Calls() const { return Counted::Calls; }

private:
    TImportPatch FPatch;
};

// Whether a shortcut exists, its date and its three keys all come from one
// open of the file: no private-profile read (which opens the file once per
// key), no existence or date query by path.
TEST_F(PellmarkDllTest, EachShortcutIsOpenedOnceAndLookedUpNoOtherWay) {
    std::vector<std::string> paths;
    std::string expected;
    for (int i = 0; i < 4; ++i) {
        const std::string url = "https://" + std::to_string(i) + ".example/";
        paths.push_back(Folder.Write("F" + std::to_string(i) + ".url",
                                     ShortcutText(url, "c", "24/03/15 21:40")));
        expected += url + "|";
    }
    StoreRawFormat("%u|");
    const TCounting<TCountedCall<decltype(&CreateFileW), 0>> opens(Module, "CreateFileW");
    const TCounting<TCountedCall<decltype(&CreateFileA), 1>> ansiOpens(Module, "CreateFileA");
    const TCounting<TCountedCall<decltype(&GetFileAttributesA), 2>> attributesA(
        Module, "GetFileAttributesA");
    const TCounting<TCountedCall<decltype(&GetFileAttributesW), 3>> attributesW(
        Module, "GetFileAttributesW");
    const TCounting<TCountedCall<decltype(&GetFileAttributesExA), 4>> attributesExA(
        Module, "GetFileAttributesExA");
    const TCounting<TCountedCall<decltype(&GetFileAttributesExW), 5>> attributesExW(
        Module, "GetFileAttributesExW");
    const TCounting<TCountedCall<decltype(&FindFirstFileA), 6>> findA(Module, "FindFirstFileA");
    const TCounting<TCountedCall<decltype(&FindFirstFileW), 7>> findW(Module, "FindFirstFileW");
    const TCounting<TCountedCall<decltype(&GetPrivateProfileStringA), 8>> profile(
        Module, "GetPrivateProfileStringA");
    ASSERT_TRUE(opens.Imported());

    EXPECT_EQ(Run(SelectionBuffer(paths)), 0);
    EXPECT_EQ(Clipboard().AsText(), expected);
    EXPECT_EQ(opens.Calls(), 4);
    EXPECT_EQ(ansiOpens.Calls() + attributesA.Calls() + attributesW.Calls() +
                  attributesExA.Calls() + attributesExW.Calls() + findA.Calls() + findW.Calls(),
              0);
    EXPECT_EQ(profile.Calls(), 0);
}

struct TSeenBox {
    std::string Text;
    std::string Title;
    HWND Owner = nullptr;
    bool OwnerEnabled = true;
    bool HasIcon = false;
};

// Waits for a message box of the given thread, reads it and presses its OK.
bool ReadAndDismissBox(DWORD threadId, TSeenBox& seen) {
    const HWND box = WaitForMessageBox(threadId);
    if (box == nullptr)
        return false;
    seen.Text = MessageBoxText(box);
    char title[64] = {};
    GetWindowTextA(box, title, sizeof title);
    seen.Title = title;
    seen.Owner = GetWindow(box, GW_OWNER);
    seen.OwnerEnabled = seen.Owner != nullptr && IsWindowEnabled(seen.Owner);
    seen.HasIcon = !MessageBoxIcons(box).empty();
    DismissMessageBox(box);
    return true;
}

TEST_F(PellmarkDllTest, FailedCommandShowsTheErrorOwnedByTheActiveWindowAndReturnsOne) {
    HWND owner = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SetActiveWindow(owner);
    SetForegroundWindow(owner);
    ASSERT_EQ(GetActiveWindow(), owner);

    StoreRawFormat("%p%2d");
    const std::string a = Folder.Write("Alpha.url", ShortcutText("https://a.example/"));
    TSeenBox seen;
    std::atomic<bool> dismissed = false;
    TTestThread watcher(
        [&, id = GetCurrentThreadId()] { dismissed = ReadAndDismissBox(id, seen); });
    const std::int32_t result = Run(SelectionBuffer({a}));
    watcher.Join();
    DestroyWindow(owner);

    EXPECT_EQ(result, 1);
    ASSERT_TRUE(dismissed) << "no message box appeared";
    EXPECT_EQ(seen.Text, "書式文字列が不正です\r\n%p%2d");
    EXPECT_EQ(seen.Title, "Pellmark");
    EXPECT_EQ(seen.Owner, owner);
    EXPECT_FALSE(seen.OwnerEnabled) << "the box is not modal to its owner";
    EXPECT_TRUE(seen.HasIcon);
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

// A host short of address space: whether the expansion or the clipboard's
// copy of the text runs out, the user reads what to do, and the clipboard
// keeps its text. No allocation above 40 MB can succeed meanwhile; a 256 KB
// URL expands to 24 MB (the expansion and the joined text fit, the 48 MB
// Unicode copy for the clipboard does not) or to 48 MB.
TEST_F(PellmarkDllTest, TextThatCannotBeAllocatedIsReportedAsTooMuchText) {
    const std::string url = "https://a.example/" + std::string(std::size_t{256} << 10, 'a');
    const std::string path = Folder.Write("Large.url", ShortcutText(url));
    for (const int directives : {192, 96}) {
        SCOPED_TRACE(directives);
        std::string format;
        for (int i = 0; i < directives; ++i)
            format += "%u";
        StoreRawFormat(format);
        TSeenBox seen;
        TTestThread watcher([&, id = GetCurrentThreadId()] { ReadAndDismissBox(id, seen); });
        std::int32_t result = 0;
        {
            const TAddressSpaceSqueeze squeeze(std::size_t{40} << 20);
            result = Run(SelectionBuffer({path}));
        }
        watcher.Join();
        EXPECT_EQ(result, 1);
        EXPECT_EQ(seen.Text, TooMuchTextMessage);
        // Compared as a truth value: the copied text would be 24 MB of output.
        EXPECT_TRUE(Clipboard().AsText() == Sentinel);
    }
}

TEST_F(PellmarkDllTest, ClipboardHeldByAnotherWindowFailsTheCommandAndKeepsItsText) {
    const std::string a = Folder.Write("Alpha.url", ShortcutText("https://a.example/"));
    std::atomic<bool> held = false;
    std::atomic<bool> release = false;
    TTestThread holder([&] {
        HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        if (window != nullptr && OpenClipboard(window)) {
            held = true;
            while (!release)
                Sleep(10);
            CloseClipboard();
        }
        if (window != nullptr)
            DestroyWindow(window);
        held = true;
    });
    while (!held)
        Sleep(10);
    TSeenBox seen;
    TTestThread watcher([&, id = GetCurrentThreadId()] { ReadAndDismissBox(id, seen); });
    const std::int32_t result = Run(SelectionBuffer({a}));
    watcher.Join();
    release = true;
    holder.Join();

    EXPECT_EQ(result, 1);
    // The system's text of the failure stands after the first sentence.
    const std::string withoutSystemText = Messages::ClipboardOpenFailed({});
    const std::size_t advice = withoutSystemText.find("\r\n");
    EXPECT_TRUE(seen.Text.size() > withoutSystemText.size() &&
                seen.Text.starts_with(withoutSystemText.substr(0, advice)) &&
                seen.Text.ends_with(withoutSystemText.substr(advice)))
        << seen.Text;
    EXPECT_EQ(Clipboard().AsText(), Sentinel);
}

} // namespace

// Each call reads the user's settings as they are then. A last visit saved
// under '/' and ':' stays readable after the user changed the separators or
// the date order; text in the user's own order reads too.
TEST_F(PellmarkDllTest, DatesFollowTheUserSettingsOfEachCall) {
    struct TRow {
        const char* DateSeparator;
        const char* TimeSeparator;
        const char* ShortDate;
        const char* LastVisit;
        const char* Expected;
    };
    const TRow rows[] = {
        {".", "-", "yyyy.MM.dd", "24.03.15 21-40", "2024.03.15 21-40|"},
        {"-", ":", "yyyy-MM-dd", "24/03/15 21:40", "2024-03-15 21:40|"},
        {"/", ".", "yyyy/MM/dd", "24/03/15 21:40", "2024/03/15 21.40|"},
        {"-", ".", "dd-MM-yyyy", "24/03/15 21:40", "2024-03-15 21.40|"},
        {"/", ":", "M/d/yyyy", "24/03/15 21:40", "2024/03/15 21:40|"},
        {"-", ":", "dd-MM-yyyy", "15-03-2024 21:40", "2024-03-15 21:40|"},
    };
    const TBoxDismisser dismisser;
    StoreRawFormat("%v %1a|");
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.ShortDate) + " " + row.LastVisit);
        const std::string path =
            Folder.Write("Visit.url", ShortcutText("https://a.example/", "", row.LastVisit));
        const TUserLocaleSetting date(LOCALE_SDATE, row.DateSeparator);
        const TUserLocaleSetting time(LOCALE_STIME, row.TimeSeparator);
        const TUserLocaleSetting order(LOCALE_SSHORTDATE, row.ShortDate);
        ASSERT_TRUE(date.IsSet() && time.IsSet() && order.IsSet());
        EXPECT_EQ(Run(SelectionBuffer({path})), 0);
        EXPECT_EQ(Clipboard().AsText(), row.Expected);
    }
    // The module, still loaded, reads the restored settings at its next call.
    const std::string slashed =
        Folder.Write("Slashed.url", ShortcutText("https://b.example/", "", "24/03/15 21:40"));
    EXPECT_EQ(Run(SelectionBuffer({slashed})), 0);
    EXPECT_EQ(Clipboard().AsText(), "2024/03/15 21:40|");
}

// The copy places the text in both code pages and the system's locale, so
// that no program converts it with the keyboard language's code page.
TEST_F(PellmarkDllTest, CopyPlacesTextUnicodeTextAndLocale) {
    const std::string path =
        Folder.Write("ｶｽﾀﾑ京都の宿.url", ShortcutText("https://www.example.jp/tabi/"));
    ASSERT_EQ(Run(SelectionBuffer({path})), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::vector<UINT> formats;
    for (UINT f = EnumClipboardFormats(0); f != 0 && formats.size() < 3;
         f = EnumClipboardFormats(f))
        formats.push_back(f);
    const auto block = [](UINT format) {
        const HANDLE data = GetClipboardData(format);
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        std::string whole(bytes, bytes == nullptr ? 0 : GlobalSize(data));
        GlobalUnlock(data);
        return whole;
    };
    const std::string text = block(CF_TEXT);
    const std::string unicode = block(CF_UNICODETEXT);
    const std::string locale = block(CF_LOCALE);
    CloseClipboard();

    EXPECT_EQ(formats, (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, CF_LOCALE}));
    EXPECT_EQ(text, std::string("ｶｽﾀﾑ京都の宿 : https://www.example.jp/tabi/\r\n") + '\0');
    const std::u16string expected = u"ｶｽﾀﾑ京都の宿 : https://www.example.jp/tabi/\r\n";
    EXPECT_EQ(unicode, std::string(reinterpret_cast<const char*>(expected.c_str()),
                                   (expected.size() + 1) * sizeof(char16_t)));
    const LCID system = GetSystemDefaultLCID();
    EXPECT_EQ(locale, std::string(reinterpret_cast<const char*>(&system), sizeof system));
}

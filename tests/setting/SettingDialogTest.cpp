// The settings dialog of the real PellmarkSetting.dll, shown by
// ExecutePlugin and driven from a second thread: layout, texts, focus, the
// live preview, error boxes, saving and closing, and the sample shortcut.
// The user's stored format is saved before the suite and put back after it.

#include "lib/FormatLibrary.h"
#include "plugin/OrrelPlugins.h"
#include "runtime/DateTime.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "runtime/win32/Handles.h"
#include "setting/SettingMessages.h"
#include "tests/common/MessageBoxes.h"
#include "tests/common/ScratchFolder.h"
#include "tests/common/ScratchRegistry.h"
#include "tests/setting/DialogDriver.h"
#include "tests/setting/DialogLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* SampleURL = "http://www.example.com/";
constexpr const char* FormatErrorStart = "書式文字列が不正です\r\n";
constexpr const char* SampleComment =
    "作者のページです。Orrel以外にも幾つかのソフトを公開しています";

// The stored format as a string; nullopt when there is none or it is not a
// string.
std::optional<std::string> StoredFormat() {
    std::optional<TStoredValue> value = ReadRegistryValue(StoredFormatValue());
    if (!value || value->Type != REG_SZ)
        return std::nullopt;
    std::string& text = value->Data;
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

void StoreValue(DWORD type, const std::string& data) {
    WriteRegistryValue(StoredFormatValue(), TStoredValue{type, data});
}

// Stores the format as a string; nullopt deletes it.
void StoreFormat(const std::optional<std::string>& format) {
    WriteRegistryValue(StoredFormatValue(),
                       format ? std::optional<TStoredValue>(TStoredValue{REG_SZ, *format + '\0'})
                              : std::nullopt);
}

std::string SamplePath() {
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof folder, folder);
    std::string path = folder;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + "Oskel_WebPage";
}

std::string IniValue(const std::string& path, const char* section, const char* key) {
    char buffer[1024] = {};
    ::GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, path.c_str());
    return buffer;
}

// The window of a control of the table, found where the table places it.
HWND ControlWindow(const TDialogDriver& d, HWND dialog, std::string_view name) {
    const TDialogControl& control = DialogControl(name);
    return d.ChildAt(dialog, control.Left, control.Top);
}

class SettingDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Registry = new TScratchRegistry({}, StoredFormatValue());
        Plugin = new TModule(::LoadLibraryA("PellmarkSetting.dll"));
    }
    static void TearDownTestSuite() {
        delete Registry;
        delete Plugin;
    }
    void SetUp() override {
        ASSERT_TRUE(*Plugin) << "PellmarkSetting.dll did not load";
        ::DeleteFileA(SamplePath().c_str());
    }
    void TearDown() override { ::DeleteFileA(SamplePath().c_str()); }

    int Run(const std::function<void(TDialogDriver&)>& script) {
        return RunDialog(Plugin->get(), script);
    }

    // The dialog and its edit box and preview, or a failure.
    struct TDialog {
        HWND Window = nullptr;
        HWND Edit = nullptr;
        HWND Preview = nullptr;
        HWND Cancel = nullptr;
        HWND Save = nullptr;
        HWND Memo = nullptr;
    };
    static TDialog Open(TDialogDriver& d) {
        TDialog dialog;
        dialog.Window = d.WaitForDialog();
        if (dialog.Window == nullptr)
            return dialog;
        dialog.Memo = ControlWindow(d, dialog.Window, "Memo1");
        dialog.Edit = ControlWindow(d, dialog.Window, "FormatText");
        dialog.Preview = ControlWindow(d, dialog.Window, "FormatedTextLabel");
        dialog.Cancel = ControlWindow(d, dialog.Window, "CancelSettingButton");
        dialog.Save = ControlWindow(d, dialog.Window, "SaveSettingButton");
        return dialog;
    }

    static TScratchRegistry* Registry;
    static TModule* Plugin;
};

TScratchRegistry* SettingDialogTest::Registry = nullptr;
TModule* SettingDialogTest::Plugin = nullptr;

TEST_F(SettingDialogTest, ShowsTheWindowAndItsControlsAsDescribed) {
    StoreFormat(std::nullopt);
    const int result = Run([](TDialogDriver& d) {
        const HWND dialog = d.WaitForDialog();
        ASSERT_NE(dialog, nullptr);
        RECT client{};
        ::GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, DialogWindow.ClientWidth);
        EXPECT_EQ(client.bottom, DialogWindow.ClientHeight);
        EXPECT_EQ(d.Text(dialog), DialogWindow.Caption);
        RECT window{};
        ::GetWindowRect(dialog, &window);
        EXPECT_EQ(window.left, DialogWindow.Left);
        EXPECT_EQ(window.top, DialogWindow.Top);
        const LONG style = ::GetWindowLongA(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

        for (const TDialogControl& row : DialogControls) {
            const HWND control = d.ChildAt(dialog, row.Left, row.Top);
            ASSERT_NE(control, nullptr) << row.Name;
            char className[64] = {};
            ::GetClassNameA(control, className, sizeof className);
            EXPECT_STRCASEEQ(className, row.WindowClass) << row.Name;
            RECT rect{};
            ::GetWindowRect(control, &rect);
            EXPECT_EQ(rect.right - rect.left, row.Width) << row.Name;
            EXPECT_EQ(rect.bottom - rect.top, row.Height) << row.Name;
            if (row.Caption != nullptr) {
                EXPECT_EQ(d.Text(control), row.Caption) << row.Name;
            }
        }
        // With no stored format: the default one, previewed.
        EXPECT_EQ(d.Text(ControlWindow(d, dialog, "FormatText")), "%p : %u%z");
        EXPECT_EQ(d.Text(ControlWindow(d, dialog, "FormatedTextLabel")),
                  "Oskel_WebPage : http://www.example.com/\r\n");

        const HWND memo = ControlWindow(d, dialog, "Memo1");
        std::string lines;
        for (std::size_t i = 0; i < std::size(DialogMemoLines); ++i)
            lines += (i > 0 ? "\r\n" : "") + std::string(DialogMemoLines[i]);
        EXPECT_EQ(d.Text(memo), lines);
        const LONG memoStyle = ::GetWindowLongA(memo, GWL_STYLE);
        EXPECT_TRUE(memoStyle & ES_READONLY);
        EXPECT_TRUE(memoStyle & ES_MULTILINE);
        EXPECT_TRUE(memoStyle & WS_VSCROLL);
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(StoredFormat(), std::nullopt);
}

TEST_F(SettingDialogTest, VisitsEditMemoCancelSaveInTabOrderStartingAtTheEdit) {
    StoreFormat("%u");
    const int result = Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        const std::vector<const TDialogControl*> sequence = DialogTabSequence();
        const HWND first = ControlWindow(d, dialog.Window, sequence.front()->Name);
        EXPECT_TRUE(WaitUntil([&] { return d.Focus() == first; }));
        for (std::size_t i = 1; i <= sequence.size(); ++i) {
            const TDialogControl& next = *sequence[i % sequence.size()];
            const HWND window = ControlWindow(d, dialog.Window, next.Name);
            d.PressKey(d.Focus(), VK_TAB);
            EXPECT_TRUE(WaitUntil([&] { return d.Focus() == window; }, 5000))
                << "focus did not reach " << next.Name;
        }
        d.Click(dialog.Cancel);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(SettingDialogTest, TypingUpdatesThePreviewAtOnce) {
    StoreFormat("%u");
    Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        EXPECT_EQ(d.Text(dialog.Preview), SampleURL);
        ASSERT_TRUE(d.SetText(dialog.Edit, ""));
        EXPECT_EQ(d.Text(dialog.Preview), "");
        const std::pair<char, const char*> keys[] = {
            {'%', ""}, {'p', "Oskel_WebPage"}, {'!', "Oskel_WebPage!"}};
        std::string typed;
        for (const auto& [key, preview] : keys) {
            typed += key;
            d.Type(dialog.Edit, std::string(1, key));
            EXPECT_TRUE(WaitUntil([&] { return d.Text(dialog.Edit) == typed; }, 5000));
            EXPECT_EQ(d.Text(dialog.Preview), preview) << "after typing " << typed;
        }
        ASSERT_TRUE(d.SetText(dialog.Edit, "no directives"));
        EXPECT_EQ(d.Text(dialog.Preview), "no directives");
        ::PostMessageA(dialog.Window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(StoredFormat(), "%u");
}

TEST_F(SettingDialogTest, AnInvalidFormatShowsTheErrorAndKeepsTheDialogAndPreview) {
    StoreFormat("%u");
    Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        ASSERT_TRUE(d.SetText(dialog.Edit, "%1f"));
        EXPECT_EQ(d.Text(dialog.Preview), "Oskel_WebPage");
        for (const char* invalid : {"%1f%2d", "%1f%2dx"}) {
            d.SetTextAsync(dialog.Edit, invalid);
            const HWND box = d.WaitForMessageBox();
            ASSERT_NE(box, nullptr) << invalid;
            EXPECT_EQ(MessageBoxText(box), std::string(FormatErrorStart) + invalid);
            EXPECT_EQ(d.Text(box), "PellmarkSetting");
            EXPECT_TRUE(MessageBoxHasErrorIcon(box));
            DismissMessageBox(box);
            d.Join();
            EXPECT_TRUE(::IsWindowVisible(dialog.Window));
            EXPECT_EQ(d.Text(dialog.Preview), "Oskel_WebPage");
        }
        // The format object holds the text as typed: save stores it.
        d.Click(dialog.Save);
    });
    EXPECT_EQ(StoredFormat(), "%1f%2dx");
}

TEST_F(SettingDialogTest, SaveStoresExactlyTheEditTextAndCloses) {
    StoreFormat(std::nullopt);
    const int result = Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        ASSERT_TRUE(d.SetText(dialog.Edit, "[%c] %1v %%"));
        d.Click(dialog.Save);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog.Window); }));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(StoredFormat(), "[%c] %1v %%");
}

TEST_F(SettingDialogTest, SaveWithoutEditsStoresTheLoadedDefault) {
    StoreFormat(std::nullopt);
    Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        d.Click(dialog.Save);
    });
    EXPECT_EQ(StoredFormat(), "%p : %u%z");
}

TEST_F(SettingDialogTest, CancelEscapeAndTheCloseBoxStoreNothing) {
    const std::pair<const char*, std::function<void(TDialogDriver&, const TDialog&)>> ways[] = {
        {"cancel button", [](TDialogDriver& d, const TDialog& g) { d.Click(g.Cancel); }},
        {"escape", [](TDialogDriver& d, const TDialog& g) { d.PressKey(g.Edit, VK_ESCAPE); }},
        {"close box",
         [](TDialogDriver&, const TDialog& g) {
             ::PostMessageA(g.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
         }},
    };
    for (const auto& [name, close] : ways) {
        StoreFormat("%u");
        const int result = Run([&](TDialogDriver& d) {
            const TDialog dialog = Open(d);
            ASSERT_NE(dialog.Window, nullptr);
            ASSERT_TRUE(d.SetText(dialog.Edit, "changed"));
            close(d, dialog);
        });
        EXPECT_EQ(result, 0) << name;
        EXPECT_EQ(StoredFormat(), "%u") << name;
    }
}

TEST_F(SettingDialogTest, EnterSpaceAndAccessKeysPressTheButtonsAndEnterInTheEditDoesNothing) {
    enum class TTarget { Edit, Cancel, Save };
    struct TRow {
        const char* Name;
        TTarget Focus;
        WPARAM Key;  // pressed on the focused control
        char Access; // or Alt with this letter
        bool Saves;
        bool Closes;
    };
    const TRow rows[] = {
        {"Enter on the save button", TTarget::Save, VK_RETURN, 0, true, true},
        {"Enter on the cancel button", TTarget::Cancel, VK_RETURN, 0, false, true},
        {"Enter in the edit box", TTarget::Edit, VK_RETURN, 0, false, false},
        {"Space on the save button", TTarget::Save, VK_SPACE, 0, true, true},
        {"Space on the cancel button", TTarget::Cancel, VK_SPACE, 0, false, true},
        {"Alt+S", TTarget::Edit, 0, 's', true, true},
        {"Alt+C", TTarget::Edit, 0, 'c', false, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        StoreFormat("%u");
        Run([&](TDialogDriver& d) {
            const TDialog dialog = Open(d);
            ASSERT_NE(dialog.Window, nullptr);
            ASSERT_TRUE(d.SetText(dialog.Edit, "by key"));
            const HWND target = row.Focus == TTarget::Save     ? dialog.Save
                                : row.Focus == TTarget::Cancel ? dialog.Cancel
                                                               : dialog.Edit;
            ::PostMessageA(dialog.Window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
            ASSERT_TRUE(WaitUntil([&] { return d.Focus() == target; }, 5000));
            if (row.Access != 0)
                ::PostMessageA(target, WM_SYSCHAR, static_cast<WPARAM>(row.Access), 1 << 29);
            else
                d.PressKey(target, row.Key);
            if (!row.Closes) {
                // A character typed after the key arrives after it: once it
                // shows, the key has been handled.
                d.PressKey(dialog.Edit, VK_END);
                d.Type(dialog.Edit, "!");
                EXPECT_TRUE(WaitUntil([&] { return d.Text(dialog.Edit) == "by key!"; }, 5000));
                EXPECT_TRUE(::IsWindowVisible(dialog.Window));
                ::PostMessageA(dialog.Window, WM_CLOSE, 0, 0);
            }
        });
        EXPECT_EQ(StoredFormat(), row.Saves ? "by key" : "%u");
    }
}

TEST_F(SettingDialogTest, AnInvalidStoredFormatIsReportedBeforeTheDialogOpens) {
    StoreFormat("%9d");
    Run([](TDialogDriver& d) {
        const HWND box = d.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(d.FindDialog(), nullptr);
        EXPECT_EQ(MessageBoxText(box), std::string(FormatErrorStart) + "%9d");
        DismissMessageBox(box);
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        EXPECT_EQ(d.FindMessageBox(), nullptr);
        EXPECT_EQ(d.Text(dialog.Edit), "%9d");
        EXPECT_EQ(d.Text(dialog.Preview), "FormatedTextLabel");
        ::PostMessageA(dialog.Window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(StoredFormat(), "%9d");
}

TEST_F(SettingDialogTest, WritesTheSampleShortcutIntoTheTemporaryFolder) {
    StoreFormat("%f");
    const TDateTime opened = Now();
    Run([](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        EXPECT_EQ(d.Text(dialog.Preview), SamplePath());
        ::PostMessageA(dialog.Window, WM_CLOSE, 0, 0);
    });
    const std::string path = SamplePath();
    EXPECT_EQ(IniValue(path, "InternetShortcut", "URL"), SampleURL);
    EXPECT_EQ(IniValue(path, "Log", "UserComment"), SampleComment);
    const std::string lastVisit = IniValue(path, "Log", "LastVisit");
    // Written to the minute: ten days after the opening.
    EXPECT_LT(std::fabs(StrToDateTime(lastVisit) - (opened + 10.0)), 2.0 / 1440) << lastVisit;
}

TEST_F(SettingDialogTest, AnUnreadableSampleIsReplacedSilentlyAsAtTheFirstOpening) {
    StoreFormat("%u|%c");
    const std::string path = SamplePath();
    // A last visit written under other date settings, and a key of the old
    // file's own that the fresh sample does not carry.
    ASSERT_TRUE(
        ::WritePrivateProfileStringA("InternetShortcut", "URL", "http://old/", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringA("Log", "LastVisit", "ab/cd", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringA("Old", "Kept", "1", path.c_str()));
    const TDateTime opened = Now();
    const int result = Run([](TDialogDriver& d) {
        ASSERT_TRUE(
            WaitUntil([&] { return d.FindDialog() != nullptr || d.FindMessageBox() != nullptr; }));
        if (const HWND box = d.FindMessageBox()) {
            ADD_FAILURE() << "error box: " << MessageBoxText(box);
            DismissMessageBox(box);
        }
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        EXPECT_EQ(d.Text(dialog.Preview), std::string(SampleURL) + "|" + SampleComment);
        d.Click(dialog.Cancel);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(IniValue(path, "InternetShortcut", "URL"), SampleURL);
    EXPECT_EQ(IniValue(path, "Log", "UserComment"), SampleComment);
    const std::string lastVisit = IniValue(path, "Log", "LastVisit");
    EXPECT_LT(std::fabs(StrToDateTime(lastVisit) - (opened + 10.0)), 2.0 / 1440) << lastVisit;
    EXPECT_EQ(IniValue(path, "Old", "Kept"), "<missing>");
}

// TMP and TEMP, which name the temporary folder, for one scope.
class TTemporaryFolderScope {
public:
    explicit TTemporaryFolderScope(const std::string& folder) {
        for (TSaved& saved : FSaved) {
            char value[4 * MAX_PATH];
            const DWORD length = ::GetEnvironmentVariableA(saved.Name, value, sizeof value);
            saved.Had = length > 0 && length < sizeof value;
            if (saved.Had)
                saved.Value.assign(value, length);
            ::SetEnvironmentVariableA(saved.Name, folder.c_str());
        }
    }
    ~TTemporaryFolderScope() {
        for (const TSaved& saved : FSaved)
            ::SetEnvironmentVariableA(saved.Name, saved.Had ? saved.Value.c_str() : nullptr);
    }
    TTemporaryFolderScope(const TTemporaryFolderScope&) = delete;
    TTemporaryFolderScope& operator=(const TTemporaryFolderScope&) = delete;

private:
    struct TSaved {
        const char* Name;
        std::string Value;
        bool Had = false;
    };
    TSaved FSaved[2]{{"TMP", {}, false}, {"TEMP", {}, false}};
};

// The moment rounded down to a multiple of step seconds within its minute.
TDateTime RoundDown(TDateTime moment, int step) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(moment, year, month, day);
    DecodeTime(moment, hour, minute, second, msec);
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second - second % step, 0);
}

// The texts of the moments from..to in steps of step seconds (a divisor of
// 60), counted from the step at or before from.
std::vector<std::string> MomentTexts(const char* pattern, TDateTime from, TDateTime to, int step) {
    std::vector<std::string> texts;
    const TDateTime first = RoundDown(from, step);
    for (int k = 0; first + k * step / 86400.0 <= to; ++k)
        texts.push_back(FormatDateTime(pattern, first + k * step / 86400.0));
    return texts;
}

TEST_F(SettingDialogTest, ASampleThatCannotBeWrittenIsReportedOnceAndPreviewedFromItsValues) {
    enum class TCase { NoFolder, FolderOfThatName, HeldOpen };
    struct TRow {
        const char* Name;
        TCase Case;
        DWORD Error;
        bool Save;
    };
    const TRow rows[] = {
        {"the temporary folder is missing", TCase::NoFolder, ERROR_PATH_NOT_FOUND, true},
        {"a folder is named Oskel_WebPage", TCase::FolderOfThatName, ERROR_ACCESS_DENIED, false},
        // A read-only folder takes writes under Wine run as root; an earlier
        // sample held open without write sharing refuses them as a
        // read-only folder would, and can still be read.
        {"the earlier sample cannot be rewritten", TCase::HeldOpen, ERROR_SHARING_VIOLATION, true},
    };
    const std::string format = "%u|%c|%f|%1f|%2f|%p|%v %a|%d %t";
    LoadLocaleFormatSettings();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const TScratchFolder scratch;
        const std::string folder =
            row.Case == TCase::NoFolder ? scratch.Name("missing\\") : scratch.Path();
        const std::string path = folder + "Oskel_WebPage";
        TFileHandle held;
        if (row.Case == TCase::FolderOfThatName) {
            ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
        } else if (row.Case == TCase::HeldOpen) {
            scratch.Write("Oskel_WebPage", "[InternetShortcut]\r\nURL=http://old/\r\n");
            held = TFileHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(held);
        }
        const TTemporaryFolderScope temporaryFolder(folder);
        StoreFormat(format);
        const TDateTime opened = Now();
        TDateTime prepared = 0;
        std::string preview;
        const int result = Run([&](TDialogDriver& d) {
            const HWND box = d.WaitForMessageBox();
            prepared = Now();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box),
                      Messages::FileWriteFailed(path, SystemErrorMessage(row.Error)) + "\r\n" +
                          SampleUnwritable(folder, "Oskel_WebPage"));
            DismissMessageBox(box);
            const TDialog dialog = Open(d);
            ASSERT_NE(dialog.Window, nullptr);
            EXPECT_EQ(d.FindMessageBox(), nullptr);
            preview = d.Text(dialog.Preview);
            ASSERT_TRUE(d.SetText(dialog.Edit, "%1f"));
            EXPECT_EQ(d.Text(dialog.Preview), "Oskel_WebPage");
            d.Click(row.Save ? dialog.Save : dialog.Cancel);
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(StoredFormat(), row.Save ? "%1f" : format);
        // What writing the sample and reading it back gives: the last visit
        // ten days on, to the minute; the file's date-time the moment of
        // saving, in two-second steps.
        std::vector<std::string> expected;
        for (const std::string& lastVisit :
             MomentTexts("yyyy/mm/dd hh:nn:ss", opened + 10.0, prepared + 10.0, 60)) {
            for (const std::string& saved :
                 MomentTexts("yyyy/mm/dd hh:nn:ss", opened, prepared, 2)) {
                expected.push_back(std::string(SampleURL) + "|" + SampleComment + "|" + path +
                                   "|Oskel_WebPage|" + folder.substr(0, folder.size() - 1) +
                                   "|Oskel_WebPage|" + lastVisit + "|" + saved);
            }
        }
        EXPECT_NE(std::find(expected.begin(), expected.end(), preview), expected.end())
            << preview << "\nexpected one of:\n"
            << testing::PrintToString(expected);
    }
}

TEST_F(SettingDialogTest, AStoredFormatThatIsNotAStringIsReportedAndTheDefaultTakesItsPlace) {
    const std::string seven("\x07\0\0\0", 4);
    for (const bool save : {true, false}) {
        StoreValue(REG_DWORD, seven);
        Run([&](TDialogDriver& d) {
            const HWND box = d.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box),
                      Messages::RegistryValueNotString("HKEY_CURRENT_USER\\Software\\Oskel\\Orrel\\"
                                                       "Plugins\\FormatLibrary\\"
                                                       "PellmarkClipBoard\\Format",
                                                       "FormatText"));
            DismissMessageBox(box);
            const TDialog dialog = Open(d);
            ASSERT_NE(dialog.Window, nullptr);
            EXPECT_EQ(d.Text(dialog.Edit), "%p : %u%z");
            EXPECT_EQ(d.Text(dialog.Preview), "Oskel_WebPage : http://www.example.com/\r\n");
            d.Click(save ? dialog.Save : dialog.Cancel);
        });
        if (save)
            EXPECT_EQ(StoredFormat(), "%p : %u%z");
        else
            EXPECT_EQ(ReadRegistryValue(StoredFormatValue()), (TStoredValue{REG_DWORD, seven}));
    }
}

TEST_F(SettingDialogTest, AFormatLongerThan65535BytesOpensAndSavesWhole) {
    // A window name cut modulo 65,536 bytes would keep 4,466 of these.
    const std::string format = std::string(70000, 'x') + "%u";
    ASSERT_EQ(format.size(), 70002u);
    StoreFormat(format);
    Run([&](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        std::string text = d.Text(dialog.Edit);
        EXPECT_EQ(text.size(), format.size());
        EXPECT_TRUE(text == format);
        const std::string preview = d.Text(dialog.Preview);
        EXPECT_EQ(preview.size(), 70000 + std::strlen(SampleURL));
        EXPECT_TRUE(preview == std::string(70000, 'x') + SampleURL);
        // One character typed at the end of the text.
        EXPECT_TRUE(WaitUntil([&] { return d.Focus() == dialog.Edit; }));
        d.PressKey(dialog.Edit, VK_END);
        d.Type(dialog.Edit, "!");
        EXPECT_TRUE(WaitUntil([&] { return d.Text(dialog.Edit).size() != format.size(); }, 5000));
        text = d.Text(dialog.Edit);
        EXPECT_TRUE(text == format + "!") << text.size() << " bytes";
        d.Click(dialog.Save);
    });
    const std::optional<std::string> stored = StoredFormat();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 70003u);
    EXPECT_TRUE(*stored == format + "!");
}

TEST_F(SettingDialogTest, DisablesTheThreadsOtherWindowsOnlyWhileOpen) {
    StoreFormat("%u");
    const auto make = [](DWORD style) {
        return TWindowHandle(::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | style, 0,
                                               0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    };
    const TWindowHandle host = make(WS_VISIBLE);
    const TWindowHandle disabled = make(WS_VISIBLE | WS_DISABLED);
    ASSERT_TRUE(host && disabled);
    ::SetActiveWindow(host.get());
    const HWND hostWindow = host.get();
    Run([&](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        EXPECT_FALSE(::IsWindowEnabled(hostWindow));
        d.Click(dialog.Cancel);
    });
    EXPECT_TRUE(::IsWindowEnabled(host.get()));
    EXPECT_FALSE(::IsWindowEnabled(disabled.get()));
    EXPECT_EQ(::GetActiveWindow(), host.get());
}

// A host's main window and, active, a window it owns (a tool window).
struct THostWindows {
    TWindowHandle Main;
    TWindowHandle Tool;
};

THostWindows MakeActiveHost() {
    THostWindows host;
    host.Main =
        TWindowHandle(::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, nullptr));
    host.Tool = TWindowHandle(::CreateWindowExA(0, "STATIC", "tool",
                                                WS_POPUP | WS_CAPTION | WS_VISIBLE, 210, 0, 100,
                                                100, host.Main.get(), nullptr, nullptr, nullptr));
    ::SetActiveWindow(host.Tool.get());
    return host;
}

TEST_F(SettingDialogTest, BelongsToTheRootOwnerOfTheActiveWindowAndOwnsItsMessageBoxes) {
    for (const bool withHost : {true, false}) {
        SCOPED_TRACE(withHost ? "host window active" : "no active window");
        THostWindows host;
        if (withHost) {
            host = MakeActiveHost();
            ASSERT_EQ(::GetActiveWindow(), host.Tool.get());
        } else {
            ::SetActiveWindow(nullptr);
            ASSERT_EQ(::GetActiveWindow(), nullptr);
        }
        const HWND expectedOwner = host.Main.get();
        // A stored format that does not expand shows a box before the dialog
        // opens, and another once it is open.
        StoreFormat("%9d");
        const int result = Run([&](TDialogDriver& d) {
            const HWND early = d.WaitForMessageBox();
            ASSERT_NE(early, nullptr);
            EXPECT_EQ(::GetWindow(early, GW_OWNER), expectedOwner);
            DismissMessageBox(early);
            const TDialog dialog = Open(d);
            ASSERT_NE(dialog.Window, nullptr);
            EXPECT_EQ(::GetWindow(dialog.Window, GW_OWNER), expectedOwner);
            d.SetTextAsync(dialog.Edit, "%2d");
            const HWND box = d.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(::GetWindow(box, GW_OWNER), dialog.Window);
            DismissMessageBox(box);
            d.Join();
            d.Click(dialog.Cancel);
        });
        EXPECT_EQ(result, 0);
    }
}

TEST_F(SettingDialogTest, EndsWhenTheHostDestroysTheWindowThatOwnsIt) {
    StoreFormat("%u");
    const THostWindows host = MakeActiveHost();
    const HWND main = host.Main.get();
    const int result = Run([&](TDialogDriver& d) {
        const TDialog dialog = Open(d);
        ASSERT_NE(dialog.Window, nullptr);
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(main, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &answer);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog.Window); }, 5000));
    });
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(StoredFormat(), "%u");
}

TEST_F(SettingDialogTest, DescribesItselfThroughTheFirstExport) {
    const auto address = [](const char* name) {
        return reinterpret_cast<void*>(::GetProcAddress(Plugin->get(), name));
    };
    void* first = address(MAKEINTRESOURCEA(1));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, address("GetPluginInterfalce"));
    EXPECT_EQ(address(MAKEINTRESOURCEA(10)), address("ExecutePlugin"));
    const auto describe = reinterpret_cast<TGetPluginInterfalce>(first);
    TPluginInterface record{};
    EXPECT_EQ(describe(&record), 0);
    EXPECT_STREQ(record.MenuCaption, "ｶｽﾀﾑﾘｽﾄ設定(&S)");
    EXPECT_EQ(record.Number4, 100);
}

// A window procedure standing for one left behind by an earlier image of
// the DLL.
LRESULT CALLBACK EarlierImageProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, msg, wParam, lParam);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The classes of the dialog and its controls that the DLL registered.
std::vector<std::string> ClassesOfTheDll(HWND dialog, HMODULE dll) {
    std::vector<HWND> windows{dialog};
    ::EnumChildWindows(dialog, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::string> names;
    for (HWND window : windows) {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (reinterpret_cast<HMODULE>(::GetClassLongPtrA(window, GCLP_HMODULE)) == dll &&
            std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

bool ClassRegistered(HMODULE dll, const std::string& name) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    return ::GetClassInfoExA(dll, name.c_str(), &info) != 0;
}

// A host that loads the DLL for each command: each load finds no class of an
// earlier one, wherever the DLL lands, and the dialog opens and closes.
TEST(SettingDialogReloadTest, LeavesNoWindowClassBehindAndOpensAgainAtAnyAddress) {
    const TScratchRegistry registry({}, StoredFormatValue());
    StoreFormat("%u");
    enum class TLoad { First, SameAddress, OtherAddress, OverAnEarlierClass };
    const std::pair<const char*, TLoad> loads[] = {
        {"first load", TLoad::First},
        {"again at the same address", TLoad::SameAddress},
        {"at another address", TLoad::OtherAddress},
        {"over a class an earlier image left", TLoad::OverAnEarlierClass},
    };
    HMODULE firstBase = nullptr;
    SIZE_T imageSize = 0;
    for (const auto& [name, load] : loads) {
        SCOPED_TRACE(name);
        ASSERT_EQ(::GetModuleHandleA("PellmarkSetting.dll"), nullptr) << "still loaded";
        // The first address taken, so that the loader must move the DLL.
        void* reserved = nullptr;
        if (load == TLoad::OtherAddress) {
            reserved = ::VirtualAlloc(firstBase, imageSize, MEM_RESERVE, PAGE_NOACCESS);
            ASSERT_EQ(reserved, firstBase);
        }
        TModule dll(::LoadLibraryA("PellmarkSetting.dll"));
        ASSERT_TRUE(dll);
        if (load == TLoad::First) {
            firstBase = dll.get();
            const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(firstBase);
            imageSize = reinterpret_cast<const IMAGE_NT_HEADERS*>(
                            reinterpret_cast<const char*>(firstBase) + dos->e_lfanew)
                            ->OptionalHeader.SizeOfImage;
        } else if (load == TLoad::OtherAddress) {
            EXPECT_NE(dll.get(), firstBase);
        } else {
            EXPECT_EQ(dll.get(), firstBase);
        }
        if (load == TLoad::OverAnEarlierClass) {
            WNDCLASSEXA earlier{};
            earlier.cbSize = sizeof earlier;
            earlier.lpfnWndProc = EarlierImageProcedure;
            earlier.hInstance = dll.get();
            earlier.lpszClassName = "PellmarkControl";
            ASSERT_NE(::RegisterClassExA(&earlier), 0);
        }
        std::vector<std::string> classes;
        const int result = RunDialog(dll.get(), [&](TDialogDriver& d) {
            const HWND dialog = d.WaitForDialog();
            ASSERT_NE(dialog, nullptr);
            classes = ClassesOfTheDll(dialog, dll.get());
            d.Click(ControlWindow(d, dialog, "CancelSettingButton"));
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(classes, std::vector<std::string>{"PellmarkControl"});
        const HMODULE base = dll.get();
        for (const std::string& cls : classes)
            EXPECT_FALSE(ClassRegistered(base, cls)) << cls << " after the dialog closed";
        dll.reset();
        for (const std::string& cls : classes)
            EXPECT_FALSE(ClassRegistered(base, cls)) << cls << " after FreeLibrary";
        if (reserved != nullptr)
            ::VirtualFree(reserved, 0, MEM_RELEASE);
        // A class left behind is not carried into the next load.
        ::UnregisterClassA("PellmarkControl", base);
    }
    EXPECT_EQ(StoredFormat(), "%u");
}

} // namespace

// The Windows clipboard as text: CF_TEXT, with CF_UNICODETEXT and CF_LOCALE
// beside it so that every program pastes the same characters.

#include "runtime/Clipboard.h"

#include "runtime/Exception.h"
#include "runtime/Messages.h"
#include "runtime/SystemError.h"
#include "runtime/win32/ClipboardBlocks.h"
#include "runtime/win32/Handles.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <optional>

namespace {

// The message for what failed, with the system's text of the last error.
using TClipboardMessage = std::string (*)(std::string_view system);

[[noreturn]] void Fail(TClipboardMessage message) {
    throw EClipboardException(message(SystemErrorMessage(GetLastError())));
}

void OpenClipboardSession(std::optional<TClipboardSession>& session, HWND owner) {
    for (int attempt = 0; attempt < ClipboardOpenAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(ClipboardRetryMilliseconds);
        session.emplace(owner);
        if (session->IsOpen())
            return;
        session.reset();
    }
    Fail(Messages::ClipboardOpenFailed);
}

// A movable block of size bytes, filled by fill(data) while it is locked.
template <typename Fill> TClipboardBlock MakeBlock(UINT format, std::size_t size, Fill&& fill) {
    TClipboardBlock block{format, TGlobalMemory(GlobalAlloc(GMEM_MOVEABLE, size))};
    if (!block.Memory)
        throw EOutOfMemory(Messages::ClipboardMemoryFailed(SystemErrorMessage(GetLastError())));
    const TGlobalLock lock(block.Memory.get());
    if (lock.Data() == nullptr)
        Fail(Messages::ClipboardLockFailed);
    fill(lock.Data());
    return block;
}

} // namespace

std::vector<TClipboardBlock> PrepareClipboardBlocks(const std::string& text) {
    const std::size_t length = std::strlen(text.c_str());
    if (length >= static_cast<std::size_t>(INT_MAX))
        throw EOutOfMemory(Messages::ClipboardTextTooLong());
    // The terminating NUL is converted with the text, so the count includes it.
    const int bytes = static_cast<int>(length + 1);
    const int characters = MultiByteToWideChar(CP_ACP, 0, text.c_str(), bytes, nullptr, 0);
    if (characters <= 0)
        Fail(Messages::ClipboardConvertFailed);

    std::vector<TClipboardBlock> blocks;
    blocks.reserve(3);
    blocks.push_back(MakeBlock(CF_TEXT, length + 1,
                               [&](void* data) { std::memcpy(data, text.c_str(), length + 1); }));
    blocks.push_back(MakeBlock(CF_UNICODETEXT, static_cast<std::size_t>(characters) * sizeof(WCHAR),
                               [&](void* data) {
                                   MultiByteToWideChar(CP_ACP, 0, text.c_str(), bytes,
                                                       static_cast<WCHAR*>(data), characters);
                               }));
    blocks.push_back(MakeBlock(CF_LOCALE, sizeof(LCID), [](void* data) {
        const LCID locale = GetSystemDefaultLCID();
        std::memcpy(data, &locale, sizeof locale);
    }));
    return blocks;
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

void TClipboard::SetAsText(const std::string& text) {
    std::vector<TClipboardBlock> blocks = PrepareClipboardBlocks(text);

    // EmptyClipboard makes the window that opened the clipboard its owner;
    // without one the clipboard has no owner and Windows refuses the data.
    // A message-only window of a predefined class registers nothing, and it
    // is destroyed after the clipboard is closed.
    const TWindowHandle owner(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    if (!owner)
        Fail(Messages::ClipboardWindowFailed);
    std::optional<TClipboardSession> session;
    OpenClipboardSession(session, owner.get());
    if (!EmptyClipboard())
        Fail(Messages::ClipboardEmptyFailed);
    for (TClipboardBlock& block : blocks) {
        if (SetClipboardData(block.Format, block.Memory.get()) == nullptr) {
            const DWORD code = GetLastError();
            // Part of the text in one format only would paste differently
            // from program to program: leave the clipboard empty instead.
            EmptyClipboard();
            SetLastError(code);
            Fail(Messages::ClipboardSetFailed);
        }
        // The system owns the block now.
        block.Memory.release();
    }
}

// Reading changes nothing on the clipboard, so it needs no owner: the
// clipboard is opened for this thread alone, without a window.
std::string TClipboard::AsText() {
    std::optional<TClipboardSession> session;
    OpenClipboardSession(session, nullptr);
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr)
        return std::string();
    const TGlobalLock lock(data);
    if (lock.Data() == nullptr)
        Fail(Messages::ClipboardReadFailed);
    // Never read past the block, even when it lacks its terminator.
    const char* text = static_cast<const char*>(lock.Data());
    return std::string(text, strnlen(text, GlobalSize(data)));
}

// The Windows clipboard as plain text (CF_TEXT).

#include "runtime/Clipboard.h"

#include "runtime/Exception.h"
#include "runtime/win32/Handles.h"
#include "runtime/win32/SystemError.h"

#include <windows.h>

#include <cstring>
#include <optional>

namespace {

// Another program may hold the clipboard for a moment: try a few times.
bool OpenClipboardSession(std::optional<TClipboardSession>& session) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0)
            Sleep(20);
        session.emplace(nullptr);
        if (session->IsOpen())
            return true;
        session.reset();
    }
    return false;
}

[[noreturn]] void Fail(const std::string& what) {
    const DWORD code = GetLastError();
    throw EClipboardException(what + ": " + SystemErrorMessage(code));
}

// Locks a global memory block for one scope.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL memory) : FMemory(memory), FData(GlobalLock(memory)) {}
    ~TGlobalLock() {
        if (FData != nullptr)
            GlobalUnlock(FMemory);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    char* Data() const { return static_cast<char*>(FData); }

private:
    HGLOBAL FMemory;
    void* FData;
};

} // namespace

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

void TClipboard::SetAsText(const std::string& text) {
    // The block is filled before the clipboard is opened and emptied, so that
    // running out of memory leaves the clipboard as it was.
    const std::size_t length = std::strlen(text.c_str());
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, length + 1));
    if (!memory)
        Fail("Cannot allocate memory for the clipboard");
    {
        const TGlobalLock lock(memory.get());
        if (lock.Data() == nullptr)
            Fail("Cannot lock memory for the clipboard");
        std::memcpy(lock.Data(), text.c_str(), length + 1);
    }

    std::optional<TClipboardSession> session;
    if (!OpenClipboardSession(session))
        Fail("Cannot open the clipboard");
    if (!EmptyClipboard())
        Fail("Cannot empty the clipboard");
    if (SetClipboardData(CF_TEXT, memory.get()) == nullptr)
        Fail("Cannot put text on the clipboard");
    // The system owns the block now.
    memory.release();
}

std::string TClipboard::AsText() {
    std::optional<TClipboardSession> session;
    if (!OpenClipboardSession(session))
        Fail("Cannot open the clipboard");
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr)
        return std::string();
    const TGlobalLock lock(data);
    if (lock.Data() == nullptr)
        Fail("Cannot read the clipboard");
    // Never read past the block, even when it lacks its terminator.
    const std::size_t size = GlobalSize(data);
    return std::string(lock.Data(), strnlen(lock.Data(), size));
}

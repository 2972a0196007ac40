#pragma once
// Move-only owners for Win32 handles: one template, one alias per kind.
// release() hands the handle over (for instance to the system) without
// closing it.

#include <windows.h>

#include <utility>

// Traits give the handle type, the value that means "none" and how to close.
template <typename Traits> class TUniqueHandle {
public:
    using T = typename Traits::Type;

    TUniqueHandle() = default;
    explicit TUniqueHandle(T handle) : FHandle(handle) {}
    ~TUniqueHandle() { reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    T get() const { return FHandle; }
    explicit operator bool() const { return FHandle != Traits::Invalid(); }
    T release() { return std::exchange(FHandle, Traits::Invalid()); }
    void reset(T handle = Traits::Invalid()) {
        T old = std::exchange(FHandle, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For APIs that fill in a handle through a pointer.
    T* put() {
        reset();
        return &FHandle;
    }

private:
    T FHandle = Traits::Invalid();
};

template <typename H, auto CloseFn> struct TNullHandleTraits {
    using Type = H;
    static H Invalid() { return nullptr; }
    static void Close(H h) { CloseFn(h); }
};

template <auto CloseFn> struct TFileHandleTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseFn(h); }
};

using TFileHandle = TUniqueHandle<TFileHandleTraits<::CloseHandle>>;
using TFindHandle = TUniqueHandle<TFileHandleTraits<::FindClose>>;
using TRegKey = TUniqueHandle<TNullHandleTraits<HKEY, ::RegCloseKey>>;
using TGlobalMemory = TUniqueHandle<TNullHandleTraits<HGLOBAL, ::GlobalFree>>;
using TGdiObject = TUniqueHandle<TNullHandleTraits<HGDIOBJ, ::DeleteObject>>;
using TModule = TUniqueHandle<TNullHandleTraits<HMODULE, ::FreeLibrary>>;
using TWindowHandle = TUniqueHandle<TNullHandleTraits<HWND, ::DestroyWindow>>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(::SelectObject(dc, object)) {}
    ~TSelectObject() {
        if (FOld != nullptr && FOld != HGDI_ERROR)
            ::SelectObject(FDC, FOld);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// The DC from BeginPaint for one scope. EndPaint runs when the scope ends,
// also when BeginPaint gave no DC.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : FWindow(window), FDC(::BeginPaint(window, &FPaint)) {}
    ~TPaintDC() { ::EndPaint(FWindow, &FPaint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC get() const { return FDC; }
    explicit operator bool() const { return FDC != nullptr; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// Locks a global memory block for one scope. Data() is null when the lock
// failed; nothing is unlocked then.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL memory) : FMemory(memory), FData(::GlobalLock(memory)) {}
    ~TGlobalLock() {
        if (FData != nullptr)
            ::GlobalUnlock(FMemory);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    void* Data() const { return FData; }

private:
    HGLOBAL FMemory;
    void* FData;
};

// Holds the clipboard open for one scope.
class TClipboardSession {
public:
    explicit TClipboardSession(HWND owner) : FOpen(::OpenClipboard(owner) != FALSE) {}
    ~TClipboardSession() {
        if (FOpen)
            ::CloseClipboard();
    }
    TClipboardSession(const TClipboardSession&) = delete;
    TClipboardSession& operator=(const TClipboardSession&) = delete;
    bool IsOpen() const { return FOpen; }

private:
    bool FOpen;
};

// Runs a call when the scope ends, for a state that holds no handle of its
// own: a DC lent to a canvas given back, a flag put back. The call must not
// throw.
template <typename Call> class TScopeExit {
public:
    explicit TScopeExit(Call call) : FCall(std::move(call)) {}
    ~TScopeExit() { FCall(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Call FCall;
};

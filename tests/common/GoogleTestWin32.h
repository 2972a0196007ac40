#pragma once
// Read by every translation unit of GoogleTest and of the tests (forced
// include). GCC 12's win32 thread model has no std::mutex and no
// std::condition_variable, which GoogleTest's Notification is built from;
// this one, over a Win32 event, takes its place. GoogleTest uses it only to
// start the threads of its own thread tests. Everything else GoogleTest
// needs for thread safety on Windows it builds on Win32 itself.

#define GTEST_HAS_NOTIFICATION_ 1

#include <windows.h>

namespace testing::internal {

class Notification {
public:
    Notification() : FEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(FEvent); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    // The names are GoogleTest's.
    void Notify() { ::SetEvent(FEvent); }
    void WaitForNotification() { ::WaitForSingleObject(FEvent, INFINITE); }

private:
    HANDLE FEvent;
};

} // namespace testing::internal

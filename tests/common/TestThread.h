#pragma once
// A second thread for a Win32 test, over CreateThread. The MinGW toolchain
// uses GCC's win32 thread model (the DLLs must give back every resource when
// they are unloaded), which in GCC 12 has no std::thread.

#ifndef _WIN32
#error "TestThread.h is for the Win32 build"
#endif

#include <functional>
#include <memory>

// Runs body on a thread of its own from construction. Join waits for it;
// the destructor joins a thread not joined yet. An exception that leaves
// body fails the running test instead of ending the program.
class TTestThread {
public:
    explicit TTestThread(std::function<void()> body);
    ~TTestThread();
    TTestThread(TTestThread&& other) noexcept;
    TTestThread& operator=(TTestThread&&) = delete;
    TTestThread(const TTestThread&) = delete;
    TTestThread& operator=(const TTestThread&) = delete;

    void Join();

private:
    std::unique_ptr<std::function<void()>> FBody;
    void* FHandle = nullptr;
};

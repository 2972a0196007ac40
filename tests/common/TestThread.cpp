#include "tests/common/TestThread.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <exception>
#include <utility>

namespace {

DWORD WINAPI RunBody(void* param) {
    const auto& body = *static_cast<const std::function<void()>*>(param);
    try {
        body();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "a test thread ended with an exception: " << e.what();
    } catch (...) {
        ADD_FAILURE() << "a test thread ended with an exception";
    }
    return 0;
}

} // namespace

TTestThread::TTestThread(std::function<void()> body)
    : FBody(std::make_unique<std::function<void()>>(std::move(body))) {
    FHandle = ::CreateThread(nullptr, 0, RunBody, FBody.get(), 0, nullptr);
    if (FHandle == nullptr)
        ADD_FAILURE() << "CreateThread failed with error " << ::GetLastError();
}

TTestThread::~TTestThread() {
    Join();
}

TTestThread::TTestThread(TTestThread&& other) noexcept
    : FBody(std::move(other.FBody)), FHandle(std::exchange(other.FHandle, nullptr)) {}

void TTestThread::Join() {
    if (FHandle == nullptr)
        return;
    ::WaitForSingleObject(FHandle, INFINITE);
    ::CloseHandle(FHandle);
    FHandle = nullptr;
}

#pragma once
// The boundary of every export: no exception may reach the host. Whatever the
// body throws is shown in the runtime's error box, owned by the calling
// thread's active window, and the export returns its failure value.

#include "runtime/win32/ErrorBox.h"

#include <cstdint>
#include <utility>

template <typename Body>
std::int32_t GuardExport(const char* title, std::int32_t failureResult, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ShowCurrentExceptionBox(::GetActiveWindow(), title);
        return failureResult;
    }
}

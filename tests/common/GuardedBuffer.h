#pragma once
// Bytes placed so that the first byte after them cannot be read: reading
// past the end faults instead of passing unnoticed.

#include <cstddef>
#include <string_view>

class TGuardedBuffer {
public:
    // High asks the system for the highest free addresses (Win32 only).
    enum class Placement { Anywhere, High };
    explicit TGuardedBuffer(std::string_view bytes, Placement placement = Placement::Anywhere);
    ~TGuardedBuffer();
    TGuardedBuffer(const TGuardedBuffer&) = delete;
    TGuardedBuffer& operator=(const TGuardedBuffer&) = delete;

    const char* Data() const { return FData; }

private:
    char* FBase = nullptr;
    std::size_t FSize = 0;
    const char* FData = nullptr;
};

#include "tests/common/GuardedBuffer.h"

#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#ifdef _WIN32

TGuardedBuffer::TGuardedBuffer(std::string_view bytes, Placement placement) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t pages = (bytes.size() + page - 1) / page + 1;
    FSize = pages * page;
    const DWORD top = placement == Placement::High ? MEM_TOP_DOWN : 0;
    FBase = static_cast<char*>(
        VirtualAlloc(nullptr, FSize, MEM_COMMIT | MEM_RESERVE | top, PAGE_READWRITE));
    if (FBase == nullptr)
        throw std::runtime_error("no guarded buffer");
    DWORD old;
    VirtualProtect(FBase + FSize - page, page, PAGE_NOACCESS, &old);
    char* data = FBase + FSize - page - bytes.size();
    std::memcpy(data, bytes.data(), bytes.size());
    FData = data;
}

TGuardedBuffer::~TGuardedBuffer() {
    VirtualFree(FBase, 0, MEM_RELEASE);
}

#else

TGuardedBuffer::TGuardedBuffer(std::string_view bytes, Placement) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t pages = (bytes.size() + page - 1) / page + 1;
    FSize = pages * page;
    void* base = mmap(nullptr, FSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        throw std::runtime_error("no guarded buffer");
    FBase = static_cast<char*>(base);
    mprotect(FBase + FSize - page, page, PROT_NONE);
    char* data = FBase + FSize - page - bytes.size();
    std::memcpy(data, bytes.data(), bytes.size());
    FData = data;
}

TGuardedBuffer::~TGuardedBuffer() {
    munmap(FBase, FSize);
}

#endif

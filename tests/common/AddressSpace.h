#pragma once
// A 32-bit host that has run out of address space, for one scope: the whole
// free address space is reserved (not committed, so no memory is used) but
// for a few holes of a given size, so that no allocation larger than a hole
// can succeed while smaller ones still do.

#ifndef _WIN32
#error "AddressSpace.h is for the Win32 build"
#endif

#include <cstddef>
#include <vector>

class TAddressSpaceSqueeze {
public:
    explicit TAddressSpaceSqueeze(std::size_t holeSize, int holes = 3);
    ~TAddressSpaceSqueeze();
    TAddressSpaceSqueeze(const TAddressSpaceSqueeze&) = delete;
    TAddressSpaceSqueeze& operator=(const TAddressSpaceSqueeze&) = delete;

private:
    struct TBlock {
        void* Base;
        std::size_t Size;
    };
    std::vector<TBlock> FReserved;
};

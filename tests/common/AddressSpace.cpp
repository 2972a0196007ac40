#include "tests/common/AddressSpace.h"

#include <windows.h>

namespace {

// The smallest block the system reserves (its allocation granularity).
constexpr std::size_t SmallestBlock = 0x10000;
constexpr std::size_t LargestBlock = std::size_t{1} << 30;

} // namespace

TAddressSpaceSqueeze::TAddressSpaceSqueeze(std::size_t holeSize, int holes) {
    // The system is asked for ever smaller blocks until nothing is left: the
    // free regions it reports need not be all it can hand out (Wine keeps a
    // reserved area of its own that it allocates from).
    FReserved.reserve(4096);
    for (std::size_t size = LargestBlock; size >= SmallestBlock; size /= 2)
        while (void* base = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            FReserved.push_back({base, size});
    // Each hole is the start of a large block, the rest of which is reserved again.
    for (TBlock& block : FReserved) {
        if (holes == 0)
            break;
        if (block.Size < 2 * holeSize)
            continue;
        VirtualFree(block.Base, 0, MEM_RELEASE);
        char* const rest = static_cast<char*>(block.Base) + holeSize;
        block = {VirtualAlloc(rest, block.Size - holeSize, MEM_RESERVE, PAGE_NOACCESS),
                 block.Size - holeSize};
        --holes;
    }
}

TAddressSpaceSqueeze::~TAddressSpaceSqueeze() {
    for (const TBlock& block : FReserved)
        if (block.Base != nullptr)
            VirtualFree(block.Base, 0, MEM_RELEASE);
}

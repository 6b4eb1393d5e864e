#pragma once

// Replaces the global allocation functions with ones that count every allocation. Include it
// in exactly one source file of a test program, and keep that program apart from the others.

#include <cstdint>
#include <cstdlib>
#include <new>

namespace wobblux::testing {

inline std::uint64_t allocationCount = 0;

inline void* countedAllocation(std::size_t size) {
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

}  // namespace wobblux::testing

// Every other form of operator new in the standard library forwards to these two.
void* operator new(std::size_t size) {
    return wobblux::testing::countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return wobblux::testing::countedAllocation(size);
}
// The sanitizers replace every form themselves, so the nothrow forms are replaced here too:
// a block they gave would otherwise come back through the free() below, which AddressSanitizer
// reports as a mismatch (LLVM, which Mesa's driver compiles shaders with, allocates this way).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++wobblux::testing::allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++wobblux::testing::allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

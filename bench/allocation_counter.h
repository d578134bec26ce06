// Counts every heap allocation of the benchmark program, so that a benchmark can report
// the allocations made inside the code it times (a frame must make none).
//
// Include this in exactly one file of a benchmark program: it replaces the global
// operator new and delete.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long long> g_allocations{0};

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

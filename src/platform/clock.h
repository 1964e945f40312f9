#pragma once
// Millisecond time for protocol waits: a monotonic counter that wraps like a
// 32-bit tick count, and a sleep.

#include <cstdint>

// Milliseconds since an arbitrary start, from the monotonic clock, modulo 2^32.
std::uint32_t GetTickCount();

void Sleep(unsigned milliseconds);

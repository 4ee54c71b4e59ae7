#pragma once
// A property a fuzz target checks: abort, so that libFuzzer keeps the input.

#include <cstdlib>

inline void check(bool condition) {
    if (!condition)
        std::abort();
}

#pragma once
// A property a fuzz target checks: say which one broke, then abort, so that
// libFuzzer keeps the input and CI's log names the line.

#include <cstdio>
#include <cstdlib>

inline void checkAt(bool condition, const char* file, int line) {
    if (condition)
        return;
    std::fprintf(stderr, "ERROR: property broken at %s:%d\n", file, line);
    std::abort();
}

#define FUZZ_CHECK(condition) checkAt((condition), __FILE__, __LINE__)

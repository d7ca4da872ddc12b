#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A failed property ends the run with the input shown, so that libFuzzer saves it as a
// crash and the replay test fails with something to read.
namespace fuzz {

inline std::string& currentInput() {
    static std::string input;
    return input;
}

[[noreturn]] inline void fail(const char* condition, const std::string& detail, const char* file,
                              int line) {
    const std::string& input = currentInput();
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n  input (%zu bytes): %.200s%s\n", file,
                 line, condition, detail.c_str(), input.size(), input.c_str(),
                 input.size() > 200 ? "..." : "");
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition, detail)                               \
    do {                                                            \
        if (!(condition)) {                                         \
            ::fuzz::fail(#condition, (detail), __FILE__, __LINE__); \
        }                                                           \
    } while (false)

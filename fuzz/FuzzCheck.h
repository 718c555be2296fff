// What a fuzz target does when the code under test breaks a promise: say which one and stop,
// so libFuzzer keeps the input that showed it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace talvex::fuzz {

[[noreturn]] inline void broken(const std::string& promise, const std::string& detail = {}) {
    std::fprintf(stderr, "broken: %s\n%s\n", promise.c_str(), detail.c_str());
    std::abort();
}

inline void expect(bool kept, const std::string& promise, const std::string& detail = {}) {
    if (!kept) broken(promise, detail);
}

}  // namespace talvex::fuzz

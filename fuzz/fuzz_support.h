#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace redewerk::fuzzing {

// The fuzzer's input as text.
inline std::string_view Text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken property is a finding like a crash: say which and stop, so that libFuzzer keeps
// the input.
inline void Require(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "Property broken: %s\n", what.c_str());
    std::abort();
}

} // namespace redewerk::fuzzing

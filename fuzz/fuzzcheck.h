#pragma once

// A property that does not hold is a finding: say which and abort, so libFuzzer keeps the input and the seed
// test fails.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                            \
    do {                                                                                                 \
        if (!(condition)) {                                                                              \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                                \
        }                                                                                                \
    } while (false)

namespace hartool::fuzz {

// The input as count fields parted by NUL bytes (the last takes the rest); missing ones are "". Seeds are
// written the same way: printf 'text\0section\0key\0value'.
inline std::vector<std::string> fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string> out(count);
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at <= input.size(); ++i) {
        const std::size_t nul = i + 1 == count ? std::string::npos : input.find('\0', at);
        out[i] = input.substr(at, nul == std::string::npos ? std::string::npos : nul - at);
        if (nul == std::string::npos) break;
        at = nul + 1;
    }
    return out;
}

}  // namespace hartool::fuzz

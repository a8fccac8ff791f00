// The profile reader and writer: a value written reads back trimmed, without one pair of enclosing quotes
// and cut at 1,023 characters; writing it again changes nothing; every other key reads as before.
// Input: text NUL section NUL key NUL value.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/platform/codepage.h"
#include "core/platform/profile.h"
#include "fuzzcheck.h"

using namespace hartool::platform;

namespace {

std::string_view blanksTrimmed(std::string_view s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// The rules read plainly.
std::string expectedValue(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    std::string_view v = blanksTrimmed(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, kProfileValueLimit));
}

// A section or key the file format can hold: the writer does not escape, so a name with a line break, a
// bracket or "=" in it, or a key that would read as a comment or a header, is not a name of the format.
bool nameOfTheFormat(std::string_view name, bool key) {
    const std::string_view t = blanksTrimmed(name);
    if (t.empty() || t.find_first_of(key ? "\r\n=" : "\r\n]") != std::string_view::npos) return false;
    return !key || (t.front() != ';' && t.front() != '[');
}

// The sections and keys the text names, as pairs to read.
std::vector<std::pair<std::string, std::string>> namesIn(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> out;
    std::string section;
    std::size_t pos = 0;
    while (pos < text.size() && out.size() < 64) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = blanksTrimmed(text.substr(pos, end - pos));
        if (!line.empty() && line.front() == '[')
            section = std::string(
                line.substr(1, line.find(']') == std::string_view::npos ? line.npos : line.find(']') - 1));
        else if (line.find('=') != std::string_view::npos)
            out.emplace_back(section, std::string(line.substr(0, line.find('='))));
        pos = end + 1;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = hartool::fuzz::fields(data, size, 4);
    const std::string &text = f[0], &section = f[1], &key = f[2], &value = f[3];
    const std::string written = withProfileValue(text, section, key, value);
    (void)profileValue(text, section, key);
    if (!nameOfTheFormat(section, false) || !nameOfTheFormat(key, true)) return 0;

    FUZZ_CHECK(profileValue(written, section, key) == expectedValue(value));
    FUZZ_CHECK(withProfileValue(written, section, key, value) == written);
    for (const auto& [s, k] : namesIn(text)) {
        if (iequals1252(blanksTrimmed(s), blanksTrimmed(section)) &&
            iequals1252(blanksTrimmed(k), blanksTrimmed(key)))
            continue;
        FUZZ_CHECK(profileValue(written, s, k) == profileValue(text, s, k));
    }
    return 0;
}

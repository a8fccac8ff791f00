// The entry functions: GETENTRY agrees with a plain reading of the rules, however the file arrives in
// chunks, and reads a text with CR line ends as it reads it with CR LF; PUTENTRY keeps the text before the
// entry, and what it wrote reads back.
// Input: name NUL value NUL chunk size (its first byte, 1 to 256; none: 4096) NUL text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/codepage.h"
#include "core/text/entries.h"
#include "fuzzcheck.h"
#include "memoryfs.h"

namespace {

const std::string kFile = "C:\\GAME\\MISSION.TXT";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string spacesTrimmed(std::string_view s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

// The first occurrence that begins a line and ends at a blank, a colon or the line end; else the first.
std::size_t plainFind(const std::string& text, const std::string& name) {
    const std::string u = hartool::platform::upper1252(text);
    const std::string n = hartool::platform::upper1252(spacesTrimmed(name));
    if (n.empty()) return std::string::npos;
    std::size_t first = std::string::npos;
    for (std::size_t p = u.find(n); p != std::string::npos; p = u.find(n, p + 1)) {
        if (first == std::string::npos) first = p;
        const std::size_t after = p + n.size();
        const bool ends = after == u.size() || isBlank(u[after]) || isBreak(u[after]) || u[after] == ':';
        std::size_t q = p;
        while (q > 0 && isBlank(u[q - 1])) --q;
        if (ends && (q == 0 || isBreak(u[q - 1]))) return p;
    }
    return first;
}

// Token 2 of the line split at runs of ":", trimmed of spaces; then its word, runs of spaces parting words.
std::string plainValue(std::string_view line, std::size_t word) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    const std::size_t begin = line.find_first_not_of(':', colon);
    if (begin == std::string_view::npos) return {};
    const std::string value = spacesTrimmed(line.substr(begin, line.find(':', begin) - begin));
    if (word == 0) return value;
    std::vector<std::string> words;
    for (std::size_t p = 0; p < value.size();) {
        const std::size_t end = std::min(value.find(' ', p), value.size());
        if (end > p) words.push_back(value.substr(p, end - p));
        p = end + 1;
    }
    return word <= words.size() ? words[word - 1] : "";
}

// The text as an old editor saves it: every "\r\n" a "\r".
std::string crOnly(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i] == '\n' ? '\r' : text[i];
    return out;
}

std::string plainEntry(const std::string& text, const std::string& name, std::size_t word) {
    const std::size_t at = plainFind(text, name);
    if (at == std::string::npos) return {};
    const std::size_t end = text.find_first_of("\r\n", at);
    return plainValue(std::string_view(text).substr(at, end == std::string::npos ? end : end - at), word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto f = hartool::fuzz::fields(data, size, 4);
    const std::string &name = f[0], &value = f[1], &text = f[3];
    hartool::fuzz::MemoryFileSystem files;
    files.setChunk(f[2].empty() ? 4096 : 1 + static_cast<unsigned char>(f[2][0]));
    files.write(kFile, text);

    for (std::size_t word : {0, 1, 2, 3})
        FUZZ_CHECK(hartool::GETENTRY(kFile, name, word) == plainEntry(text, name, word));
    if (name.find_first_of("\r\n") == std::string::npos) {
        const std::string before = hartool::GETENTRY(kFile, name);
        files.write(kFile, crOnly(text));
        FUZZ_CHECK(hartool::GETENTRY(kFile, name) == before);
        files.write(kFile, text);
    }

    const hartool::EntryWrite w = hartool::PUTENTRY(kFile, name, value);
    const std::size_t at = plainFind(text, name);
    if (at == std::string::npos) {
        FUZZ_CHECK(w.outcome == hartool::EntryWrite::Outcome::NO_ENTRY && *files.file(kFile) == text);
        return 0;
    }
    FUZZ_CHECK(w.outcome == hartool::EntryWrite::Outcome::WRITTEN);
    const std::string& now = *files.file(kFile);
    FUZZ_CHECK(now.compare(0, at, text, 0, at) == 0);
    // A name with a line break in it is no longer one line once written: nothing to read back.
    if (name.find_first_of("\r\n") != std::string::npos) return 0;
    std::string flat = value;
    for (char& c : flat)
        if (isBreak(c)) c = ' ';
    FUZZ_CHECK(hartool::GETENTRY(kFile, name) ==
               plainValue(hartool::platform::upper1252(spacesTrimmed(name)) + ": " + flat, 0));
    return 0;
}

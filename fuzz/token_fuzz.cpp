// The line splitter: its one-pass reading of "\r\n" agrees with normalising line ends first and then
// splitting plainly, and joining its lines and splitting again gives the same lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/entries.h"
#include "core/text/token.h"
#include "fuzzcheck.h"

using hartool::Token;

namespace {

std::vector<std::string> linesOf(const Token& token) {
    std::vector<std::string> lines;
    for (std::size_t i = 1; i <= token.ANZAHL(); ++i) lines.emplace_back(token.GETTOKEN(i));
    return lines;
}

// The rules read plainly: "\r\n" and a lone "\r" are line feeds; the text splits at line feeds; runs of them
// count as one, so empty lines go, except that a leading or trailing break leaves an empty first or last
// line. A text that is one line break and nothing else is one empty line, as the splitter has always read it.
std::vector<std::string> plainLines(std::string_view text) {
    std::string normal;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        normal += text[i] == '\r' ? '\n' : text[i];
    }
    std::vector<std::string> pieces(1);
    for (char c : normal) {
        if (c == '\n')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    if (normal == "\n") return {""};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (i == 0 || i + 1 == pieces.size() || !pieces[i].empty()) lines.push_back(pieces[i]);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Token split = hartool::TXT2TOKEN(text);
    const std::vector<std::string> lines = linesOf(split);
    FUZZ_CHECK(lines == plainLines(text));
    // Two empty lines join to one line break, which reads as one empty line.
    if (lines != std::vector<std::string>{"", ""})
        FUZZ_CHECK(linesOf(hartool::TXT2TOKEN(split.TOKENSTRING())) == lines);
    return 0;
}

#include "core/text/sections.h"

#include "core/text/foldsearch.h"
#include "core/text/token.h"

namespace hartool {

std::string GETSECTION(const std::string& fileName, std::string_view sectionName) {
    std::string pattern = "[";
    pattern += trimSpaces(sectionName);
    // The next "[" is looked for from the section's third character on.
    return readFromFirstMatch(fileName, pattern, '[', 2).text;
}

std::string GETWERT(std::string_view line, std::size_t word, std::string_view separator) {
    const std::string_view value = valueAfter(line, separator);
    return std::string(word == 0 ? value : tokenAt(value, " ", word));
}

std::string PUTWERT(std::string_view line, std::size_t word, std::string_view newWord) {
    Token words(std::string(valueAfter(line)), " ");
    if (word > 0 && word <= words.ANZAHL()) (*words.TOKENARRAY())[word - 1] = newWord;
    std::string out(tokenAt(line, ":", 1));
    out += ": ";
    out += words.TOKENSTRING();
    return out;
}

}  // namespace hartool

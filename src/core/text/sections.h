#pragma once

// Sections of the game's text files ("[Briefing 0]" and the lines up to the next "[") and the values of
// single "key: value" lines, read and written word by word.

#include <cstddef>
#include <string>
#include <string_view>

namespace hartool {

// The text from the first "[" + name (without regard to case, no "]" needed) up to the next "[" anywhere in
// the file, or to its end; "" when the section does not occur. Reads the file only that far.
std::string GETSECTION(const std::string& fileName, std::string_view sectionName);

// The value of line (between the first separator run and the next separator, trimmed), or its word number
// word when that is not 0; "" when there is no such value or word.
std::string GETWERT(std::string_view line, std::size_t word = 0, std::string_view separator = ":");

// line with word number word of its value replaced by newWord: the key part as it stood, ": ", and the words
// joined by single spaces. Without a word number, or with one beyond the words, the words stay as they were.
std::string PUTWERT(std::string_view line, std::size_t word, std::string_view newWord);

}  // namespace hartool

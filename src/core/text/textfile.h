#pragma once

// A text file as a plain editor shows it and writes it back: its lines parted by "\n" on screen, and on disk
// by the line end the file used.

#include <string>
#include <string_view>

namespace hartool {

struct EditableText {
    std::string text;     // the lines parted by "\n"
    std::string lineEnd;  // the file's first line end: "\r\n", "\n" or "\r"; "\r\n" when it has none
};

EditableText editableText(std::string_view bytes);
// The text's "\n" become lineEnd; a file of mixed line ends gets its first one throughout once edited.
std::string savedText(std::string_view text, std::string_view lineEnd);

}  // namespace hartool

#pragma once

// Game text is Windows-1252 bytes. Case folding follows that code page, not the C locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace hartool::platform {

char upper1252(char c);
char lower1252(char c);
std::string upper1252(std::string_view s);
// upper1252 over size characters at s, in place.
void upper1252InPlace(char* s, std::size_t size);
bool iequals1252(std::string_view a, std::string_view b);

// Conversions at the edges: the GUI, the terminal, UTF-8 marked files.
std::string cp1252ToUtf8(std::string_view s);
// Characters that Windows-1252 cannot hold become "?"; ok (when given) tells whether all could.
std::string utf8ToCp1252(std::string_view s, bool* ok = nullptr);
// The same for UTF-16: the wide names of Windows' file functions.
std::u16string cp1252ToUtf16(std::string_view s);
std::string utf16ToCp1252(std::u16string_view s, bool* ok = nullptr);

// Paths and file names are the file system's bytes, UTF-8 (any bytes pass on Linux); game names are
// Windows-1252. These two are where a name crosses: a title or typed name becoming a file, a listed file
// becoming a name the game or the player sees. spellable (when given) tells whether 1252 holds every
// character of the file name; a name it cannot spell is no game name.
inline std::string fileNameOf(std::string_view gameName) {
    return cp1252ToUtf8(gameName);
}
inline std::string gameNameOf(std::string_view fileName, bool* spellable = nullptr) {
    return utf8ToCp1252(fileName, spellable);
}

// A file name or path folded for a comparison without regard to case: a character 1252 holds folds as
// upper1252 folds it, any other (and any byte that is not UTF-8) stays as it is.
std::string upperFileName(std::string_view utf8);
// Whether s is valid UTF-8 (ASCII is).
bool isUtf8(std::string_view s);
bool iequalsFileName(std::string_view a, std::string_view b);

// Lossless between the two: a lone surrogate of a Windows name becomes the three bytes UTF-8 would give it
// (and back); a byte that is not UTF-8 becomes U+FFFD, which no file name of ours holds.
std::u16string utf8ToUtf16(std::string_view s);
std::string utf16ToUtf8(std::u16string_view s);

}  // namespace hartool::platform

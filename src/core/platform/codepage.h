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

// Conversions at the edges: native file names (UTF-8) and the GUI.
std::string cp1252ToUtf8(std::string_view s);
// Characters that Windows-1252 cannot hold become "?"; ok (when given) tells whether all could.
std::string utf8ToCp1252(std::string_view s, bool* ok = nullptr);
// The same for UTF-16: the wide names of Windows' file functions.
std::u16string cp1252ToUtf16(std::string_view s);
std::string utf16ToCp1252(std::u16string_view s, bool* ok = nullptr);

}  // namespace hartool::platform

#pragma once

// Profile (INI) files, read and written by the rules of the Windows private-profile functions, on every
// platform alike.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/filesystem.h"

namespace hartool::platform {

// The Windows reader hands values over in a buffer of 1024 characters.
inline constexpr std::size_t kProfileValueLimit = 1023;

// Value of key in section of a profile text: names compare without regard to case, the first section
// and the first key win, the value is trimmed and loses one pair of enclosing quotes, then is cut to limit.
std::string profileValue(std::string_view text, std::string_view section, std::string_view key,
                         std::size_t limit = kProfileValueLimit);

// The text with key set to value: the value replaced in place (the key as the file spells it), the key
// appended at the end of its section, or a new section at the end, parted from the text before by one line
// break only when the text does not end in one. Every other line stays as it was; CR LF, LF and CR all end
// a line.
std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// A missing file, section or key yields "".
std::string GETENVIRONMENT(const std::string& section, const std::string& key, const std::string& file);
// Creates the file and the section when absent.
Status WRITEENVIRONMENT(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file);

}  // namespace hartool::platform

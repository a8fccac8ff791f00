#pragma once

// Messages name files with the system's separators: what a test expects, written with "/", as this system
// shows it.

#include <algorithm>
#include <string>

namespace hartool::test {

inline std::string withSystemSeparators(std::string text) {
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '/', '\\');
#endif
    return text;
}

}  // namespace hartool::test

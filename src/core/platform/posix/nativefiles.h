#pragma once

// Small helpers the POSIX files of the platform layer share: native paths ("/"-separated, UTF-8) and
// descriptors.

#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace hartool::platform::posix {

inline constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// As Windows sees a file: read-only when nobody may write it.
inline bool isReadOnly(const struct stat& st) {
    return (st.st_mode & kWriteBits) == 0;
}

inline bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string errnoText(int err);
std::string joinNative(const std::string& folder, const std::string& name);
std::string parentOf(const std::string& native);
std::string baseOf(const std::string& native);
// All of size bytes, past interruptions; false with errno set on a failure.
bool writeAll(int fd, const char* data, std::size_t size);
// The folder's entries on disk (a rename or a new name in it), as far as the file system tells.
void syncFolder(const std::string& folder);

}  // namespace hartool::platform::posix

#pragma once

// What the Windows side of the platform layer shares: names between UTF-8 and UTF-16, the
// system's error texts, full and long paths, and a handle that closes itself.

#include <windows.h>

#include <string>
#include <string_view>

namespace hartool::platform::windows {

// A path between UTF-8, as the platform layer takes it, and the UTF-16 of the system: without loss both ways
// (a lone surrogate too).
std::wstring wide(std::string_view text);
std::string narrow(std::wstring_view text);
// The system's text for an error code, in the tool's lower case.
std::string errorText(DWORD error);
bool isSeparator(wchar_t c);
// The absolute path, as Windows reads the name (so "CAMP1." is "CAMP1"), without the long-path prefix.
std::wstring fullPath(const std::string& path);
// The long-path form ("\\?\") for the file functions: past 260 characters a path needs it.
std::wstring longPath(const std::string& path);
// The full path with its existing part as the disk spells it (the case of each name), the rest as given.
std::wstring asOnDisk(const std::wstring& full);
std::wstring parentOf(const std::wstring& path);  // ending in a separator; "" for a bare name
std::wstring baseOf(const std::wstring& path);
// INVALID_FILE_ATTRIBUTES when there is nothing of that name.
DWORD attributesOf(const std::wstring& path);
bool isFolder(DWORD attributes);
// A known folder of the shell (FOLDERID_...) ending in "\"; "" when there is none.
std::string knownFolder(const GUID& id);

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(Handle&& other) noexcept : h(other.h) { other.h = INVALID_HANDLE_VALUE; }
    Handle& operator=(Handle&&) = delete;
    ~Handle() { close(); }
    void close() {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        h = INVALID_HANDLE_VALUE;
    }
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
};

}  // namespace hartool::platform::windows

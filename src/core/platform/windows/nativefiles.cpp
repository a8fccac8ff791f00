#include "core/platform/windows/nativefiles.h"

#include <algorithm>

#include "core/platform/codepage.h"

namespace hartool::platform::windows {

std::wstring wide(std::string_view text) {
    const std::u16string u = utf8ToUtf16(text);
    return std::wstring(u.begin(), u.end());
}

std::string narrow(std::wstring_view text) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::string errorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    // A message is game text, in the code page.
    std::string text = n ? utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), n))
                         : "error " + std::to_string(error);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    // Every text of the tool is lower case; the system's messages begin with a capital.
    if (!text.empty()) text[0] = lower1252(text[0]);
    return text;
}

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

std::wstring fullPath(const std::string& path) {
    std::wstring w = wide(path);
    std::replace(w.begin(), w.end(), L'/', L'\\');
    if (w.empty()) w = L".";
    DWORD n = ::GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return w;
    std::wstring full(n, L'\0');
    n = ::GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
}

std::wstring longPath(const std::string& path) {
    std::wstring full = fullPath(path);
    if (full.rfind(L"\\\\?\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring asOnDisk(const std::wstring& full) {
    std::wstring head = full, tail;  // full is head + tail; head is tried on the disk
    for (;;) {
        const std::wstring prefixed =
            head.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC\\" + head.substr(2) : L"\\\\?\\" + head;
        HANDLE h = ::CreateFileW(prefixed.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            std::wstring spelt(32768, L'\0');
            const DWORD n = ::GetFinalPathNameByHandleW(h, spelt.data(), static_cast<DWORD>(spelt.size()),
                                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
            ::CloseHandle(h);
            if (n == 0 || n >= spelt.size()) return full;
            spelt.resize(n);
            if (spelt.rfind(L"\\\\?\\UNC\\", 0) == 0)
                spelt = L"\\\\" + spelt.substr(8);
            else if (spelt.rfind(L"\\\\?\\", 0) == 0)
                spelt.erase(0, 4);
            return spelt + tail;
        }
        // One name less: what does not exist keeps the spelling given. A drive ("C:\\") is not tried.
        const std::size_t cut = head.find_last_of(L"\\/", head.size() > 1 ? head.size() - 2 : 0);
        if (cut == std::wstring::npos || cut < 3) return full;
        tail = head.substr(cut) + tail;
        head.erase(cut);
    }
}

std::wstring parentOf(const std::wstring& path) {
    std::size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1])) --end;
    const std::size_t cut = path.find_last_of(L"\\/", end == 0 ? 0 : end - 1);
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring baseOf(const std::wstring& path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

DWORD attributesOf(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str());
}

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace hartool::platform::windows

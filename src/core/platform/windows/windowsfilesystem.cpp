#include "core/platform/windows/windowsfilesystem.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "core/platform/codepage.h"
#include "core/platform/native.h"
#include "core/platform/windows/nativefiles.h"

namespace hartool::platform {

using namespace windows;

FileSystem& nativeFileSystem() {
    static WindowsFileSystem real;
    return real;
}

namespace {

constexpr std::string_view kTemporaryTag = ".hartool-";
constexpr std::size_t kTemporaryRandom = 6;

DateTime toDateTime(const FILETIME& written) {
    FILETIME local;
    SYSTEMTIME t;
    if (!::FileTimeToLocalFileTime(&written, &local) || !::FileTimeToSystemTime(&local, &t)) return {};
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

bool isTemporaryName(std::wstring_view name) {
    const std::size_t tail = kTemporaryTag.size() + kTemporaryRandom;
    if (name.size() < 2 + tail || name[0] != L'.') return false;
    const std::wstring_view tag = name.substr(name.size() - tail, kTemporaryTag.size());
    if (!std::equal(tag.begin(), tag.end(), kTemporaryTag.begin())) return false;
    return std::all_of(name.end() - kTemporaryRandom, name.end(), [](wchar_t c) {
        return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
    });
}

// A writer keeps its temporary open without sharing delete, so only the temporaries of writers that died can
// be deleted here.
void removeDeadTemporaries(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileExW((folder + L".*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !isTemporaryName(found.cFileName))
            continue;
        const std::wstring path = folder + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) continue;  // not one of ours
        ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

// A hidden temporary beside the target, opened without sharing delete (see removeDeadTemporaries).
Status createTemporary(const std::wstring& target, std::wstring& temp, Handle& out) {
    static std::atomic<unsigned> counter{0};
    constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 64; ++attempt) {
        unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^
                                  ::GetTickCount64() ^ (counter.fetch_add(1) * 2654435761u);
        std::wstring random;
        for (std::size_t i = 0; i < kTemporaryRandom; ++i, seed /= 62) random += kLetters[seed % 62];
        temp = parentOf(target) + L"." + baseOf(target) +
               std::wstring(kTemporaryTag.begin(), kTemporaryTag.end()) + random;
        out.h = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (out.valid()) return Status::success();
        if (::GetLastError() != ERROR_FILE_EXISTS) return Status::failure(errorText(::GetLastError()));
    }
    return Status::failure("no temporary file could be made");
}

bool writeAll(HANDLE h, std::string_view data) {
    while (!data.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD wrote = 0;
        if (!::WriteFile(h, data.data(), want, &wrote, nullptr) || wrote == 0) return false;
        data.remove_prefix(wrote);
    }
    return true;
}

// Checks shared by write and copy: the target may be replaced.
Status checkReplaceable(const std::wstring& target) {
    const DWORD a = attributesOf(target);
    if (a == INVALID_FILE_ATTRIBUTES) return Status::success();
    if (a & FILE_ATTRIBUTE_DIRECTORY) return Status::failure("a folder of that name exists");
    // Windows refuses it too, but not every implementation of its functions does: the rule is ours.
    if (a & FILE_ATTRIBUTE_READONLY) return Status::failure("the file is read-only");
    return Status::success();
}

// Fills a temporary through fill(handle), gives it its final attributes, flushes it and moves it over the
// target. The old file survives any failure.
template <class Fill>
Status replaceAtomically(const std::wstring& target, DWORD finalAttributes, Fill fill) {
    if (Status s = checkReplaceable(target); !s) return s;
    removeDeadTemporaries(parentOf(target));
    std::wstring temp;
    Handle h;
    if (Status s = createTemporary(target, temp, h); !s) return s;
    auto fail = [&](DWORD error) {
        h.close();
        ::DeleteFileW(temp.c_str());
        return Status::failure(errorText(error));
    };
    if (!fill(h.h)) return fail(::GetLastError());
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = finalAttributes & ~FILE_ATTRIBUTE_READONLY;
    if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(h.h, FileBasicInfo, &basic, sizeof basic))
        return fail(::GetLastError());
    if (!::FlushFileBuffers(h.h)) return fail(::GetLastError());
    h.close();
    if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temp.c_str());
        return Status::failure(errorText(error));
    }
    if (finalAttributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(target.c_str(), finalAttributes);
    return Status::success();
}

// A new file is an archive file; a replaced one keeps its attributes.
DWORD keptAttributes(const std::wstring& target) {
    const DWORD a = attributesOf(target);
    return a == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_ARCHIVE : a;
}

Handle openForReading(const std::string& path, ReadResult& r) {
    Handle h(::CreateFileW(longPath(path).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h.valid()) {
        const DWORD error = ::GetLastError();
        r.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        r.error = isFolder(attributesOf(longPath(path))) ? "it is a folder" : errorText(error);
    }
    return h;
}

}  // namespace

ReadResult WindowsFileSystem::read(const std::string& path) const {
    ReadResult r;
    Handle h = openForReading(path, r);
    if (!h.valid()) return r;
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(h.h, &size)) r.content.reserve(static_cast<std::size_t>(size.QuadPart));
    std::unique_ptr<char[]> buffer(new char[1 << 16]);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(h.h, buffer.get(), 1 << 16, &got, nullptr)) {
            r.error = errorText(::GetLastError());
            r.content.clear();
            return r;
        }
        if (got == 0) break;
        r.content.append(buffer.get(), got);
    }
    r.ok = true;
    return r;
}

ReadResult WindowsFileSystem::readUntil(const std::string& path,
                                        const std::function<bool(std::string_view chunk)>& consume) const {
    ReadResult r;
    Handle h = openForReading(path, r);
    if (!h.valid()) return r;
    std::unique_ptr<char[]> buffer(new char[1 << 16]);
    DWORD chunk = 4096;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(h.h, buffer.get(), chunk, &got, nullptr)) {
            r.error = errorText(::GetLastError());
            return r;
        }
        if (got == 0 || !consume(std::string_view(buffer.get(), got))) break;
        chunk = std::min<DWORD>(chunk * 2, 1 << 16);
    }
    r.ok = true;
    return r;
}

Status WindowsFileSystem::write(const std::string& path, std::string_view content) {
    const std::wstring target = longPath(path);
    return replaceAtomically(target, keptAttributes(target), [&](HANDLE h) { return writeAll(h, content); });
}

Status WindowsFileSystem::writePieces(const std::string& path,
                                      const std::function<void(const PieceWriter&)>& produce) {
    const std::wstring target = longPath(path);
    return replaceAtomically(target, keptAttributes(target), [&](HANDLE h) {
        DWORD error = 0;  // the first failure's, kept past what produce does after it
        produce([&](std::string_view piece) {
            if (error == 0 && !writeAll(h, piece)) error = ::GetLastError();
        });
        ::SetLastError(error);
        return error == 0;
    });
}

bool WindowsFileSystem::fileExists(const std::string& path) const {
    const DWORD a = attributesOf(longPath(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsFileSystem::folderExists(const std::string& path) const {
    return isFolder(attributesOf(longPath(path)));
}

std::vector<FileEntry> WindowsFileSystem::list(const std::string& pathAndMask) const {
    std::vector<FileEntry> entries;
    const std::size_t cut = pathAndMask.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string() : pathAndMask.substr(0, cut + 1);
    std::string mask = cut == std::string::npos ? pathAndMask : pathAndMask.substr(cut + 1);
    if (mask.empty()) mask = "*";
    std::wstring native = longPath(folder.empty() ? "." : folder);
    if (!isSeparator(native.back())) native += L'\\';
    WIN32_FIND_DATAW found;
    // Every name, matched by our own mask rule: the system's would also match the short 8.3 names.
    HANDLE find = ::FindFirstFileExW((native + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        const DWORD a = found.dwFileAttributes;
        if (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DEVICE)) continue;
        // Hidden as on Linux too: our temporaries above all, whatever their attributes.
        if (found.cFileName[0] == L'.') continue;
        std::string name = narrow(found.cFileName);
        if (!matchesMask(name, mask)) continue;
        const std::uint64_t size =
            (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entries.push_back({std::move(name), size, toDateTime(found.ftLastWriteTime),
                           static_cast<std::uint32_t>(a & (READONLY | HIDDEN | SYSTEM | ARCHIVE))});
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    return entries;
}

Status WindowsFileSystem::remove(const std::string& path) {
    const std::wstring native = longPath(path);
    const DWORD a = attributesOf(native);
    if (a == INVALID_FILE_ATTRIBUTES) return Status::failure(errorText(::GetLastError()));
    if (a & FILE_ATTRIBUTE_DIRECTORY) return Status::failure("it is not a file");
    if (a & FILE_ATTRIBUTE_READONLY) return Status::failure("the file is read-only");
    if (!::DeleteFileW(native.c_str())) return Status::failure(errorText(::GetLastError()));
    return Status::success();
}

TrashResult WindowsFileSystem::trash(const std::string& path) {
    const auto failed = [](Removal removal, std::string why) {
        return TrashResult{removal, Status::failure(std::move(why))};
    };
    const DWORD a = attributesOf(longPath(path));
    if (a == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // Nothing of that name is what a delete asks for.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {Removal::GONE, {}};
        return failed(Removal::FAILED, errorText(error));
    }
    if (a & FILE_ATTRIBUTE_DIRECTORY) return failed(Removal::FAILED, "it is not a file");
    if (a & FILE_ATTRIBUTE_READONLY) return failed(Removal::FAILED, "the file is read-only");
    // The shell takes no long-path prefix, and a list of names ending in two NULs.
    std::wstring from = fullPath(path);
    if (from.size() >= MAX_PATH) return failed(Removal::NO_TRASH, "the path is too long for the recycle bin");
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    // Where the disk has no Recycle Bin the shell would delete for good: the nuke warning makes it ask first,
    // so that nothing goes for good without a question.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
    if (::SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted)
        return failed(Removal::NO_TRASH, "the recycle bin did not take it");
    return {Removal::TRASHED, {}};
}

Status WindowsFileSystem::makeFolder(const std::string& path) {
    std::wstring native = longPath(path);
    while (native.size() > 4 && isSeparator(native.back())) native.pop_back();
    const DWORD a = attributesOf(native);
    if (a != INVALID_FILE_ATTRIBUTES)
        return (a & FILE_ATTRIBUTE_DIRECTORY) ? Status::success()
                                              : Status::failure("a file of that name exists");
    if (!::CreateDirectoryW(native.c_str(), nullptr)) return Status::failure(errorText(::GetLastError()));
    return Status::success();
}

Status WindowsFileSystem::copy(const std::string& from, const std::string& to) {
    ReadResult r;
    Handle in = openForReading(from, r);
    if (!in.valid()) return Status::failure(r.error);
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(in.h, &info)) return Status::failure(errorText(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Status::failure("the source is not a file");
    const std::wstring target = longPath(to);
    const DWORD attributes = info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    return replaceAtomically(target, attributes ? attributes : FILE_ATTRIBUTE_NORMAL, [&](HANDLE out) {
        std::unique_ptr<char[]> buffer(new char[1 << 16]);
        for (;;) {
            DWORD got = 0;
            if (!::ReadFile(in.h, buffer.get(), 1 << 16, &got, nullptr)) return false;
            if (got == 0) break;
            if (!writeAll(out, std::string_view(buffer.get(), got))) return false;
        }
        // The game compares crew files by their dates, so the copy keeps the source's.
        return ::SetFileTime(out, nullptr, &info.ftLastAccessTime, &info.ftLastWriteTime) != 0;
    });
}

Status WindowsFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    const std::wstring native = longPath(path);
    if (attributesOf(native) == INVALID_FILE_ATTRIBUTES) return Status::failure(errorText(::GetLastError()));
    DWORD bits = attributes & (READONLY | HIDDEN | SYSTEM | ARCHIVE);
    if (bits == 0) bits = FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileAttributesW(native.c_str(), bits)) return Status::failure(errorText(::GetLastError()));
    return Status::success();
}

std::string WindowsFileSystem::workingFolder() const {
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring cwd(n, L'\0');
    n = ::GetCurrentDirectoryW(n, cwd.data());
    cwd.resize(n);
    std::string folder = narrow(cwd);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

// UTF-8, as on every system: what another program or the GUI takes a file name as.
std::string WindowsFileSystem::nativePath(const std::string& path) const {
    return narrow(asOnDisk(fullPath(path)));
}

// A write moves its temporary over the target with MOVEFILE_WRITE_THROUGH: there is no folder sync to put
// off.
FolderSyncBatch::FolderSyncBatch() = default;
FolderSyncBatch::~FolderSyncBatch() = default;

}  // namespace hartool::platform

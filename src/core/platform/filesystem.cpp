#include "core/platform/filesystem.h"

#include <cstdio>

#include "core/base/seam.h"
#include "core/platform/codepage.h"
#include "core/platform/native.h"

namespace hartool::platform {

std::string DateTime::date() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string DateTime::time() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    return buf;
}

Status FileSystem::writePieces(const std::string& path,
                               const std::function<void(const PieceWriter&)>& produce) {
    std::string content;
    produce([&content](std::string_view piece) { content.append(piece); });
    return write(path, content);
}

std::vector<std::string> FileSystem::listNames(const std::string& pathAndMask) const {
    std::vector<std::string> names;
    for (FileEntry& e : list(pathAndMask)) names.push_back(std::move(e.name));
    return names;
}

CopiesResult FileSystem::copyFiles(const std::vector<CopyGroup>& groups, const CopyOptions& options,
                                   const CopyProgress& progress) {
    std::vector<std::pair<std::string, std::string>> files;  // from, to
    for (const CopyGroup& g : groups)
        for (const std::string& name : g.names) files.emplace_back(g.fromFolder + name, g.toFolder + name);
    CopiesResult result;
    result.statuses.resize(files.size());
    result.readOnly.resize(files.size());
    for (; result.reached < files.size(); ++result.reached) {
        const std::size_t i = result.reached;
        if (progress && !progress(i, files.size())) break;
        const auto& [from, to] = files[i];
        Status& s = result.statuses[i];
        if (options.replaceReadOnly && fileExists(to)) s = setAttributes(to, NORMAL);
        if (s) s = copy(from, to);
    }
    if (options.leaveReadOnly) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            // A file not there has nothing to protect.
            if (fileExists(files[i].second))
                result.readOnly[i] = setAttributes(files[i].second, READONLY | ARCHIVE);
        }
    }
    return result;
}

namespace {

Seam<FileSystem>& seam() {
    static Seam<FileSystem> installed(nativeFileSystem());
    return installed;
}

bool globMatch(std::string_view name, std::string_view mask) {
    // Greedy match with one backtrack point: linear for masks with a single "*", never exponential.
    std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || upper1252(mask[m]) == upper1252(name[n]))) {
            ++m, ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

}  // namespace

FileSystem& fileSystem() {
    return seam().get();
}

FileSystem* installFileSystem(FileSystem* fs) {
    return seam().install(fs);
}

Status makeFolders(const std::string& path, std::string* failed) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !separator(path[i])) continue;
        const std::string prefix = path.substr(0, i);
        if (prefix.empty() || separator(prefix.back()) || prefix.back() == ':') continue;
        if (folderExists(prefix)) continue;
        if (Status st = makeFolder(prefix); !st) {
            if (failed) *failed = prefix;
            return st;
        }
    }
    return Status::success();
}

bool matchesMask(std::string_view name, std::string_view mask) {
    if (globMatch(name, mask)) return true;
    // As on Windows, "NAME.*" also takes "NAME" without any extension.
    return mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" &&
           globMatch(name, mask.substr(0, mask.size() - 2));
}

}  // namespace hartool::platform

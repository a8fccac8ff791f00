#include "support/failingfilesystem.h"

#include "core/platform/codepage.h"

namespace hartool::test {

using platform::Status;

FailingFileSystem::FailingFileSystem()
    : real_(platform::fileSystem()), previous_(platform::installFileSystem(this)) {}

FailingFileSystem::~FailingFileSystem() {
    platform::installFileSystem(previous_);
}

void FailingFileSystem::failOn(Op op, std::string fragment, std::string reason) {
    rules_.push_back({op, platform::upper1252(fragment), std::move(reason)});
}

void FailingFileSystem::failNth(Op op, int n, std::string reason) {
    rules_.push_back({op, "", std::move(reason), n});
}

bool FailingFileSystem::fails(Op op, const std::string& path, std::string& reason) const {
    std::string upper = platform::upper1252(path);
    const int call = ++calls_[static_cast<int>(op)];
    for (const Rule& r : rules_) {
        if (r.op == op && (r.nth != 0 ? r.nth == call : upper.find(r.fragment) != std::string::npos)) {
            reason = r.reason;
            ++failures_;
            return true;
        }
    }
    return false;
}

namespace {
platform::ReadResult unreadable(std::string why) {
    platform::ReadResult r;
    r.error = std::move(why);
    return r;
}
}  // namespace

platform::ReadResult FailingFileSystem::read(const std::string& path) const {
    std::string why;
    return fails(Op::Read, path, why) ? unreadable(why) : real_.read(path);
}

platform::ReadResult FailingFileSystem::readUntil(
    const std::string& path, const std::function<bool(std::string_view)>& consume) const {
    std::string why;
    return fails(Op::Read, path, why) ? unreadable(why) : real_.readUntil(path, consume);
}

Status FailingFileSystem::write(const std::string& path, std::string_view content) {
    std::string why;
    return fails(Op::Write, path, why) ? Status::failure(why) : real_.write(path, content);
}

bool FailingFileSystem::fileExists(const std::string& path) const {
    return real_.fileExists(path);
}
bool FailingFileSystem::folderExists(const std::string& path) const {
    return real_.folderExists(path);
}

std::vector<platform::FileEntry> FailingFileSystem::list(const std::string& pathAndMask) const {
    return real_.list(pathAndMask);
}

Status FailingFileSystem::remove(const std::string& path) {
    std::string why;
    return fails(Op::Remove, path, why) ? Status::failure(why) : real_.remove(path);
}

platform::TrashResult FailingFileSystem::trash(const std::string& path) {
    std::string why;
    // A trash that fails is one that cannot take the file: what is left is deleting it for good.
    if (fails(Op::Trash, path, why)) return {platform::Removal::NO_TRASH, Status::failure(why)};
    return real_.trash(path);
}

Status FailingFileSystem::makeFolder(const std::string& path) {
    std::string why;
    return fails(Op::MakeFolder, path, why) ? Status::failure(why) : real_.makeFolder(path);
}

Status FailingFileSystem::copy(const std::string& from, const std::string& to) {
    std::string why;
    return fails(Op::Copy, to, why) ? Status::failure(why) : real_.copy(from, to);
}

Status FailingFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    std::string why;
    return fails(Op::SetAttributes, path, why) ? Status::failure(why) : real_.setAttributes(path, attributes);
}

std::string FailingFileSystem::workingFolder() const {
    return real_.workingFolder();
}
std::string FailingFileSystem::nativePath(const std::string& path) const {
    return real_.nativePath(path);
}

}  // namespace hartool::test

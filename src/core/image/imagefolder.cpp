#include "core/image/imagefolder.h"

#include "core/image/pcx.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"

namespace hartool::image {

ImageFolder::ImageFolder(std::string gameFolder) : game_(std::move(gameFolder)) {}

const LoadedImage& ImageFolder::load(const std::string& name) {
    const std::string key = platform::upper1252(name);
    if (auto found = loaded_.find(key); found != loaded_.end()) return found->second;
    LoadedImage& loaded = loaded_[key];
    if (game_.empty() || name.empty()) {
        loaded.missing = true;
        loaded.error = "not found";
        return loaded;
    }
    // A briefing may name any file; one far larger than the largest picture is not read into memory.
    constexpr std::size_t kMaxBytes = 64 << 20;
    std::string bytes;
    bool tooLarge = false;
    const auto readCapped = [&](const std::string& path) {
        bytes.clear();
        return platform::readFileUntil(path, [&](std::string_view chunk) {
            tooLarge = bytes.size() + chunk.size() > kMaxBytes;
            if (!tooLarge) bytes.append(chunk);
            return !tooLarge;
        });
    };
    const std::string file = platform::fileNameOf(name);
    platform::ReadResult read = readCapped(game_ + file);
    // The game keeps its pictures beside or below its data; both are looked at.
    if (read.missing) read = readCapped(game_ + "Data\\" + file);
    if (!read.ok || tooLarge) {
        loaded.missing = read.missing;
        loaded.error = tooLarge             ? "larger than any picture"
                       : read.missing       ? "not found"
                       : read.error.empty() ? "cannot be read"
                                            : read.error;
        return loaded;
    }
    PcxResult decoded = decodePcx(bytes);
    loaded.image = std::move(decoded.image);
    loaded.error = std::move(decoded.error);
    return loaded;
}

}  // namespace hartool::image

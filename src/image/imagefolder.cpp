#include "image/imagefolder.h"

#include "image/pcx.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"

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
    platform::ReadResult read = platform::fileSystem().read(game_ + name);
    // The game keeps its pictures beside or below its data; both are looked at.
    if (read.missing) read = platform::fileSystem().read(game_ + "Data\\" + name);
    if (!read.ok) {
        loaded.missing = read.missing;
        loaded.error = read.missing ? "not found" : read.error.empty() ? "cannot be read" : read.error;
        return loaded;
    }
    PcxResult decoded = decodePcx(read.content);
    loaded.image = std::move(decoded.image);
    loaded.error = std::move(decoded.error);
    return loaded;
}

}  // namespace hartool::image

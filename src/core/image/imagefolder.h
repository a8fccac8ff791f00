#pragma once

// The images that briefing entries name ("images\uahb.pcx", a page's map "maps\farrow.pcx"), read from the
// game folder, each once.

#include <map>
#include <string>

#include "core/image/image.h"

namespace hartool::image {

struct LoadedImage {
    Image image;           // empty when it could not be had
    std::string error;     // why not: "not found", or the reader's reason
    bool missing = false;  // no such file, as opposed to a file that could not be read
    bool ok() const { return error.empty(); }
};

class ImageFolder {
  public:
    // gameFolder ends in a separator; "" finds nothing.
    explicit ImageFolder(std::string gameFolder);

    // The name relative to the game folder, else to its "Data" folder; names compare without regard to case.
    const LoadedImage& load(const std::string& name);
    const std::string& gameFolder() const { return game_; }

  private:
    std::string game_;
    std::map<std::string, LoadedImage> loaded_;  // by upper-cased name
};

}  // namespace hartool::image

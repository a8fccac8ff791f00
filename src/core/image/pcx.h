#pragma once

// The game's images are PCX files. Read are the two kinds the game uses: 8 bits with a 256-colour palette at
// the end, and 24 bits as three planes (red, green, blue) per line, both run-length encoded. Everything else
// is refused with a reason.

#include <string>
#include <string_view>

#include "core/image/image.h"

namespace hartool::image {

// Larger images are refused: the game's maps are 320 by 320, and a wrong header must not cost gigabytes.
inline constexpr int kMaxPcxSide = 4096;

struct PcxResult {
    Image image;
    std::string error;  // why the file was refused; empty when it was read
    bool ok() const { return error.empty(); }
};

// Runs continue across the planes and lines of the encoded data (some writers do that); a run that goes past
// the end of the image, or data that ends before it, refuses the file.
PcxResult decodePcx(std::string_view bytes);

}  // namespace hartool::image

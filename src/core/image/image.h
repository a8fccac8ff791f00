#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace hartool::image {

// A decoded picture: rows from the top, each pixel 0xFFRRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height
    // Drawn as a sprite, pixels of this colour are left out: colour 0 of a palette image.
    std::optional<std::uint32_t> seeThrough;

    bool empty() const { return pixels.empty(); }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xFF000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

}  // namespace hartool::image

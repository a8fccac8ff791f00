#include "core/image/pcx.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace hartool::image {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // the 0x0C marker and 256 RGB triples
constexpr std::uint8_t kRunFlag = 0xC0;
constexpr std::size_t kLongestRun = 0x3F;

std::uint8_t byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

int word(std::string_view bytes, std::size_t i) {
    return byteAt(bytes, i) | (byteAt(bytes, i + 1) << 8);
}

PcxResult refused(std::string why) {
    return {{}, std::move(why)};
}

}  // namespace

PcxResult decodePcx(std::string_view bytes) {
    if (bytes.size() < kHeaderSize)
        return refused("too short for a PCX header (" + std::to_string(bytes.size()) + " bytes)");
    if (byteAt(bytes, 0) != 0x0A) return refused("not a PCX image (the first byte is not 0x0A)");
    if (byteAt(bytes, 2) != 1)
        return refused("encoding " + std::to_string(byteAt(bytes, 2)) + " is not run-length encoding");
    const int bits = byteAt(bytes, 3);
    const int planes = byteAt(bytes, 65);
    const bool paletted = bits == 8 && planes == 1;
    if (!paletted && !(bits == 8 && planes == 3))
        return refused(std::to_string(bits) + " bits in " + std::to_string(planes) +
                       " planes: only 8-bit images with a palette and 24-bit images are read");
    const int xMin = word(bytes, 4), yMin = word(bytes, 6), xMax = word(bytes, 8), yMax = word(bytes, 10);
    if (xMax < xMin || yMax < yMin) return refused("the header gives no size (its window is empty)");
    const int width = xMax - xMin + 1, height = yMax - yMin + 1;
    if (width > kMaxPcxSide || height > kMaxPcxSide)
        return refused(std::to_string(width) + " by " + std::to_string(height) + " pixels is larger than " +
                       std::to_string(kMaxPcxSide) + " by " + std::to_string(kMaxPcxSide));
    const int lineWidth = word(bytes, 66);
    if (lineWidth < width)
        return refused("lines of " + std::to_string(lineWidth) + " bytes cannot hold " +
                       std::to_string(width) + " pixels");

    std::string_view data = bytes.substr(kHeaderSize);
    std::string_view palette;
    if (paletted) {
        if (data.size() < kPaletteSize || byteAt(data, data.size() - kPaletteSize) != 0x0C)
            return refused("the 256-colour palette at the end is missing");
        palette = data.substr(data.size() - kPaletteSize + 1);
        data.remove_suffix(kPaletteSize);
    }
    const std::size_t lineBytes = static_cast<std::size_t>(lineWidth) * static_cast<std::size_t>(planes);
    const auto rows = static_cast<std::size_t>(height);
    // Two bytes of data give at most 63 bytes of image: a short file is refused before anything is allocated.
    if (data.size() / 2 * kLongestRun + data.size() % 2 < lineBytes * rows)
        return refused("the image data is too short for " + std::to_string(width) + " by " +
                       std::to_string(height) + " pixels");

    PcxResult result;
    Image& image = result.image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * rows);
    std::vector<std::uint8_t> line(lineBytes);
    std::size_t pos = 0, runLeft = 0;
    std::uint8_t runValue = 0;
    const auto cols = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < rows; ++y) {
        std::size_t filled = 0;
        while (filled < lineBytes) {
            if (runLeft > 0) {
                const std::size_t n = std::min(runLeft, lineBytes - filled);
                std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(filled), n, runValue);
                filled += n;
                runLeft -= n;
                continue;
            }
            if (pos >= data.size())
                return refused("the image data ends in line " + std::to_string(y + 1) + " of " +
                               std::to_string(rows));
            const std::uint8_t b = byteAt(data, pos++);
            if ((b & kRunFlag) != kRunFlag) {
                line[filled++] = b;
                continue;
            }
            if (pos >= data.size())
                return refused("the image data ends in a run in line " + std::to_string(y + 1) + " of " +
                               std::to_string(rows));
            runLeft = b & kLongestRun;
            runValue = byteAt(data, pos++);
        }
        std::uint32_t* out = image.pixels.data() + y * cols;
        const auto plane = static_cast<std::size_t>(lineWidth);
        for (std::size_t x = 0; x < cols; ++x) {
            if (paletted) {
                const std::size_t p = std::size_t{line[x]} * 3;
                out[x] = rgb(byteAt(palette, p), byteAt(palette, p + 1), byteAt(palette, p + 2));
            } else {
                out[x] = rgb(line[x], line[plane + x], line[2 * plane + x]);
            }
        }
    }
    if (paletted) image.seeThrough = rgb(byteAt(palette, 0), byteAt(palette, 1), byteAt(palette, 2));
    if (runLeft > 0) return refused("a run goes past the end of the image");
    return result;
}

}  // namespace hartool::image

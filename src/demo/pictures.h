#pragma once

// The demo game's pictures, drawn by our own code: a few sprites and one briefing map, as PCX files.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "demo/demogame.h"

namespace hartool::demo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// An 8-bit picture: one palette index per pixel, rows from the top.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::array<Rgb, 256> palette{};
};

// 8 bits with the palette at the end, run-length encoded, runs within a line, as the common writers do.
std::string encodePcx(const IndexedPicture& picture);

// Relative to the game folder, as spelled on disk: "Images\uahb.pcx", "Maps\Farrow_Downs.pcx".
std::vector<DemoFile> demoPictures();

}  // namespace hartool::demo

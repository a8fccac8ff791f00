// The PCX reader: any bytes give either an image of exactly width by height pixels within the size limit, or
// a refusal with a reason and no image; the reader never reads outside the bytes it is given.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/image/pcx.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace hartool::image;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PcxResult result = decodePcx(bytes);
    if (!result.ok()) {
        FUZZ_CHECK(!result.error.empty());
        FUZZ_CHECK(result.image.empty());
        return 0;
    }
    const Image& image = result.image;
    FUZZ_CHECK(image.width >= 1 && image.width <= kMaxPcxSide);
    FUZZ_CHECK(image.height >= 1 && image.height <= kMaxPcxSide);
    FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height);
    for (std::uint32_t pixel : image.pixels) FUZZ_CHECK((pixel >> 24) == 0xFF);
    return 0;
}

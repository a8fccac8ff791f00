#pragma once

// File attributes as the game's platform knows them.

#include <cstdint>
#include <string>

#include "core/platform/filesystem.h"

namespace hartool::platform {

// Sets attributes AND 39 (read-only, hidden, system, archive; so 128 "normal" clears them all) on an existing
// file. A missing file is left alone and reported as a failure.
Status FABSETFILEATTRIBUTES(const std::string& file, std::uint32_t attributes);

}  // namespace hartool::platform

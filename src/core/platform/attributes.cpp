#include "core/platform/attributes.h"

namespace hartool::platform {

Status FABSETFILEATTRIBUTES(const std::string& file, std::uint32_t attributes) {
    if (!fileExists(file)) return Status::failure("the file does not exist");
    return setAttributes(file, attributes & 39);
}

}  // namespace hartool::platform

#include "core/platform/gamesearch.h"

namespace hartool::platform {

std::string expandHome(std::string_view path, const std::string& home) {
    if (path.empty() || path[0] != '~' || (path.size() > 1 && !(path[1] == '/' || path[1] == '\\')))
        return std::string(path);
    return home + std::string(path.substr(1));
}

}  // namespace hartool::platform

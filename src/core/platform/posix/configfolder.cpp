// The desktop's configuration folder, as the XDG base directory rules name it.

#include <cstdlib>

#include "core/platform/native.h"

namespace hartool::platform {

namespace {

// An environment variable as a path, or "" when unset or empty.
std::string environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string configurationFolder() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules ask.
    std::string base = environmentPath("XDG_CONFIG_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = environmentPath("HOME");
        if (home.empty()) return {};
        base = home + "/.config";
    }
    if (base.back() != '/') base += '/';
    return base + "hartool/";
}

}  // namespace hartool::platform

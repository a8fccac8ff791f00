// The desktop's configuration folder, as the XDG base directory rules name it.

#include <cstdlib>

#include "core/platform/codepage.h"
#include "core/platform/native.h"

namespace hartool::platform {

namespace {

// An environment variable as a path the platform layer takes, or "" when unset, empty or not representable.
std::string environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    bool ok = false;
    std::string path = utf8ToCp1252(value, &ok);
    return ok ? path : std::string();
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

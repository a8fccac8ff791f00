#pragma once

// What each operating system gives the platform layer. One folder per system implements it (posix/ here), and
// src/core/CMakeLists.txt, the only place that choice is made, builds the folder of the system built for.

#include <string>

#include "core/platform/filesystem.h"

namespace hartool::platform {

// The real file system: what fileSystem() is while no test installs its own.
FileSystem& nativeFileSystem();

// The folder the settings belong in when the working folder has none, ending in a separator; "" when the
// environment names none.
std::string configurationFolder();

}  // namespace hartool::platform

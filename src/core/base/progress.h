#pragma once

// How a long operation over many files shows how far it is, and learns whether to go on.

#include <cstddef>
#include <functional>

namespace hartool {

// Called between files with how many of how many are done; false stops the operation before the next file.
// Every file is left whole, and the operation's Report lists the files not done with kCancelled.
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

inline constexpr const char* kCancelled = "cancelled";

// True when the operation may go on: always, when nobody asked to be told.
inline bool goOn(const Progress& progress, std::size_t done, std::size_t total) {
    return !progress || progress(done, total);
}

}  // namespace hartool

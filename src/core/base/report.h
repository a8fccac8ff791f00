#pragma once

// What an operation over files did with what it was given: how many of the selected items it did, which
// failed and why, which it passed over and why, which the player chose to keep. Every operation returns one,
// so that every completion box reads alike.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace hartool {

// A file (or folder) and why it was not done.
struct Failure {
    std::string file;
    std::string reason;
    bool operator==(const Failure&) const = default;
};

struct Report {
    std::size_t selected = 0;
    std::size_t done = 0;
    std::vector<Failure> failures;      // tried, and failed
    std::vector<Failure> skipped;       // not tried: something about the item stood in the way
    std::vector<Failure> kept;          // left as they were by the player's choice; not a failure
    std::vector<std::string> warnings;  // all done, but the result is not what the player may expect

    bool ok() const { return failures.empty() && skipped.empty(); }
    void fail(std::string file, std::string reason) {
        failures.push_back({std::move(file), std::move(reason)});
    }
    void skip(std::string file, std::string reason) {
        skipped.push_back({std::move(file), std::move(reason)});
    }
    void add(const Report& other);
    // The items first .. count-1, named by fileOf(i), skipped as kCancelled: an operation stopped through its
    // Progress lists so what it did not reach.
    void skipCancelled(std::size_t first, std::size_t count,
                       const std::function<std::string(std::size_t)>& fileOf);

    // successText exactly when all went well (then kept items and warnings follow it, when there are any);
    // otherwise how many of how many files were done ("copied"), and which failed or were passed over and
    // why. Files are named as platform::shownPath names them, relative to base.
    std::string text(const std::string& successText, const std::string& doneWord = "done",
                     const std::string& base = "") const;
};

}  // namespace hartool

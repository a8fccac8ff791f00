#include "core/base/report.h"

#include <algorithm>

#include "core/base/progress.h"
#include "core/platform/filesystem.h"

namespace hartool {

namespace {

// Enough names to point at the trouble without filling the screen.
constexpr std::size_t kShown = 10;

void appendList(std::string& text, const std::string& heading, const std::vector<Failure>& list,
                const std::string& base) {
    if (list.empty()) return;
    text += "\n\n" + heading;
    const std::size_t shown = std::min(list.size(), kShown);
    for (std::size_t i = 0; i < shown; ++i) {
        text += "\n" + platform::shownPath(list[i].file, base) + ": " + list[i].reason;
    }
    if (list.size() > shown) text += "\nand " + std::to_string(list.size() - shown) + " more";
}

}  // namespace

void Report::skipCancelled(std::size_t first, std::size_t count,
                           const std::function<std::string(std::size_t)>& fileOf) {
    for (std::size_t i = first; i < count; ++i) skip(fileOf(i), kCancelled);
}

void Report::add(const Report& other) {
    selected += other.selected;
    done += other.done;
    failures.insert(failures.end(), other.failures.begin(), other.failures.end());
    skipped.insert(skipped.end(), other.skipped.begin(), other.skipped.end());
    kept.insert(kept.end(), other.kept.begin(), other.kept.end());
    warnings.insert(warnings.end(), other.warnings.begin(), other.warnings.end());
}

std::string Report::text(const std::string& successText, const std::string& doneWord,
                         const std::string& base) const {
    std::string t;
    if (ok()) {
        t = successText;
    } else {
        t = "not everything could be done: " + std::to_string(done) + " of " + std::to_string(selected) +
            (selected == 1 ? " file was " : " files were ") + doneWord + ".";
        appendList(t, "failed:", failures, base);
        appendList(t, "not " + doneWord + ":", skipped, base);
    }
    appendList(t, "kept as they were:", kept, base);
    if (!warnings.empty()) t += "\n";
    for (const std::string& w : warnings) t += "\nwarning: " + w;
    return t;
}

}  // namespace hartool

#include "gui/ui/deletebox.h"

#include "gui/ui/messagebox.h"

#include <algorithm>

namespace hartool::ui {

DeleteDone finishDelete(QWidget* owner, const std::string& caption, const std::string& subject,
                        Deletion trashed,
                        const std::function<Deletion(const std::vector<std::string>& files)>& forGood) {
    DeleteDone result{std::move(trashed.report), 0, trashed.gone};
    const std::vector<Failure>& left = trashed.notTrashed;
    if (left.empty()) return result;
    // They are either kept by the player's answer or deleted now.
    std::erase_if(result.report.skipped, [&](const Failure& s) {
        return std::any_of(left.begin(), left.end(), [&](const Failure& f) { return f.file == s.file; });
    });
    const bool one = left.size() == 1 && result.report.selected == 1;
    const std::string question = (one ? subject : std::to_string(left.size()) + " of the " + subject) +
                                 " cannot be moved to the trash (" + left.front().reason + ").\n\ndelete " +
                                 (one ? "it" : "them") + " for good ? this cannot be undone.";
    if (!confirmed(owner, caption, question, kNoByDefault)) {
        for (const Failure& f : left) result.report.kept.push_back({f.file, "not deleted: " + f.reason});
        return result;
    }
    std::vector<std::string> files;
    for (const Failure& f : left) files.push_back(f.file);
    Deletion deleted = forGood(files);
    result.forGood = deleted.report.done;
    deleted.report.selected = 0;  // counted once already
    result.report.add(deleted.report);
    return result;
}

std::string whereTheyWent(const DeleteDone& done) {
    if (done.gone > 0 && done.gone == done.report.done) return "not there any more";
    const std::size_t trashed = done.report.done - done.forGood;
    if (done.forGood == 0) return "moved to the trash";
    if (trashed == 0) return "deleted for good";
    return "deleted: " + std::to_string(trashed) + " moved to the trash, " + std::to_string(done.forGood) +
           " deleted for good";
}

}  // namespace hartool::ui

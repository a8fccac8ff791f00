#pragma once

// The end of every delete the player asks for: what no trash could take is deleted for good only after a
// question that says it cannot be undone, with No as its default.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/missions/missions.h"

class QWidget;

namespace hartool::ui {

struct DeleteDone {
    Report report;            // done: trashed or deleted for good; kept: what the player chose not to delete
    std::size_t forGood = 0;  // of done, deleted for good
    std::size_t gone = 0;     // of done, not there any more
};

// trashed is the delete into the trash; forGood deletes the given files for good. subject names what was to
// be deleted in the question: "mission S1 - Night Raid", "3 single battles files".
DeleteDone finishDelete(QWidget* owner, const std::string& caption, const std::string& subject,
                        Deletion trashed,
                        const std::function<Deletion(const std::vector<std::string>& files)>& forGood);

// Where the files that were done went: "moved to the trash", "deleted for good", or both with counts.
std::string whereTheyWent(const DeleteDone& done);

}  // namespace hartool::ui

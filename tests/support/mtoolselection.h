#pragma once

// Selecting in the mission tools' lists as the player clicks: by position, or by a mission's file name or a
// briefing's name (a failure of the test when the list lacks it).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/missiontools/mtool.h"
#include "gui/ui/controls.h"

namespace hartool::test {

// position counts from 1, as CURRENTITEMNO does.
inline void select(ui::MYLISTBOX& list, std::size_t position) {
    list.item(static_cast<int>(position - 1))->setSelected(true);
}

// The entry of list whose name in names (the list's order) is name.
inline void selectNamed(ui::MYLISTBOX& list, const std::vector<std::string>& names, const std::string& name) {
    const auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end()) << name;
    select(list, static_cast<std::size_t>(at - names.begin()) + 1);
}

inline void selectMission(MTool& m, const std::string& file) {
    selectNamed(m.missionList(), m.missionFileNames(), file);
}

inline void selectBriefing(MTool& m, const std::string& name) {
    selectNamed(m.briefingList(), m.briefingNames(), name);
}

}  // namespace hartool::test

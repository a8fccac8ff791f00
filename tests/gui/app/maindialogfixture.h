#pragma once

// A main dialog's world for one test, with helpers to read the state of its buttons.

#include <map>
#include <string>

#include "gui/app/patchdialog.h"
#include "gui/ui/controls.h"
#include "support/guigameworld.h"

namespace hartool::test {

class MainDialogFixture : public GameWorld {
  protected:
    static bool enabled(const PatchDialog& d, const char* name) {
        return d.control<ui::MYPUSHBUTTON>(name)->isEnabled();
    }
    // The enabled state of the six function buttons.
    static std::map<std::string, bool> functions(const PatchDialog& d) {
        std::map<std::string, bool> on;
        for (const char* n : {"PSHSAVE", "PSHREST", "PSHCAMP", "PSHMISSTOOLS", "PSHSAVECREW", "PSHRESTCREW"})
            on[n] = enabled(d, n);
        return on;
    }
    static std::map<std::string, bool> states(bool save, bool restore, bool tools, bool crew) {
        return {{"PSHSAVE", save},       {"PSHREST", restore},  {"PSHCAMP", tools},
                {"PSHMISSTOOLS", tools}, {"PSHSAVECREW", crew}, {"PSHRESTCREW", crew}};
    }
};

}  // namespace hartool::test

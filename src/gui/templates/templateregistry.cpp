#include "gui/templates/dialogtemplate.h"

namespace hartool::resources {

// Each template lives in its own file; a new dialog adds its line here.
extern const DialogTemplate kPatchDialogTemplate;
extern const DialogTemplate kCreditsTemplate;
extern const DialogTemplate kMoverTemplate;
extern const DialogTemplate kMToolTemplate;
extern const DialogTemplate kCopyMissTemplate;
extern const DialogTemplate kMissPropTemplate;
extern const DialogTemplate kBriefEditTemplate;
extern const DialogTemplate kNewBriefTemplate;
extern const DialogTemplate kMapPreviewTemplate;
extern const DialogTemplate kCheckMissTemplate;

namespace {
constexpr const DialogTemplate* kTemplates[] = {
    &kPatchDialogTemplate, &kCreditsTemplate,   &kMoverTemplate,    &kMToolTemplate,      &kCopyMissTemplate,
    &kMissPropTemplate,    &kBriefEditTemplate, &kNewBriefTemplate, &kMapPreviewTemplate, &kCheckMissTemplate,
};
}  // namespace

const DialogTemplate* findDialogTemplate(std::string_view name) {
    for (const DialogTemplate* t : kTemplates) {
        if (t->name == name) return t;
    }
    return nullptr;
}

std::span<const DialogTemplate* const> dialogTemplates() {
    return kTemplates;
}

}  // namespace hartool::resources

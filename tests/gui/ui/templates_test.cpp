// The template tables themselves: the mistakes that typing a table invites.

#include "gui/templates/dialogtemplate.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace hartool::resources {
namespace {

TEST(Templates, RegistryFindsEveryTemplateByName) {
    ASSERT_FALSE(dialogTemplates().empty());
    std::set<std::string_view> names;
    for (const DialogTemplate* t : dialogTemplates()) {
        EXPECT_EQ(findDialogTemplate(t->name), t);
        EXPECT_TRUE(names.insert(t->name).second) << "twice: " << t->name;
        EXPECT_TRUE(t->name.ends_with("_vo")) << t->name;
    }
    EXPECT_EQ(findDialogTemplate("Nothing_vo"), nullptr);
    ASSERT_NE(findDialogTemplate("PatchDialog_vo"), nullptr);
    ASSERT_NE(findDialogTemplate("Credits_vo"), nullptr);
}

TEST(Templates, RowsAreConsistent) {
    for (const DialogTemplate* t : dialogTemplates()) {
        SCOPED_TRACE(std::string(t->name));
        EXPECT_EQ(t->fontFamily, "MS Sans Serif");
        EXPECT_EQ(t->pointSize, 8);
        std::set<std::string_view> names;
        int defaults = 0;
        int expectedId = 100;
        const ControlTemplate* group = nullptr;
        for (const ControlTemplate& row : t->controls) {
            SCOPED_TRACE(std::string(row.name));
            EXPECT_EQ(row.id, expectedId++) << "ids start at 100 and follow the template order";
            EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
            EXPECT_GE(row.x, 0);
            EXPECT_GE(row.y, 0);
            EXPECT_GT(row.w, 0);
            EXPECT_GT(row.h, 0);
            EXPECT_LE(row.x + row.w, t->width) << "beyond the dialog";
            EXPECT_LE(row.y + row.h, t->height) << "beyond the dialog";
            defaults += row.has(DefaultButton);
            if (row.has(DefaultButton)) {
                EXPECT_EQ(row.kind, ControlKind::PushButton);
            }
            EXPECT_FALSE(row.has(DropDownEdit) && row.has(DropDownList));
            EXPECT_FALSE(row.has(Centre) && row.has(Right));
            if (row.kind == ControlKind::RadioButtonGroup) group = &row;
            if (row.kind == ControlKind::RadioButton) {
                ASSERT_NE(group, nullptr) << "a radio button follows its group";
                EXPECT_TRUE(row.x >= group->x && row.y >= group->y && row.x + row.w <= group->x + group->w &&
                            row.y + row.h <= group->y + group->h)
                    << "a radio button lies inside its group";
            }
        }
        EXPECT_LE(defaults, 1);
    }
}

}  // namespace
}  // namespace hartool::resources

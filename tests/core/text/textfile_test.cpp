#include <gtest/gtest.h>

#include "core/text/textfile.h"

namespace hartool::test {
namespace {

TEST(TextFile, LinesForTheEditorAndTheFilesLineEndBack) {
    struct Case {
        std::string bytes, text, lineEnd;
    };
    const Case cases[] = {
        {"A\r\nB\r\n", "A\nB\n", "\r\n"},
        {"A\nB", "A\nB", "\n"},
        {"A\rB\r", "A\nB\n", "\r"},
        {"one line", "one line", "\r\n"},
        {"", "", "\r\n"},
        {"\xE9t\xE9\r\n\x81\r\n", "\xE9t\xE9\n\x81\n", "\r\n"},
    };
    for (const Case& c : cases) {
        const EditableText e = editableText(c.bytes);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.lineEnd, c.lineEnd);
        // Files of one kind of line end come back byte for byte.
        EXPECT_EQ(savedText(e.text, e.lineEnd), c.bytes);
    }
    // Mixed line ends take the first one throughout.
    EXPECT_EQ(savedText(editableText("A\nB\r\nC").text, "\n"), "A\nB\nC");
}

}  // namespace
}  // namespace hartool::test

#include <gtest/gtest.h>

#include "core/text/stringlist.h"

using hartool::StringList;

namespace {

std::vector<std::string> entries(const StringList& list) {
    return {list.begin(), list.end()};
}

}  // namespace

TEST(StringListTest, KeepsEntriesApartThroughEveryChange) {
    StringList list{"alpha", "", "gamma"};
    EXPECT_EQ(entries(list), (std::vector<std::string>{"alpha", "", "gamma"}));
    EXPECT_EQ(list.bytes(), 10u);

    list.erase(0);
    list.erase(7);  // beyond the end: nothing
    EXPECT_EQ(entries(list), (std::vector<std::string>{"", "gamma"}));
    list.push_back("delta");
    EXPECT_EQ(list.back(), "delta");

    StringList more{"x", "yz"};
    list.append(more);
    list.append(StringList());
    EXPECT_EQ(list, (std::vector<std::string>{"", "gamma", "delta", "x", "yz"}));
    EXPECT_FALSE(list ==
                 (std::vector<std::string>{"", "gammad", "elta", "x", "yz"}));  // same bytes, other cut
    EXPECT_FALSE(list == (StringList{"gamma", "delta", "x", "yz"}));

    list.erase(1);
    EXPECT_EQ(list, (StringList{"", "delta", "x", "yz"}));
    list.append(list);
    EXPECT_EQ(list, (StringList{"", "delta", "x", "yz", "", "delta", "x", "yz"}));
    list = {list[1], list[3]};
    EXPECT_EQ(list, (StringList{"delta", "yz"}));
    list = {"only"};
    EXPECT_EQ(list.size(), 1u);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.begin(), list.end());
}

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "core/base/together.h"

namespace hartool {
namespace {

// Both pieces run to their end; a failure comes out only then, the first piece's before the second's.
TEST(DoTogether, BothRunAndFailuresComeOutAfterBoth) {
    struct Case {
        bool firstThrows, secondThrows;
        const char* thrown;  // "" for none
    };
    const Case cases[] = {
        {false, false, ""}, {true, false, "first"}, {false, true, "second"}, {true, true, "first"}};
    for (const Case& c : cases) {
        std::atomic<int> done{0};
        std::string thrown;
        try {
            doTogether(
                [&] {
                    ++done;
                    if (c.firstThrows) throw std::runtime_error("first");
                },
                [&] {
                    ++done;
                    if (c.secondThrows) throw std::runtime_error("second");
                });
        } catch (const std::runtime_error& e) {
            thrown = e.what();
        }
        EXPECT_EQ(done, 2) << c.thrown;
        EXPECT_EQ(thrown, c.thrown);
    }
}

}  // namespace
}  // namespace hartool

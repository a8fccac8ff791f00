// The one report of every operation over files, and the text its completion box shows.

#include "core/base/report.h"

#include "core/base/progress.h"
#include "support/separators.h"

#include <gtest/gtest.h>

namespace hartool {
namespace {

TEST(Report, TextIsTheSuccessTextExactlyWhenAllWorked) {
    // Named as the disk spells them (missing files as given), with the platform's separators.
    const std::string base = "/NO-SUCH-GAME\\";
    auto failures = [&](int n) {
        Report r;
        r.selected = 20;
        r.done = 20 - n;
        for (int i = 0; i < n; ++i) r.fail(base + "DATA/F" + std::to_string(i), "why");
        return r;
    };
    Report warned;
    warned.warnings = {"first", "second"};
    Report one;
    one.selected = 1;
    one.fail("/NO-SUCH-PLACE\\campaign.bak", "no room");
    Report skipped;
    skipped.selected = 2;
    skipped.done = 1;
    skipped.skip(base + "B.TXT", "its title does not end in a mission number");
    Report kept;
    kept.selected = 2;
    kept.done = 1;
    kept.kept.push_back({base + "BATTLE3011.TXT", "changed since it was copied"});
    struct Case {
        const char* name;
        Report report;
        std::string text;
    };
    const Case cases[] = {
        {"all good", Report{}, "done"},
        {"warnings", warned, "done\n\nwarning: first\nwarning: second"},
        {"one file of one", one,
         "not everything could be done: 0 of 1 file was copied.\n\nfailed:\n/NO-SUCH-PLACE/campaign.bak: no "
         "room"},
        {"two", failures(2),
         "not everything could be done: 18 of 20 files were copied.\n\nfailed:\nDATA/F0: why\nDATA/F1: "
         "why"},
        {"capped", failures(12),
         "not everything could be done: 8 of 20 files were copied.\n\nfailed:\nDATA/F0: why\nDATA/F1: why\n"
         "DATA/F2: why\nDATA/F3: why\nDATA/F4: why\nDATA/F5: why\nDATA/F6: why\nDATA/F7: why\n"
         "DATA/F8: why\nDATA/F9: why\nand 2 more"},
        {"skipped", skipped,
         "not everything could be done: 1 of 2 files were copied.\n\nnot copied:\nB.TXT: its title does not "
         "end "
         "in a mission number"},
        // The player's own choice is no failure.
        {"kept", kept, "done\n\nkept as they were:\nBATTLE3011.TXT: changed since it was copied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.report.ok(), c.text.starts_with("done"));
#ifdef _WIN32
        // Outside base a path is named whole, and on Windows that is with its drive.
        if (std::string(c.name) == "one file of one") {
            EXPECT_NE(c.report.text("done", "copied", base).find(":\\NO-SUCH-PLACE\\campaign.bak: no room"),
                      std::string::npos);
            continue;
        }
#endif
        EXPECT_EQ(c.report.text("done", "copied", base), hartool::test::withSystemSeparators(c.text));
    }
}

TEST(Report, AddSumsCountsAndKeepsEveryList) {
    Report a, b;
    a.selected = 2, a.done = 1, b.selected = 3, b.done = 3;
    a.fail("x", "1");
    b.skip("y", "2");
    b.kept.push_back({"z", "3"});
    b.warnings.push_back("w");
    a.add(b);
    EXPECT_EQ(a.selected, 5u);
    EXPECT_EQ(a.done, 4u);
    EXPECT_EQ(a.failures.size() + a.skipped.size() + a.kept.size() + a.warnings.size(), 4u);
}

TEST(Report, CancelledItemsAreTheRestInOrderAndOnlyThem) {
    struct Case {
        std::size_t first, count;
        std::vector<Failure> skipped;
    };
    const Case cases[] = {
        {0, 0, {}},
        {2, 2, {}},
        {3, 2, {}},
        {1, 3, {{"F1", kCancelled}, {"F2", kCancelled}}},
        {0, 1, {{"F0", kCancelled}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " of " + std::to_string(c.count));
        Report r;
        r.skip("EARLIER", "missing");
        r.skipCancelled(c.first, c.count, [](std::size_t i) { return "F" + std::to_string(i); });
        std::vector<Failure> expected{{"EARLIER", "missing"}};
        expected.insert(expected.end(), c.skipped.begin(), c.skipped.end());
        EXPECT_EQ(r.skipped, expected);
        EXPECT_TRUE(r.failures.empty());
        EXPECT_EQ(r.done, 0u);
    }
}

}  // namespace
}  // namespace hartool

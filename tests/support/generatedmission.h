#pragma once

// The generated mission of the analysis benchmarks and of the tests that pin the analysis's bytes: 2,000
// platoons (185 KB) at scale 1, with flights, routes and objectives of every form, and a briefing of pages
// with text, so that a write carries every graphics entry.

#include <string>

namespace hartool::test {

inline std::string generatedMission(int scale) {
    const int platoons = 2000 * scale, flights = 200 * scale, objectives = 200 * scale;
    std::string t =
        "TITLE: Generated Analysis\r\nSIDE: 0\r\nBATTLESIZE: 20000 12000\r\nBATTLEFIELD: Gen 5000 7000\r\n";
    static constexpr const char* kRings[] = {"KRADIUS_ONE", "KRADIUS_TWO", "KRADIUS_THREE"};
    for (int i = 0; i < objectives; ++i) {
        const std::string xy = std::to_string(i * 37 % 18000) + " " + std::to_string(i * 53 % 11000);
        t += std::string("OBJECTIVE: ") + (i % 2 ? "RED " : "BLUE ");
        if (i % 4 == 0)
            t += "SECTOR " + xy + " " + xy + " 13\r\n";
        else if (i % 4 == 1)
            t += "PHASE_LINE " + xy + " " + xy + " 5\r\n";
        else
            t += std::string(kRings[i % 3]) + " " + xy + " " + std::to_string(14 + i % 20) + "\r\n";
    }
    static constexpr int kHelos[] = {21, 18, 129, 130, 62, 128};
    static constexpr const char* kOrders[] = {"ORDER_ASMBLY_ASSMBLY", "ORDER_ASMBLY_BATTLEPOS",
                                              "ORDER_ASMBLY_PATROL", "ORDER_ASMBLY_LZ"};
    for (int f = 0; f < flights; ++f) {
        const std::string xy = std::to_string(f * 41 % 18000) + " " + std::to_string(f * 29 % 11000);
        t += "PLATOON: " + std::to_string(kHelos[f % 6]) + " " + xy + " 0 2 " + xy + " 2 " +
             std::to_string(100 * (1 + f % 31) + 1) + "\r\n";
        for (int w = 1; w < 20; ++w) {
            t += "ADDWAYPT: " + std::to_string((f * 41 + w * 300) % 18000) + " " +
                 std::to_string((f * 29 + w * 200) % 11000) + "\r\n";
            if (w % 5 == 0) t += std::string(kOrders[(f + w) % 4]) + "\r\n";
        }
        t += "SUPPORT: 82 1\r\n";
    }
    static constexpr int kUnits[] = {1, 3, 6, 25, 35, 43, 44, 70, 8, 57};
    for (int i = 0; i < platoons - flights; ++i) {
        const std::string xy = std::to_string(i * 61 % 18000) + " " + std::to_string(i * 43 % 11000);
        t += "PLATOON: " + std::to_string(kUnits[i % 10]) + " " + xy + " 90 4 " + xy + " 2 0\r\n";
    }
    return t;
}

// Pages with text, so that the write carries every graphics entry.
inline std::string pagesOnly() {
    std::string pages;
    for (const char* side : {"Blue_Briefing", "Red_Briefing"})
        for (int n = 0; n < 5; ++n)
            pages += "[" + std::string(side) + " " + std::to_string(n) + "]\r\nHeading = 9, Phase " +
                     std::to_string(n) + "\r\nMAP = maps\\gen.pcx\r\nText = 1, 1, Hold the ridge.\r\n";
    return pages;
}

}  // namespace hartool::test

#pragma once

// The game's fixed tables of unit types, sprite images, call signs and objective messages.

#include <initializer_list>
#include <span>
#include <string_view>

namespace hartool::tables {

// One label or image with the type codes that carry it.
struct CodeRow {
    std::string_view name;
    std::initializer_list<int> codes;
};

struct CallSignRow {
    int number;
    std::string_view name;
};

struct MessageRow {
    int number;
    std::string_view text;
    std::string_view blueImage = "";  // "" for a message without objective images
    std::string_view redImage = "";
};

extern const std::span<const std::string_view> kNationalities;  // 1-based by nationality
extern const std::span<const int> kFlyableHelicopters;          // position decides the nationality
extern const std::span<const int> kNationalityRole1;            // by nationality 1..3
extern const std::span<const int> kNationalityRole2;
extern const std::span<const CodeRow> kBlueUnitTypes;
extern const std::span<const CodeRow> kRedUnitTypes;
extern const std::span<const CodeRow> kBlueUnitImages;
extern const std::span<const CodeRow> kRedUnitImages;
extern const std::span<const std::string_view> kBlueWaypointImages;  // by kind 1..6
extern const std::span<const std::string_view> kRedWaypointImages;
extern const std::span<const CallSignRow> kCallSigns;
extern const std::span<const MessageRow> kMessages;

}  // namespace hartool::tables

#include "core/analysis/tables.h"

namespace hartool::tables {

namespace {

constexpr std::string_view nationalities[] = {"USA", "UK", "GER"};

// clang-format off
constexpr int flyableHelicopters[] = {
//  USA      UK        GER       red
    18, 21,  130, 129, 127, 112, 128, 62,
};

//                             USA  UK   GER
constexpr int role1[] = {      21,  129, 112};
constexpr int role2[] = {      18,  130, 127};

const CodeRow blueUnitTypes[] = {
    {"MBT PLT",  {0, 1, 31, 33}},
    {"M1A2",     {104}},
    {"MBT HQ",   {79, 136, 135, 139, 80, 137, 81, 138}},
    {"IFV PLT",  {2, 3, 14, 32, 34, 140}},
    {"AT SECT",  {4, 5, 12}},
    {"AD SECT",  {6, 7, 15, 113, 114, 115}},
    {"SPM SECT", {8, 106, 16}},
    {"CFV BTY",  {9, 11}},
    {"WEP SECT", {13}},
    {"RCN SECT", {10, 116}},
    {"BTN HQ",   {25, 26, 27}},
    {"BTN SECT", {28, 29, 30}},
    {"",         {123}},
    {"INF SECT", {99, 100, 101, 102}},
    {"INF",      {133, 121}},
    {"AH",       {17, 18, 21, 109, 142, 23, 126, 129, 130, 131, 127, 112}},
    {"AIR CAV",  {22}},
    {"UH",       {108}},
    {"CH",       {134}},
    {"CAS",      {89, 19, 90, 24}},
    {"UAV",      {91, 20}},
    {"SPG BTY",  {82, 85, 86}},
    {"SPM BTY",  {84}},
    {"MLRS BTY", {83, 87}},
    {"HVY ART",  {88}},
};

const CodeRow redUnitTypes[] = {
    {"MBT PLT",  {35, 103, 37, 110, 39, 41}},
    {"MBT HQ",   {36, 38, 111, 40, 42}},
    {"IFV PLT",  {43, 45, 141, 47, 49, 51, 53, 117}},
    {"MRR HQ",   {44, 46, 48, 50, 52, 54, 118}},
    {"AD SECT",  {55, 56, 72}},
    {"AD BTY",   {105}},
    {"SAM BTY",  {70, 119}},
    {"SAM HQ",   {71}},
    {"AT SECT",  {57}},
    {"RCN PLT",  {58, 59, 60}},
    {"SRBM BTY", {67}},
    {"BTN HQ",   {66}},
    {"ART HQ",   {78}},
    {"LOG SECT", {68, 69}},
    {"EPLT",     {73}},
    {"",         {122}},
    {"INF SECT", {97, 98}},
    {"INF",      {132, 120}},
    {"Mi28N",    {124}},
    {"MI-8",     {125}},
    {"AH/CH",    {61}},
    {"AH",       {62, 128, 63}},
    {"CH",       {64}},
    {"CAS",      {65, 96}},
    {"MLRS",     {74, 75, 94, 95}},
    {"SPG BTY",  {76, 93, 107, 77, 92}},
};

const CodeRow blueUnitImages[] = {
    {"uahb",   {17, 18, 21, 109, 142, 22, 23, 126, 129, 130, 131, 127, 112}},
    {"uchb",   {108, 134}},
    {"utnkb",  {104}},
    {"utnkp",  {0, 1, 31, 33}},
    {"utnkhq", {79, 136, 135, 139, 80, 137, 81, 138}},
    {"uifvb",  {4, 5, 12, 10, 116}},
    {"uifvp",  {2, 3, 14, 32, 34, 140}},
    {"ucavp",  {6, 7}},
    {"ucavhq", {}},
    {"uinfp",  {99, 133, 121, 144}},
    {"uinfhq", {100, 101, 102}},
    {"uadv2b", {8, 106, 16, 9, 11, 13, 15, 113, 114, 115}},
    {"usam4b", {25, 26, 27}},
    {"uspgp",  {91, 20}},
    {"umlrsp", {82, 84, 85, 86, 83, 87, 88, 89, 19, 90, 24}},
    {"usfp",   {28, 29, 30}},
    {"usupb",  {123}},
    {"udumpb", {}},
};

const CodeRow redUnitImages[] = {
    {"rahb",   {124, 125, 61, 62, 128, 63}},
    {"rchb",   {64}},
    {"rtnkb",  {36, 111, 38, 40, 42}},
    {"rtnkp",  {35, 103, 37, 110, 39, 41}},
    {"rifvb",  {44, 46, 48, 50, 52, 54, 118}},
    {"rifvp1", {43, 45, 141, 47, 49, 51, 53, 117}},
    {"rcavc",  {67, 73}},
    {"racavp", {58, 59, 60}},
    {"rinfp",  {132, 120, 144}},
    {"rinfhq", {97, 98, 66, 78}},
    {"radv2b", {55, 56, 72, 105}},
    {"rsam4b", {70, 119, 71, 57}},
    {"rsam6b", {}},
    {"rsam8b", {}},
    {"rzsub",  {}},
    {"rtangb", {}},
    {"rspgc",  {76, 93, 107, 77, 92}},
    {"rmlrsp", {94, 95}},
    {"rmlrsc", {74, 75}},
    {"rsrbmb", {65, 96}},
    {"rsupb",  {122}},
    {"rdumpb", {68, 69}},
    {"r20hqb", {}},
    {"rairb",  {}},
    {"rtnk16", {}},
};

// Kinds 1..6: checkpoint, assembly, battle position, patrol, landing zone, search and rescue.
constexpr std::string_view blueWaypointImages[] = {"uwpcp", "uwpaa", "uwpbp", "uwppa", "uwplz", "uwplz"};
constexpr std::string_view redWaypointImages[]  = {"rwpcp", "rwpaa", "rwpbp", "rwppa", "rwplz", "rwplz"};

constexpr CallSignRow callSigns[] = {
    {1, "Javelin"},    {12, "Raider"},   {23, "Iron"},
    {2, "Mace"},       {13, "Sandy"},    {24, "Liberty"},
    {3, "Flail"},      {14, "Lion"},     {25, "Bulldog"},
    {4, "Specter"},    {15, "Falcon"},   {26, "Hunter"},
    {5, "Saber"},      {16, "Stone"},    {27, "Dagger"},
    {6, "Sword"},      {17, "Eagle"},    {28, "Thumper"},
    {7, "Reaper"},     {18, "Raven"},    {29, "Maul"},
    {8, "Dragon"},     {19, "Bear"},     {30, "Sledge"},
    {9, "Storm"},      {20, "Hawk"},     {31, "Marlin"},
    {11, "Lightning"}, {21, "Forward"},  {32, "Arrow"},
                       {22, "Goalie"},
};

constexpr MessageRow messages[] = {
    {0,  "Crossbow",              "uobj",   "robj"},
    {1,  "Charlie"},  {2,  "Delta"},  {3,  "Echo"},  {4,  "Foxtrot"},  {5,  "Golf"},  {6,  "Hotel"},
    {7,  "Charlie"},  {8,  "Delta"},  {9,  "Echo"},  {10, "Foxtrot"},  {11, "Golf"},  {12, "Hotel"},
    {13, "Defend Sector"},
    {14, "Anvil",                 "uobja",  "robja"},
    {15, "Shield",                "uobjs",  "robjs"},
    {16, "Hammer",                "uobjh",  "robjh"},
    {17, "Crossbow",              "uobj",   "robj"},
    {18, "Anvil",                 "uobja",  "robja"},
    {19, "Shield",                "uobjs",  "robjs"},
    {20, "Hammer",                "uobjh",  "robjh"},
    {21, "Crossbow",              "uobj",   "robj"},
    {22, "Regimental HQ",         "ucavhq", "r20hqb"},
    {23, "Divisional HQ",         "ucavhq", "r20hqb"},
    {24, "Corps mobile HQ",       "uinfhq", "rinfhq"},
    {25, "Armored unit"},
    {26, "SAM batteries"},
    {27, "Logistics units"},
    {28, "Helo and support units"},
    {29, "Artillery batteries"},
    {30, "Regimental HQ",         "ucavhq", "r20hqb"},
    {31, "Divisional HQ",         "ucavhq", "r20hqb"},
    {32, "Corps mobile HQ",       "uinfhq", "rinfhq"},
    {33, "Armored unit"},
    {34, "SAM batteries"},
    {35, "Logistics units",       "udumpb", "rdumpb"},
    {36, "Helo and support units"},
    {37, "Artillery batteries"},
    {38, "Flail"},  {39, "Falcon"},  {40, "Stone"},   {41, "Eagle"},  {42, "Raven"},
    {43, "Bear"},   {44, "Hawk"},    {45, "Forward"}, {46, "Goalie"}, {47, "Iron"},
    {48, "Raider"}, {49, "Sandy"},   {50, "Thumper"}, {51, "Maul"},   {52, "Sledge"},
};
// clang-format on

}  // namespace

const std::span<const std::string_view> kNationalities{nationalities};
const std::span<const int> kFlyableHelicopters{flyableHelicopters};
const std::span<const int> kNationalityRole1{role1};
const std::span<const int> kNationalityRole2{role2};
const std::span<const CodeRow> kBlueUnitTypes{blueUnitTypes};
const std::span<const CodeRow> kRedUnitTypes{redUnitTypes};
const std::span<const CodeRow> kBlueUnitImages{blueUnitImages};
const std::span<const CodeRow> kRedUnitImages{redUnitImages};
const std::span<const std::string_view> kBlueWaypointImages{blueWaypointImages};
const std::span<const std::string_view> kRedWaypointImages{redWaypointImages};
const std::span<const CallSignRow> kCallSigns{callSigns};
const std::span<const MessageRow> kMessages{messages};

}  // namespace hartool::tables

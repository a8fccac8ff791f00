// The command table, the taking apart of the command line, and help.

#include <algorithm>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/game/gamecheck.h"
#include "core/platform/settings.h"

#ifndef HARTOOL_VERSION
#define HARTOOL_VERSION "unknown"
#endif

namespace hartool::cli {

namespace {

// Adding a command is one row here and its function.
constexpr Command kCommands[] = {
    {"missions", "missions", "list the missions of the player folder",
     "One line per mission: file, title, side (blue, red or -) and whether it holds a briefing (yes or no),\n"
     "separated by tabs. --json: [{\"file\", \"title\", \"side\", \"briefing\"}].",
     0, 0, "", "", missionsCommand},
    {"briefings", "briefings", "list the briefing files",
     "One line per briefing file: name, pages (those with a heading or a text; blue/red for a\n"
     "briefing of two sides) and sides (1 or 2), separated by tabs.\n"
     "--json: [{\"name\", \"pages\": [one count per side], \"sides\"}].",
     0, 0, "", "", briefingsCommand},
    {"extract", "extract MISSION [--as NAME]", "write a mission's briefing part as a briefing file",
     "The briefing file is named after the mission's title, or NAME. An existing briefing file of that name\n"
     "is replaced only with --force.",
     1, 1, "--as", "", extractCommand},
    {"attach", "attach MISSION BRIEFING", "replace a mission's briefing part by a briefing file",
     "A mission that holds a briefing already has it replaced only with --force.", 2, 2, "", "",
     attachCommand},
    {"analyze", "analyze MISSION [BRIEFING] | analyze --all",
     "draw a mission's units, routes and objectives into a briefing",
     "With BRIEFING: into the briefing file. Without: into the mission's own briefing\n"
     "part, the mission data, headings and texts kept, in one atomic write of the mission. --all: every\n"
     "mission of the player folder that holds a briefing.",
     0, 2, "", "--all", analyzeCommand},
    {"copy", "copy MISSION NEWFILE [--title TITLE]", "copy a mission, giving the copy a title",
     "An existing NEWFILE is replaced only with --force.", 2, 2, "--title", "", copyCommand},
    {"retitle", "retitle MISSION TITLE", "give a mission a new title", "", 2, 2, "", "", retitleCommand},
    {"delete", "delete MISSION...", "move missions to the trash",
     "A mission no trash can take stays, with the reason; with --force it is deleted for good.", 1, kAny, "",
     "", deleteCommand},
    {"properties", "properties MISSION [--side blue|red] [--nation NAME]",
     "show or change a mission's side and the nationality of its helicopters",
     "Without options: prints side and nation (--json: {\"side\", \"nation\"}). The nations are\n"
     "those of the mission properties dialog.",
     1, 1, "--side --nation", "", propertiesCommand},
    {"new-briefing", "new-briefing NAME [--blue-and-red]", "make an empty briefing file",
     "One side, or with --blue-and-red a blue and a red side. An existing file is never replaced.", 1, 1, "",
     "--blue-and-red", newBriefingCommand},
    {"copy-briefing", "copy-briefing NAME NEWNAME", "copy a briefing file",
     "An existing NEWNAME is never replaced.", 2, 2, "", "", copyBriefingCommand},
    {"delete-briefing", "delete-briefing NAME...", "move briefing files to the trash",
     "A file no trash can take stays, with the reason; with --force it is deleted for good.", 1, kAny, "", "",
     deleteBriefingCommand},
    {"save-originals", "save-originals", "save the original campaigns and single missions",
     "Only while the saved originals are incomplete, as the main dialog allows it.", 0, 0, "", "",
     saveOriginalsCommand},
    {"restore-originals", "restore-originals [--campaign NAME]",
     "copy the saved originals back over the game's files",
     "All campaigns and the single missions, or the one campaign. Replaces the game's files: needs --force.",
     0, 0, "--campaign", "", restoreOriginalsCommand},
    {"save-crew", "save-crew", "save the crew data of the campaign being played",
     "An earlier saved copy that differs is replaced only with --force.", 0, 0, "", "", saveCrewCommand},
    {"restore-crew", "restore-crew", "copy the saved crew data back",
     "Replaces the crew data of the campaign being played: needs --force.", 0, 0, "", "", restoreCrewCommand},
    {"to-battles", "to-battles CAMPAIGN [MISSION-NUMBER...]", "copy campaign missions to single battles",
     "All missions of the campaign, or those numbered (from 0). A single battle changed since it was copied\n"
     "is replaced only with --force.",
     1, kAny, "", "", toBattlesCommand},
    {"to-campaign", "to-campaign CAMPAIGN BATTLE... [--paired MISSION-NUMBER]",
     "copy single battles over campaign missions",
     "Each battle goes over the mission its title ends in; --paired: the one battle named goes over that\n"
     "mission and gets its title.",
     2, kAny, "--paired", "", toCampaignCommand},
    {"check", "check [MISSION...] [--campaigns]", "find what is wrong in missions and briefings",
     "Without MISSION: every mission of the player folder, every briefing file, the saved originals and the\n"
     "single battles not copied back. --campaigns: also the campaigns' missions. One line per finding:\n"
     "file:line: severity: rule: text (severity error, warning or note). --json: [{\"file\", \"line\",\n"
     "\"severity\", \"rule\", \"text\"}], line 0 when none applies. Exit status 1 when an error was found.",
     0, kAny, "", "--campaigns", checkCommand},
    {"help", "help [COMMAND]", "show this help, or a command's", "", 0, 1, "", "", nullptr},
};

// Options every command takes.
constexpr const char* kGlobalValues = "--game";
constexpr const char* kPathValues = "--game";
constexpr const char* kGlobalFlags = "--json --quiet --force --help --version";

bool listed(const char* list, const std::string& option) {
    std::istringstream words(list);
    std::string w;
    while (words >> w)
        if (w == option) return true;
    return false;
}

const Command* commandNamed(const std::string& name) {
    for (const Command& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

std::string programHelp() {
    std::string text =
        "usage: hartool-cli [--game FOLDER] [--json] [--quiet] [--force] COMMAND [ARGUMENTS]\n"
        "\n"
        "Mission, briefing and campaign operations of hartool on the game folder, without asking.\n"
        "\n"
        "Commands:\n";
    for (const Command& c : kCommands) text += std::string("  ") + c.synopsis + "\n      " + c.summary + "\n";
    text +=
        "\n"
        "Options:\n"
        "  --game FOLDER  the game folder; else the one in the settings of hartool, the default\n"
        "                 place, or the first found in the usual Wine prefixes\n"
        "  --json         print one JSON document instead of text\n"
        "  --quiet        no progress\n"
        "  --force        replace what the dialogs would ask about before replacing\n"
        "  --help         this help; COMMAND --help: the command's\n"
        "  --version      the version\n"
        "\n"
        "MISSION is a file of the player folder, with or without \".TXT\", in any case.\n"
        "BRIEFING and NAME are files of the briefings folder. CAMPAIGN is a campaign's name\n"
        "or its folder, in any case.\n"
        "\n"
        "Exit status: 0 all done, 1 something failed or was skipped or refused,\n"
        "2 usage error or no game folder.\n";
    return text;
}

std::string commandHelp(const Command& c) {
    std::string text = std::string("usage: hartool-cli [OPTIONS] ") + c.synopsis + "\n\n" + c.summary + ".\n";
    if (*c.details) text += std::string("\n") + c.details + "\n";
    return text;
}

}  // namespace

std::optional<std::string> Arguments::value(const std::string& option) const {
    const auto at = values.find(option);
    if (at == values.end()) return std::nullopt;
    return at->second;
}

std::span<const Command> commands() {
    return kCommands;
}

int run(const std::vector<std::string>& argv, const std::string& programFolder, std::ostream& result,
        std::ostream& messages, bool terminal) {
    platform::setProgramFolder(programFolder);
    Arguments args;
    const Command* command = nullptr;
    bool optionsEnd = false;
    const bool json = std::find(argv.begin(), argv.end(), "--json") != argv.end();
    const bool quiet = std::find(argv.begin(), argv.end(), "--quiet") != argv.end();
    Output out(result, messages, json, quiet, terminal);

    for (std::size_t i = 0; i < argv.size(); ++i) {
        std::string word = argv[i];
        if (!optionsEnd && word == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && word == "-h") word = "--help";
        if (optionsEnd || word.empty() || word[0] != '-' || word == "-") {
            if (!command && !optionsEnd) {
                command = commandNamed(word);
                if (!command) return out.usageAsIs("no command " + word);
                continue;
            }
            const std::optional<std::string> converted = fromArgument(word);
            if (!converted) return out.usageAsIs(word + ": a character the game's code page does not have");
            args.words.push_back(*converted);
            continue;
        }
        std::string option = word;
        std::optional<std::string> value;
        if (const std::size_t eq = word.find('='); eq != std::string::npos) {
            option = word.substr(0, eq);
            value = word.substr(eq + 1);
        }
        const bool takesValue =
            listed(kGlobalValues, option) || (command && listed(command->valueOptions, option));
        const bool isFlag = listed(kGlobalFlags, option) || (command && listed(command->flagOptions, option));
        if (takesValue) {
            if (!value) {
                if (i + 1 == argv.size()) return out.usageAsIs(option + " needs a value");
                value = argv[++i];
            }
            // A path is the file system's bytes, a name game text.
            if (listed(kPathValues, option)) {
                args.values[option] = *value;
                continue;
            }
            const std::optional<std::string> converted = fromArgument(*value);
            if (!converted) return out.usageAsIs(*value + ": a character the game's code page does not have");
            args.values[option] = *converted;
        } else if (isFlag && !value) {
            args.flags.insert(option);
        } else {
            return out.usageAsIs(command ? std::string(command->name) + " has no option " + option
                                         : "no option " + option + " before the command");
        }
    }

    if (args.has("--version")) {
        result << "hartool-cli " << HARTOOL_VERSION << "\n";
        return kAllDone;
    }
    if (command && std::string(command->name) == "help") {
        if (args.words.empty()) {
            result << programHelp();
            return kAllDone;
        }
        command = commandNamed(args.words[0]);
        if (!command) return out.usage("no command " + args.words[0]);
        result << commandHelp(*command);
        return kAllDone;
    }
    if (args.has("--help")) {
        result << (command ? commandHelp(*command) : programHelp());
        return kAllDone;
    }
    if (!command) return out.usage("which command?");
    if (args.words.size() < command->minWords || args.words.size() > command->maxWords)
        return out.usage(std::string("usage: hartool-cli [OPTIONS] ") + command->synopsis);

    const GameLookup game = findGame(args.value("--game"));
    if (game.gamePath.empty()) {
        out.messageAsIs("hartool-cli: " + game.problem);
        return kUsage;
    }
    Context context{args, GameFolders::fromGamePath(game.gamePath), out};
    return command->run(context);
}

}  // namespace hartool::cli

#pragma once

// hartool-cli: the operations of the mission tools, the transfer dialog and the main dialog as commands, over
// the core. A command never asks: what the dialogs ask about before replacing something is refused unless
// --force is given.

#include <cstddef>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "core/game/gamepaths.h"

namespace hartool::cli {

class Output;

// Exit statuses.
inline constexpr int kAllDone = 0;
inline constexpr int kNotAllDone = 1;  // something failed, was skipped or refused; the report says what
inline constexpr int kUsage = 2;       // a usage error, or no game folder

// A command line taken apart. Words and values are in the game's code page, but for a path (--game), which
// is the file system's bytes.
struct Arguments {
    std::vector<std::string> words;             // the command's own words, after its name
    std::map<std::string, std::string> values;  // "--as" -> "NAME"
    std::set<std::string> flags;                // "--force"

    bool has(const std::string& flag) const { return flags.contains(flag); }
    std::optional<std::string> value(const std::string& option) const;
};

// What a command is given to work with.
struct Context {
    const Arguments& args;
    GameFolders folders;
    Output& out;
    bool force() const { return args.has("--force"); }
};

// One row of the command table; adding a command is one row and its function.
struct Command {
    const char* name;
    const char* synopsis;  // "extract MISSION [--as NAME]"
    const char* summary;   // one line for the program's help
    const char* details;   // the rest of the command's help
    std::size_t minWords;
    std::size_t maxWords;      // kAny for a list
    const char* valueOptions;  // space-separated, "--as --title"
    const char* flagOptions;   // space-separated, "--all"
    int (*run)(Context&);
};
inline constexpr std::size_t kAny = static_cast<std::size_t>(-1);

std::span<const Command> commands();

// The whole program: argv without the program's name, the folder the program lies in, where the result
// and the messages go, and whether a person watches the messages (progress is shown then). Returns the exit
// status.
int run(const std::vector<std::string>& argv, const std::string& programFolder, std::ostream& result,
        std::ostream& messages, bool terminal);

// The commands, by the part of the game they work on.
int missionsCommand(Context& c);
int copyCommand(Context& c);
int retitleCommand(Context& c);
int deleteCommand(Context& c);
int propertiesCommand(Context& c);

int briefingsCommand(Context& c);
int extractCommand(Context& c);
int attachCommand(Context& c);
int analyzeCommand(Context& c);
int newBriefingCommand(Context& c);
int copyBriefingCommand(Context& c);
int deleteBriefingCommand(Context& c);

int saveOriginalsCommand(Context& c);
int restoreOriginalsCommand(Context& c);
int saveCrewCommand(Context& c);
int restoreCrewCommand(Context& c);
int toBattlesCommand(Context& c);
int toCampaignCommand(Context& c);

int checkCommand(Context& c);

}  // namespace hartool::cli

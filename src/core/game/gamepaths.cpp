#include "core/game/gamepaths.h"

#include "core/platform/codepage.h"
#include "core/text/token.h"

namespace hartool {

std::string PATHOK(std::string_view path) {
    const std::string_view trimmed = trimSpaces(path);
    if (trimmed.empty()) return {};
    std::string result = platform::upperFileName(trimmed);
    // A folder typed or shown the Linux way ends in "/": one separator at the end, not two.
    if (result.back() == '/')
        result.back() = '\\';
    else if (result.back() != '\\')
        result += '\\';
    return result;
}

GameFolders GameFolders::fromGamePath(const std::string& game) {
    GameFolders f;
    f.game = game;
    f.battles = game + "Data\\Battles\\";
    f.player = f.battles + "Player\\";
    f.backup = game + "Data\\Backup\\";
    f.briefings = game + "Data\\Backup\\Briefings\\";
    return f;
}

}  // namespace hartool

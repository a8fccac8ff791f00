#include "game/gamepaths.h"

#include "platform/codepage.h"

namespace hartool {

std::string PATHOK(std::string_view path) {
    std::size_t begin = path.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    std::size_t end = path.find_last_not_of(' ');
    std::string result = platform::upper1252(path.substr(begin, end - begin + 1));
    if (result.back() != '\\') result += '\\';
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

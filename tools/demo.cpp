// hartool-demo FOLDER [--ini INIFILE]: writes the demo game into FOLDER and, with --ini, points the tool's
// INI file at it, so the program opens on the demo game.

#include <iostream>
#include <string>

#include "core/game/gamepaths.h"
#include "core/platform/profile.h"
#include "demo/demogame.h"

namespace {

// The INI file outlives this run, so the game path it holds must not depend on the working folder.
std::string absolute(std::string folder) {
    const bool rooted = !folder.empty() && (folder[0] == '/' || folder[0] == '\\');
    const bool drive = folder.size() > 1 && folder[1] == ':';
    if (!rooted && !drive) folder = hartool::platform::workingFolder() + folder;
    // PATHOK adds its own "\"; a native "/" at the end would leave an empty name behind it.
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

int usage() {
    std::cerr << "usage: hartool-demo FOLDER [--ini INIFILE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder, ini;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--ini") {
            if (++i == argc) return usage();
            ini = argv[i];
        } else if (folder.empty() && !arg.empty() && arg[0] != '-') {
            folder = arg;
        } else {
            return usage();
        }
    }
    if (folder.empty()) return usage();

    if (hartool::platform::Status st = hartool::demo::writeDemoGame(folder); !st) {
        std::cerr << "hartool-demo: cannot write the demo game: " << st.error << "\n";
        return 1;
    }
    if (!ini.empty()) {
        const std::string gamePath = hartool::PATHOK(absolute(folder));
        if (hartool::platform::Status st =
                hartool::platform::WRITEENVIRONMENT(hartool::kIniSection, "PATH", gamePath, ini);
            !st) {
            std::cerr << "hartool-demo: cannot write " << ini << ": " << st.error << "\n";
            return 1;
        }
    }
    std::cout << "demo game written to " << folder << "\n";
    return 0;
}

// hartool-cli: the tool's operations from the command line, without Qt.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/platform/process.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Where the settings live on Windows: the program's folder, as the dialogs' program has it.
    std::string program = argc > 0 ? argv[0] : "";
    const std::size_t slash = program.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : program.substr(0, slash + 1);
    return hartool::cli::run(args, folder, std::cout, std::cerr,
                             hartool::platform::standardErrorIsTerminal());
}

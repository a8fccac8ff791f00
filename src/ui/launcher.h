#pragma once

// Starting another program from a command line, as "NotePad " followed by a file path.

#include <QString>
#include <QStringList>

#include <string>

namespace hartool::ui {

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts the program and does not wait for it; false when it could not be started.
    virtual bool run(const std::string& commandLine) = 0;
};

Launcher& launcher();
// Returns the previous launcher (nullptr puts the real one back).
Launcher* installLauncher(Launcher* launcher);

bool runCommandLine(const std::string& commandLine);

// What the real launcher starts: the word before the first blank names the program ("NotePad", in any
// case, is the platform's text editor); everything after that blank is one argument, a file path, which
// is resolved to its native spelling. Never a shell, so blanks and shell characters in the path are safe.
struct LaunchCommand {
    QString program;
    QStringList arguments;
};
LaunchCommand launchCommand(const std::string& commandLine);

}  // namespace hartool::ui

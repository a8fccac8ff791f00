#include "ui/launcher.h"

#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "ui/textconvert.h"

#include <QFile>
#include <QProcess>

#include "base/seam.h"

namespace hartool::ui {

namespace {

QString textEditor() {
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    // The desktop's handler for text files.
    return QStringLiteral("xdg-open");
#endif
}

class ProcessLauncher : public Launcher {
  public:
    bool run(const std::string& commandLine) override {
        const LaunchCommand command = launchCommand(commandLine);
        if (command.program.isEmpty()) return false;
        return QProcess::startDetached(command.program, command.arguments);
    }
};

ProcessLauncher gProcess;
Seam<Launcher> gLauncher(gProcess);

}  // namespace

Launcher& launcher() {
    return gLauncher.get();
}

Launcher* installLauncher(Launcher* launcher) {
    return gLauncher.install(launcher);
}

bool runCommandLine(const std::string& commandLine) {
    return launcher().run(commandLine);
}

LaunchCommand launchCommand(const std::string& commandLine) {
    const std::size_t blank = commandLine.find(' ');
    const std::string word = commandLine.substr(0, blank);
    LaunchCommand command;
    command.program = platform::iequals1252(word, "NotePad") ? textEditor() : toQt(word);
    if (blank != std::string::npos) {
        const std::string native = platform::fileSystem().nativePath(commandLine.substr(blank + 1));
        command.arguments.push_back(QFile::decodeName(QByteArray::fromStdString(native)));
    }
    return command;
}

}  // namespace hartool::ui

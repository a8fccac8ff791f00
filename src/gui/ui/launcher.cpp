#include "gui/ui/launcher.h"

#include "core/game/gamepaths.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/process.h"
#include "core/platform/profile.h"
#include "core/platform/settings.h"
#include "core/text/token.h"
#include "gui/ui/messagebox.h"
#include "gui/ui/modal.h"
#include "gui/ui/textconvert.h"
#include "gui/ui/texteditor.h"
#include "gui/ui/waitcursor.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <set>

#include "core/base/seam.h"

namespace hartool::ui {

namespace {

using Outcome = LaunchAttempt::Outcome;

QString textEditor() {
#ifdef Q_OS_WIN
    return QStringLiteral("notepad.exe");
#else
    // The desktop's handler for text files.
    return QStringLiteral("xdg-open");
#endif
}

const char* const kNoEditor = "no text editor found";
const char* const kNoEditorStarted = "no text editor could be started";
const char* const kInstallEditor =
    "install a text editor such as gedit or mousepad, or name one as EDITOR in the TOOL section of the "
    "settings";

QString findProgram(const QString& name, const QStringList& folders) {
    // findExecutable searches PATH when given no folders.
    if (folders.isEmpty()) return {};
    return QStandardPaths::findExecutable(name, folders);
}

// How a handler that ran to its end did.
LaunchAttempt ended(const QString& name, const QProcess& process) {
    LaunchAttempt attempt{fromQt(name)};
    if (process.exitStatus() == QProcess::CrashExit) {
        attempt.outcome = Outcome::Crashed;
    } else {
        attempt.exitCode = process.exitCode();
        attempt.outcome = attempt.exitCode == 0 ? Outcome::Started : Outcome::ExitedWithError;
    }
    return attempt;
}

// A handler in generic mode runs the editor and waits for it; deleting its QProcess would kill it, so a
// handler still running stays referenced here until it ends, and outlives the tool. failed gets how it ended
// when that was a failure.
void keepUntilFinished(QProcess* process, const QString& name, std::function<void(LaunchAttempt)> failed) {
    static auto* running = new std::set<QProcess*>;
    running->insert(process);
    QObject::connect(process, &QProcess::finished, process, [process, name, failed = std::move(failed)] {
        running->erase(process);
        process->deleteLater();
        const LaunchAttempt attempt = ended(name, *process);
        if (attempt.outcome != Outcome::Started && failed) failed(attempt);
    });
}

// The handler can fail after it started (xdg-open on a desktop whose handler for text needs a terminal),
// so it gets a moment to report that through its exit code.
LaunchAttempt runHandler(const QString& program, const QString& name, const QStringList& arguments,
                         std::chrono::milliseconds wait, std::function<void(LaunchAttempt)> failedLate) {
    LaunchAttempt attempt{fromQt(name)};
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    // No terminal and no pipes: a handler that wants a terminal fails rather than waits for input, and one
    // that outlives the tool has nothing of it to write to.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX  // the hook exists where processes fork
    process->setChildProcessModifier([] { platform::leaveSession(); });
#endif
    const WaitCursor waiting;
    process->start();
    if (!process->waitForStarted()) {
        attempt.outcome = Outcome::NotStarted;
    } else if (!process->waitForFinished(static_cast<int>(wait.count()))) {
        attempt.outcome = Outcome::StillRunning;
        keepUntilFinished(process, name, std::move(failedLate));
        return attempt;
    } else {
        attempt = ended(name, *process);
    }
    delete process;
    return attempt;
}

LaunchAttempt startDetached(const QString& program, const QString& name, const QStringList& arguments) {
    const bool started = QProcess::startDetached(program, arguments);
    return {fromQt(name), started ? Outcome::Started : Outcome::NotStarted};
}

bool opened(const LaunchAttempt& attempt) {
    return attempt.outcome == Outcome::Started || attempt.outcome == Outcome::StillRunning;
}

// After a handler that did not open the file: the editors in their order.
[[maybe_unused]] void tryEditors(LaunchResult& result, const QStringList& arguments,
                                 const EditorSearch& search) {
    bool anyFound = false;
    for (const QString& editor : search.editors) {
        const QString program = findProgram(editor, search.folders);
        if (program.isEmpty()) continue;
        anyFound = true;
        result.attempts.push_back(startDetached(program, editor, arguments));
        if (opened(result.attempts.back())) return;
    }
    result.failure = anyFound ? kNoEditorStarted : kNoEditor;
    result.remedy = kInstallEditor;
}

LaunchResult openText(const QStringList& arguments, [[maybe_unused]] const EditorSearch& search,
                      [[maybe_unused]] const LateFailure& late) {
    LaunchResult result;
#ifdef Q_OS_WIN
    result.attempts.push_back(startDetached(textEditor(), textEditor(), arguments));
    if (!opened(result.attempts.back())) result.failure = kNoEditorStarted;
    return result;
#else
    // A handler may fail seconds after it started (xdg-open whose handler for text needs a terminal): it is
    // followed to its end, and the editors are tried then.
    auto failedLate = [arguments, search, late](const LaunchAttempt& handlerEnd) {
        LaunchResult later;
        later.attempts.push_back(handlerEnd);
        tryEditors(later, arguments, search);
        if (!later.started() && late) late(later);
    };
    const QString handler = findProgram(textEditor(), search.folders);
    result.attempts.push_back(
        handler.isEmpty() ? LaunchAttempt{fromQt(textEditor()), Outcome::NotFound}
                          : runHandler(handler, textEditor(), arguments, search.handlerWait, failedLate));
    if (opened(result.attempts.back())) return result;
    tryEditors(result, arguments, search);
    return result;
#endif
}

}  // namespace

std::string LaunchAttempt::describe() const {
    std::string how;
    switch (outcome) {
        case Outcome::Started:
            how = "started";
            break;
        case Outcome::StillRunning:
            how = "running";
            break;
        case Outcome::ExitedWithError:
            how = "exit code " + std::to_string(exitCode);
            break;
        case Outcome::Crashed:
            how = "crashed";
            break;
        case Outcome::NotStarted:
            how = "could not be started";
            break;
        case Outcome::NotFound:
            how = "not found";
            break;
    }
    return program + ": " + how;
}

std::string LaunchResult::tried() const {
    std::string text;
    for (const LaunchAttempt& attempt : attempts) text += (text.empty() ? "" : ", ") + attempt.describe();
    return text;
}

EditorSearch EditorSearch::fromEnvironment() {
    EditorSearch search;
    search.folders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    search.editors = {"gnome-text-editor", "gedit", "kate",   "kwrite", "mousepad", "xed", "pluma",
                      "featherpad",        "geany", "leafpad"};
    return search;
}

LaunchResult ProcessLauncher::run(const std::string& commandLine) {
    return follow(commandLine, {});
}

LaunchResult ProcessLauncher::follow(const std::string& commandLine, const LateFailure& late) {
    const LaunchCommand command = launchCommand(commandLine);
    if (command.textEditor)
        return openText(command.arguments, search_ ? *search_ : EditorSearch::fromEnvironment(), late);
    LaunchResult result;
    if (command.program.isEmpty()) {
        result.failure = "no program named";
        return result;
    }
    result.attempts.push_back(startDetached(command.program, command.program, command.arguments));
    if (!opened(result.attempts.back()))
        result.failure = result.attempts.back().program + " could not be started";
    return result;
}

namespace {

Seam<Launcher>& launcherSeam() {
    return seamOf<Launcher, ProcessLauncher>();
}

}  // namespace

Launcher& launcher() {
    return launcherSeam().get();
}

Launcher* installLauncher(Launcher* launcher) {
    return launcherSeam().install(launcher);
}

LaunchResult runCommandLine(const std::string& commandLine) {
    return launcher().run(commandLine);
}

namespace {

void openBuiltin(QWidget* owner, const std::string& file, const std::string& base) {
    TextEditor editor(file, platform::shownPath(file, base), owner);
    showModal(editor);
}

void tellAndOpenBuiltin(QWidget* owner, const std::string& file, const std::string& caption,
                        const std::string& base, const LaunchResult& result) {
    std::string text = platform::shownPath(file, base) + " could not be opened: " + result.failure;
    if (!result.attempts.empty()) text += "\ntried: " + result.tried();
    if (!result.remedy.empty()) text += "\n" + result.remedy;
    text += "\nthe file opens in the tool's own text editor";
    INFOBOX(owner, caption, text);
    openBuiltin(owner, file, base);
}

}  // namespace

LaunchResult openInTextEditor(QWidget* owner, const std::string& file, const std::string& caption,
                              const std::string& base) {
    const std::string editor(trimSpaces(platform::pathSetting(kIniSection, "EDITOR", platform::iniFile())));
    if (platform::iequals1252(editor, kBuiltinEditor)) {
        openBuiltin(owner, file, base);
        return {};
    }
    // A late failure is told only while the dialog that asked is there to be told.
    const QPointer<QWidget> asker(owner);
    const bool hadOwner = owner != nullptr;
    LaunchResult result =
        launcher().follow((editor.empty() ? "NotePad" : editor) + " " + file, [=](const LaunchResult& late) {
            if (hadOwner && !asker) return;
            tellAndOpenBuiltin(asker, file, caption, base, late);
        });
    if (!result.started()) tellAndOpenBuiltin(owner, file, caption, base, result);
    return result;
}

LaunchCommand launchCommand(const std::string& commandLine) {
    const std::size_t blank = commandLine.find(' ');
    const std::string word = commandLine.substr(0, blank);
    LaunchCommand command;
    command.textEditor = platform::iequals1252(word, "NotePad");
    command.program = command.textEditor ? textEditor() : pathToQt(word);
    if (blank != std::string::npos)
        command.arguments.push_back(
            pathToQt(platform::fileSystem().nativePath(commandLine.substr(blank + 1))));
    return command;
}

}  // namespace hartool::ui

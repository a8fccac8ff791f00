#pragma once

// Starting another program from a command line, as "NotePad " followed by a file path.

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace hartool::ui {

// One program the launcher started, or tried to, and how that ended.
struct LaunchAttempt {
    enum class Outcome {
        Started,       // detached, or a handler that finished its work
        StillRunning,  // a handler busy after the wait: it shows the file
        ExitedWithError,
        Crashed,
        NotStarted,
        NotFound,
    };
    std::string program;
    Outcome outcome = Outcome::Started;
    int exitCode = 0;

    bool operator==(const LaunchAttempt&) const = default;
    // "xdg-open: exit code 4"
    std::string describe() const;
};

struct LaunchResult {
    std::vector<LaunchAttempt> attempts;
    // Why nothing opened, empty when something did; and what the player can do about it, if anything.
    std::string failure;
    std::string remedy;

    bool started() const { return failure.empty(); }
    // The attempts, one after the other: "xdg-open: exit code 4, gedit: started".
    std::string tried() const;
};

// How a start that counted as opened ended after all: nothing opened the file.
using LateFailure = std::function<void(const LaunchResult&)>;

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts the program and does not wait for it to end.
    virtual LaunchResult run(const std::string& commandLine) = 0;
    // As run, following a handler still running to its end: when it fails then and nothing else opens the
    // file, late gets what was tried (later, from the event loop). This default only runs.
    virtual LaunchResult follow(const std::string& commandLine, const LateFailure& late) {
        (void)late;
        return run(commandLine);
    }
};

Launcher& launcher();
// Returns the previous launcher (nullptr puts the real one back).
Launcher* installLauncher(Launcher* launcher);

LaunchResult runCommandLine(const std::string& commandLine);

// Opens a file in a text editor: the program the settings' EDITOR key names (TOOL section), else the
// desktop's. When none opens it, now or when the desktop's handler fails later, an information box with that
// caption names the file (relative to base, see platform::shownPath) and what was tried, and the tool's own
// TextEditor opens it; EDITOR "builtin" opens that at once.
LaunchResult openInTextEditor(QWidget* owner, const std::string& file, const std::string& caption,
                              const std::string& base = "");
// The EDITOR value that names the tool's own editor.
inline constexpr const char* kBuiltinEditor = "builtin";

// What the real launcher starts: the word before the first blank names the program ("NotePad", in any
// case, is the platform's text editor); everything after that blank is one argument, a file path, which
// is resolved to its native spelling. Never a shell, so blanks and shell characters in the path are safe.
struct LaunchCommand {
    QString program;
    QStringList arguments;
    bool textEditor = false;
};
LaunchCommand launchCommand(const std::string& commandLine);

// Where the real launcher looks for a text editor on Linux: the desktop's handler first, then the editors
// in their order, each looked up in the folders.
struct EditorSearch {
    QStringList folders;
    QStringList editors;
    // How long a handler gets to fail before it counts as showing the file; the launcher follows it further
    // without holding the dialog up.
    std::chrono::milliseconds handlerWait{500};

    // PATH and the usual graphical editors.
    static EditorSearch fromEnvironment();
};

class ProcessLauncher : public Launcher {
  public:
    // Searches as fromEnvironment() tells at each start.
    ProcessLauncher() = default;
    explicit ProcessLauncher(EditorSearch search) : search_(std::move(search)) {}

    LaunchResult run(const std::string& commandLine) override;
    LaunchResult follow(const std::string& commandLine, const LateFailure& late) override;

  private:
    std::optional<EditorSearch> search_;
};

}  // namespace hartool::ui

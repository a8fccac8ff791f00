// The real launcher with fake programs in a folder of their own, and the text editor helper over the double.

#include "gui/ui/launcher.h"
#include "gui/ui/texteditor.h"
#include "support/guilauncherdouble.h"
#include "support/guimessageboxdouble.h"
#include "support/guimodaldouble.h"
#include "support/scopedenvironment.h"
#include "support/tempdir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace hartool::test {
namespace {

using namespace std::chrono_literals;

// Fake programs: shell scripts that stand in for the desktop's handler and the editors.
class FakePrograms {
  public:
    void add(const std::string& name, const std::string& body) const {
        const std::string file = bin.write(name, "#!/bin/sh\n" + body + "\n");
        fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
    }
    // Starts and ends at once.
    void addTrue(const std::string& name) const { fs::create_symlink("/bin/true", bin.path() / name); }
    // Found on the PATH but cannot run.
    void addBroken(const std::string& name) const {
        const std::string file = bin.write(name, "#!/nonexistent/interpreter\n");
        fs::permissions(file, fs::perms::owner_all, fs::perm_options::add);
    }
    ui::EditorSearch search(std::chrono::milliseconds wait = 2000ms) const {
        return {{QString::fromStdString(bin.path().string())}, {"gedit", "mousepad"}, wait};
    }
    // A program that writes how it was called where the test can see it.
    std::string recordingBody() const {
        return "printf '%s|%s' \"$#\" \"$1\" > '" + bin.folder() + "called'";
    }
    std::string called() const { return bin.exists("called") ? bin.read("called") : ""; }

    TempDir bin;
};

TEST(ProcessLauncher, TriesTheHandlerThenTheEditorsOnThePath) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows starts notepad.exe";
#endif
    TempDir work;
    const std::string file = work.write("Read me;$(x).txt", "text");
    // The handler succeeds only when given the file as its one argument.
    const std::string handlerChecks = "[ \"$#\" = 1 ] && [ \"$1\" = '" + file + "' ] || exit 9\n";
    struct Case {
        const char* name;
        std::function<void(const FakePrograms&)> install;
        std::chrono::milliseconds wait;
        std::string tried;
        std::string failure;
    };
    const Case cases[] = {
        {"the handler opens the file", [&](auto& p) { p.add("xdg-open", handlerChecks + "exit 0"); }, 2000ms,
         "xdg-open: started", ""},
        {"a handler still busy after the wait shows the file",
         [&](auto& p) { p.add("xdg-open", handlerChecks + "exec sleep 5"); }, 100ms, "xdg-open: running", ""},
        {"the handler fails after it started",
         [&](auto& p) {
             p.add("xdg-open", handlerChecks + "exit 4");
             p.addTrue("mousepad");
         },
         2000ms, "xdg-open: exit code 4, mousepad: started", ""},
        {"no handler, and the first editor that starts wins",
         [&](auto& p) {
             p.addBroken("gedit");
             p.addTrue("mousepad");
         },
         2000ms, "xdg-open: not found, gedit: could not be started, mousepad: started", ""},
        {"editors that do not start", [&](auto& p) { p.addBroken("gedit"); }, 2000ms,
         "xdg-open: not found, gedit: could not be started", "no text editor could be started"},
        {"nothing on the path", [](auto&) {}, 2000ms, "xdg-open: not found", "no text editor found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePrograms programs;
        c.install(programs);
        ui::ProcessLauncher launcher(programs.search(c.wait));
        const ui::LaunchResult result = launcher.run("NotePad " + file);
        EXPECT_EQ(result.tried(), c.tried);
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.remedy, c.failure.empty()
                                     ? ""
                                     : "install a text editor such as gedit or mousepad, or name "
                                       "one as EDITOR in the TOOL section of the settings");
    }
}

TEST(ProcessLauncher, TheEditorGetsThePathAsItsOneArgument) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows starts notepad.exe";
#endif
    TempDir work;
    const std::string file = work.write("Read me;$(x).txt", "text");
    FakePrograms programs;
    programs.add("xdg-open", "exit 3");
    programs.add("gedit", programs.recordingBody());
    ui::ProcessLauncher launcher(programs.search());
    EXPECT_TRUE(launcher.run("NotePad " + file).started());
    // The editor runs detached: wait for its trace rather than for it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !programs.called().empty(); }, 20000));
    EXPECT_EQ(programs.called(), "1|" + file);
}

TEST(OpenInTextEditor, ABoxNamesTheFileWhatWasTriedAndWhatToInstall) {
    // A Wine prefix and settings of the test's own.
    TempDir home;
    ScopedEnvironment environment;
    environment.set("WINEPREFIX", home.folder() + "wine");
    environment.set("XDG_CONFIG_HOME", home.folder() + "config");
    struct Case {
        const char* name;
        bool fails;
        std::vector<MessageBoxDouble::Box> boxes;
    };
    const Case cases[] = {
        {"opened", false, {}},
        {"no editor",
         true,
         {info(
             "edit mission",
             "Data/Battles/Raid.TXT could not be opened: no text editor found\n"
             "tried: xdg-open: exit code 3\n"
             "install a text editor such as gedit or mousepad, or name one as EDITOR in the TOOL section of "
             "the settings\n"
             "the file opens in the tool's own text editor")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LauncherDouble launcher;
        MessageBoxDouble boxes;
        ModalDouble modal;
        if (c.fails) modal.then<ui::TextEditor>("TextEditor", [](ui::TextEditor& e) { e.reject(); });
        if (c.fails) launcher.failStarts();
        const ui::LaunchResult result =
            ui::openInTextEditor(nullptr, "C:\\Game\\Data\\Battles\\Raid.TXT", "edit mission", "C:\\Game\\");
        EXPECT_EQ(result.started(), !c.fails);
        EXPECT_EQ(launcher.commandLines(),
                  std::vector<std::string>{"NotePad C:\\Game\\Data\\Battles\\Raid.TXT"});
        EXPECT_EQ(boxes.boxes(), c.boxes);
        EXPECT_EQ(modal.shown().size(), c.fails ? 1u : 0u);
    }
}

}  // namespace
}  // namespace hartool::test

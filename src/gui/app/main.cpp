#include <QApplication>

#include "core/platform/settings.h"
#include "gui/app/app.h"
#include "gui/ui/textconvert.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("hartool");
    QApplication::setApplicationName("hartool");
    // Matches the desktop entry's name, so the desktop ties the window to its launcher and icon.
    QApplication::setDesktopFileName("org.hartool.Hartool");
    QApplication::setWindowIcon(hartool::App::icon());
    hartool::platform::setProgramFolder(hartool::ui::pathFromQt(QCoreApplication::applicationDirPath()) +
                                        "/");
    hartool::App app;
    return app.START();
}

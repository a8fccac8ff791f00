// Renders a dialog offscreen into a PNG, for the README: hartool-screenshot OUT.png [PatchDialog|Credits]

#include "app/credits.h"
#include "app/patchdialog.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: hartool-screenshot OUT.png [PatchDialog|Credits]\n");
        return 2;
    }
    const char* which = argc == 3 ? argv[2] : "PatchDialog";
    std::unique_ptr<QDialog> dialog;
    if (std::strcmp(which, "PatchDialog") == 0) {
        dialog = std::make_unique<hartool::PatchDialog>();
    } else if (std::strcmp(which, "Credits") == 0) {
        dialog = std::make_unique<hartool::Credits>();
    } else {
        std::fprintf(stderr, "unknown dialog %s\n", which);
        return 2;
    }
    dialog->show();
    QApplication::processEvents();
    if (!dialog->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

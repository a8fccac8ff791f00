#include "app/patchdialog.h"
#include "ui/modal.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("hartool");
    QApplication::setApplicationName("hartool");

    hartool::PatchDialog dialog;
    hartool::ui::showModal(dialog);
    return 0;
}

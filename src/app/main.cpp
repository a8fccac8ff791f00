#include <QApplication>

#include "app/app.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("hartool");
    QApplication::setApplicationName("hartool");
    hartool::App app;
    return app.START();
}

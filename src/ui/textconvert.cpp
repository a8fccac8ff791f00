#include "ui/textconvert.h"

#include "platform/codepage.h"

namespace hartool::ui {

QString toQt(std::string_view cp1252) {
    return QString::fromStdString(platform::cp1252ToUtf8(cp1252));
}

std::string fromQt(const QString& text) {
    return platform::utf8ToCp1252(text.toStdString());
}

}  // namespace hartool::ui

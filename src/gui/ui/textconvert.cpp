#include "gui/ui/textconvert.h"

#include "core/platform/codepage.h"

namespace hartool::ui {

QString toQt(std::string_view cp1252) {
    return QString::fromStdString(platform::cp1252ToUtf8(cp1252));
}

std::string fromQt(const QString& text) {
    return platform::utf8ToCp1252(text.toStdString());
}

QString pathToQt(std::string_view path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string pathFromQt(const QString& path) {
    return path.toStdString();
}

QStringList toQt(const std::vector<std::string>& cp1252) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(cp1252.size()));
    for (const std::string& text : cp1252) texts.push_back(toQt(text));
    return texts;
}

}  // namespace hartool::ui

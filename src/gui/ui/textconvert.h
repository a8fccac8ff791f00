#pragma once

// The GUI shows and takes text as QString; everything behind it is Windows-1252 bytes.

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace hartool::ui {

QString toQt(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become "?".
std::string fromQt(const QString& text);
QStringList toQt(const std::vector<std::string>& cp1252);

}  // namespace hartool::ui

#pragma once

// The GUI shows and takes text as QString. Game text behind it is Windows-1252 bytes (toQt, fromQt); paths
// are the file system's bytes, UTF-8 (pathToQt, pathFromQt).

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

QString pathToQt(std::string_view path);
std::string pathFromQt(const QString& path);

}  // namespace hartool::ui

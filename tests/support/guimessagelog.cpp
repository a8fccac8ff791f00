#include "support/guimessagelog.h"

#include <QString>

namespace hartool::test {

namespace {
QtWarningLog* gLog = nullptr;
std::vector<std::string>* gWarnings = nullptr;

void collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && gWarnings) gWarnings->push_back(message.toStdString());
}
}  // namespace

QtWarningLog::QtWarningLog() : outer_(gLog), previous_(qInstallMessageHandler(collect)) {
    gLog = this;
    gWarnings = &warnings_;
}

QtWarningLog::~QtWarningLog() {
    qInstallMessageHandler(previous_);
    gLog = outer_;
    gWarnings = outer_ ? &outer_->warnings_ : nullptr;
}

bool QtWarningLog::contains(const std::string& part) const {
    for (const std::string& warning : warnings_) {
        if (warning.find(part) != std::string::npos) return true;
    }
    return false;
}

}  // namespace hartool::test

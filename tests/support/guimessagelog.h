#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

namespace hartool::test {

// Collects Qt's warnings while it lives, instead of printing them.
class QtWarningLog {
  public:
    QtWarningLog();
    ~QtWarningLog();
    QtWarningLog(const QtWarningLog&) = delete;
    QtWarningLog& operator=(const QtWarningLog&) = delete;

    const std::vector<std::string>& warnings() const { return warnings_; }
    bool contains(const std::string& part) const;

  private:
    std::vector<std::string> warnings_;
    QtWarningLog* outer_;
    QtMessageHandler previous_;
};

}  // namespace hartool::test

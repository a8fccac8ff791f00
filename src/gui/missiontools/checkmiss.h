#pragma once

#include "core/check/check.h"
#include "gui/ui/controls.h"
#include "gui/ui/dialog.h"

#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

namespace hartool {

// Layout of the findings window: a summary, the findings view, a hint and Close.
class CheckMiss_vo : public ui::Dialog {
    Q_OBJECT
  public:
    explicit CheckMiss_vo(QWidget* owner = nullptr);

  protected:
    struct {
        QLabel* FTXTSUMMARY;
        QLabel* FTXTLIST;
        QLabel* FTXTHINT;
        ui::MYPUSHBUTTON* PSHCANCEL;
    } ui;
};

// The findings of a check, one group per mission or briefing file, sortable by severity (the worst first)
// and by line. A double click closes the window with that finding chosen; on a group, with its file chosen.
class CheckMiss : public CheckMiss_vo {
    Q_OBJECT
  public:
    // gameFolder shortens the file names shown.
    CheckMiss(QWidget* owner, std::vector<Finding> findings, const std::string& gameFolder);

    QTreeWidget& findingsView() const { return *view_; }
    // What the window closed with: the finding double clicked (without its entry when a group was), or
    // nothing.
    const std::optional<Finding>& chosen() const { return chosen_; }
    void choose(QTreeWidgetItem* item);

  public slots:
    void PSHCANCEL();

  private:
    std::vector<Finding> findings_;
    std::optional<Finding> chosen_;
    QTreeWidget* view_ = nullptr;
};

}  // namespace hartool

#include "gui/missiontools/checkmiss.h"

#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include <map>

#include "core/platform/codepage.h"
#include "gui/ui/textconvert.h"

namespace hartool {

namespace {

enum Column { kSeverity, kLine, kRule, kText };
constexpr int kFindingRole = Qt::UserRole + 1;  // index into the findings
constexpr int kRankRole = Qt::UserRole + 2;     // severity, for a group the worst of it
constexpr int kOrderRole = Qt::UserRole + 3;    // the check's own order: ties keep it

// Sorts the severity and line columns by number, the others by text.
class FindingItem : public QTreeWidgetItem {
  public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : kSeverity;
        const auto key = [column](const QTreeWidgetItem& item) {
            const int first =
                column == kLine ? item.text(kLine).toInt() : item.data(kSeverity, kRankRole).toInt();
            return std::pair{first, item.data(kSeverity, kOrderRole).toInt()};
        };
        if (column == kSeverity || column == kLine) return key(*this) < key(other);
        return QTreeWidgetItem::operator<(other);
    }
};

QString groupName(const Finding& f, const std::string& gameFolder) {
    const std::string name = platform::gameNameOf(f.file.substr(f.file.find_last_of("\\/") + 1));
    switch (f.kind) {
        case CheckedFile::Mission:
            return ui::toQt(name);
        case CheckedFile::Briefing:
            return QStringLiteral("briefing ") + ui::toQt(name);
        case CheckedFile::CampaignMission:
            return ui::toQt(shownFile(f, gameFolder));
        case CheckedFile::Game:
            return QStringLiteral("game folder");
    }
    return ui::toQt(name);
}

QString summary(const std::vector<Finding>& findings, std::size_t files) {
    if (findings.empty()) return QStringLiteral("Nothing found: the missions and briefings look right.");
    std::size_t counts[3] = {0, 0, 0};
    for (const Finding& f : findings) ++counts[static_cast<int>(f.severity)];
    const auto count = [](std::size_t n, const char* one, const char* many) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
    };
    return count(counts[0], "error", "errors") + QStringLiteral(", ") +
           count(counts[1], "warning", "warnings") + QStringLiteral(" and ") +
           count(counts[2], "note", "notes") + QStringLiteral(" in ") + count(files, "file", "files") +
           QLatin1Char('.');
}

}  // namespace

CheckMiss_vo::CheckMiss_vo(QWidget* owner) : ui::Dialog("CheckMiss_vo", owner) {
    bind(ui.FTXTSUMMARY, "FTXTSUMMARY");
    bind(ui.FTXTLIST, "FTXTLIST");
    bind(ui.FTXTHINT, "FTXTHINT");
    bind(ui.PSHCANCEL, "PSHCANCEL");
}

CheckMiss::CheckMiss(QWidget* owner, std::vector<Finding> findings, const std::string& gameFolder)
    : CheckMiss_vo(owner), findings_(std::move(findings)) {
    // The findings view takes the place the template keeps for it, inside its sunken frame.
    view_ = new QTreeWidget(ui.FTXTLIST);
    view_->setObjectName(QStringLiteral("FINDINGS"));
    // In a layout, so that it grows with its frame when the window does.
    auto* layout = new QVBoxLayout(ui.FTXTLIST);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setColumnCount(4);
    view_->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Line"), QStringLiteral("Rule"),
                            QStringLiteral("Finding")});
    view_->setRootIsDecorated(true);
    view_->setUniformRowHeights(true);
    view_->setWordWrap(false);

    const QIcon icons[3] = {style()->standardIcon(QStyle::SP_MessageBoxCritical),
                            style()->standardIcon(QStyle::SP_MessageBoxWarning),
                            style()->standardIcon(QStyle::SP_MessageBoxInformation)};
    std::map<std::string, QTreeWidgetItem*> groups;
    for (std::size_t i = 0; i < findings_.size(); ++i) {
        const Finding& f = findings_[i];
        const int rank = static_cast<int>(f.severity);
        QTreeWidgetItem*& group = groups[f.file];
        if (!group) {
            group = new FindingItem(view_);
            group->setText(kSeverity, groupName(f, gameFolder));
            group->setToolTip(kSeverity, ui::pathToQt(f.file));
            group->setFirstColumnSpanned(true);
            group->setData(kSeverity, kFindingRole, static_cast<int>(i));
            group->setData(kSeverity, kRankRole, rank);
            group->setData(kSeverity, kOrderRole, static_cast<int>(groups.size()));
            group->setExpanded(true);
        } else if (rank < group->data(kSeverity, kRankRole).toInt()) {
            group->setData(kSeverity, kRankRole, rank);
        }
        auto* item = new FindingItem(group);
        item->setIcon(kSeverity, icons[rank]);
        item->setText(kSeverity, ui::toQt(std::string(severityName(f.severity))));
        if (f.line > 0) item->setText(kLine, QString::number(f.line));
        item->setText(kRule, ui::toQt(f.rule));
        item->setText(kText, ui::toQt(f.text));
        item->setToolTip(kText, item->text(kText));
        item->setData(kSeverity, kFindingRole, static_cast<int>(i));
        item->setData(kSeverity, kRankRole, rank);
        item->setData(kSeverity, kOrderRole, static_cast<int>(i));
    }
    for (auto& [file, group] : groups) group->setExpanded(true);
    view_->setSortingEnabled(true);
    view_->sortByColumn(kSeverity, Qt::AscendingOrder);
    view_->resizeColumnToContents(kSeverity);
    view_->resizeColumnToContents(kLine);
    view_->resizeColumnToContents(kRule);
    if (view_->topLevelItemCount() > 0) view_->setCurrentItem(view_->topLevelItem(0));
    ui.FTXTSUMMARY->setText(summary(findings_, groups.size()));
    if (findings_.empty()) ui.FTXTHINT->clear();
    connect(view_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { choose(item); });
}

void CheckMiss::choose(QTreeWidgetItem* item) {
    if (!item) return;
    const int index = item->data(kSeverity, kFindingRole).toInt();
    if (index < 0 || static_cast<std::size_t>(index) >= findings_.size()) return;
    chosen_ = findings_[static_cast<std::size_t>(index)];
    // A group stands for its file, not for its first finding's entry.
    if (!item->parent()) chosen_->entry.reset();
    accept();
}

void CheckMiss::PSHCANCEL() {
    reject();
}

}  // namespace hartool

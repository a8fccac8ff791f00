#include "gui/ui/mylistbox.h"

#include "gui/ui/textconvert.h"

#include <QKeyEvent>

namespace hartool::ui {

MYLISTBOX::MYLISTBOX(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (quiet_ == 0) emit selectionChangedByUser();
    });
}

void MYLISTBOX::fill(const std::vector<std::string>& items, const std::vector<QVariant>& values) {
    QuietScope quiet(quiet_);
    list_.assign(items, values);
    clear();
    addItems(toQt(list_.items()));
}

void MYLISTBOX::FILLUSING(const std::vector<std::string>& items) {
    fill(items, {});
}
void MYLISTBOX::FILLUSING(const std::vector<std::string>& items, const std::vector<QVariant>& values) {
    fill(items, values);
}

std::size_t MYLISTBOX::CURRENTITEMNO() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first < 0 ? 0 : static_cast<std::size_t>(first) + 1;
}

void MYLISTBOX::SETCURRENTITEMNO(std::size_t position) {
    QuietScope quiet(quiet_);
    if (position == 0 || position > list_.count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(static_cast<int>(position - 1), QItemSelectionModel::ClearAndSelect);
    scrollToItem(currentItem());
}

void MYLISTBOX::keyPressEvent(QKeyEvent* event) {
    // Qt keeps a current item without selection after a fill, and Down would move on from it to the second.
    const bool upOrDown = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (upOrDown && event->modifiers() == Qt::NoModifier && !ISMULTIPLESELECTION() && count() > 0 &&
        CURRENTITEMNO() == 0) {
        setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

std::vector<std::size_t> MYLISTBOX::SELECTEDPOSITIONS() const {
    std::vector<std::size_t> positions;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) positions.push_back(static_cast<std::size_t>(row) + 1);
    }
    return positions;
}

void MYLISTBOX::SETMULTIPLESELECTION(bool multiple) {
    QuietScope quiet(quiet_);
    clearSelection();
    setSelectionMode(multiple ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
}

bool MYLISTBOX::ISMULTIPLESELECTION() const {
    return selectionMode() == QAbstractItemView::MultiSelection;
}

}  // namespace hartool::ui

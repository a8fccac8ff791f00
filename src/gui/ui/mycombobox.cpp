#include "gui/ui/mycombobox.h"

#include "gui/ui/textconvert.h"

#include <QLineEdit>

namespace hartool::ui {

MYCOMBOBOX::MYCOMBOBOX(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (quiet_ == 0) emit selectionChangedByUser();
    });
    connect(this, &QComboBox::editTextChanged, this, &MYCOMBOBOX::followTypedText);
}

void MYCOMBOBOX::fill(const std::vector<std::string>& items, const std::vector<QVariant>& values) {
    QuietScope quiet(quiet_);
    list_.assign(items, values);
    clear();
    addItems(toQt(list_.items()));
    // Qt selects the first item it is given; a freshly filled Windows combo box has no selection.
    setCurrentIndex(-1);
}

void MYCOMBOBOX::FILLUSING(const std::vector<std::string>& items) {
    fill(items, {});
}
void MYCOMBOBOX::FILLUSING(const std::vector<std::string>& items, const std::vector<QVariant>& values) {
    fill(items, values);
}

std::size_t MYCOMBOBOX::CURRENTITEMNO() const {
    const int index = currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= list_.count()) return 0;
    if (isEditable() && currentText() != itemText(index)) return 0;
    return static_cast<std::size_t>(index) + 1;
}

void MYCOMBOBOX::SETCURRENTITEMNO(std::size_t position) {
    QuietScope quiet(quiet_);
    setCurrentIndex(position >= 1 && position <= list_.count() ? static_cast<int>(position - 1) : -1);
}

void MYCOMBOBOX::SETVALUE(const QVariant& value) {
    SETCURRENTITEMNO(list_.positionOfValue(value));
}

std::string MYCOMBOBOX::CURRENTTEXT() const {
    if (const std::size_t position = CURRENTITEMNO(); position > 0) return list_.item(position);
    return isEditable() ? fromQt(currentText()) : std::string();
}

void MYCOMBOBOX::SETCURRENTTEXT(const std::string& text) {
    QuietScope quiet(quiet_);
    const QString wanted = toQt(text);
    int index = findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) index = findText(wanted, Qt::MatchFixedString);
    setCurrentIndex(index);
    if (index < 0 && isEditable()) setEditText(wanted);
}

void MYCOMBOBOX::followTypedText(const QString& text) {
    const bool matchedBefore = matched_;
    // Qt rewrites the edit text itself when the player picks from the list; that pick is reported once, by
    // the index change, so only typed text counts here.
    if (quiet_ == 0 && isEditable() && lineEdit()->isModified()) {
        // Only the exact spelling: adopting an item's spelling would rewrite the text under the cursor.
        const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0 && index != currentIndex()) {
            setCurrentIndex(index);
        } else if (index >= 0 && !matchedBefore) {
            emit selectionChangedByUser();  // the selected item's text typed again
        }
    }
    matched_ = CURRENTITEMNO() > 0;
}

}  // namespace hartool::ui

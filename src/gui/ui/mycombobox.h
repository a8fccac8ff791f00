#pragma once

#include "gui/ui/itemlist.h"

#include <QComboBox>

#include <cstddef>
#include <string>
#include <vector>

namespace hartool::ui {

// Positions are 1-based; 0 means none. With an edit field, an item counts as selected only while the
// field shows its text: a typed text that matches no item leaves nothing selected.
class MYCOMBOBOX : public QComboBox {
    Q_OBJECT
  public:
    explicit MYCOMBOBOX(QWidget* parent = nullptr);

    // Replaces all items; afterwards nothing is selected and the edit field is empty.
    void FILLUSING(const std::vector<std::string>& items);
    void FILLUSING(const std::vector<std::string>& items, const std::vector<QVariant>& values);
    const std::vector<std::string>& ITEMLISTE() const { return list_.items(); }
    std::size_t ITEMCOUNT() const { return list_.count(); }
    QVariant ITEMVALUE(std::size_t position) const { return list_.value(position); }

    std::size_t CURRENTITEMNO() const;
    void SETCURRENTITEMNO(std::size_t position);  // 0 clears
    std::string CURRENTITEM() const { return list_.item(CURRENTITEMNO()); }
    QVariant VALUE() const { return list_.value(CURRENTITEMNO()); }
    void SETVALUE(const QVariant& value);  // selects the item with that value, or none

    // The text of the edit field (or of the selected item without one).
    std::string CURRENTTEXT() const;
    // Selects the item of that text (exact spelling first, then ignoring case); with no match nothing is
    // selected and the edit field shows the text.
    void SETCURRENTTEXT(const std::string& text);

  signals:
    // The player chose an item (from the list, or by typing its exact text); our own changes do not raise it.
    void selectionChangedByUser();

  private:
    void fill(const std::vector<std::string>& items, const std::vector<QVariant>& values);
    void followTypedText(const QString& text);

    ItemList list_;
    int quiet_ = 0;
    bool matched_ = false;  // the edit field showed the selected item's text
};

}  // namespace hartool::ui

#pragma once

#include "gui/ui/itemlist.h"

#include <QListWidget>

#include <cstddef>
#include <string>
#include <vector>

namespace hartool::ui {

// Positions are 1-based; 0 means none.
class MYLISTBOX : public QListWidget {
    Q_OBJECT
  public:
    explicit MYLISTBOX(QWidget* parent = nullptr);

    // Replaces all items; afterwards nothing is selected.
    void FILLUSING(const std::vector<std::string>& items);
    void FILLUSING(const std::vector<std::string>& items, const std::vector<QVariant>& values);
    // The array of the last fill, in display order: copy it, change it, fill again.
    const std::vector<std::string>& ITEMLISTE() const { return list_.items(); }
    std::size_t ITEMCOUNT() const { return list_.count(); }
    QVariant ITEMVALUE(std::size_t position) const { return list_.value(position); }

    // The selected item; with multiple selection the first selected one.
    std::size_t CURRENTITEMNO() const;
    // Selects that item alone; 0 clears the selection.
    void SETCURRENTITEMNO(std::size_t position);
    std::string CURRENTITEM() const { return list_.item(CURRENTITEMNO()); }
    QVariant VALUE() const { return list_.value(CURRENTITEMNO()); }
    std::vector<std::size_t> SELECTEDPOSITIONS() const;  // ascending

    // Multiple selection: single clicks toggle items. Switching clears the selection.
    void SETMULTIPLESELECTION(bool multiple);
    bool ISMULTIPLESELECTION() const;

  protected:
    // Down or Up in a list where nothing is selected selects the first item.
    void keyPressEvent(QKeyEvent* event) override;

  signals:
    // The player changed the selection; fills and SETCURRENTITEMNO do not raise it.
    void selectionChangedByUser();

  private:
    void fill(const std::vector<std::string>& items, const std::vector<QVariant>& values);

    ItemList list_;
    int quiet_ = 0;
};

}  // namespace hartool::ui

#include "gui/ui/itemlist.h"

namespace hartool::ui {

void ItemList::assign(const std::vector<std::string>& items) {
    items_ = items;
    values_.assign(items.size(), QVariant());
}

void ItemList::assign(const std::vector<std::string>& items, const std::vector<QVariant>& values) {
    items_ = items;
    values_ = values;
    values_.resize(items.size());
}

std::string ItemList::item(std::size_t position) const {
    return position >= 1 && position <= items_.size() ? items_[position - 1] : std::string();
}

QVariant ItemList::value(std::size_t position) const {
    return position >= 1 && position <= values_.size() ? values_[position - 1] : QVariant();
}

std::size_t ItemList::positionOfValue(const QVariant& value) const {
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (values_[i].isValid() && values_[i] == value) return i + 1;
    }
    return 0;
}

}  // namespace hartool::ui

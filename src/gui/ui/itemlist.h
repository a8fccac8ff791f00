#pragma once

// What a list box or combo box was last filled from: the items as Windows-1252 bytes, and a value per item.

#include <QVariant>

#include <cstddef>
#include <string>
#include <vector>

namespace hartool::ui {

class ItemList {
  public:
    void assign(const std::vector<std::string>& items);
    // A value per item; items past the end of values have none.
    void assign(const std::vector<std::string>& items, const std::vector<QVariant>& values);

    const std::vector<std::string>& items() const { return items_; }
    std::size_t count() const { return items_.size(); }
    // Positions are 1-based; out of range gives "" or an invalid value.
    std::string item(std::size_t position) const;
    QVariant value(std::size_t position) const;
    // 0 when no item has that value.
    std::size_t positionOfValue(const QVariant& value) const;

  private:
    std::vector<std::string> items_;
    std::vector<QVariant> values_;
};

// Marks changes made by the program, so that only the player's changes count as a selection event.
class QuietScope {
  public:
    explicit QuietScope(int& depth) : depth_(depth) { ++depth_; }
    ~QuietScope() { --depth_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

  private:
    int& depth_;
};

}  // namespace hartool::ui

#pragma once

// A list of strings kept end to end in one buffer. A briefing carries tens of thousands of short graphics
// entries; as strings of their own each would be an allocation to make, free and chase.

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hartool {

class StringList {
  public:
    class const_iterator {
      public:
        // Yields views, not references: an input iterator by the old rules, a forward one by the new.
        using iterator_category = std::input_iterator_tag;
        using iterator_concept = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const { return (*list_)[i_]; }
        const_iterator& operator++() { return ++i_, *this; }
        const_iterator operator++(int) { return {list_, i_++}; }
        friend bool operator==(const_iterator a, const_iterator b) { return a.i_ == b.i_; }

      private:
        friend class StringList;
        const_iterator(const StringList* list, std::size_t i) : list_(list), i_(i) {}
        const StringList* list_ = nullptr;
        std::size_t i_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    StringList() = default;
    StringList(std::initializer_list<std::string_view> items) { assign(items.begin(), items.end()); }
    // Items may be views into this list.
    StringList& operator=(std::initializer_list<std::string_view> items) {
        StringList fresh(items);
        std::swap(*this, fresh);
        return *this;
    }

    std::size_t size() const { return ends_.size(); }
    // The characters of all entries together.
    std::size_t bytes() const { return text_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    // Every entry's characters end to end, and one past the end of each: for a writer that walks them all.
    std::string_view joined() const { return text_; }
    const std::vector<std::size_t>& ends() const { return ends_; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    void push_back(std::string_view item) {
        text_ += item;
        ends_.push_back(text_.size());
    }
    // All of other's entries behind these.
    void append(const StringList& other) {
        const std::size_t offset = text_.size();
        const std::size_t count = other.ends_.size();  // other may be this list
        text_ += other.text_;
        ends_.reserve(ends_.size() + count);
        for (std::size_t i = 0; i < count; ++i) ends_.push_back(offset + other.ends_[i]);
    }
    // The entries' memory stays for the next fill.
    void clear() {
        text_.clear();
        ends_.clear();
    }
    void erase(std::size_t i);
    // Room for count more entries of bytes characters together.
    void reserve(std::size_t count, std::size_t bytes) {
        ends_.reserve(ends_.size() + count);
        text_.reserve(text_.size() + bytes);
    }

    bool operator==(const StringList& other) const { return ends_ == other.ends_ && text_ == other.text_; }
    friend bool operator==(const StringList& list, const std::vector<std::string>& strings) {
        if (list.size() != strings.size()) return false;
        for (std::size_t i = 0; i < strings.size(); ++i)
            if (list[i] != strings[i]) return false;
        return true;
    }

  private:
    template <class It>
    void assign(It first, It last) {
        for (; first != last; ++first) push_back(*first);
    }

    std::string text_;
    std::vector<std::size_t> ends_;  // one past each entry's last character
};

inline void StringList::erase(std::size_t i) {
    if (i >= size()) return;
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    const std::size_t length = ends_[i] - begin;
    text_.erase(begin, length);
    ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t k = i; k < ends_.size(); ++k) ends_[k] -= length;
}

}  // namespace hartool

#pragma once

// What the mission reader and the briefing graphics both take apart: the words of a mission value.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/analysis/missionsupport.h"

namespace hartool::analysis {

// The first words of a value, split once: a line is asked for up to nine of them. Every mission line passes
// through here, so the split is one pass over the characters.
class Words {
  public:
    static constexpr std::size_t kMax = 9;

    // The words of a value without colons; no more than the first needed.
    explicit Words(std::string_view value, std::size_t needed = kMax) { split(value, needed, false); }
    // The words of valueAfter(line).
    static Words ofLine(std::string_view line, std::size_t needed = kMax) {
        Words w;
        if (const void* colon = std::memchr(line.data(), ':', line.size()))
            w.split(line.substr(static_cast<std::size_t>(static_cast<const char*>(colon) - line.data())),
                    needed, true);
        return w;
    }
    // Word n, from 1; "" when there is none.
    std::string_view operator[](std::size_t n) const {
        return n >= 1 && n <= count_ ? std::string_view(words_[n - 1].at, words_[n - 1].size) : "";
    }
    std::int64_t number(std::size_t n) const { return wordNumber((*this)[n]); }

  private:
    Words() = default;
    // From a colon run on, the value ends at the next colon.
    void split(std::string_view s, std::size_t needed, bool fromColon) {
        needed = std::min(needed, kMax);
        const char* p = s.data();
        const char* const end = p + s.size();
        auto stops = [&](char c) { return c == ' ' || (fromColon && c == ':'); };
        if (fromColon)
            while (p < end && *p == ':') ++p;
        while (count_ < needed) {
            while (p < end && *p == ' ') ++p;
            if (p == end || (fromColon && *p == ':')) break;
            const char* const word = p;
            while (p < end && !stops(*p)) ++p;
            words_[count_++] = {word, static_cast<std::size_t>(p - word)};
        }
    }

    // Plain pairs, left unset past count_: every line makes a Words, and setting nine views each time showed.
    struct Word {
        const char* at;
        std::size_t size;
    };
    Word words_[kMax];
    std::size_t count_ = 0;
};

inline bool contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

}  // namespace hartool::analysis

#include "text/foldsearch.h"

#include <algorithm>
#include <cstring>

#include "platform/codepage.h"
#include "platform/filesystem.h"

namespace hartool {

namespace {

const std::array<unsigned char, 256>& foldTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = static_cast<unsigned char>(platform::upper1252(static_cast<char>(b)));
        return t;
    }();
    return table;
}

inline unsigned char at(std::string_view s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

// Verification work beyond this, for the distance covered so far, means an input that would make the fast
// searches quadratic ('AAAA...' for 'AAAB'); the rest is then left to the linear search.
bool tooMuchWork(std::size_t work, std::size_t covered, std::size_t m) {
    return work > 4 * (covered + m);
}

}  // namespace

FoldedSearch::FoldedSearch(std::string_view pattern) : anchor_(std::string_view::npos) {
    const auto& fold = foldTable();
    pattern_.reserve(pattern.size());
    for (char c : pattern) pattern_ += static_cast<char>(fold[static_cast<unsigned char>(c)]);
    const std::size_t m = pattern_.size();
    if (m == 0) return;

    for (std::size_t k = 0; k < m && anchor_ == std::string_view::npos; ++k) {
        const unsigned char c = at(pattern_, k);
        // Letters, digits and blanks are frequent in game text; a bracket or a colon is a good place to look.
        const bool punctuation =
            (c > ' ' && c < '0') || (c > '9' && c < 'A') || (c > 'Z' && c < 'a') || (c > 'z' && c < 0x7F);
        if (punctuation && std::count(fold.begin(), fold.end(), c) == 1) anchor_ = k;
    }
    for (std::size_t k = 0; k < m; ++k) ++begin_[at(pattern_, k) + 1];
    for (std::size_t c = 0; c < 256; ++c) begin_[c + 1] += begin_[c];
    offsets_.resize(m);
    std::array<std::size_t, 256> next{};
    for (std::size_t k = m; k-- > 0;) {
        const unsigned char c = at(pattern_, k);
        offsets_[begin_[c] + next[c]++] = k;
    }
}

std::size_t FoldedSearch::find(std::string_view text, std::size_t from) const {
    const std::size_t m = pattern_.size();
    if (m == 0 || from > text.size() || text.size() - from < m) return std::string_view::npos;
    return anchor_ != std::string_view::npos ? findAnchored(text, from) : findSampling(text, from);
}

std::size_t FoldedSearch::matched(std::string_view text, std::size_t start) const {
    const auto& fold = foldTable();
    std::size_t k = 0;
    while (k < pattern_.size() && fold[at(text, start + k)] == at(pattern_, k)) ++k;
    return k;
}

std::size_t FoldedSearch::findAnchored(std::string_view text, std::size_t from) const {
    const std::size_t m = pattern_.size();
    const char* data = text.data();
    std::size_t work = 0;
    for (std::size_t pos = from + anchor_; pos < text.size();) {
        const void* hit = std::memchr(data + pos, pattern_[anchor_], text.size() - pos);
        if (!hit) break;
        const std::size_t start = static_cast<std::size_t>(static_cast<const char*>(hit) - data) - anchor_;
        if (start + m > text.size()) break;
        const std::size_t k = matched(text, start);
        if (k == m) return start;
        work += k + 1;
        if (tooMuchWork(work, start - from, m)) return findLinear(text, start);
        pos = start + anchor_ + 1;
    }
    return std::string_view::npos;
}

std::size_t FoldedSearch::findSampling(std::string_view text, std::size_t from) const {
    // Every window of m bytes holds exactly one byte of the sample taken every m bytes, so only the windows
    // that place a pattern byte equal to the sampled one at its position can match. The samples do not depend
    // on one another, unlike Horspool's shifts, so the processor can fetch them in parallel.
    const auto& fold = foldTable();
    const std::size_t m = pattern_.size();
    const std::size_t n = text.size();
    std::size_t work = 0;
    for (std::size_t j = from + m - 1; j < n; j += m) {
        const unsigned char c = fold[at(text, j)];
        for (std::size_t r = begin_[c]; r < begin_[c + 1]; ++r) {
            const std::size_t start = j - offsets_[r];  // ascending, as the offsets descend
            if (start + m > n) return std::string_view::npos;
            const std::size_t k = matched(text, start);
            if (k == m) return start;
            work += k + 1;
            if (tooMuchWork(work, start - from, m)) return findLinear(text, start);
        }
    }
    return std::string_view::npos;
}

std::size_t FoldedSearch::findLinear(std::string_view text, std::size_t from) const {
    const std::size_t m = pattern_.size();
    if (border_.empty()) {
        // border_[k]: length of the longest proper border of the first k + 1 pattern bytes.
        border_.assign(m, 0);
        for (std::size_t k = 1, b = 0; k < m; ++k) {
            while (b > 0 && pattern_[k] != pattern_[b]) b = border_[b - 1];
            if (pattern_[k] == pattern_[b]) ++b;
            border_[k] = b;
        }
    }
    const auto& fold = foldTable();
    std::size_t matched = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = static_cast<char>(fold[at(text, i)]);
        while (matched > 0 && c != pattern_[matched]) matched = border_[matched - 1];
        if (c == pattern_[matched] && ++matched == m) return i + 1 - m;
    }
    return std::string_view::npos;
}

FirstMatch readFromFirstMatch(const std::string& path, std::string_view pattern, char stop,
                              std::size_t stopFrom) {
    const FoldedSearch search(pattern);
    FirstMatch result;
    if (search.size() == 0) return result;
    const std::size_t keep = search.size() - 1;
    std::string carry;  // the last bytes before the chunk, where an occurrence may begin across the chunk end

    // Appends bytes that follow the occurrence, up to the stop byte; false once it is found.
    auto collect = [&](std::string_view piece) {
        const std::size_t from = stopFrom > result.text.size() ? stopFrom - result.text.size() : 0;
        if (from < piece.size()) {
            if (const void* hit = std::memchr(piece.data() + from, stop, piece.size() - from)) {
                result.text.append(piece.data(), static_cast<const char*>(hit) - piece.data());
                result.stopped = true;
                return false;
            }
        }
        result.text.append(piece);
        return true;
    };
    auto consume = [&](std::string_view chunk) {
        if (result.found) return collect(chunk);
        if (!carry.empty()) {
            // An occurrence found here begins in carry: the joint holds too few chunk bytes for one that
            // begins in the chunk.
            std::string joint = carry;
            joint.append(chunk.substr(0, keep));
            if (std::size_t j = search.find(joint); j != std::string_view::npos) {
                result.found = true;
                return collect(std::string_view(carry).substr(j)) && collect(chunk);
            }
        }
        if (std::size_t k = search.find(chunk); k != std::string_view::npos) {
            result.found = true;
            return collect(chunk.substr(k));
        }
        if (chunk.size() >= keep) {
            carry.assign(chunk.substr(chunk.size() - keep));
        } else {
            carry.append(chunk);
            if (carry.size() > keep) carry.erase(0, carry.size() - keep);
        }
        return true;
    };
    if (!platform::readFileUntil(path, consume).ok) return FirstMatch{};
    return result;
}

}  // namespace hartool

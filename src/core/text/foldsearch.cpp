#include "core/text/foldsearch.h"

#include <algorithm>
#include <cstring>

#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"

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

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// Whether only blanks stand between the last line break before data[p] and p; atStart is that answer for
// the beginning of data.
bool lineStartAt(std::string_view data, std::size_t p, bool atStart) {
    while (p > 0 && isBlank(data[p - 1])) --p;
    return p == 0 ? atStart : isBreak(data[p - 1]);
}

// findEntry over a text that arrives in chunks. A place is decided once the byte after the name has
// arrived, so the last bytes of each chunk wait in tail_ for the next.
class EntryScan {
  public:
    explicit EntryScan(std::string_view name) : search_(name), m_(search_.size()) {}

    // False once the entry's line is complete.
    bool consume(std::string_view chunk) {
        if (m_ == 0) return false;
        if (line_.found) return collect(line_, chunk);
        if (first_.found && !first_.stopped) collect(first_, chunk);

        const std::size_t base = tailAt_ + tail_.size();
        const bool startAtBase = lineStartAt(tail_, tail_.size(), tailLineStart_);
        if (!tail_.empty()) {
            // Places that begin in the tail; the joint holds as many chunk bytes as their decisions need.
            std::string joint = tail_;
            joint.append(chunk.substr(0, m_));
            for (std::size_t t = search_.find(joint); t < tail_.size(); t = search_.find(joint, t + 1)) {
                if (t + m_ >= joint.size()) break;
                if (Hit* hit = decide(joint, t, tailLineStart_, tailAt_ + t)) {
                    const bool more =
                        collect(*hit, std::string_view(tail_).substr(t)) && collect(*hit, chunk);
                    if (hit == &line_) return more;
                }
            }
        }
        for (std::size_t p = search_.find(chunk); p != std::string_view::npos;
             p = search_.find(chunk, p + 1)) {
            if (p + m_ >= chunk.size()) break;
            if (Hit* hit = decide(chunk, p, startAtBase, base + p)) {
                const bool more = collect(*hit, chunk.substr(p));
                if (hit == &line_) return more;
            }
        }

        if (chunk.size() >= m_) {
            const std::size_t keep = chunk.size() - m_;
            tailLineStart_ = lineStartAt(chunk, keep, startAtBase);
            tail_.assign(chunk.substr(keep));
            tailAt_ = base + keep;
        } else {
            tail_.append(chunk);
            const std::size_t drop = tail_.size() > m_ ? tail_.size() - m_ : 0;
            tailLineStart_ = lineStartAt(tail_, drop, tailLineStart_);
            tail_.erase(0, drop);
            tailAt_ += drop;
        }
        return true;
    }

    // The text has ended: a name that ends it is followed by its line end.
    void finish() {
        if (line_.found || tail_.size() < m_ || m_ == 0) return;
        const std::size_t t = tail_.size() - m_;
        if (search_.find(tail_, t) != t) return;
        if (Hit* hit = decide(tail_, t, tailLineStart_, tailAt_ + t, true))
            collect(*hit, std::string_view(tail_).substr(t));
    }

    std::size_t at() const { return line_.found ? line_.at : first_.at; }
    FirstMatch result() {
        Hit& hit = line_.found ? line_ : first_;
        return {hit.found, hit.stopped, std::move(hit.text)};
    }

  private:
    struct Hit {
        bool found = false;
        bool stopped = false;
        std::size_t at = std::string_view::npos;
        std::string text;
    };

    // The place p of data, at absolute position, when it is the entry's line or the first occurrence; data
    // holds the byte after the name unless atEnd.
    Hit* decide(std::string_view data, std::size_t p, bool atStart, std::size_t position,
                bool atEnd = false) {
        const bool ends = atEnd || isBlank(data[p + m_]) || isBreak(data[p + m_]) || data[p + m_] == ':';
        Hit* hit = ends && lineStartAt(data, p, atStart) ? &line_ : first_.found ? nullptr : &first_;
        if (hit) {
            hit->found = true;
            hit->at = position;
        }
        return hit;
    }

    // Appends what follows the place, up to the line end (CR or LF); false once that is found.
    static bool collect(Hit& hit, std::string_view piece) {
        if (hit.stopped) return false;
        const std::size_t lf = piece.find_first_of("\r\n");
        hit.text.append(piece.substr(0, lf));
        hit.stopped = lf != std::string_view::npos;
        return !hit.stopped;
    }

    FoldedSearch search_;
    std::size_t m_;
    std::string tail_;  // the last m_ bytes so far, where an undecided place may begin
    std::size_t tailAt_ = 0;
    bool tailLineStart_ = true;  // lineStartAt for the beginning of tail_
    Hit line_, first_;
};

}  // namespace

std::size_t findEntry(std::string_view text, std::string_view name) {
    EntryScan scan(name);
    if (scan.consume(text)) scan.finish();
    return scan.at();
}

FirstMatch readEntryLine(const std::string& path, std::string_view name) {
    EntryScan scan(name);
    bool more = true;
    if (!platform::readFileUntil(path, [&](std::string_view chunk) { return more = scan.consume(chunk); }).ok)
        return FirstMatch{};
    if (more) scan.finish();
    return scan.result();
}

}  // namespace hartool

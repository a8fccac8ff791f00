#pragma once

// The search behind the entry and section readers: the first occurrence of a name in a text, both compared in
// Windows-1252 upper case, found without upper-casing a copy of the text and without reading a file further
// than the answer needs.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hartool {

class FoldedSearch {
  public:
    explicit FoldedSearch(std::string_view pattern);

    // Position of the first occurrence at or after from; npos when none. An empty pattern never occurs.
    std::size_t find(std::string_view text, std::size_t from = 0) const;
    std::size_t size() const { return pattern_.size(); }

  private:
    // Number of leading pattern bytes that match at start, m when all do.
    std::size_t matched(std::string_view text, std::size_t start) const;
    std::size_t findAnchored(std::string_view text, std::size_t from) const;
    std::size_t findSampling(std::string_view text, std::size_t from) const;
    std::size_t findLinear(std::string_view text, std::size_t from) const;

    std::string pattern_;  // upper-cased
    std::size_t anchor_;   // index of a punctuation byte, which has no other case; or npos
    // Where each upper-cased byte stands in the pattern: offsets_[begin_[c] .. begin_[c + 1]), last first.
    std::array<std::size_t, 257> begin_{};
    std::vector<std::size_t> offsets_;
    mutable std::vector<std::size_t> border_;  // Knuth-Morris-Pratt table, built when first needed
};

struct FirstMatch {
    bool found = false;    // the pattern occurs and the file could be read
    bool stopped = false;  // the stop byte was found; otherwise text runs to the end of the file
    std::string text;      // from the occurrence up to, not including, the stop byte
};

// Reads the file up to the first stop byte that lies at least stopFrom bytes after the first occurrence of
// pattern, and no further. The result is what the same cut of the whole file gives.
FirstMatch readFromFirstMatch(const std::string& path, std::string_view pattern, char stop,
                              std::size_t stopFrom);

// Where an entry name stands: the first occurrence that begins a line (after spaces or tabs, CR and LF both
// starting a line) and is followed by a blank, a colon or the line end; failing that, the first occurrence
// anywhere. The fallback keeps files readable whose entries only ever occurred inside another word.
std::size_t findEntry(std::string_view text, std::string_view name);

// The text from that place up to the line end (CR or LF), read from the file only as far as that needs: to
// the end when no line begins with the name.
FirstMatch readEntryLine(const std::string& path, std::string_view name);

}  // namespace hartool

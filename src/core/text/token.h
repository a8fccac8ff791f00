#pragma once

// The one string splitter of the tool. A run of delimiters counts as one, so splitting a text into lines
// drops its empty lines. Tokens are numbered from 1; an index of 0 stands for "no index" and, like any index
// beyond the count, changes nothing.
//
// A split keeps its source whole and the tokens as places in it: a mission of hundreds of thousands of lines
// is then two allocations, not one per line. The tokens become strings of their own only when the list is
// changed or its array is asked for.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/parent.h"

namespace hartool {

class Token : public Parent {
  public:
    using Array = std::vector<std::string>;
    using SharedArray = std::shared_ptr<Array>;

    // No source: one empty token, no delimiter.
    Token();
    // Splits source at delimiter (case-sensitive); an empty delimiter keeps the whole source as one token.
    Token(std::string source, std::string delimiter);
    // Keeps the very array given, not a copy: writes through either side are seen by both. No array (null) is
    // no source.
    Token(SharedArray source, std::string delimiter);

    // A copy would share the array but not the count; moving is enough to return and keep one.
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    Token(Token&& other) noexcept;
    Token& operator=(Token&& other) noexcept;

    std::size_t ANZAHL() const { return count_; }
    // Valid until the list changes, its array is asked for or the Token is moved; "" for a bad index.
    std::string_view GETTOKEN(std::size_t index) const;
    // False, and nothing appended, when no value is given.
    bool APPENDTOKEN(std::optional<std::string> value);
    bool DELETETOKEN(std::size_t index);
    // The token replaced; "" for a bad index.
    std::string REPLACETOKEN(std::size_t index, std::string value);
    // The previous delimiter; without a new one, "" and nothing changes. The tokens are not split again.
    std::string REPLACEDELIMITER(std::optional<std::string> delimiter = std::nullopt);
    // Index of the first token equal to value, 0 when none.
    std::size_t SEARCHTOKEN(std::string_view value) const;
    // The object's own array. Writes through it are joined by TOKENSTRING; the count stays as it was.
    SharedArray TOKENARRAY();
    // The first ANZAHL tokens joined by the current delimiter.
    std::string TOKENSTRING() const;

  private:
    friend Token TXT2TOKEN(std::string text);

    struct Span {
        std::size_t begin, size;
    };

    // Guards against a count beyond an array shrunk through TOKENARRAY, too.
    bool valid(std::size_t index) const;
    std::size_t usable() const;
    // Token i, from 0, of the first usable().
    std::string_view at(std::size_t i) const;
    // Turns the places into strings of their own, once, before the list changes or is handed out.
    void ownTokens();

    std::string delimiter_;
    std::size_t count_ = 0;
    std::string source_;  // what spans_ point into, until the tokens are strings of their own
    std::vector<Span> spans_;
    SharedArray tokens_;  // null until then
};

// Token number index of source split at delimiter, by Token's rules but without building the list;
// "" when there is none.
std::string_view tokenAt(std::string_view source, std::string_view delimiter, std::size_t index);

// source without leading and trailing spaces.
std::string_view trimSpaces(std::string_view source);

// The value of a "key: value" line: token 2 of line split at separator, trimmed of spaces. It ends at a
// second separator; "" when there is none.
std::string_view valueAfter(std::string_view line, std::string_view separator = ":");

}  // namespace hartool

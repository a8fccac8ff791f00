#include "core/text/token.h"

#include <algorithm>
#include <utility>

namespace hartool {

namespace {

// Calls emit(token) for each token of source until emit returns false. The number of passes is limited to the
// length of the source, which only ever matters for a source that is exactly one one-character delimiter:
// that gives one empty token, not two.
template <class Emit>
void splitEach(std::string_view source, std::string_view delimiter, Emit emit) {
    const std::size_t len = delimiter.size();
    if (len == 0) {
        emit(source);
        return;
    }
    const std::size_t passes = std::max<std::size_t>(1, source.size());
    std::size_t p = 0;
    for (std::size_t pass = 0; pass < passes; ++pass) {
        std::size_t f = source.find(delimiter, p);
        if (f == std::string_view::npos) {
            emit(source.substr(p));
            return;
        }
        if (!emit(source.substr(p, f - p))) return;
        p = f + len;
        while (source.substr(p, len) == delimiter) p += len;
    }
}

}  // namespace

Token::Token() : count_(1), spans_{{0, 0}} {}

Token::Token(std::string source, std::string delimiter)
    : delimiter_(std::move(delimiter)), source_(std::move(source)) {
    const char* base = source_.data();
    splitEach(source_, delimiter_, [&](std::string_view t) {
        spans_.push_back({static_cast<std::size_t>(t.data() - base), t.size()});
        return true;
    });
    count_ = spans_.size();
}

Token::Token(SharedArray source, std::string delimiter) : delimiter_(std::move(delimiter)) {
    if (source) {
        tokens_ = std::move(source);
        count_ = tokens_->size();
    } else {
        count_ = 1;
        spans_.push_back({0, 0});
    }
}

Token::Token(Token&& other) noexcept
    : Parent(other),
      delimiter_(std::move(other.delimiter_)),
      count_(std::exchange(other.count_, 0)),
      source_(std::move(other.source_)),
      spans_(std::move(other.spans_)),
      tokens_(std::move(other.tokens_)) {}

Token& Token::operator=(Token&& other) noexcept {
    Parent::operator=(other);
    delimiter_ = std::move(other.delimiter_);
    count_ = std::exchange(other.count_, 0);
    source_ = std::move(other.source_);
    spans_ = std::move(other.spans_);
    tokens_ = std::move(other.tokens_);
    return *this;
}

void Token::ownTokens() {
    if (tokens_) return;
    auto tokens = std::make_shared<Array>();
    tokens->reserve(spans_.size());
    for (const Span& s : spans_) tokens->emplace_back(source_, s.begin, s.size);
    tokens_ = std::move(tokens);
    std::string().swap(source_);
    std::vector<Span>().swap(spans_);
}

std::size_t Token::usable() const {
    return std::min(count_, tokens_ ? tokens_->size() : spans_.size());
}

bool Token::valid(std::size_t index) const {
    return index > 0 && index <= usable();
}

std::string_view Token::at(std::size_t i) const {
    if (tokens_) return (*tokens_)[i];
    return std::string_view(source_).substr(spans_[i].begin, spans_[i].size);
}

std::string_view Token::GETTOKEN(std::size_t index) const {
    return valid(index) ? at(index - 1) : "";
}

Token::SharedArray Token::TOKENARRAY() {
    ownTokens();
    return tokens_;
}

bool Token::APPENDTOKEN(std::optional<std::string> value) {
    if (!value) return false;
    ownTokens();
    tokens_->push_back(std::move(*value));
    count_ = tokens_->size();
    return true;
}

bool Token::DELETETOKEN(std::size_t index) {
    if (!valid(index)) return false;
    ownTokens();
    tokens_->erase(tokens_->begin() + static_cast<std::ptrdiff_t>(index - 1));
    --count_;
    return true;
}

std::string Token::REPLACETOKEN(std::size_t index, std::string value) {
    if (!valid(index)) return {};
    ownTokens();
    return std::exchange((*tokens_)[index - 1], std::move(value));
}

std::string Token::REPLACEDELIMITER(std::optional<std::string> delimiter) {
    if (!delimiter) return {};
    return std::exchange(delimiter_, std::move(*delimiter));
}

std::size_t Token::SEARCHTOKEN(std::string_view value) const {
    const std::size_t n = usable();
    for (std::size_t i = 0; i < n; ++i)
        if (at(i) == value) return i + 1;
    return 0;
}

std::string Token::TOKENSTRING() const {
    const std::size_t n = usable();
    if (n == 0) return {};
    std::size_t size = (n - 1) * delimiter_.size();
    for (std::size_t i = 0; i < n; ++i) size += at(i).size();
    std::string out;
    out.reserve(size);
    out += at(0);
    for (std::size_t i = 1; i < n; ++i) {
        out += delimiter_;
        out += at(i);
    }
    return out;
}

std::string_view tokenAt(std::string_view source, std::string_view delimiter, std::size_t index) {
    std::string_view found;
    std::size_t i = 0;
    if (index == 0) return found;
    splitEach(source, delimiter, [&](std::string_view t) {
        if (++i < index) return true;
        found = t;
        return false;
    });
    return found;
}

std::string_view trimSpaces(std::string_view source) {
    std::size_t first = source.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return source.substr(first, source.find_last_not_of(' ') - first + 1);
}

std::string_view valueAfter(std::string_view line, std::string_view separator) {
    return trimSpaces(tokenAt(line, separator, 2));
}

}  // namespace hartool

#include "core/text/entries.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>

#include "core/platform/codepage.h"
#include "core/platform/profile.h"
#include "core/text/foldsearch.h"

namespace hartool {

namespace {

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// By memchr, which takes a line at a stride where a loop over the bytes takes each.
std::size_t countOf(std::string_view text, char c) {
    std::size_t count = 0;
    for (const char *p = text.data(), *end = p + text.size();; ++count, ++p) {
        p = static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(end - p)));
        if (!p) return count;
    }
}

std::string valueOf(std::string_view line, std::size_t word) {
    const std::string_view value = valueAfter(line);
    return std::string(word == 0 ? value : tokenAt(value, " ", word));
}

}  // namespace

Token TXT2TOKEN(std::string text) {
    // One pass over the raw text, as if "\r\n" and then a lone "\r" had first become "\n": the normalised
    // text is never built, and the lines stay places in the text handed over. Missions saved by old editors
    // end their lines in CR alone.
    Token result;
    result.source_ = std::move(text);
    result.delimiter_ = "\r\n";
    const std::string_view data = result.source_;
    const std::size_t n = data.size();
    std::vector<Token::Span>& lines = result.spans_;
    lines.clear();
    lines.reserve(countOf(data, '\n') + countOf(data, '\r') + 1);

    std::size_t crlf = 0;  // "\r\n" pairs, which the normalised text holds as one byte
    std::size_t p = 0;
    // find_first_of would search the set of two for every character.
    platform::LineEnds ends(data);
    for (;;) {
        const std::size_t f = ends.from(p);
        if (f == n) {
            lines.push_back({p, n - p});
            break;
        }
        lines.push_back({p, f - p});
        // A run of line breaks ends one line: empty lines are dropped.
        for (p = f; p < n && isLineBreak(data[p]); ++p)
            if (data[p] == '\r' && p + 1 < n && data[p + 1] == '\n') ++p, ++crlf;
    }
    // Token's pass limit, over the normalised length: it cuts only a text that is one bare line break.
    const std::size_t limit = std::max<std::size_t>(1, n - crlf);
    if (lines.size() > limit) lines.resize(limit);
    result.count_ = lines.size();
    return result;
}

std::string linesAfterFirst(std::string text) {
    const Token lines = TXT2TOKEN(std::move(text));
    std::string out;
    for (std::size_t i = 2; i <= lines.ANZAHL(); ++i) {
        if (i > 2) out += "\r\n";
        out += lines.GETTOKEN(i);
    }
    return out;
}

std::string GETENTRY(const std::string& fileName, std::string_view entryName, std::size_t word) {
    FirstMatch match = readEntryLine(fileName, trimSpaces(entryName));
    if (!match.found) return {};
    const std::string_view line = match.text;
    return valueOf(line, word);
}

std::string GETTITLE(const std::string& fileName) {
    return GETENTRY(fileName, "TITLE");
}

EntryWrite PUTENTRY(const std::string& fileName, std::string_view entryName, std::string_view value) {
    EntryWrite result;
    platform::ReadResult read = platform::fileSystem().read(fileName);
    if (!read.ok) {
        result.status =
            platform::Status::failure(fileName + " could not be read: " +
                                      (read.missing ? std::string("there is no such file") : read.error));
        return result;
    }
    result = withEntry(std::move(read.content), entryName, value);
    if (result.outcome == EntryWrite::Outcome::NO_ENTRY) {
        result.status =
            platform::Status::failure(fileName + " has no " + std::string(trimSpaces(entryName)) + " entry");
        return result;
    }
    result.status = WRITESTRING(fileName, result.text);
    if (!result.status) result.outcome = EntryWrite::Outcome::FAILED;
    return result;
}

EntryWrite withEntry(std::string original, std::string_view entryName, std::string_view value) {
    EntryWrite result;
    result.text = std::move(original);
    const std::string_view name = trimSpaces(entryName);
    const std::size_t at = findEntry(result.text, name);
    if (at == std::string_view::npos) {
        result.outcome = EntryWrite::Outcome::NO_ENTRY;
        return result;
    }

    const std::string tail = linesAfterFirst(result.text.substr(at));
    std::string text;
    text.reserve(at + name.size() + 2 + value.size() + 2 + tail.size());
    text.append(result.text, 0, at);
    text += platform::upper1252(name);
    text += ": ";
    // A line break in the value would start a header line of its own.
    for (char c : value) text += (c == '\r' || c == '\n') ? ' ' : c;
    text += "\r\n";
    text += tail;
    result.outcome = EntryWrite::Outcome::WRITTEN;
    result.text = std::move(text);
    return result;
}

platform::Status WRITESTRING(const std::string& fileName, std::string_view text) {
    return platform::writeFile(fileName, text);
}

std::int64_t ENDNUMMER(std::string_view name) {
    std::size_t begin = name.size();
    while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9') --begin;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (std::size_t i = begin; i < name.size(); ++i) {
        const int digit = name[i] - '0';
        if (value > (kMax - digit) / 10) return kMax;
        value = value * 10 + digit;
    }
    return value;
}

std::string VOLLZAHL(std::int64_t number, std::string_view picture) {
    const auto width = static_cast<std::size_t>(std::count(picture.begin(), picture.end(), '9'));
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    std::string out(digits, written.ptr);
    if (out.size() < width) out.insert(number < 0 ? 1 : 0, width - out.size(), '0');
    return out;
}

SortedThree SORTTHREE(std::vector<std::string>& keys, const std::vector<std::string>& second,
                      const std::vector<std::string>& third) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

    auto pick = [](const std::vector<std::string>& from, std::size_t i) {
        return i < from.size() ? from[i] : std::string();
    };
    SortedThree result;
    result.keys.reserve(keys.size());
    result.second.reserve(keys.size());
    result.third.reserve(keys.size());
    for (std::size_t i : order) {
        result.keys.push_back(std::move(keys[i]));
        result.second.push_back(pick(second, i));
        result.third.push_back(pick(third, i));
    }
    keys = result.keys;
    CLEARMEM();
    return result;
}

}  // namespace hartool

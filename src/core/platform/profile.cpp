#include "core/platform/profile.h"

#include <algorithm>
#include <vector>

#include "core/platform/codepage.h"

namespace hartool::platform {

namespace {

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::string_view blanksTrimmedFront(std::string_view s) {
    return s.substr(std::min(s.find_first_not_of(" \t"), s.size()));
}

struct Line {
    std::string_view body;    // without its line end
    std::string_view ending;  // "\r\n", "\n", "\r" or "" for a last line without one
};

// The Windows reader ends a line at CR LF, at a lone LF and at a lone CR alike.
std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t bodyEnd = profileLineEnd(text, pos);
        std::size_t next = bodyEnd;
        if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({text.substr(pos, bodyEnd - pos), text.substr(bodyEnd, next - bodyEnd)});
        pos = next;
    }
    return lines;
}

// The section name of a header line, or nothing when the line is not a header.
bool sectionHeader(std::string_view body, std::string_view& name) {
    std::string_view t = trimBlanks(body);
    if (t.empty() || t[0] != '[') return false;
    std::size_t close = t.find(']');
    name = trimBlanks(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return true;
}

bool keyLine(std::string_view body, std::string_view key, std::string_view* value) {
    std::string_view t = trimBlanks(body);
    if (t.empty() || t[0] == ';') return false;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos || !iequals1252(trimBlanks(t.substr(0, eq)), trimBlanks(key)))
        return false;
    if (value) *value = trimBlanks(t.substr(eq + 1));
    return true;
}

// Index range [begin, end) of the body lines of the first section named section; begin is npos when absent.
std::pair<std::size_t, std::size_t> findSection(const std::vector<Line>& lines, std::string_view section) {
    std::size_t begin = std::string::npos;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!sectionHeader(lines[i].body, name)) continue;
        if (begin != std::string::npos) return {begin, i};
        if (iequals1252(name, trimBlanks(section))) begin = i + 1;
    }
    return {begin, lines.size()};
}

}  // namespace

bool profileSectionHeader(std::string_view line, std::string_view& name) {
    return sectionHeader(line, name);
}

ReadResult forEachProfileLineOfFile(const std::string& path,
                                    const std::function<void(std::string_view)>& visit) {
    std::string carry;    // a line begun in an earlier piece
    bool skipLf = false;  // the last piece ended in CR: a LF that starts this one ends no further line
    ReadResult r = readFileUntil(path, [&](std::string_view piece) {
        std::size_t pos = skipLf && !piece.empty() && piece[0] == '\n' ? 1 : 0;
        skipLf = false;
        LineEnds ends(piece);
        while (pos < piece.size()) {
            const std::size_t end = ends.from(pos);
            if (end == piece.size()) {
                carry.append(piece.substr(pos));
                break;
            }
            if (carry.empty()) {
                visit(piece.substr(pos, end - pos));
            } else {
                carry.append(piece.substr(pos, end - pos));
                visit(carry);
                carry.clear();
            }
            pos = end + 1;
            if (piece[end] == '\r') {
                if (pos == piece.size())
                    skipLf = true;
                else if (piece[pos] == '\n')
                    ++pos;
            }
        }
        return true;
    });
    if (!carry.empty()) visit(carry);
    return r;
}

bool profileEntry(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view t = trimBlanks(line);
    if (t.empty() || t[0] == ';') return false;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    key = trimBlanks(t.substr(0, eq));
    value = trimBlanks(t.substr(eq + 1));
    return true;
}

std::string_view unquotedProfileValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

ProfileSections::ProfileSections(std::string_view text) {
    // Only the start of each line decides whether it opens a section, so one pass over the line starts
    // finds them all.
    std::size_t pos = 0;
    auto close = [&](std::size_t at) {
        if (!sections_.empty()) {
            const char* begin = sections_.back().body.data();
            sections_.back().body = text.substr(static_cast<std::size_t>(begin - text.data()),
                                                at - static_cast<std::size_t>(begin - text.data()));
        }
    };
    while (pos < text.size()) {
        const std::size_t end = profileLineEnd(text, pos);
        const std::size_t next = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        std::string_view name;
        if (sectionHeader(text.substr(pos, end - pos), name)) {
            close(pos);
            const std::string_view line = trimBlanks(text.substr(pos, end - pos));
            sections_.push_back({line, text.substr(std::min(next, text.size()), 0)});
            firstByUpperName_.try_emplace(upper1252(name), sections_.size() - 1);
        }
        pos = next;
    }
    close(text.size());
}

const ProfileSections::Section* ProfileSections::find(std::string_view name) const {
    const auto found = firstByUpperName_.find(upper1252(trimBlanks(name)));
    return found == firstByUpperName_.end() ? nullptr : &sections_[found->second];
}

std::string ProfileSections::value(std::string_view section, std::string_view key, std::size_t limit) const {
    const Section* s = find(section);
    if (!s) return {};
    const std::string_view wanted = trimBlanks(key);
    std::string result;
    bool found = false;
    forEachProfileLine(s->body, [&](std::string_view line) {
        std::string_view k, v;
        if (found || !profileEntry(line, k, v) || !iequals1252(k, wanted)) return;
        found = true;
        result = std::string(unquotedProfileValue(v).substr(0, limit));
    });
    return result;
}

std::string profileValue(std::string_view text, std::string_view section, std::string_view key,
                         std::size_t limit) {
    auto lines = splitLines(text);
    auto [begin, end] = findSection(lines, section);
    if (begin == std::string::npos) return {};
    for (std::size_t i = begin; i < end; ++i) {
        std::string_view value;
        if (!keyLine(lines[i].body, key, &value)) continue;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value.substr(0, limit));
    }
    return {};
}

std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
    // A line break in the value would split the entry and corrupt the file.
    std::string flat(value);
    std::replace_if(
        flat.begin(), flat.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::string entry = std::string(trimBlanks(key)) + "=" + flat;

    auto lines = splitLines(text);
    auto [begin, end] = findSection(lines, section);
    std::string out;
    out.reserve(text.size() + entry.size() + section.size() + 8);
    auto appendLine = [&](const Line& l) {
        out.append(l.body);
        out.append(l.ending);
    };

    if (begin == std::string::npos) {
        out.assign(text);
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
        out += "[" + std::string(trimBlanks(section)) + "]\r\n" + entry + "\r\n";
        return out;
    }

    std::size_t replace = std::string::npos;
    for (std::size_t i = begin; i < end && replace == std::string::npos; ++i)
        if (keyLine(lines[i].body, key, nullptr)) replace = i;

    // A new key goes after the section's last non-blank line, before the blank lines that part it from the
    // next.
    std::size_t insertAfter = begin - 1;
    for (std::size_t i = begin; i < end; ++i)
        if (!trimBlanks(lines[i].body).empty()) insertAfter = i;

    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == replace) {
            // The key keeps the file's spelling and layout; only the value changes.
            const std::string_view body = lines[i].body;
            const std::size_t valueAt =
                std::min(body.find_first_not_of(" \t", body.find('=') + 1), body.size());
            out.append(body.substr(0, valueAt));
            // The blanks after "=" stay as the file has them: the value's own leading blanks would add to
            // them on every rewrite.
            out += blanksTrimmedFront(flat);
            out.append(lines[i].ending.empty() ? std::string_view("\r\n") : lines[i].ending);
            continue;
        }
        appendLine(lines[i]);
        if (replace == std::string::npos && i == insertAfter) {
            if (lines[i].ending.empty()) out += "\r\n";
            out += entry + "\r\n";
        }
    }
    return out;
}

std::string GETENVIRONMENT(const std::string& section, const std::string& key, const std::string& file) {
    return profileValue(readFile(file), section, key);
}

Status WRITEENVIRONMENT(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file) {
    ReadResult old = fileSystem().read(file);
    if (!old.ok && !old.missing) return Status::failure(old.error);
    std::string updated = withProfileValue(old.content, section, key, value);
    if (old.ok && updated == old.content) return Status::success();  // spare the disk an identical rewrite
    return writeFile(file, updated);
}

}  // namespace hartool::platform

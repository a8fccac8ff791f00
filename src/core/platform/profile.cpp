#include "core/platform/profile.h"

#include <algorithm>
#include <vector>

#include "core/platform/codepage.h"

namespace hartool::platform {

namespace {

constexpr char kEndOfFile = '\x1a';
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool hasMark(std::string_view bytes) {
    return bytes.starts_with(kUtf16Mark) || bytes.starts_with(kUtf8Mark);
}

// A profile text with, for a file with a byte-order mark, where each of its characters starts in the bytes
// (and one entry more: where the text ends) and which of them read as "?" for want of a spelling.
struct DecodedProfile {
    ProfileText text;
    std::vector<std::size_t> starts;
    std::vector<bool> unspelled;
};

DecodedProfile decodeProfile(std::string_view bytes) {
    DecodedProfile d;
    std::string& out = d.text.text;
    const auto add = [&](std::string_view spelled, bool ok, std::size_t at) {
        out.append(spelled);
        d.starts.push_back(at);
        d.unspelled.push_back(!ok);
        if (!ok) d.text.lossless = false;
    };
    if (bytes.starts_with(kUtf16Mark)) {
        d.text.encoding = ProfileEncoding::UTF16LE;
        std::u16string units;
        for (std::size_t i = kUtf16Mark.size(); i + 1 < bytes.size(); i += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (unit == kEndOfFile) break;
            units += unit;
        }
        for (std::size_t k = 0; k < units.size();) {
            const bool pair = units[k] >= 0xD800 && units[k] <= 0xDBFF && k + 1 < units.size() &&
                              units[k + 1] >= 0xDC00 && units[k + 1] <= 0xDFFF;
            bool ok = true;
            const std::string spelled =
                utf16ToCp1252(std::u16string_view(units).substr(k, pair ? 2 : 1), &ok);
            add(spelled, ok, kUtf16Mark.size() + 2 * k);
            k += pair ? 2 : 1;
        }
        d.starts.push_back(kUtf16Mark.size() + 2 * units.size());
    } else if (bytes.starts_with(kUtf8Mark)) {
        d.text.encoding = ProfileEncoding::UTF8;
        const std::size_t end = std::min(bytes.find(kEndOfFile), bytes.size());
        for (std::size_t i = kUtf8Mark.size(); i < end;) {
            const auto lead = static_cast<unsigned char>(bytes[i]);
            const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            bool ok = true;
            // A broken sequence spells one "?" per byte, a whole one one character.
            std::string spelled = utf8ToCp1252(bytes.substr(i, std::min(length, end - i)), &ok);
            const std::size_t used = spelled.size() == 1 ? std::min(length, end - i) : 1;
            add(std::string_view(spelled).substr(0, 1), ok && spelled.size() == 1, i);
            i += used;
        }
        d.starts.push_back(end);
    } else {
        out.assign(bytes.substr(0, std::min(bytes.find(kEndOfFile), bytes.size())));
    }
    return d;
}

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
    // Without its "]" the line is no header, as Windows' reader in Wine has it: the keys after it stay in
    // the section before, where a reader of either rule finds what the writer put there.
    const std::size_t close = t.rfind(']');
    if (close == std::string_view::npos) return false;
    name = trimBlanks(t.substr(1, close - 1));
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

ProfileText profileText(std::string_view bytes) {
    return decodeProfile(bytes).text;
}

ProfileText profileText(std::string&& bytes) {
    if (hasMark(bytes)) return decodeProfile(bytes).text;
    ProfileText text;
    text.text = std::move(bytes);
    text.text.resize(std::min(text.text.find(kEndOfFile), text.text.size()));
    return text;
}

bool hasByteOrderMark(std::string_view bytes) {
    return bytes.starts_with(kUtf8Mark) || bytes.starts_with(kUtf16Mark);
}

std::string profileTextProblem(const ProfileText& text) {
    if (text.lossless) return "";
    return text.encoding == ProfileEncoding::UTF16LE
               ? "holds characters that Windows-1252 cannot spell (UTF-16 text); save it as ANSI first"
               : "holds characters that Windows-1252 cannot spell (UTF-8 text); save it as ANSI first";
}

namespace {

// A profile file's text in UTF-8, for values that are paths: a marked file's characters (a lone surrogate
// as utf16ToUtf8 gives it), an unmarked file's bytes as they stand; up to the first ^Z, which end says.
struct Utf8Profile {
    std::string text;
    std::size_t end = 0;
    ProfileEncoding encoding = ProfileEncoding::ANSI;
};

Utf8Profile utf8Profile(std::string_view bytes) {
    Utf8Profile p;
    if (bytes.starts_with(kUtf16Mark)) {
        p.encoding = ProfileEncoding::UTF16LE;
        std::u16string units;
        std::size_t i = kUtf16Mark.size();
        for (; i + 1 < bytes.size(); i += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (unit == kEndOfFile) break;
            units += unit;
        }
        p.text = utf16ToUtf8(units);
        p.end = i;
        return p;
    }
    const std::size_t from = bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    if (from > 0) p.encoding = ProfileEncoding::UTF8;
    p.end = std::min(bytes.find(kEndOfFile, from), bytes.size());
    p.text = std::string(bytes.substr(from, p.end - from));
    return p;
}

}  // namespace

namespace {

// A value with a ^Z cannot be written: every reader would stop there.
bool holdsEndOfFile(std::string_view value, std::string& why) {
    if (value.find(kEndOfFile) == std::string_view::npos) return false;
    why = "the value holds a ^Z (0x1A), which ends the file for every reader";
    return true;
}

}  // namespace

std::string profileUtf8Value(std::string_view bytes, std::string_view section, std::string_view key) {
    return profileValue(utf8Profile(bytes).text, section, key);
}

bool withProfileUtf8ValueInFile(std::string_view bytes, std::string_view section, std::string_view key,
                                std::string_view value, std::string& out, std::string& why) {
    if (holdsEndOfFile(value, why)) return false;
    const Utf8Profile p = utf8Profile(bytes);
    const std::string edited = withProfileValue(p.text, section, key, value);
    switch (p.encoding) {
        case ProfileEncoding::ANSI:
            out = edited;
            break;
        case ProfileEncoding::UTF8:
            out = std::string(kUtf8Mark) + edited;
            break;
        case ProfileEncoding::UTF16LE:
            out = kUtf16Mark;
            for (const char16_t unit : utf8ToUtf16(edited)) {
                out += static_cast<char>(unit & 0xFF);
                out += static_cast<char>(unit >> 8);
            }
            break;
    }
    // Whatever follows a ^Z stays behind the text.
    out.append(bytes.substr(p.end));
    if (utf8Profile(out).text != edited) {
        why = "the value cannot be written into this file and read back as it stands";
        return false;
    }
    return true;
}

bool withProfileValueInFile(std::string_view bytes, std::string_view section, std::string_view key,
                            std::string_view value, std::string& out, std::string& why) {
    if (holdsEndOfFile(value, why)) return false;
    const DecodedProfile d = decodeProfile(bytes);
    const std::string& old = d.text.text;
    const std::string edited = withProfileValue(old, section, key, value);
    if (d.text.encoding == ProfileEncoding::ANSI) {
        // Whatever follows a ^Z stays behind the text.
        out = edited + std::string(bytes.substr(old.size()));
        return true;
    }
    // Only the characters that changed are spelled anew, so that the rest keeps what Windows-1252 cannot
    // spell; one of those next to the change is part of it (a value that held it is replaced), but never one
    // of another line: a change that begins or ends with a line break leaves the lines beside it alone.
    std::size_t same = 0;
    while (same < old.size() && same < edited.size() && old[same] == edited[same]) ++same;
    std::size_t sameEnd = 0;
    while (sameEnd < old.size() - same && sameEnd < edited.size() - same &&
           old[old.size() - 1 - sameEnd] == edited[edited.size() - 1 - sameEnd])
        ++sameEnd;
    const auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
    const std::size_t changedEnd = edited.size() - sameEnd;
    const bool startsWithBreak = same < changedEnd && isBreak(edited[same]);
    const bool endsWithBreak = same < changedEnd && isBreak(edited[changedEnd - 1]);
    while (!startsWithBreak && same > 0 && d.unspelled[same - 1]) --same;
    while (!endsWithBreak && sameEnd > 0 && d.unspelled[old.size() - sameEnd]) --sameEnd;
    const std::string_view changed = std::string_view(edited).substr(same, edited.size() - same - sameEnd);
    out.assign(bytes.substr(0, d.starts[same]));
    if (d.text.encoding == ProfileEncoding::UTF8) {
        out += cp1252ToUtf8(changed);
    } else {
        for (const char16_t unit : cp1252ToUtf16(changed)) {
            out += static_cast<char>(unit & 0xFF);
            out += static_cast<char>(unit >> 8);
        }
    }
    out.append(bytes.substr(d.starts[old.size() - sameEnd]));
    if (profileText(out).text != edited) {
        why = "the value cannot be written into this file and read back as it stands";
        return false;
    }
    return true;
}

bool profileSectionHeader(std::string_view line, std::string_view& name) {
    return sectionHeader(line, name);
}

ReadResult forEachProfileLineOfFile(const std::string& path,
                                    const std::function<void(std::string_view)>& visit,
                                    std::string* textProblem) {
    if (textProblem) textProblem->clear();
    std::string carry;    // a line begun in an earlier piece
    bool skipLf = false;  // the last piece ended in CR: a LF that starts this one ends no further line
    bool first = true, marked = false, ended = false;
    ReadResult r = readFileUntil(path, [&](std::string_view piece) {
        // A file with a byte-order mark is rare and converted whole.
        if (first && hasMark(piece)) marked = true;
        first = false;
        if (marked) return false;
        if (const std::size_t eof = piece.find(kEndOfFile); eof != std::string_view::npos) {
            piece = piece.substr(0, eof);
            ended = true;
        }
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
        return !ended;
    });
    if (marked) {
        r = fileSystem().read(path);
        const ProfileText text = profileText(r.content);
        if (r.ok) forEachProfileLine(text.text, visit);
        if (textProblem) *textProblem = profileTextProblem(text);
        r.content.clear();
        return r;
    }
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
    return profileValue(profileText(readFile(file)).text, section, key);
}

Status WRITEENVIRONMENT(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file) {
    ReadResult old = fileSystem().read(file);
    if (!old.ok && !old.missing) return Status::failure(old.error);
    std::string updated, why;
    if (!withProfileValueInFile(old.content, section, key, value, updated, why)) return Status::failure(why);
    if (old.ok && updated == old.content) return Status::success();  // spare the disk an identical rewrite
    return writeFile(file, updated);
}

}  // namespace hartool::platform

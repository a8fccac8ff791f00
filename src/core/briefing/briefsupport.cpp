#include "core/briefing/briefsupport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <functional>
#include <utility>

#include "core/platform/codepage.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "core/text/foldsearch.h"
#include "core/text/sections.h"
#include "core/text/token.h"

namespace hartool {

namespace {

constexpr std::size_t kPages = 5;
constexpr const char* kCrLf = "\r\n";

// The first section whose header line starts with "[" + name: the graphics' own rule, older than the profile
// reader's exact name, and kept so that a page reads the graphics it always read.
const platform::ProfileSections::Section* graphicsSection(const platform::ProfileSections& sections,
                                                          std::string_view sectionName) {
    const std::string upperName = platform::upper1252("[" + std::string(trimSpaces(sectionName)));
    for (const auto& section : sections.sections())
        if (platform::upper1252(section.header.substr(0, upperName.size())) == upperName) return &section;
    return nullptr;
}

bool startsWithFolded(std::string_view line, std::string_view upperPrefix) {
    return line.size() >= upperPrefix.size() &&
           platform::upper1252(line.substr(0, upperPrefix.size())) == upperPrefix;
}

// "Kind N = value" lines; a generated map has tens of thousands. full() is called whenever out has grown to
// pieceSize, so that a writer can hand the text on in pieces instead of holding all of it. The lines are
// made in a buffer of a few kilobytes and added to out a buffer at a time: appending each part of each line
// to out cost more than the rest of the analysis.
void appendEntries(std::string& out, std::string_view kind, const StringList& values, std::size_t pieceSize,
                   const std::function<void()>& full) {
    constexpr std::size_t kBuffer = 8192, kNumber = 20, kSlack = 8;
    // The fixed parts are copied eight bytes at a time, so the buffers have room past what they keep.
    char buffer[kBuffer + kSlack];
    char* p = buffer;
    const auto flush = [&] {
        out.append(buffer, static_cast<std::size_t>(p - buffer));
        p = buffer;
        if (out.size() >= pieceSize) full();
    };
    char prefix[kSlack] = {};  // "Sprite "
    const bool shortKind = kind.size() < kSlack;
    if (shortKind) {
        std::memcpy(prefix, kind.data(), kind.size());
        prefix[kind.size()] = ' ';
    }
    // The entry's number, counted up in decimal instead of converted anew for each entry.
    char number[kNumber + kSlack] = {};
    char* const numberEnd = number + kNumber;
    char* first = numberEnd - 1;
    *first = '0';
    const std::string_view text = values.joined();
    std::size_t begin = 0;
    for (const std::size_t end : values.ends()) {
        const std::string_view value = text.substr(begin, end - begin);
        begin = end;
        const auto digits = static_cast<std::size_t>(numberEnd - first);
        const std::size_t most = kind.size() + 1 + digits + 3 + value.size() + 2;
        if (static_cast<std::size_t>(buffer + kBuffer - p) < most) flush();
        if (most > kBuffer || !shortKind) {
            // An entry longer than the buffer goes on by itself.
            flush();
            out.append(kind).append(" ").append(first, digits).append(" = ").append(value).append(kCrLf);
            if (out.size() >= pieceSize) full();
        } else {
            std::memcpy(p, prefix, kSlack);
            p += kind.size() + 1;
            std::memcpy(p, first, kSlack);  // numbers of up to eight digits in one copy
            if (digits > kSlack) std::memcpy(p, first, digits);
            p += digits;
            std::memcpy(p, " = ", 3);
            p += 3;
            std::memcpy(p, value.data(), value.size());
            p += value.size();
            std::memcpy(p, kCrLf, 2);
            p += 2;
            // A piece ends where it always did: at the line that makes out reach pieceSize.
            if (out.size() + static_cast<std::size_t>(p - buffer) >= pieceSize) flush();
        }
        char* d = numberEnd - 1;
        while (d >= first && *d == '9') *d-- = '0';
        if (d < first)
            *(first = d) = '1';
        else
            ++*d;
    }
    flush();
}

// Whether line can be a section header or an entry whose key is one readValues takes ("Text", "Heading",
// "Map", "Movie", "Time Out", "cutscene", "sound"): by its first two characters after blanks, folded as
// ASCII, which is how the code page folds these letters too.
bool mayCount(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && line[i] == '[') return true;
    if (line.size() - i < 2) return false;
    const auto fold = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); };
    const char a = fold(line[i]), b = fold(line[i + 1]);
    switch (a) {
        case 't':
            return b == 'e' || b == 'i';
        case 'h':
            return b == 'e';
        case 'm':
            return b == 'a' || b == 'o';
        case 'c':
            return b == 'u';
        case 's':
            return b == 'o';
        default:
            return false;
    }
}

void appendIfSet(std::string& out, const char* key, const std::string& value) {
    if (!value.empty()) out.append(key).append(" = ").append(value).append(kCrLf);
}

}  // namespace

std::string Briefing::HEADING() const {
    // Commas belong to the heading: only the leading field is cut off.
    const std::size_t comma = CHEADING.find(',');
    if (comma == std::string::npos) return {};
    return std::string(trimSpaces(std::string_view(CHEADING).substr(comma + 1)));
}

std::string Briefing::BTEXT() const {
    Token fields(CTEXT, ",");
    std::string text;
    for (std::size_t i = 3; i <= fields.ANZAHL(); ++i) {
        if (i > 3) text += ',';
        text += fields.GETTOKEN(i);
    }
    return std::string(trimSpaces(text));
}

BriefSupport::BriefSupport(std::string path, bool doubleMode, Graphics graphics)
    : doubleMode_(doubleMode), graphics_(graphics), path_(std::move(path)) {
    READBRIEFINGS();
}

void BriefSupport::READBRIEFINGS() {
    // Filled afresh, so that reading again shows the file rather than appending behind the old pages.
    singlePages_.clear();
    bluePages_.clear();
    redPages_.clear();
    cutscene_.clear();
    sound_.clear();

    readOk_ = true;
    unwritable_.clear();
    if (graphics_ == Graphics::SKIP) {
        readValues();
    } else if (platform::fileExists(path_)) {
        platform::ReadResult read = platform::fileSystem().read(path_);
        readOk_ = read.ok || read.missing;
        const platform::ProfileText decoded = platform::profileText(std::move(read.content));
        unwritable_ = platform::profileTextProblem(decoded);
        const std::string& text = decoded.text;
        // Split once: every page and the Misc values are then read from their own section.
        const platform::ProfileSections sections(text);
        // An existing file decides the mode, whatever the caller asked for.
        doubleMode_ = FoldedSearch("BLUE_BRIEFING").find(text) != std::string::npos ||
                      FoldedSearch("RED_BRIEFING").find(text) != std::string::npos;
        cutscene_ = sections.value("Misc", "cutscene", std::string::npos);
        sound_ = sections.value("Misc", "sound", std::string::npos);
        for (std::size_t n = 0; n < kPages; ++n) {
            const std::string number = std::to_string(n);
            if (doubleMode_) {
                addBriefing(sections, "Blue_Briefing " + number);
                addBriefing(sections, "Red_Briefing " + number);
            } else {
                addBriefing(sections, "Briefing " + number);
            }
        }
    }
    // Every array holds five pages, also those the file does not use, so that a change of mode finds pages.
    for (auto* pages : {&singlePages_, &bluePages_, &redPages_})
        if (pages->empty()) pages->resize(kPages);
}

void BriefSupport::readValues() {
    if (!platform::fileExists(path_)) return;
    // Pages of either mode and Misc by their upper-case names; the mode is known only at the end.
    std::vector<std::string> names = {"MISC"};
    for (std::size_t n = 0; n < kPages; ++n)
        for (const char* kind : {"BRIEFING ", "BLUE_BRIEFING ", "RED_BRIEFING "})
            names.push_back(kind + std::to_string(n));
    std::vector<Briefing> pages(names.size());
    std::vector<std::array<bool, 5>> found(names.size(), std::array<bool, 5>{});
    std::vector<bool> seen(names.size(), false);
    constexpr std::size_t kNone = std::string::npos;
    std::size_t current = kNone;  // index into names of the section being read
    bool twoSides = false;
    const FoldedSearch blue("BLUE_BRIEFING"), red("RED_BRIEFING");
    const platform::ReadResult read = platform::forEachProfileLineOfFile(
        path_,
        [&](std::string_view line) {
            // Both names hold a "_", which a graphics entry seldom does.
            if (!twoSides && std::memchr(line.data(), '_', line.size()))
                twoSides = blue.find(line) != std::string::npos || red.find(line) != std::string::npos;
            // Most lines of a briefing are graphics entries: only a header or a line whose key begins as one
            // of the keys read can count, and the key's first two letters tell.
            if (!mayCount(line)) return;
            std::string_view header;
            if (platform::profileSectionHeader(line, header)) {
                // Only the first section of a name counts.
                const auto at = std::find(names.begin(), names.end(), platform::upper1252(header));
                current = at == names.end() || seen[at - names.begin()] ? kNone : at - names.begin();
                if (current != kNone) seen[current] = true;
                return;
            }
            std::string_view key, value;
            if (current == kNone || !platform::profileEntry(line, key, value)) return;
            Briefing& page = pages[current];
            std::string* const targets[] = {&page.CTEXT, &page.CHEADING, &page.CMAP, &page.CMOVIE,
                                            &page.CTIMEOUT};
            static constexpr std::string_view kKeys[] = {"Text", "Heading", "Map", "Movie", "Time Out"};
            static constexpr std::string_view kMiscKeys[] = {"cutscene", "sound"};
            if (current == 0) {
                std::string* const misc[] = {&cutscene_, &sound_};
                for (std::size_t k = 0; k < 2; ++k) {
                    if (found[0][k] || !platform::iequals1252(key, kMiscKeys[k])) continue;
                    found[0][k] = true;
                    *misc[k] = platform::unquotedProfileValue(value);
                }
                return;
            }
            for (std::size_t k = 0; k < 5; ++k) {
                if (found[current][k] || !platform::iequals1252(key, kKeys[k])) continue;
                found[current][k] = true;
                *targets[k] = platform::unquotedProfileValue(value);
            }
        },
        &unwritable_);
    if (!read.ok) {
        // As a file that could not be read: nothing in it. A file gone since it was looked at has nothing to
        // lose; one that broke off part-way must not be written over from what was read.
        readOk_ = read.missing;
        cutscene_.clear();
        sound_.clear();
        return;
    }
    doubleMode_ = twoSides;
    for (std::size_t i = 1; i < names.size(); ++i) {
        Briefing& page = pages[i];
        // A page without heading and text is left out: nothing else of it counts.
        if (page.CTEXT.empty() && page.CHEADING.empty()) page = Briefing();
        const std::size_t kind = (i - 1) % 3;
        if (kind == 0 && !doubleMode_) singlePages_.push_back(std::move(page));
        if (kind == 1 && doubleMode_) bluePages_.push_back(std::move(page));
        if (kind == 2 && doubleMode_) redPages_.push_back(std::move(page));
    }
}

void BriefSupport::ADDBRIEFING(const std::string& sectionName) {
    const std::string text = platform::profileText(platform::readFile(path_)).text;
    addBriefing(platform::ProfileSections(text), sectionName);
}

void BriefSupport::addBriefing(const platform::ProfileSections& sections, const std::string& sectionName) {
    const std::string name = platform::upper1252(sectionName);
    Briefing page;
    // The named values by the profile reader's rules (first key wins, whole, without enclosing quotes) and
    // the graphics entries, from one pass over the page's section where both rules find the same one.
    struct Named {
        std::string_view key;
        std::string* value;
        bool found = false;
    };
    Named named[] = {{"Text", &page.CTEXT},
                     {"Heading", &page.CHEADING},
                     {"Map", &page.CMAP},
                     {"Movie", &page.CMOVIE},
                     {"Time Out", &page.CTIMEOUT}};
    const auto* valueSection = sections.find(name);
    const auto* drawSection = graphics_ == Graphics::READ ? graphicsSection(sections, name) : nullptr;
    if (drawSection) {
        // Room for the most the section can hold, so that the lists never move their entries while growing;
        // room never used is never touched.
        const std::size_t most = drawSection->body.size();
        for (StringList* list : {&page.ALINESTRINGS, &page.ASPRITESTRINGS, &page.ALABELSTRINGS})
            list->reserve(most / 8, most);
    }
    auto addGraphics = [&page](std::string_view raw) {
        const std::string_view line = trimSpaces(raw);
        if (startsWithFolded(line, "LINE"))
            page.ALINESTRINGS.push_back(valueAfter(line, "="));
        else if (startsWithFolded(line, "SPRITE"))
            page.ASPRITESTRINGS.push_back(valueAfter(line, "="));
        else if (startsWithFolded(line, "LABEL"))
            page.ALABELSTRINGS.push_back(valueAfter(line, "="));
    };
    if (valueSection) {
        platform::forEachProfileLine(valueSection->body, [&](std::string_view line) {
            std::string_view key, value;
            if (platform::profileEntry(line, key, value)) {
                for (Named& n : named) {
                    if (n.found || !platform::iequals1252(key, n.key)) continue;
                    n.found = true;
                    *n.value = platform::unquotedProfileValue(value);
                }
            }
            if (drawSection == valueSection) addGraphics(line);
        });
    }
    if (page.CTEXT.empty() && page.CHEADING.empty()) {
        // A page without heading and text is left out: nothing else of it counts.
        page = Briefing();
    } else if (drawSection && drawSection != valueSection) {
        platform::forEachProfileLine(drawSection->body, addGraphics);
    }
    if (name.find("BLUE_BRIEFING") != std::string::npos)
        bluePages_.push_back(std::move(page));
    else if (name.find("RED_BRIEFING") != std::string::npos)
        redPages_.push_back(std::move(page));
    else
        singlePages_.push_back(std::move(page));
}

std::string BriefSupport::BRIEF2TEXT(std::size_t page) const {
    std::string out;
    appendPage(out, page);
    return out;
}

void BriefSupport::appendPage(std::string& out, std::size_t page, std::size_t pieceSize,
                              const std::function<void()>& full) const {
    const std::vector<Briefing>& pages = BRIEFARRAY();
    if (page < 1 || page > pages.size()) return;
    const Briefing& b = pages[page - 1];
    if (b.CHEADING.empty() && b.CTEXT.empty()) return;
    out.append("[")
        .append(BRIEFSTRING())
        .append(" ")
        .append(std::to_string(page - 1))
        .append("]")
        .append(kCrLf);
    out.append("Heading = ").append(b.CHEADING).append(kCrLf);
    appendIfSet(out, "MAP", b.CMAP);
    appendIfSet(out, "Text", b.CTEXT);
    appendEntries(out, "Line", b.ALINESTRINGS, pieceSize, full);
    appendEntries(out, "Sprite", b.ASPRITESTRINGS, pieceSize, full);
    appendEntries(out, "Label", b.ALABELSTRINGS, pieceSize, full);
    appendIfSet(out, "Movie", b.CMOVIE);
    appendIfSet(out, "Time Out", b.CTIMEOUT);
}

platform::Status BriefSupport::WRITEBRIEFINGS(const std::string& leadingText) {
    if (!unwritable_.empty()) return platform::Status::failure(unwritable_);
    // Written in pieces, each built in room reserved once: a briefing of a large mission is several times its
    // size, and building it whole cost more than the analysis. A small piece stays in the cache and in memory
    // the process already has, where a large one is fresh pages on every write.
    constexpr std::size_t kPiece = 1 << 16;
    // A new briefing may be the first: its folder is made as Extract makes it.
    if (const std::size_t cut = path_.find_last_of("\\/"); cut != std::string::npos && cut > 0) {
        std::string failed;
        if (platform::Status made = platform::makeFolders(path_.substr(0, cut), &failed); !made) {
            made.error = platform::shownPath(failed) + ": " + made.error;
            return made;
        }
    }
    return platform::writeFilePieces(path_, [&](const platform::PieceWriter& put) {
        std::string out;
        out.reserve(kPiece + 4096);
        const auto full = [&] {
            put(out);
            out.clear();
        };
        out.append(leadingText);
        if (!cutscene_.empty() || !sound_.empty()) {
            out.append("[Misc]").append(kCrLf);
            appendIfSet(out, "cutscene", cutscene_);
            appendIfSet(out, "sound", sound_);
            out.append(kCrLf).append(kCrLf);
        }
        auto appendPages = [&] {
            for (std::size_t k = 1; k <= kPages; ++k) appendPage(out, k, kPiece, full);
        };
        if (doubleMode_) {
            blueMode_ = true;
            appendPages();
            blueMode_ = false;
            appendPages();
        } else {
            appendPages();
        }
        put(out);
    });
}

void BriefSupport::CLEARGRAPH() {
    auto clear = [](std::vector<Briefing>& pages) {
        for (Briefing& b : pages) {
            b.ALINESTRINGS.clear();
            b.ASPRITESTRINGS.clear();
            b.ALABELSTRINGS.clear();
        }
    };
    if (doubleMode_) {
        clear(bluePages_);
        clear(redPages_);
    } else {
        clear(singlePages_);
    }
}

std::vector<Briefing>& BriefSupport::BRIEFARRAY() {
    if (!doubleMode_) return singlePages_;
    return blueMode_ ? bluePages_ : redPages_;
}

const std::vector<Briefing>& BriefSupport::BRIEFARRAY() const {
    if (!doubleMode_) return singlePages_;
    return blueMode_ ? bluePages_ : redPages_;
}

void BriefSupport::SETBRIEFARRAY(std::vector<Briefing> pages) {
    BRIEFARRAY() = std::move(pages);
}

std::string BriefSupport::BRIEFSTRING() const {
    if (!doubleMode_) return "Briefing";
    return blueMode_ ? "Blue_Briefing" : "Red_Briefing";
}

void BriefSupport::DESTROY() {
    singlePages_.clear();
    bluePages_.clear();
    redPages_.clear();
    cutscene_.clear();
    sound_.clear();
    Parent::DESTROY();
}

}  // namespace hartool

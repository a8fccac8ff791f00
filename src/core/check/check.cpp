#include "core/check/check.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <system_error>
#include <thread>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/analysis/tables.h"
#include "core/analysis/words.h"
#include "core/game/gamecheck.h"
#include "core/image/imagefolder.h"
#include "core/missions/missions.h"
#include "core/platform/codepage.h"
#include "core/platform/filesystem.h"
#include "core/platform/profile.h"
#include "core/text/entries.h"
#include "core/text/foldsearch.h"
#include "core/text/token.h"
#include "core/transfer/transfer.h"

namespace hartool {

namespace {

// The profile reader reads no more of a value than this.
constexpr std::size_t kValueLimit = 1023;
// What the lists show of a title: the mission list, the campaign-transfer list.
constexpr std::size_t kMissionListTitle = 30;
constexpr std::size_t kTransferListTitle = 15;

const std::vector<CheckRule> kRules = {
    {"file-unreadable", Severity::Error, "a mission or briefing that cannot be read"},
    {"title-missing", Severity::Error, "no TITLE entry, or an empty one"},
    {"side-unknown", Severity::Error, "SIDE neither 0 nor 1"},
    {"value-too-long", Severity::Error, "a briefing value over 1023 characters: the rest is never read"},
    {"title-long", Severity::Warning,
     "a title over 30 characters (cut in the mission list), or a single battle's over 15 (cut in the "
     "campaign-transfer list)"},
    {"title-duplicate", Severity::Warning, "two missions of the same title"},
    {"line-ends", Severity::Warning, "line ends other than CR LF"},
    {"unit-type-unknown", Severity::Warning, "a flight or unit type code the tables lack"},
    {"outside-battle-area", Severity::Warning, "a unit or waypoint outside BATTLESIZE"},
    {"bracket-in-text", Severity::Warning, "\"[\" in a heading or text"},
    {"graphics-off-map", Severity::Warning, "an entry the map preview draws at the map's edge"},
    {"graphics-unreadable", Severity::Warning, "a line, sprite or label entry that draws nothing"},
    {"picture-missing", Severity::Warning, "a map or sprite picture the game folder lacks"},
    {"picture-unreadable", Severity::Warning, "a map or sprite picture that does not decode"},
    {"briefing-missing", Severity::Note, "a mission without a briefing part"},
    {"backup-incomplete", Severity::Note, "the original files are not saved yet"},
    {"battle-changed", Severity::Note, "a single battle edited and not copied back to its campaign"},
};

Severity severityOf(std::string_view rule) {
    for (const CheckRule& r : kRules)
        if (r.id == rule) return r.severity;
    return Severity::Note;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// s begins with the key, compared without regard to case.
bool startsWith(std::string_view s, std::string_view key) {
    return s.size() >= key.size() && platform::iequals1252(s.substr(0, key.size()), key);
}

std::string number(std::int64_t n) {
    return std::to_string(n);
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The unit tables and the flyable helicopters by code, one table looked up once per unit line.
class UnitCodes {
  public:
    static constexpr std::uint8_t kKnown = 1, kFlyable = 2;

    UnitCodes() {
        const auto mark = [this](int code, std::uint8_t bit) {
            if (code < 0) return;
            if (static_cast<std::size_t>(code) >= codes_.size()) codes_.resize(code + 1, 0);
            codes_[static_cast<std::size_t>(code)] |= bit;
        };
        for (const auto* rows : {&tables::kBlueUnitTypes, &tables::kRedUnitTypes})
            for (const tables::CodeRow& row : *rows)
                for (int code : row.codes) mark(code, kKnown);
        // A flight's helicopter, with the codes the game spells two ways.
        for (int code : tables::kFlyableHelicopters) mark(code, kFlyable);
        for (const auto& [other, code] : {std::pair{17, 21}, {109, 18}, {131, 129}})
            if (std::find(tables::kFlyableHelicopters.begin(), tables::kFlyableHelicopters.end(), code) !=
                tables::kFlyableHelicopters.end())
                mark(other, kFlyable);
    }
    // kKnown, kFlyable, both or neither.
    std::uint8_t of(std::int64_t code) const {
        return code >= 0 && static_cast<std::uint64_t>(code) < codes_.size()
                   ? codes_[static_cast<std::size_t>(code)]
                   : 0;
    }

  private:
    std::vector<std::uint8_t> codes_;
};

struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// A place in a mission where something stands on the battlefield.
struct Position {
    std::size_t line = 0;
    std::int64_t x = 0, y = 0;
    const char* what = "";
};

// A mission of the player folder, as the game path spells it and as the disk does.
struct MissionFile {
    std::string path;
    std::string readFrom;
    bool shortTitles = false;
};

class Checker {
  public:
    explicit Checker(const GameFolders& folders) : folders_(folders), images_(folders.game) {}

    // A mission: its data, then its briefing part. shortTitles: a single battle, listed by the transfer
    // dialog as well.
    void mission(const std::string& path, CheckedFile kind, bool shortTitles, std::size_t group,
                 const std::string& readFrom = "");
    // The missions of a group in the given order, by as many threads: the findings and titles are those of
    // one thread.
    void missions(const std::vector<MissionFile>& files, std::size_t group, std::size_t threads);
    void briefingFile(const std::string& path);
    void add(const std::string& file, CheckedFile kind, std::size_t line, std::string_view rule,
             std::string text, std::optional<EntryPlace> entry = std::nullopt) {
        Finding f;
        f.file = file;
        f.kind = kind;
        f.line = line;
        f.severity = severityOf(rule);
        f.rule = std::string(rule);
        f.text = std::move(text);
        f.entry = std::move(entry);
        findings_.push_back({fileOrder(file), std::move(f)});
    }
    // Titles of missions not checked here, that a checked one must still not repeat.
    void otherTitle(const std::string& path, const std::string& title, std::size_t group) {
        titles_.push_back({path, title, 0, group, false});
    }
    void duplicates();
    std::vector<Finding> result();

  private:
    struct Title {
        std::string file;
        std::string title;
        std::size_t line = 0;
        std::size_t group = 0;  // missions compare within their folder
        bool checked = true;
        CheckedFile kind = CheckedFile::Mission;
    };
    struct Page {
        std::string side;
        std::size_t number = 0;              // 1 to 5; 0 outside a page section
        std::size_t entries[3] = {0, 0, 0};  // lines, sprites, labels so far: the preview numbers them so
    };

    std::size_t fileOrder(const std::string& file) {
        const auto [at, added] = order_.try_emplace(file, order_.size());
        return at->second;
    }
    // readFrom: the file as the disk spells it, tried first; the finding still names path.
    bool readText(const std::string& path, CheckedFile kind, std::string& text,
                  const std::string& readFrom = "");
    // Every line of the text: missionLine(line, number) for those before briefingAt, briefingLine for the
    // rest; then the line ends.
    template <class MissionLine>
    void scan(const std::string& path, CheckedFile kind, std::string_view text, std::size_t briefingAt,
              MissionLine&& missionLine, Page& page, std::set<std::string>& noted);
    // One line of a briefing; page is the section it stands in.
    void briefingLine(const std::string& file, CheckedFile kind, std::size_t lineNo, std::string_view line,
                      Page& page, std::set<std::string>& picturesNoted);
    void picture(const std::string& file, CheckedFile kind, std::size_t lineNo, const std::string& name,
                 std::set<std::string>& noted, const image::LoadedImage& loaded);
    const image::LoadedImage& load(std::string_view name) {
        if (auto at = pictures_.find(name); at != pictures_.end()) return *at->second;
        const image::LoadedImage& loaded = images_.load(std::string(name));
        pictures_.emplace(std::string(name), &loaded);
        return loaded;
    }

    const GameFolders& folders_;  // for the checkers of other threads
    image::ImageFolder images_;
    std::unordered_map<std::string, const image::LoadedImage*, StringHash, std::equal_to<>> pictures_;
    UnitCodes units_;
    std::vector<std::pair<std::size_t, Finding>> findings_;
    std::map<std::string, std::size_t> order_;
    std::vector<Title> titles_;
};

bool Checker::readText(const std::string& path, CheckedFile kind, std::string& text,
                       const std::string& readFrom) {
    if (!readFrom.empty()) {
        platform::ReadResult direct = platform::fileSystem().read(readFrom);
        if (direct.ok) {
            text = std::move(direct.content);
            return true;
        }
    }
    platform::ReadResult read = platform::fileSystem().read(path);
    if (!read.ok) {
        add(path, kind, 0, "file-unreadable",
            read.missing ? "there is no such file" : "the file cannot be read: " + read.error);
        return false;
    }
    // A briefing file is read as the game's profile reader reads it: a byte-order mark converted, a ^Z ending
    // it.
    text = kind == CheckedFile::Briefing ? platform::profileText(std::move(read.content)).text
                                         : std::move(read.content);
    return true;
}

// Walks the lines of a text: each without its line end, numbered from 1 as an editor numbers them, and
// notes the first line that does not end in CR LF.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ > text_.size() || (pos_ == text_.size() && number_ > 0)) return false;
        ++number_;
        const char* data = text_.data();
        const void* hit = std::memchr(data + pos_, '\n', text_.size() - pos_);
        const std::size_t end =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : text_.size();
        std::size_t stop = end;
        if (hit) {
            if (stop > pos_ && data[stop - 1] == '\r')
                --stop;
            else
                badLine(number_);
        }
        line = text_.substr(pos_, stop - pos_);
        // A carriage return that ends no line.
        if (!line.empty() && std::memchr(line.data(), '\r', line.size())) badLine(number_);
        pos_ = hit ? end + 1 : text_.size() + 1;
        return true;
    }
    std::size_t number() const { return number_; }
    std::size_t firstBad() const { return firstBad_; }
    std::size_t bad() const { return bad_; }

  private:
    void badLine(std::size_t n) {
        if (bad_++ == 0) firstBad_ = n;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
    std::size_t firstBad_ = 0;
    std::size_t bad_ = 0;
};

void lineEnds(Checker& c, const std::string& file, CheckedFile kind, const Lines& lines) {
    if (lines.bad() == 0) return;
    c.add(file, kind, lines.firstBad(), "line-ends",
          std::to_string(lines.bad()) + (lines.bad() == 1 ? " line ends" : " lines end") +
              " in something other than CR LF, first this one: the game's files end every line in CR LF");
}

namespace {

// s begins with key (upper-case letters and "_"), compared without regard to ASCII case: the keys of mission
// lines are plain words, and every mission line passes here.
bool keyAt(std::string_view s, std::string_view key) {
    if (s.size() < key.size()) return false;
    if (key.size() >= 4 && key.size() <= 8) {
        // Two four-byte words, overlapping for a shorter key, each compared at once.
        std::uint32_t head, tail, keyHead, keyTail;
        std::memcpy(&head, s.data(), 4);
        std::memcpy(&tail, s.data() + key.size() - 4, 4);
        std::memcpy(&keyHead, key.data(), 4);
        std::memcpy(&keyTail, key.data() + key.size() - 4, 4);
        constexpr std::uint32_t kCase = ~0x20202020u;
        return ((head ^ keyHead) & kCase) == 0 && ((tail ^ keyTail) & kCase) == 0;
    }
    for (std::size_t i = 0; i < key.size(); ++i)
        if ((s[i] & ~0x20) != (key[i] & ~0x20)) return false;
    return true;
}

// The numbers of the words of a "key: value" line, one after the other, as Words and wordNumber read them: a
// word of digits is read on the way, any other through wordNumber. Past the last word, 0. The byte at the
// line's end must be none of a digit, a blank or a colon (it is the line end, the "[" of the briefing part or
// the closing NUL of the string), so that runs of those stop there without a test of their own.
class LineNumbers {
  public:
    explicit LineNumbers(std::string_view line) : LineNumbers(line.data(), line.data() + line.size()) {}
    LineNumbers(const char* from, const char* end) : p_(from), end_(end) {
        while (p_ < end_ && *p_ != ':') ++p_;
        if (p_ == end_) return;
        while (*p_ == ':') ++p_;
        open_ = true;
    }
    // Inlined into the unit lines' loop, with the position in a local: a store through p_ would alias every
    // byte read, and a call per number costs more than reading it.
    [[gnu::always_inline]] std::int64_t next() {
        if (!open_) return 0;
        const char* p = p_;
        const char* const end = end_;
        while (*p == ' ') ++p;
        if (p == end || *p == ':') {
            p_ = p;
            open_ = false;
            return 0;
        }
        const char* const word = p;
        const bool negative = *p == '-';
        p += negative;
        const char* const first = p;
        // Wraps harmlessly past 18 digits: such a word goes to wordNumber.
        std::uint64_t n = 0;
        while (static_cast<unsigned char>(*p - '0') < 10) n = n * 10 + static_cast<unsigned char>(*p++ - '0');
        const auto digits = static_cast<std::size_t>(p - first);
        p_ = p;
        if (digits > 0 && digits <= 18 && (p == end || *p == ' ' || *p == ':')) {
            const auto value = static_cast<std::int64_t>(n);
            return negative ? -value : value;
        }
        return otherWord(word);
    }
    // Passes over words whose numbers are not needed.
    [[gnu::always_inline]] void skip(int words) {
        const char* p = p_;
        while (open_ && words-- > 0) {
            while (p < end_ && *p == ' ') ++p;
            if (p == end_ || *p == ':')
                open_ = false;
            else
                while (p < end_ && *p != ' ' && *p != ':') ++p;
        }
        p_ = p;
    }

  private:
    [[gnu::noinline]] std::int64_t otherWord(const char* word) {
        while (p_ < end_ && *p_ != ' ' && *p_ != ':') ++p_;
        return wordNumber(std::string_view(word, static_cast<std::size_t>(p_ - word)));
    }
    const char* p_;
    const char* end_;
    bool open_ = false;
};

// The line feeds of a text from front to back, found sixty-four bytes at a time, and on the way whether
// every line ends in CR LF: a line feed without a carriage return before it, or a carriage return without a
// line feed after it, makes the text irregular. Every byte of a mission passes here once.
class LineFeeds {
  public:
    static constexpr std::size_t kEnd = std::string_view::npos;

    explicit LineFeeds(std::string_view text) : data_(text.data()), size_(text.size()) {}
    // The next line feed's position; kEnd past the last.
    std::size_t next() {
        while (feeds_ == 0) {
            if (block_ >= size_) return kEnd;
            load();
        }
        const auto bit = static_cast<std::size_t>(std::countr_zero(feeds_));
        feeds_ &= feeds_ - 1;
        return base_ + bit;
    }
    // Once next() has given kEnd.
    bool irregular() const { return irregular_; }

  private:
    void load() {
        base_ = block_;
        std::uint64_t feeds = 0, returns = 0;
        if (size_ - block_ >= 64) {
            masks(data_ + block_, feeds, returns);
        } else {
            // The last bytes, padded with bytes that are neither.
            char last[64] = {};
            std::memcpy(last, data_ + block_, size_ - block_);
            masks(last, feeds, returns);
        }
        block_ += 64;
        irregular_ |= ((returns << 1) | carry_) != feeds;
        carry_ = returns >> 63;
        if (block_ >= size_ && carry_) irregular_ = true;
        feeds_ = feeds;
    }
    static void masks(const char* p, std::uint64_t& feeds, std::uint64_t& returns) {
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
        for (int k = 0; k < 4; ++k) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
            feeds |= static_cast<std::uint64_t>(
                         static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf))))
                     << (16 * k);
            returns |= static_cast<std::uint64_t>(
                           static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr))))
                       << (16 * k);
        }
#else
        for (int i = 0; i < 64; ++i) {
            feeds |= static_cast<std::uint64_t>(p[i] == '\n') << i;
            returns |= static_cast<std::uint64_t>(p[i] == '\r') << i;
        }
#endif
    }

    const char* data_;
    std::size_t size_;
    std::size_t block_ = 0;  // the next block to load
    std::size_t base_ = 0;   // where the loaded block begins
    std::uint64_t feeds_ = 0;
    std::uint64_t carry_ = 0;  // the loaded block ends in a carriage return
    bool irregular_ = false;
};

// The value of an entry as the tool reads it, and its line; nothing when the text has no such entry.
struct EntryFound {
    std::string_view line;  // without its line end
    std::size_t number = 0;
};
std::optional<EntryFound> entryLine(std::string_view text, std::string_view name) {
    const std::size_t at = findEntry(text, name);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t lineEnd = text.find('\n', at);
    std::string_view line =
        text.substr(at, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return EntryFound{line, 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n'))};
}

// An entry looked for in the first scope bytes of a text.
struct NamedEntry {
    std::string_view name;
    std::size_t scope = 0;
    std::optional<EntryFound> found;
};

// entryLine for each entry, from one walk over the text's line starts (after a carriage return or a line
// feed, past blanks) until every entry is found on the first line that begins with its name and a blank, a
// colon or a line end, as findEntry finds it; the few lines before a mission's units are all that walk sees.
// An entry no line begins with goes to entryLine, for its first occurrence anywhere.
template <std::size_t N>
void entryLines(std::string_view text, std::array<NamedEntry, N>& entries) {
    std::array<bool, N> done{};
    std::size_t left = N, feeds = 0;
    const platform::LineEnds ends(text);
    for (std::size_t pos = 0; left > 0 && pos < text.size();) {
        std::size_t at = pos;
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        for (std::size_t e = 0; e < N; ++e) {
            const std::size_t after = at + entries[e].name.size();
            if (done[e] || after > entries[e].scope ||
                !platform::iequals1252(text.substr(at, entries[e].name.size()), entries[e].name))
                continue;
            if (after < entries[e].scope && text[after] != ' ' && text[after] != '\t' && text[after] != ':' &&
                text[after] != '\r' && text[after] != '\n')
                continue;
            const std::string_view scoped = text.substr(0, entries[e].scope);
            const std::size_t lineEnd = scoped.find('\n', at);
            std::string_view line =
                scoped.substr(at, lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd - at);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            entries[e].found = EntryFound{line, 1 + feeds};
            done[e] = true;
            --left;
        }
        const std::size_t lineBreak = ends.from(at);
        if (lineBreak == text.size()) break;
        feeds += text[lineBreak] == '\n';
        pos = lineBreak + 1;
    }
    for (std::size_t e = 0; e < N; ++e)
        if (!done[e]) entries[e].found = entryLine(text.substr(0, entries[e].scope), entries[e].name);
}

}  // namespace

void Checker::mission(const std::string& path, CheckedFile kind, bool shortTitles, std::size_t group,
                      const std::string& readFrom) {
    fileOrder(path);
    std::string text;
    if (!readText(path, kind, text, readFrom)) return;

    // The named entries as the tool reads them; those of the mission's data before its briefing part.
    const std::size_t briefingAt = std::min(text.find('['), text.size());
    std::array<NamedEntry, 4> entries = {{{"TITLE", text.size(), {}},
                                          {"SIDE", briefingAt, {}},
                                          {"BATTLESIZE", briefingAt, {}},
                                          {"BATTLEFIELD", briefingAt, {}}}};
    entryLines(text, entries);
    const std::optional<EntryFound>& titleEntry = entries[0].found;
    const std::string title = titleEntry ? std::string(valueAfter(titleEntry->line)) : "";
    const std::size_t titleLine = titleEntry ? titleEntry->number : 0;
    if (trimSpaces(title).empty()) {
        add(path, kind, titleLine, "title-missing",
            !titleEntry ? "the mission has no TITLE entry: the lists show it without a name"
                        : "the TITLE entry is empty: the lists show the mission without a name");
    } else {
        titles_.push_back({path, title, titleLine, group, true, kind});
        const std::size_t limit = shortTitles ? kTransferListTitle : kMissionListTitle;
        if (title.size() > limit)
            add(path, kind, titleLine, "title-long",
                "the title has " + std::to_string(title.size()) + " characters: the " +
                    (shortTitles ? "campaign-transfer" : "mission") + " list shows only the first " +
                    std::to_string(limit));
    }
    if (const auto& side = entries[1].found) {
        const std::string_view value = valueAfter(side->line);
        if (value != "0" && value != "1")
            add(path, kind, side->number, "side-unknown",
                "SIDE is \"" + std::string(value) +
                    "\": a mission is played for side 0 (blue) or 1 (red), and the tools read anything else "
                    "as " +
                    std::to_string(wordNumber(value)));
    }
    std::int64_t width = 16000, height = 16000, cx = 0, cy = 0;
    if (const auto& size = entries[2].found; size && !valueAfter(size->line).empty()) {
        LineNumbers n(size->line);
        width = n.next();
        height = n.next();
    }
    if (const auto& field = entries[3].found; field && !valueAfter(field->line).empty()) {
        LineNumbers n(field->line);
        n.skip(1);
        cx = n.next();
        cy = n.next();
    }
    // The battle area runs half its size to each side of its centre.
    const std::int64_t left = cx - width / 2, right = cx + (width - width / 2);
    const std::int64_t top = cy - height / 2, bottom = cy + (height - height / 2);
    const auto outside = [&](std::size_t lineNo, std::int64_t x, std::int64_t y, const char* what) {
        add(path, kind, lineNo, "outside-battle-area",
            std::string(what) + " at " + number(x) + ", " + number(y) + " lies outside the battle area (" +
                number(left) + " to " + number(right) + " by " + number(top) + " to " + number(bottom) +
                "): its briefing graphics land off the map");
    };
    const auto place = [&](std::size_t lineNo, std::int64_t x, std::int64_t y, const char* what) {
        if (x < left || x > right || y < top || y > bottom) outside(lineNo, x, y, what);
    };

    bool inFlight = false;
    // Only the first word tells whether a line matters: most are passed over without a look at the rest.
    const auto missionLine = [&](std::string_view line, std::size_t lineNo) __attribute__((always_inline)) {
        const char* p = line.data();
        const char* const end = p + line.size();
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        if (p == end) return;
        const std::string_view s(p, static_cast<std::size_t>(end - p));
        switch (*p & ~0x20) {
            case 'P': {
                if (!keyAt(s, "PLATOON")) return;
                LineNumbers n(p + 7, end);
                const std::int64_t code = n.next(), x = n.next(), y = n.next();
                const std::uint8_t unit = units_.of(code);
                const bool flight = unit & UnitCodes::kFlyable;
                inFlight = flight;
                if (!flight && !(unit & UnitCodes::kKnown))
                    add(path, kind, lineNo, "unit-type-unknown",
                        "unit type " + std::string(analysis::Words::ofLine(s, 1)[1]) +
                            " is in none of the unit tables: the analysis draws nothing for it");
                place(lineNo, x, y, "the unit");
                if (flight) {
                    n.skip(2);
                    const std::int64_t routeX = n.next();
                    place(lineNo, routeX, n.next(), "the flight's first waypoint");
                }
                return;
            }
            case 'A':
                if (inFlight && keyAt(s, "ADDWAYPT")) {
                    LineNumbers n(p + 8, end);
                    const std::int64_t x = n.next();
                    place(lineNo, x, n.next(), "the waypoint");
                }
                return;
            case 'S':
                if (keyAt(s, "SUPPORT")) inFlight = false;
                return;
            default:
                return;
        }
    };
    Page page;
    std::set<std::string> noted;
    scan(path, kind, text, briefingAt, missionLine, page, noted);
    if (briefingAt == text.size())
        add(path, kind, 0, "briefing-missing",
            "the mission has no briefing part: the game shows no briefing before it");
}

void Checker::missions(const std::vector<MissionFile>& files, std::size_t group, std::size_t threads) {
    if (threads <= 1 || files.size() < 2) {
        for (const MissionFile& f : files)
            mission(f.path, CheckedFile::Mission, f.shortTitles, group, f.readFrom);
        return;
    }
    for (const MissionFile& f : files) fileOrder(f.path);
    // Each thread checks whole missions, taken in turn, with a checker of its own (its own picture cache);
    // merged by file afterwards, so which thread took which mission changes nothing.
    std::vector<std::unique_ptr<Checker>> workers;
    for (std::size_t w = 0; w < threads; ++w) workers.push_back(std::make_unique<Checker>(folders_));
    std::atomic<std::size_t> next{0};
    std::vector<std::exception_ptr> failures(threads);
    const auto work = [&](std::size_t w) {
        try {
            for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < files.size();)
                workers[w]->mission(files[i].path, CheckedFile::Mission, files[i].shortTitles, group,
                                    files[i].readFrom);
        } catch (...) {
            failures[w] = std::current_exception();
        }
    };
    {
        std::vector<std::thread> pool;
        pool.reserve(threads);  // so that adding one never throws with others running unjoined
        for (std::size_t w = 1; w < threads; ++w) {
            try {
                pool.emplace_back(work, w);
            } catch (...) {
                break;  // no more threads to be had: those running take the rest
            }
        }
        work(0);
        for (std::thread& t : pool) t.join();
    }
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);

    std::vector<std::pair<std::size_t, Title>> titles;
    for (const auto& worker : workers) {
        for (auto& [order, f] : worker->findings_) {
            const std::size_t at = fileOrder(f.file);
            findings_.push_back({at, std::move(f)});
        }
        for (Title& t : worker->titles_) {
            const std::size_t at = fileOrder(t.file);
            titles.push_back({at, std::move(t)});
        }
    }
    // Each mission has one title at most: in file order they stand as one thread would have listed them.
    std::sort(titles.begin(), titles.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& t : titles) titles_.push_back(std::move(t.second));
}

void Checker::briefingFile(const std::string& path) {
    fileOrder(path);
    std::string text;
    if (!readText(path, CheckedFile::Briefing, text)) return;
    Page page;
    std::set<std::string> noted;
    scan(
        path, CheckedFile::Briefing, text, 0, [](std::string_view, std::size_t) {}, page, noted);
}

template <class MissionLine>
void Checker::scan(const std::string& path, CheckedFile kind, std::string_view text, std::size_t briefingAt,
                   MissionLine&& missionLine, Page& page, std::set<std::string>& noted) {
    const char* const data = text.data();
    const std::size_t n = text.size();
    std::size_t lineNo = 0;
    LineFeeds feeds(text);
    for (std::size_t pos = 0;;) {
        const std::size_t feed = feeds.next();
        if (feed == LineFeeds::kEnd && pos >= n && lineNo > 0) break;
        ++lineNo;
        // A line ends at a line feed, without the carriage return before it; the last runs to the end.
        const std::size_t stop = feed == LineFeeds::kEnd                ? n
                                 : feed > pos && data[feed - 1] == '\r' ? feed - 1
                                                                        : feed;
        if (pos >= briefingAt) {
            briefingLine(path, kind, lineNo, text.substr(pos, stop - pos), page, noted);
        } else if (briefingAt < stop) {
            // The briefing part begins inside this line.
            missionLine(text.substr(pos, briefingAt - pos), lineNo);
            briefingLine(path, kind, lineNo, text.substr(briefingAt, stop - briefingAt), page, noted);
        } else {
            missionLine(std::string_view(data + pos, stop - pos), lineNo);
        }
        if (feed == LineFeeds::kEnd) break;
        pos = feed + 1;
    }
    // Every line ends in CR LF and no other carriage return stands anywhere: the common case, told without
    // walking the lines again.
    if (!feeds.irregular()) return;
    Lines lines(text);
    std::string_view line;
    while (lines.next(line)) {
    }
    lineEnds(*this, path, kind, lines);
}

void Checker::briefingLine(const std::string& file, CheckedFile kind, std::size_t lineNo,
                           std::string_view line, Page& page, std::set<std::string>& noted) {
    const std::string_view s = trimmed(line);
    if (s.empty()) return;
    if (s.front() == '[') {
        std::string_view name =
            s.substr(1, s.find(']') == std::string_view::npos ? s.size() : s.find(']') - 1);
        page = {};
        for (const char* side : {"Blue_Briefing", "Red_Briefing", "Briefing"}) {
            if (!startsWith(name, side)) continue;
            const std::string_view n = trimmed(name.substr(std::strlen(side)));
            if (n.size() == 1 && n[0] >= '0' && n[0] <= '4') {
                page.side = side[0] == 'B' && side[1] == 'l' ? "blue" : side[0] == 'R' ? "red" : "";
                page.number = static_cast<std::size_t>(n[0] - '0') + 1;
            }
            break;
        }
        return;
    }
    const std::size_t equals = s.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = trimmed(s.substr(0, equals));
    std::string_view value = trimmed(s.substr(equals + 1));
    const auto where = [&] {
        return (page.side.empty() ? std::string("page ") : page.side + " page ") +
               std::to_string(page.number);
    };

    // The values read through the profile reader.
    for (const char* named : {"Heading", "Text", "MAP", "Movie", "Time Out", "cutscene", "sound"}) {
        if (!platform::iequals1252(key, named)) continue;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.size() > kValueLimit)
            add(file, kind, lineNo, "value-too-long",
                "the " + std::string(key) + " value has " + std::to_string(value.size()) +
                    " characters: the game and the tool read only the first " + std::to_string(kValueLimit) +
                    ", the rest is lost");
        const bool words = platform::iequals1252(key, "Heading") || platform::iequals1252(key, "Text");
        if (words && page.number > 0 && value.find('[') != std::string_view::npos)
            add(file, kind, lineNo, "bracket-in-text",
                "the " + std::string(key) + " of " + where() +
                    " holds a \"[\": a reader that takes the page up to the next \"[\" ends the page there "
                    "and loses the graphics after it");
        if (platform::iequals1252(key, "MAP") && page.number > 0 && !value.empty())
            picture(file, kind, lineNo, std::string(value), noted, load(value));
        return;
    }

    if (page.number == 0) return;
    MapEntryKind entryKind;
    if (startsWith(key, "Line"))
        entryKind = MapEntryKind::Line;
    else if (startsWith(key, "Sprite"))
        entryKind = MapEntryKind::Sprite;
    else if (startsWith(key, "Label"))
        entryKind = MapEntryKind::Label;
    else
        return;
    MapEntry entry;
    entry.kind = entryKind;
    entry.side = page.side;
    entry.page = page.number;
    entry.number = page.entries[static_cast<int>(entryKind)]++;
    const std::string_view entryValue = valueAfter(s, "=");
    std::string why;
    if (!readMapEntry(entryKind, entryValue, entry, why)) {
        add(file, kind, lineNo, "graphics-unreadable",
            std::string(key) + " of " + where() + " draws nothing: " + why);
        return;
    }
    int width = 0, height = 0;
    if (entryKind == MapEntryKind::Sprite) {
        const image::LoadedImage& loaded = load(entry.image);
        picture(file, kind, lineNo, entry.image, noted, loaded);
        width = loaded.ok() ? loaded.image.width : standInSize(entry.image);
        height = loaded.ok() ? loaded.image.height : standInSize(entry.image);
    }
    if (drawnAtEdge(entry, width, height))
        add(file, kind, lineNo, "graphics-off-map",
            std::string(key) + " of " + where() + " at " + std::to_string(entry.at.X) + ", " +
                std::to_string(entry.at.Y) +
                " lies off the 320 by 320 map: the map preview draws it at the edge",
            EntryPlace{entry.side, entry.page, entryKind, entry.number});
}

void Checker::picture(const std::string& file, CheckedFile kind, std::size_t lineNo, const std::string& name,
                      std::set<std::string>& noted, const image::LoadedImage& loaded) {
    if (loaded.ok() || !noted.insert(platform::upper1252(name)).second) return;
    if (loaded.missing)
        add(file, kind, lineNo, "picture-missing",
            "the picture " + name + " is not in the game folder: the game shows nothing in its place");
    else
        add(file, kind, lineNo, "picture-unreadable",
            "the picture " + name + " cannot be read (" + loaded.error +
                "): the game shows nothing in its place");
}

void Checker::duplicates() {
    std::map<std::pair<std::size_t, std::string>, std::vector<const Title*>> byTitle;
    for (const Title& t : titles_) {
        std::string key = platform::upper1252(trimSpaces(t.title));
        byTitle[{t.group, std::move(key)}].push_back(&t);
    }
    for (const auto& [key, same] : byTitle) {
        if (same.size() < 2) continue;
        for (const Title* t : same) {
            if (!t->checked) continue;
            std::string others;
            for (const Title* o : same)
                if (o != t) others += (others.empty() ? "" : ", ") + platform::gameNameOf(baseName(o->file));
            add(t->file, t->kind, t->line, "title-duplicate",
                "the title \"" + std::string(trimSpaces(t->title)) + "\" is also the title of " + others +
                    ": the lists cannot tell them apart");
        }
    }
}

std::vector<Finding> Checker::result() {
    std::stable_sort(findings_.begin(), findings_.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.line < b.second.line;
    });
    std::vector<Finding> out;
    out.reserve(findings_.size());
    for (auto& f : findings_) out.push_back(std::move(f.second));
    return out;
}

bool isSingleBattle(const std::string& name) {
    return platform::matchesMask(name, "BATTLE*.TXT");
}

void jsonString(std::string& out, std::string_view bytes) {
    out += '"';
    for (const char c : platform::cp1252ToUtf8(bytes)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[(c >> 4) & 0xF];
                    out += hex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// Threads pay only for a folder of some size: each should have a few dozen missions to check.
std::size_t threadCount(std::size_t asked, std::size_t missions) {
    if (asked > 0) return asked;
    constexpr std::size_t kMostThreads = 4, kMissionsEach = 32;
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min({cores, kMostThreads, missions / kMissionsEach}));
}

}  // namespace

std::vector<Finding> checkMissions(const GameFolders& folders, const CheckOptions& options) {
    Checker checker(folders);
    const bool whole = options.missions.empty();
    constexpr std::size_t kPlayerGroup = 0;

    std::vector<std::string> players;
    for (std::string& name : platform::listFileNames(folders.player + "*.TXT")) {
        bool spellable = false;
        platform::gameNameOf(name, &spellable);
        if (spellable) players.push_back(std::move(name));  // else the game cannot name it
    }
    std::sort(players.begin(), players.end());
    if (whole) {
        // Resolved once: the listed names are spelt as on disk, so each mission is then one direct read.
        const std::string native = platform::fileSystem().nativePath(folders.player) + "/";
        std::vector<MissionFile> files;
        files.reserve(players.size());
        for (const std::string& name : players)
            files.push_back({folders.player + name, native + name, isSingleBattle(name)});
        checker.missions(files, kPlayerGroup, threadCount(options.threads, files.size()));
    } else {
        std::set<std::string> named;
        for (const std::string& m : options.missions) {
            const bool path = m.find_first_of("\\/") != std::string::npos;
            const std::string file = path ? m : folders.player + m;
            named.insert(platform::upperFileName(file));
            checker.mission(file, CheckedFile::Mission, isSingleBattle(baseName(m)), kPlayerGroup);
        }
        // A named mission still must not repeat the title of another.
        for (const std::string& name : players)
            if (!named.count(platform::upperFileName(folders.player + name)))
                checker.otherTitle(folders.player + name, GETTITLE(folders.player + name), kPlayerGroup);
    }

    if (options.campaigns) {
        for (std::size_t c = 0; c < kCampaigns.size(); ++c) {
            const Campaign& campaign = kCampaigns[c];
            for (int k = 0; k <= campaign.lastMission; ++k) {
                const std::string file = folders.campaign(campaign) + "CAMP" + std::to_string(k);
                if (platform::fileExists(file))
                    checker.mission(file, CheckedFile::CampaignMission, false, c + 1);
            }
        }
    }

    if (whole) {
        for (const std::string& name : readBriefingNames(folders.briefings))
            checker.briefingFile(folders.briefings + platform::fileNameOf(name));
        if (backupIncomplete(folders))
            checker.add(folders.backup, CheckedFile::Game, 0, "backup-incomplete",
                        "the original campaign and single missions are not saved yet: Save Original Files "
                        "keeps a copy to restore");
        for (const Campaign& campaign : kCampaigns) {
            std::vector<std::size_t> all;
            for (int k = 0; k <= campaign.lastMission; ++k) all.push_back(static_cast<std::size_t>(k));
            for (std::size_t k : changedSingleBattles(folders, campaign, all))
                checker.add(folders.player + singleBattleName(campaign, k), CheckedFile::Mission, 0,
                            "battle-changed",
                            "this single battle was changed in the battle builder and not copied back to " +
                                std::string(campaign.displayName) + ", CAMP" + std::to_string(k));
        }
    }
    checker.duplicates();
    return checker.result();
}

const std::vector<CheckRule>& checkRules() {
    return kRules;
}

std::string_view severityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "";
}

bool anyErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string shownFile(const Finding& f, const std::string& base) {
    // Findings are game text; inside the game folder only the game's own names are left.
    if (!base.empty() && f.file.size() > base.size() && startsWith(f.file, base))
        return platform::gameNameOf(f.file.substr(base.size()));
    return platform::gameNameOf(f.file);
}

std::string findingLine(const Finding& f, const std::string& base) {
    std::string s = shownFile(f, base);
    if (f.line > 0) s += ":" + std::to_string(f.line);
    s += ": ";
    s += severityName(f.severity);
    s += ": " + f.rule + ": " + f.text;
    return s;
}

std::string findingsText(const std::vector<Finding>& findings, const std::string& base) {
    std::string out;
    for (const Finding& f : findings) out += findingLine(f, base) + "\n";
    return out;
}

std::string findingsJson(const std::vector<Finding>& findings, const std::string& base) {
    std::string out = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i ? ",\n {" : "\n {";
        out += "\"file\": ";
        jsonString(out, shownFile(f, base));
        out += ", \"line\": " + std::to_string(f.line) + ", \"severity\": ";
        jsonString(out, severityName(f.severity));
        out += ", \"rule\": ";
        jsonString(out, f.rule);
        out += ", \"text\": ";
        jsonString(out, f.text);
        out += "}";
    }
    out += findings.empty() ? "]\n" : "\n]\n";
    return out;
}

std::optional<EntryIndex> locateEntry(const std::vector<MapPage>& pages, const EntryPlace& place) {
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (pages[p].side != place.side || pages[p].page != place.page) continue;
        for (std::size_t e = 0; e < pages[p].entries.size(); ++e) {
            const MapEntry& entry = pages[p].entries[e];
            if (entry.kind == place.kind && entry.number == place.number) return EntryIndex{p, e};
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace hartool

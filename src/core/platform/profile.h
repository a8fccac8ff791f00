#pragma once

// Profile (INI) files, read and written by the rules of the Windows private-profile functions, on every
// platform alike.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/platform/filesystem.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace hartool::platform {

// The Windows reader hands values over in a buffer of 1024 characters.
inline constexpr std::size_t kProfileValueLimit = 1023;

// How the bytes of a profile file spell its text. Windows reads a file that starts with a UTF-16LE or a UTF-8
// byte-order mark in that encoding; any other is Windows-1252.
enum class ProfileEncoding { ANSI, UTF8, UTF16LE };

// True for text that begins with a UTF-8 or UTF-16LE byte-order mark.
bool hasByteOrderMark(std::string_view bytes);
// The text of a profile file as the reader sees it: Windows-1252, ending before the first ^Z (0x1A, the DOS
// end-of-file mark that old text files carry), without its byte-order mark.
struct ProfileText {
    std::string text;
    ProfileEncoding encoding = ProfileEncoding::ANSI;
    bool lossless =
        true;  // every character could be spelled in Windows-1252; those that could not read as "?"
};
ProfileText profileText(std::string_view bytes);
// The same, taking over the bytes of a file without a mark instead of copying them.
ProfileText profileText(std::string&& bytes);
// Why a file of that text cannot be taken into a mission as it stands; "" when it can.
std::string profileTextProblem(const ProfileText& text);

// The bytes of a profile file with key set to value, as withProfileValue sets it, in the file's own encoding:
// the byte-order mark, every other line and whatever follows a ^Z stay byte for byte. False, with why, for a
// value that could not be read back as it was given.
bool withProfileValueInFile(std::string_view bytes, std::string_view section, std::string_view key,
                            std::string_view value, std::string& out, std::string& why);

// The same two for a value that is a path, in UTF-8: in a file with a byte-order mark its characters, also
// those Windows-1252 lacks; in one without, its bytes as they stand.
std::string profileUtf8Value(std::string_view bytes, std::string_view section, std::string_view key);
bool withProfileUtf8ValueInFile(std::string_view bytes, std::string_view section, std::string_view key,
                                std::string_view value, std::string& out, std::string& why);

// Value of key in section of a profile text: names compare without regard to case, the first section
// and the first key win, the value is trimmed and loses one pair of enclosing quotes, then is cut to limit.
std::string profileValue(std::string_view text, std::string_view section, std::string_view key,
                         std::size_t limit = kProfileValueLimit);

// The text with key set to value: the value replaced in place (the key as the file spells it), the key
// appended at the end of its section, or a new section at the end, parted from the text before by one line
// break only when the text does not end in one. Every other line stays as it was; CR LF, LF and CR all end
// a line.
std::string withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

// A profile text split into its sections in one pass, for a reader that asks many values of one large text
// (a briefing holding graphics has hundreds of thousands of lines): a look-up then reads one section instead
// of the whole text. Same rules as profileValue. Views into the text, which must outlive this.
class ProfileSections {
  public:
    struct Section {
        std::string_view header;  // the header line from its "["
        std::string_view body;    // the lines up to the next header line, line ends included
    };

    explicit ProfileSections(std::string_view text);

    // Every section in file order, also those of a name used before.
    const std::vector<Section>& sections() const { return sections_; }
    // The first section of that name, nullptr when none.
    const Section* find(std::string_view name) const;
    std::string value(std::string_view section, std::string_view key,
                      std::size_t limit = kProfileValueLimit) const;

  private:
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> firstByUpperName_;
};

// Where the line starting at pos ends: its first CR or LF, or the end of text. A plain loop: find_first_of
// would search the set of two for every character.
inline std::size_t profileLineEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    return pos;
}

// The line ends of a text found from front to back sixteen bytes at a time, where profileLineEnd looks at
// each byte in turn (and memchr, searching for one of the two, would search each byte twice).
class LineEnds {
  public:
    explicit LineEnds(std::string_view text) : text_(text) {}
    // The first CR or LF at or after pos, or the end of text.
    std::size_t from(std::size_t pos) const {
        const char* const begin = text_.data();
        const std::size_t size = text_.size();
#if defined(__SSE2__)
        const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
        for (; pos + 16 <= size; pos += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + pos));
            const int hits =
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
            if (hits != 0) return pos + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
        }
#endif
        while (pos < size && begin[pos] != '\r' && begin[pos] != '\n') ++pos;
        return pos;
    }

  private:
    std::string_view text_;
};

// Calls visit with the body of each line of text, without its line end; CR LF, LF and CR all end a line.
template <class Visit>
void forEachProfileLine(std::string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = profileLineEnd(text, pos);
        visit(text.substr(pos, end - pos));
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

// Calls visit with the body of each line of a file's profileText, read piece by piece, so that a large file
// is never whole in memory (one with a byte-order mark is read whole); lines end as for forEachProfileLine.
// The result is readFileUntil's.
// textProblem (when given) is set to profileTextProblem of the text.
ReadResult forEachProfileLineOfFile(const std::string& path,
                                    const std::function<void(std::string_view)>& visit,
                                    std::string* textProblem = nullptr);

// The section name of a header line ("[name]", blanks around both ignored, the name up to the line's last
// "]"); false for a line that is none, also "[name" without "]", which reads as a line of the section before.
bool profileSectionHeader(std::string_view line, std::string_view& name);

// The key and the raw value of an entry line ("key = value", both trimmed), false for a line that is no
// entry.
bool profileEntry(std::string_view line, std::string_view& key, std::string_view& value);
// value without one pair of enclosing quotes.
std::string_view unquotedProfileValue(std::string_view value);

// A missing file, section or key yields "". The file is read as profileText.
std::string GETENVIRONMENT(const std::string& section, const std::string& key, const std::string& file);
// Creates the file and the section when absent; writes as withProfileValueInFile.
Status WRITEENVIRONMENT(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file);

}  // namespace hartool::platform

#pragma once

// One-line entries of the game's text files ("TITLE: Night Raid"), the lines of a text, and the numbers in
// file names. An entry is found, without regard to case, on the first line that begins with its name (see
// findEntry); only when no line does, at the first occurrence of the name anywhere, even inside a longer
// word, as files have always been read. Its value runs from the first colon after the name to the next
// colon, trimmed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/filesystem.h"
#include "core/text/token.h"

namespace hartool {

// The lines of text, split at line ends (LF, CR LF or CR alone): empty lines are dropped, a leading or
// trailing line break gives a first or last line "". TOKENSTRING joins them with "\r\n".
Token TXT2TOKEN(std::string text);
// The lines of text after its first, as TXT2TOKEN gives them, joined with "\r\n".
std::string linesAfterFirst(std::string text);

// The entry's value, or its word number word when that is not 0 ("" when there is no such word); "" when the
// name does not occur or the file cannot be read. Reads the file only up to the end of the entry's line.
std::string GETENTRY(const std::string& fileName, std::string_view entryName, std::size_t word = 0);
std::string GETTITLE(const std::string& fileName);

struct EntryWrite {
    enum class Outcome {
        WRITTEN,
        NO_ENTRY,  // the file holds no such entry: nothing written
        FAILED,    // the file could not be read or written
    };
    Outcome outcome = Outcome::FAILED;
    std::string text;         // the new text (on disk when written); the text read when there is no entry
    platform::Status status;  // success only when written, else why not
};

// Replaces the entry's line by "NAME: value". The text before the entry stays as it was; the lines after it
// come back with "\r\n" line ends and without empty lines. A file that cannot be read is never written.
EntryWrite PUTENTRY(const std::string& fileName, std::string_view entryName, std::string_view value);
// PUTENTRY on a text in memory: WRITTEN with the new text, or NO_ENTRY with the text unchanged.
EntryWrite withEntry(std::string text, std::string_view entryName, std::string_view value);

// The whole file, atomically: on failure the old file stays.
platform::Status WRITESTRING(const std::string& fileName, std::string_view text);

// The number the name ends in ("BATTLE007" gives 7); 0 when it ends in no digit. Saturates at the largest
// value rather than wrap.
std::int64_t ENDNUMMER(std::string_view name);

// number in a field of one place per "9" of picture, padded with zeros after any "-": (12, "9999") gives
// "0012", (-12, "9999") "-012". A number too wide for the field is written in full.
std::string VOLLZAHL(std::int64_t number, std::string_view picture);

struct SortedThree {
    std::vector<std::string> keys, second, third;
};

// Sorts keys in place (byte order; equal keys keep their order) and returns them with second and third in the
// same new order; second and third are not changed. A position missing from the shorter second or third array
// yields "".
SortedThree SORTTHREE(std::vector<std::string>& keys, const std::vector<std::string>& second,
                      const std::vector<std::string>& third);

// Memory is owned deterministically here, so there is never anything to reclaim.
inline void CLEARMEM() {}

}  // namespace hartool

// The briefing model: reading a briefing file, writing it and reading it again gives the same pages.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/briefing/briefsupport.h"
#include "fuzzcheck.h"
#include "memoryfs.h"

using hartool::Briefing;
using hartool::BriefSupport;

namespace {

const std::string kFile = "C:\\GAME\\DATA\\BACKUP\\BRIEFINGS\\FUZZ";

// A named value as the file gives it back once written: the reader trims blanks and takes off one pair of
// enclosing quotes, while the writer writes the value as it stands (" 9, Orders" from the editor keeps its
// blank in the file, as the format wants). So a quoted or blank-ended value comes back changed; that is the
// rule, not a fault.
std::string readBack(std::string_view v) {
    const std::size_t b = v.find_first_not_of(" \t");
    v = b == std::string_view::npos ? std::string_view() : v.substr(b, v.find_last_not_of(" \t") - b + 1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool samePage(const Briefing& a, const Briefing& b) {
    // A page whose heading and text both come back blank is left out when read again, and all else of it with
    // it: a heading of quoted blanks is one.
    if (readBack(a.CHEADING).empty() && readBack(a.CTEXT).empty())
        return b.CHEADING.empty() && b.CTEXT.empty() && b.CMAP.empty() && b.CMOVIE.empty() &&
               b.CTIMEOUT.empty() && b.ALINESTRINGS.empty() && b.ASPRITESTRINGS.empty() &&
               b.ALABELSTRINGS.empty();
    return readBack(a.CHEADING) == b.CHEADING && readBack(a.CTEXT) == b.CTEXT && readBack(a.CMAP) == b.CMAP &&
           readBack(a.CMOVIE) == b.CMOVIE && readBack(a.CTIMEOUT) == b.CTIMEOUT &&
           a.ALINESTRINGS == b.ALINESTRINGS && a.ASPRITESTRINGS == b.ASPRITESTRINGS &&
           a.ALABELSTRINGS == b.ALABELSTRINGS;
}

bool samePages(const std::vector<Briefing>& a, const std::vector<Briefing>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!samePage(a[i], b[i])) return false;
    return true;
}

bool hasPage(BriefSupport& b) {
    for (auto* pages : {&b.BLUEBRIEFARRAY(), &b.REDBRIEFARRAY()})
        for (const Briefing& p : *pages)
            if (!p.CHEADING.empty() || !p.CTEXT.empty()) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    hartool::fuzz::MemoryFileSystem files;
    files.write(kFile, std::string(reinterpret_cast<const char*>(data), size));
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    BriefSupport first(kFile);
    if (!first.WRITEBRIEFINGS()) {
        // Refused only for a file behind a byte-order mark whose characters the code page cannot spell (they
        // would be lost), and then the file stays as it was.
        FUZZ_CHECK(bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xEF\xBB\xBF"));
        FUZZ_CHECK(files.read(kFile).content == bytes);
        return 0;
    }

    BriefSupport again(kFile);
    // The mode is the file's mention of a two-sided section anywhere, also where no page is: a file without
    // a page is written without one and reads as one side.
    FUZZ_CHECK(again.DOUBLEMODE() == first.DOUBLEMODE() || !hasPage(first));
    FUZZ_CHECK(again.CUTSCENE() == readBack(first.CUTSCENE()) && again.SOUND() == readBack(first.SOUND()));
    FUZZ_CHECK(samePages(first.BLUEBRIEFARRAY(), again.BLUEBRIEFARRAY()));
    FUZZ_CHECK(samePages(first.REDBRIEFARRAY(), again.REDBRIEFARRAY()));
    FUZZ_CHECK(again.DOUBLEMODE() || samePages(first.BRIEFARRAY(), again.BRIEFARRAY()));
    return 0;
}

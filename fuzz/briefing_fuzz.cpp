// The briefing model: reading a briefing file, writing it and reading it again gives the same pages, and a
// second write gives the same file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "briefing/briefsupport.h"
#include "fuzzcheck.h"
#include "memoryfs.h"

using hartool::Briefing;
using hartool::BriefSupport;

namespace {

const std::string kFile = "C:\\GAME\\DATA\\BACKUP\\BRIEFINGS\\FUZZ";

bool samePage(const Briefing& a, const Briefing& b) {
    return a.CHEADING == b.CHEADING && a.CTEXT == b.CTEXT && a.CMAP == b.CMAP && a.CMOVIE == b.CMOVIE &&
           a.CTIMEOUT == b.CTIMEOUT && a.ALINESTRINGS == b.ALINESTRINGS &&
           a.ASPRITESTRINGS == b.ASPRITESTRINGS && a.ALABELSTRINGS == b.ALABELSTRINGS;
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
    BriefSupport first(kFile);
    FUZZ_CHECK(first.WRITEBRIEFINGS());
    const std::string written = *files.file(kFile);

    BriefSupport again(kFile);
    // The mode is the file's mention of a two-sided section anywhere, also where no page is: a file without
    // a page is written without one and reads as one side.
    FUZZ_CHECK(again.DOUBLEMODE() == first.DOUBLEMODE() || !hasPage(first));
    FUZZ_CHECK(again.CUTSCENE() == first.CUTSCENE() && again.SOUND() == first.SOUND());
    FUZZ_CHECK(samePages(again.BLUEBRIEFARRAY(), first.BLUEBRIEFARRAY()));
    FUZZ_CHECK(samePages(again.REDBRIEFARRAY(), first.REDBRIEFARRAY()));
    FUZZ_CHECK(again.DOUBLEMODE() || samePages(again.BRIEFARRAY(), first.BRIEFARRAY()));
    FUZZ_CHECK(again.WRITEBRIEFINGS());
    FUZZ_CHECK(*files.file(kFile) == written);
    return 0;
}

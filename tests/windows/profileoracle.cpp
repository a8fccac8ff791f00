// The profile rules against Windows' own functions: a generated corpus of profile files (fixed seed) is read
// and written by GetPrivateProfileStringA / WritePrivateProfileStringA and by the core, and every difference
// must be one of the known departures listed in the table given as the first argument. Built for Windows
// only, run under Wine by scripts/test-windows.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/codepage.h"
#include "core/platform/profile.h"

using namespace hartool::platform;

namespace {

constexpr int kFiles = 1000;
constexpr int kQueriesPerFile = 5;

// A small generator of our own, so that the corpus is the same with every standard library.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 11);
    }
    std::size_t below(std::size_t n) { return next() % n; }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    template <class T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }
};

struct Case {
    std::string bytes;
    std::set<std::string> tags;  // the features in play, as the departures table names them
};

const char* const kSections[] = {"A", "a", "B", "Misc", "Briefing 0", "\xC4rger", "\xE4rger"};
const char* const kKeys[] = {"k", "K", "Text", "Time Out", "x", "\xC9t\xE9", "\xE9t\xE9"};
const char* const kValues[] = {"1",   "two words", "\"quoted\"", "'single'", "",
                               "a=b", "caf\xE9",   "-12",        "\"a'"};
const char* const kEnds[] = {"\r\n", "\r\n", "\n", "\r"};

bool accented(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

Case generate(Random& r) {
    Case c;
    std::string text;
    const std::string end = r.pick(kEnds);
    const std::size_t lines = 2 + r.below(12);
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t kind = r.below(20);
        if (kind < 5 || i == 0) {
            std::string name = r.pick(kSections);
            if (r.chance(3)) {
                name.clear();
                c.tags.insert("empty-section");
            }
            if (r.chance(8)) {
                text += "[" + name;
                c.tags.insert("missing-bracket");
            } else if (r.chance(10)) {
                text += "[ " + name + " ]";
                c.tags.insert("blanks-in-brackets");
            } else {
                text += (r.chance(20) ? " [" : "[") + name + (r.chance(20) ? "] " : "]");
            }
        } else if (kind < 16) {
            std::string key = r.pick(kKeys);
            std::string value = r.pick(kValues);
            text += r.chance(15) ? " " + key + " = " + value + " " : key + "=" + value;
        } else if (kind < 17) {
            text += r.pick(kKeys);
            c.tags.insert("no-equals");
        } else if (kind < 18) {
            text += std::string(";") + r.pick(kKeys) + "=c";
        }
        // else a blank line
        if (i + 1 < lines || r.chance(70)) text += end;
    }
    const std::size_t eof = r.below(100);
    if (eof < 12) {
        text += "\x1a";
    } else if (eof < 15) {
        text += "\x1a\x1a\x1a";
    } else if (eof < 18) {
        text += std::string("\x1a") + "k=late" + end;
        c.tags.insert("after-eof");
    }
    const std::size_t encoding = r.below(100);
    if (encoding < 15) {
        c.bytes = "\xEF\xBB\xBF" + cp1252ToUtf8(text);
    } else if (encoding < 30) {
        std::u16string units = cp1252ToUtf16(text);
        // Now and then a character that Windows-1252 cannot spell, in a value.
        if (r.chance(30))
            if (const std::size_t eq = units.find(u'='); eq != std::u16string::npos)
                units.insert(eq + 1, 1, u'\u4E2D');
        c.bytes = "\xFF\xFE";
        for (char16_t u : units) {
            c.bytes += static_cast<char>(u & 0xFF);
            c.bytes += static_cast<char>(u >> 8);
        }
    } else {
        c.bytes = text;
    }
    return c;
}

std::string visible(const std::string& s) {
    std::string out;
    for (unsigned char ch : s) {
        if (ch >= 0x20 && ch < 0x7F && ch != '\\') {
            out += static_cast<char>(ch);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", ch);
            out += hex;
        }
    }
    return out;
}

bool save(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::string load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string windowsValue(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
    return buffer;
}

// The departures table: the first cell of each row of a Markdown table, header and rule rows aside.
std::set<std::string> departures(const std::string& path, bool& found) {
    std::set<std::string> tags;
    std::ifstream in(path);
    found = static_cast<bool>(in);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("| `", 0) != 0) continue;
        const std::size_t close = line.find('`', 3);
        if (close != std::string::npos) tags.insert(line.substr(3, close - 3));
    }
    return tags;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: profileoracle departures.md\n");
        return 2;
    }
    if (GetACP() != 1252) {
        std::fprintf(stderr, "profileoracle: the ANSI code page is %u, not 1252\n", GetACP());
        return 2;
    }
    bool found = false;
    const std::set<std::string> listed = departures(argv[1], found);
    if (!found) {
        std::fprintf(stderr, "profileoracle: no departures table at %s\n", argv[1]);
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "hartool-profileoracle\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    Random r;
    std::size_t reads = 0, writes = 0, unlisted = 0;
    std::map<std::string, std::size_t> departed;
    const auto differ = [&](const Case& c, const std::string& what) {
        for (const std::string& tag : c.tags)
            if (listed.count(tag)) {
                ++departed[tag];
                return;
            }
        if (++unlisted <= 20)
            std::printf("unlisted difference: %s\n  file: %s\n", what.c_str(), visible(c.bytes).c_str());
    };
    for (int i = 0; i < kFiles; ++i) {
        Case c = generate(r);
        const std::string file = folder + "f" + std::to_string(i) + ".ini";
        save(file, c.bytes);
        const std::string text = profileText(c.bytes).text;
        std::vector<std::pair<std::string, std::string>> asked;
        for (int q = 0; q < kQueriesPerFile; ++q) {
            Case query = c;
            std::string section = r.pick(kSections), key = r.pick(kKeys);
            if (accented(section) || accented(key)) query.tags.insert("accented-name");
            asked.emplace_back(section, key);
            const std::string ours = profileValue(text, section, key);
            const std::string theirs = windowsValue(file, section, key);
            ++reads;
            if (ours != theirs)
                differ(query, "read [" + visible(section) + "] " + visible(key) + ": ours \"" +
                                  visible(ours) + "\", Windows \"" + visible(theirs) + "\"");
        }
        // A write on every other file: both writers on copies; what either wrote must read the same for the
        // Windows reader, and the value written must be found by both readers in our file.
        if (i % 2 == 0) {
            Case write = c;
            const std::string section = r.pick(kSections), key = r.pick(kKeys), value = r.pick(kValues);
            if (accented(section) || accented(key)) write.tags.insert("accented-name");
            asked.emplace_back(section, key);
            const std::string oursFile = folder + "o" + std::to_string(i) + ".ini";
            const std::string theirsFile = folder + "w" + std::to_string(i) + ".ini";
            std::string written, why;
            ++writes;
            if (!withProfileValueInFile(c.bytes, section, key, value, written, why)) {
                differ(write, "write refused: " + why);
                continue;
            }
            save(oursFile, written);
            save(theirsFile, c.bytes);
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), theirsFile.c_str());
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirsFile.c_str());
            const std::string oursRead = profileValue(profileText(load(oursFile)).text, section, key);
            const std::string windowsRead = windowsValue(oursFile, section, key);
            if (oursRead != windowsRead)
                differ(write, "write [" + visible(section) + "] " + visible(key) + "=" + visible(value) +
                                  ": read back ours \"" + visible(oursRead) + "\", Windows \"" +
                                  visible(windowsRead) + "\"; written " + visible(written));
            for (const auto& [s, k] : asked) {
                Case again = write;
                if (accented(s) || accented(k)) again.tags.insert("accented-name");
                const std::string a = windowsValue(oursFile, s, k), b = windowsValue(theirsFile, s, k);
                if (a != b)
                    differ(again, "after write [" + visible(section) + "] " + visible(key) + "=" +
                                      visible(value) + ", read [" + visible(s) + "] " + visible(k) +
                                      ": ours wrote \"" + visible(a) + "\", Windows wrote \"" + visible(b) +
                                      "\"; written " + visible(written) + "; Windows wrote " +
                                      visible(load(theirsFile)));
            }
            DeleteFileA(oursFile.c_str());
            DeleteFileA(theirsFile.c_str());
        }
        DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(folder.c_str());
    std::printf("profileoracle: %d files, %zu reads, %zu writes against the Windows functions\n", kFiles,
                reads, writes);
    for (const std::string& tag : listed)
        std::printf("  listed departure %s: %zu\n", tag.c_str(), departed.count(tag) ? departed[tag] : 0);
    if (unlisted > 0) {
        std::printf("profileoracle: %zu unlisted differences\n", unlisted);
        return 1;
    }
    return 0;
}

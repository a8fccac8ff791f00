#include "core/platform/codepage.h"

#include <cstdint>
#include <cstring>

namespace hartool::platform {

namespace {

// Unicode code points of 0x80..0x9F. The five holes map to the C1 controls, as Windows does,
// so every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t toUnicode(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : b;
}

int fromUnicode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The UTF-8 character at s[i]: its code point and length, or length 0 for a byte that starts none. With
// surrogates, a lone surrogate's three bytes count as one (the form utf16ToUtf8 gives it).
struct Decoded {
    char32_t cp = 0;
    std::size_t length = 0;
};
Decoded decodeUtf8(std::string_view s, std::size_t i, bool surrogates) {
    auto b = static_cast<unsigned char>(s[i]);
    char32_t cp = 0;
    std::size_t len = 0;
    if (b < 0x80) {
        return {b, 1};
    } else if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F, len = 2;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F, len = 3;
    } else if ((b & 0xF8) == 0xF0) {
        cp = b & 0x07, len = 4;
    } else {
        return {};
    }
    if (i + len > s.size()) return {};
    for (std::size_t k = 1; k < len; ++k) {
        auto cont = static_cast<unsigned char>(s[i + k]);
        if ((cont & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (cont & 0x3F);
    }
    // Overlong forms would let a name smuggle in a separator, a dot or a NUL.
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[len] || cp > 0x10FFFF || (!surrogates && cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, len};
}

}  // namespace

char upper1252(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x9A:
            return static_cast<char>(0x8A);  // s caron
        case 0x9C:
            return static_cast<char>(0x8C);  // oe
        case 0x9E:
            return static_cast<char>(0x8E);  // z caron
        case 0xFF:
            return static_cast<char>(0x9F);  // y diaeresis
        default:
            break;
    }
    if (b >= 0xE0 && b != 0xF7) return static_cast<char>(b - 0x20);  // 0xF7 is the division sign
    return c;
}

char lower1252(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
    switch (b) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            break;
    }
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 0x20);  // 0xD7 is the multiplication sign
    return c;
}

std::string upper1252(std::string_view s) {
    std::string out(s);
    upper1252InPlace(out.data(), out.size());
    return out;
}

void upper1252InPlace(char* s, std::size_t size) {
    // Whole files are folded: eight ASCII characters at a time, a byte at a time only around the others.
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighBits = 0x80 * kOnes;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s + i, 8);
        if (w & kHighBits) {
            for (std::size_t k = i; k < i + 8; ++k) s[k] = upper1252(s[k]);
            continue;
        }
        // Every byte is below 0x80, so no sum carries into the next byte.
        const std::uint64_t fromA = w + (0x80 - 'a') * kOnes;      // high bit set from 'a' on
        const std::uint64_t pastZ = w + (0x80 - 'z' - 1) * kOnes;  // high bit set after 'z'
        w ^= ((fromA & ~pastZ) & kHighBits) >> 2;                  // 0x20 off each lower-case letter
        std::memcpy(s + i, &w, 8);
    }
    for (; i < size; ++i) s[i] = upper1252(s[i]);
}

bool iequals1252(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper1252(a[i]) != upper1252(b[i])) return false;
    return true;
}

std::string cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view s, bool* ok) {
    std::string out;
    out.reserve(s.size());
    bool all = true;
    std::size_t i = 0;
    while (i < s.size()) {
        const Decoded d = decodeUtf8(s, i, false);
        const int mapped = d.length == 0 ? -1 : fromUnicode(d.cp);
        if (mapped < 0) {
            out += '?';
            all = false;
        } else {
            out += static_cast<char>(mapped);
        }
        i += d.length == 0 ? 1 : d.length;
    }
    if (ok) *ok = all;
    return out;
}

std::u16string cp1252ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    // Every code point of the code page lies in the basic plane: one UTF-16 unit each.
    for (char c : s) out += static_cast<char16_t>(toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string utf16ToCp1252(std::u16string_view s, bool* ok) {
    std::string out;
    out.reserve(s.size());
    bool all = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        // A surrogate pair is one character, which the code page cannot hold: one "?" for it.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
        const int mapped = fromUnicode(cp);
        if (mapped < 0) {
            out += '?';
            all = false;
        } else {
            out += static_cast<char>(mapped);
        }
    }
    if (ok) *ok = all;
    return out;
}

std::string upperFileName(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            out += upper1252(s[i++]);
            continue;
        }
        const Decoded d = decodeUtf8(s, i, false);
        const int mapped = d.length == 0 ? -1 : fromUnicode(d.cp);
        if (mapped < 0) {
            const std::size_t n = d.length == 0 ? 1 : d.length;
            out.append(s.substr(i, n));
            i += n;
            continue;
        }
        appendUtf8(out, toUnicode(static_cast<unsigned char>(upper1252(static_cast<char>(mapped)))));
        i += d.length;
    }
    return out;
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const Decoded d = decodeUtf8(s, i, false);
        if (d.length == 0) return false;
        i += d.length;
    }
    return true;
}

bool iequalsFileName(std::string_view a, std::string_view b) {
    return upperFileName(a) == upperFileName(b);
}

std::u16string utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const Decoded d = decodeUtf8(s, i, true);
        if (d.length == 0) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (d.cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((d.cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((d.cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(d.cp);
        }
        i += d.length;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(out, cp);
    }
    return out;
}

}  // namespace hartool::platform

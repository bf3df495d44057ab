#include "base/cp1252.h"

#include <array>
#include <cstdint>

namespace varemo {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 marks the five undefined bytes.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at i and advances i; invalid sequences yield U+FFFD and advance one byte.
char32_t decodeUtf8(std::string_view s, size_t& i) {
    auto b0 = static_cast<uint8_t>(s[i]);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 0x6 ? 1 : (b0 >> 4) == 0xE ? 2 : (b0 >> 3) == 0x1E ? 3 : -1;
    if (extra == 0) {
        ++i;
        return b0;
    }
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto b = static_cast<uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return cp;
}

} // namespace

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out(utf8.size(), '\0');
    out.resize(utf8ToCp1252(utf8, out.data(), out.size()));
    return out;
}

size_t utf8ToCp1252(std::string_view utf8, char* out, size_t capacity) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size() && n < capacity; ++n) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out[n] = utf8[i++];
            continue;
        }
        out[n] = toByte(decodeUtf8(utf8, i));
    }
    return n;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<uint8_t>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : char32_t('?'));
        else
            appendUtf8(out, b);
    }
    return out;
}

size_t utf8Length(std::string_view utf8) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++n)
        decodeUtf8(utf8, i);
    return n;
}

} // namespace varemo

// Windows-1250, the code page of every text the game shows or writes to its trace. The source
// keeps texts readable as UTF-8 literals; cp1250("Wczytuję...") turns them into the game's
// single bytes at compile time, and toUtf8 turns bytes back where a library wants UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Unicode code point of each byte 0x80..0xFF; 0 where the code page has no character.
// Eight bytes a row, as the code page is printed.
// clang-format off
inline constexpr std::array<std::uint16_t, 128> kCp1250High = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

// The byte for a code point, or '?' when the code page lacks it.
constexpr char cp1250Byte(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kCp1250High.size(); ++i)
        if (kCp1250High[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// A NUL-terminated Windows-1250 text made at compile time.
template <std::size_t N>
struct Cp1250Text {
    char bytes[N] = {};
    std::size_t length = 0;
    constexpr const char* c_str() const { return bytes; }
    constexpr operator const char*() const { return bytes; }
    constexpr std::string_view view() const { return {bytes, length}; }
};

// The code point of the UTF-8 sequence at `i` of `utf8` (`size` bytes), and `i` past it.
constexpr char32_t nextCodePoint(const char* utf8, std::size_t size, std::size_t& i) {
    auto b = static_cast<unsigned char>(utf8[i++]);
    char32_t cp = b;
    int extra = 0;
    if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F;
        extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F;
        extra = 2;
    } else if (b >= 0xF0) {
        cp = b & 0x07;
        extra = 3;
    }
    for (int k = 0; k < extra && i < size; ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return cp;
}

template <std::size_t N>
consteval Cp1250Text<N> cp1250(const char (&utf8)[N]) {
    Cp1250Text<N> out;
    std::size_t i = 0;
    while (i + 1 < N && utf8[i] != '\0') out.bytes[out.length++] = cp1250Byte(nextCodePoint(utf8, N - 1, i));
    return out;
}

// UTF-8 to Windows-1250 bytes at run time (a path, a system's message); signs the code page
// lacks become '?'.
inline std::string fromUtf8(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) out.push_back(cp1250Byte(nextCodePoint(utf8.data(), utf8.size(), i)));
    return out;
}

// Windows-1250 bytes to UTF-8 (bytes the code page does not define become U+FFFD).
inline std::string toUtf8(std::string_view cp) {
    std::string out;
    out.reserve(cp.size() * 2);
    for (char ch : cp) {
        auto b = static_cast<unsigned char>(ch);
        char32_t c = b < 0x80 ? b : kCp1250High[b - 0x80];
        if (c == 0 && b != 0) c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace plat

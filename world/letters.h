// The letters of the bitmap font beyond '0' to 'Z': the Cyrillic capitals that Ukrainian texts
// and names need, each under its byte of Windows-1251, the code page the table's names keep them
// in (one byte a letter, so a name still has eight). The Polish game draws such a byte as an
// empty cell; the other languages draw its glyph from the row of extra letters (layout.h).
#pragma once

#include <array>
#include <cstdint>

namespace letters {

struct Letter {
    std::uint8_t byte;  // in names and bitmap-font texts
    char32_t codePoint;
};

// In glyph order: the Ukrainian alphabet.
// clang-format off
inline constexpr std::array<Letter, 33> kExtra = {{
    {0xC0, U'А'}, {0xC1, U'Б'}, {0xC2, U'В'}, {0xC3, U'Г'}, {0xA5, U'Ґ'}, {0xC4, U'Д'}, {0xC5, U'Е'},
    {0xAA, U'Є'}, {0xC6, U'Ж'}, {0xC7, U'З'}, {0xC8, U'И'}, {0xB2, U'І'}, {0xAF, U'Ї'}, {0xC9, U'Й'},
    {0xCA, U'К'}, {0xCB, U'Л'}, {0xCC, U'М'}, {0xCD, U'Н'}, {0xCE, U'О'}, {0xCF, U'П'}, {0xD0, U'Р'},
    {0xD1, U'С'}, {0xD2, U'Т'}, {0xD3, U'У'}, {0xD4, U'Ф'}, {0xD5, U'Х'}, {0xD6, U'Ц'}, {0xD7, U'Ч'},
    {0xD8, U'Ш'}, {0xD9, U'Щ'}, {0xDC, U'Ь'}, {0xDE, U'Ю'}, {0xDF, U'Я'},
}};
// clang-format on

// The glyph of a byte among the extra letters, or -1.
constexpr int extraGlyph(std::uint8_t byte) {
    for (std::size_t i = 0; i < kExtra.size(); ++i)
        if (kExtra[i].byte == byte) return static_cast<int>(i);
    return -1;
}

// The byte of a code point: itself below 0x80, its extra letter's byte, or 0 when the font has
// no such letter.
constexpr std::uint8_t byteOf(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<std::uint8_t>(codePoint);
    for (const Letter& l : kExtra)
        if (l.codePoint == codePoint) return l.byte;
    return 0;
}

}  // namespace letters

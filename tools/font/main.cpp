// Writes the game's text font as C++ data (platform/common/text_glyphs.h): the glyph of each
// character of Windows-1250, Latin-1, Latin Extended-A and the Cyrillic letters as FreeType
// renders it with light hinting, and the advances and pair kerning HarfBuzz gives, so that a
// line laid out from the data is the line SDL_ttf draws with the same font and settings.
//   kalkulon_font FONT.ttf OUT.cpp
#include "platform/cp1250.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPointSize = 12;
constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT;

int ceilPixels(FT_Long v) { return static_cast<int>(((v + 63) & -64) / 64); }

struct Shaped {
    hb_codepoint_t glyph = 0;
    int advance = 0;  // 26.6
};

// The glyphs and advances HarfBuzz gives `text` (kerning on), as SDL_ttf asks for them.
std::vector<Shaped> shape(hb_font_t* font, const std::u32string& text) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()), static_cast<int>(text.size()), 0, -1);
    const hb_feature_t kerning{HB_TAG('k', 'e', 'r', 'n'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
    hb_shape(font, buffer, &kerning, 1);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    std::vector<Shaped> out;
    for (unsigned i = 0; i < count; ++i) out.push_back({infos[i].codepoint, positions[i].x_advance});
    hb_buffer_destroy(buffer);
    return out;
}

// The characters the data covers, ascending: 0 (the missing glyph), the ASCII range, every
// Windows-1250 character (U+FFFD for a byte the code page lacks, as the text output names it),
// Latin-1 and Latin Extended-A, and the Cyrillic letters with Ukrainian's Ґ and ґ.
std::vector<char32_t> coveredCharacters() {
    std::vector<char32_t> points{0xFFFD};
    for (char32_t cp = 0; cp < 0x80; ++cp) points.push_back(cp);
    for (const std::uint16_t cp : plat::kCp1250High)
        if (cp != 0) points.push_back(cp);
    for (char32_t cp = 0xA0; cp <= 0x17F; ++cp) points.push_back(cp);
    for (char32_t cp = 0x400; cp <= 0x45F; ++cp) points.push_back(cp);
    points.push_back(0x490);
    points.push_back(0x491);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalkulon_font FONT.ttf OUT.cpp\n");
        return 2;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0 ||
        FT_Set_Char_Size(face, 0, kPointSize * 64, 0, 0) != 0) {
        std::fprintf(stderr, "kalkulon_font: %s: the font cannot be read\n", argv[1]);
        return 1;
    }
    hb_font_t* shaper = hb_ft_font_create(face, nullptr);
    hb_ft_font_set_load_flags(shaper, kLoadFlags);

    const FT_Fixed scale = face->size->metrics.y_scale;
    std::ostringstream glyphs;
    std::ostringstream pixels;
    std::size_t offset = 0;
    const std::vector<char32_t> points = coveredCharacters();
    std::vector<int> own(points.size(), 0);
    std::ostringstream codes;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const char32_t cp = points[i];
        codes << "    " << static_cast<std::uint32_t>(cp) << ",\n";
        // Code point 0 never reaches the text output; it keeps the font's missing-glyph box.
        const std::vector<Shaped> shaped = cp == 0 ? std::vector<Shaped>{{0, 0}} : shape(shaper, std::u32string(1, cp));
        if (shaped.size() != 1) {
            std::fprintf(stderr, "kalkulon_font: U+%04X does not shape as one glyph\n", static_cast<unsigned>(cp));
            return 1;
        }
        own[i] = shaped[0].advance;
        const FT_UInt index = shaped[0].glyph;
        if (FT_Load_Glyph(face, index, kLoadFlags) != 0 || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
            std::fprintf(stderr, "kalkulon_font: the glyph of U+%04X cannot be rendered\n", static_cast<unsigned>(cp));
            return 1;
        }
        const FT_GlyphSlot slot = face->glyph;
        const int width = static_cast<int>(slot->bitmap.width);
        const int rows = static_cast<int>(slot->bitmap.rows);
        glyphs << "    {" << own[i] << ", " << slot->bitmap_left << ", " << slot->bitmap_top << ", " << width << ", " << rows
               << ", " << offset << "},\n";
        for (int y = 0; y < rows; ++y) {
            pixels << "   ";
            for (int x = 0; x < width; ++x) pixels << ' ' << int{slot->bitmap.buffer[y * slot->bitmap.pitch + x]} << ',';
            pixels << '\n';
        }
        offset += static_cast<std::size_t>(width) * static_cast<std::size_t>(rows);
    }
    std::ostringstream kerns;
    std::size_t kernCount = 0;
    for (std::size_t first = 1; first < points.size(); ++first)
        for (std::size_t second = 1; second < points.size(); ++second) {
            const std::vector<Shaped> pair = shape(shaper, std::u32string{points[first], points[second]});
            if (pair.size() != 2) {
                std::fprintf(stderr, "kalkulon_font: U+%04X U+%04X do not shape as two glyphs\n",
                             static_cast<unsigned>(points[first]), static_cast<unsigned>(points[second]));
                return 1;
            }
            const int delta = pair[0].advance - own[first];
            if (delta == 0) continue;
            kerns << "    {" << (static_cast<std::uint32_t>(points[first]) << 16 | static_cast<std::uint32_t>(points[second]))
                  << "u, " << delta << "},\n";
            ++kernCount;
        }

    std::ofstream out(argv[2]);
    out << "// Written by tools/font from " << argv[1] << "; do not edit.\n"
        << "#include \"platform/common/text_glyphs.h\"\n\nnamespace plat::glyphs {\n\n"
        << "const std::int32_t kAscent = " << ceilPixels(FT_MulFix(face->ascender, scale)) << ";\n"
        << "const std::int32_t kLineHeight = " << ceilPixels(FT_MulFix(face->ascender - face->descender, scale)) << ";\n"
        << "const char32_t kCodePoints[] = {\n"
        << codes.str() << "};\n"
        << "const std::size_t kGlyphCount = " << points.size() << ";\n"
        << "const Glyph kGlyphs[] = {\n"
        << glyphs.str() << "};\n"
        << "const std::uint8_t kPixels[] = {\n"
        << pixels.str() << "    0};\n"
        << "const Kern kKerns[] = {\n"
        << kerns.str() << "    {0xFFFFFFFFu, 0}};\n"
        << "const std::size_t kKernCount = " << kernCount << ";\n\n}  // namespace plat::glyphs\n";
    hb_font_destroy(shaper);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return out ? 0 : 1;
}

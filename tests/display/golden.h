// Golden pictures: composed frames compared pixel for pixel with reference frames kept in
// tests/golden/ as PNG files, so they can be looked at. Each RGB565 pixel is stored as the
// 8-bit colour it stands for (its bits repeated into the low ones), so the file gives back
// every pixel exactly; a reference holding any other colour is refused.
// A frame that differs is written as PNG files (actual and expected) into
// <temp>/kalkulon-golden/ so it can be looked at, and the failure names the font the text was
// drawn with (another font release may rasterise differently).
//
// To rewrite the references on purpose (after a deliberate change to what is drawn, or to the
// font), run the tests with KALKULON_UPDATE_GOLDEN=1 in the environment, look at the new
// pictures, and commit them:
//   KALKULON_UPDATE_GOLDEN=1 ./kalkulon_tests --gtest_filter='*Golden*'
#pragma once

#include "display/surface.h"
#include "png_files.h"

#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace display_test {

inline std::string goldenPath(const std::string& name) {
    return std::string(KALKULON_SOURCE_DIR) + "/tests/golden/" + name + ".png";
}

inline bool updatingGolden() {
    const char* v = std::getenv("KALKULON_UPDATE_GOLDEN");
    return v != nullptr && std::string(v) == "1";
}

inline std::vector<std::uint8_t> frameAsPng(int width, int height, const std::vector<std::uint16_t>& pixels) {
    return gallery::encodeFrame565(pixels, width, height);
}

// The reference's pixels, or false when the file is missing, damaged or holds a colour that
// no RGB565 pixel stands for.
inline bool readGolden(const std::string& path, int& width, int& height, std::vector<std::uint16_t>& pixels) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return gallery::decodeFrame565(bytes, pixels, width, height);
}

inline bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The text font and the revision FreeType reads from its header ("revision 2.37"), for a
// failure message.
inline std::string fontInUse() {
    std::string revision = "missing or unreadable";
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) == 0 && FT_New_Face(library, KALKULON_FONT_PATH, 0, &face) == 0) {
        if (const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD)); head != nullptr) {
            char text[32];
            std::snprintf(text, sizeof text, "revision %.2f", static_cast<double>(head->Font_Revision) / 65536.0);
            revision = text;
        }
        FT_Done_Face(face);
    }
    if (library != nullptr) FT_Done_FreeType(library);
    return std::string("DejaVu Sans Bold ") + KALKULON_FONT_PATH + " (" + revision + ")";
}

inline ::testing::AssertionResult matchesGolden(const std::string& name, const Surface& s) {
    std::vector<std::uint16_t> actual;
    for (int y = 0; y < s.height(); ++y) actual.insert(actual.end(), s.row(y), s.row(y) + s.width());
    if (updatingGolden()) {
        const std::vector<std::uint8_t> bytes = frameAsPng(s.width(), s.height(), actual);
        if (!writeBytes(goldenPath(name), bytes)) return ::testing::AssertionFailure() << "cannot write " << goldenPath(name);
        std::cout << "[ golden   ] rewrote " << goldenPath(name) << " (" << bytes.size() << " bytes)\n";
        return ::testing::AssertionSuccess();
    }
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> expected;
    if (!readGolden(goldenPath(name), width, height, expected))
        return ::testing::AssertionFailure()
               << "no usable reference " << goldenPath(name) << "; make one with KALKULON_UPDATE_GOLDEN=1";
    if (width != s.width() || height != s.height())
        return ::testing::AssertionFailure() << "reference is " << width << " x " << height;
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = actual.size(); i-- > 0;)
        if (actual[i] != expected[i]) {
            ++differing;
            first = i;
        }
    if (differing == 0) return ::testing::AssertionSuccess();
    std::error_code ec;
    const auto folder = std::filesystem::temp_directory_path(ec) / "kalkulon-golden";
    std::filesystem::create_directories(folder, ec);
    writeBytes((folder / (name + ".actual.png")).string(), frameAsPng(width, height, actual));
    writeBytes((folder / (name + ".expected.png")).string(), frameAsPng(width, height, expected));
    const auto w = static_cast<std::size_t>(width);
    return ::testing::AssertionFailure() << differing << " pixels differ from " << goldenPath(name) << ", first at (" << first % w
                                         << ", " << first / w << "): " << actual[first] << " instead of " << expected[first]
                                         << "; see " << folder << "; text drawn with " << fontInUse();
}

}  // namespace display_test

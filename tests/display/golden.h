// Golden pictures: composed frames compared pixel for pixel with reference frames kept in
// tests/golden/. A reference is a small file of RGB565 runs:
//   "KGLD", width (u16), height (u16), then (run length u16, pixel u16) pairs, row after row,
//   all little-endian.
// A frame that differs is written as BMP files (actual and expected) into
// <temp>/kalkulon-golden/ so it can be looked at.
//
// To rewrite the references on purpose (after a deliberate change to what is drawn, or to the
// font), run the tests with KALKULON_UPDATE_GOLDEN=1 in the environment, look at the new
// pictures, and commit them:
//   KALKULON_UPDATE_GOLDEN=1 ./kalkulon_tests --gtest_filter='Golden*'
#pragma once

#include "display/surface.h"
#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace display_test {

inline std::string goldenPath(const std::string& name) {
    return std::string(KALKULON_SOURCE_DIR) + "/tests/golden/" + name + ".rle";
}

inline bool updatingGolden() {
    const char* v = std::getenv("KALKULON_UPDATE_GOLDEN");
    return v != nullptr && std::string(v) == "1";
}

inline std::string encodeGolden(const Surface& s) {
    std::string out = "KGLD";
    testing_support::putLe16(out, static_cast<std::uint32_t>(s.width()));
    testing_support::putLe16(out, static_cast<std::uint32_t>(s.height()));
    const std::size_t total = static_cast<std::size_t>(s.width()) * static_cast<std::size_t>(s.height());
    std::size_t i = 0;
    while (i < total) {
        const std::uint16_t p = s.at(static_cast<int>(i % s.width()), static_cast<int>(i / s.width()));
        std::size_t run = 1;
        while (i + run < total && run < 0xFFFF &&
               s.at(static_cast<int>((i + run) % s.width()), static_cast<int>((i + run) / s.width())) == p)
            ++run;
        testing_support::putLe16(out, static_cast<std::uint32_t>(run));
        testing_support::putLe16(out, p);
        i += run;
    }
    return out;
}

// The reference's pixels, or false when the file is missing or damaged.
inline bool decodeGolden(const std::string& bytes, int& width, int& height, std::vector<std::uint16_t>& pixels) {
    auto u16 = [&](std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                          static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    if (bytes.size() < 8 || bytes.compare(0, 4, "KGLD") != 0) return false;
    width = u16(4);
    height = u16(6);
    pixels.clear();
    for (std::size_t at = 8; at + 4 <= bytes.size(); at += 4) pixels.insert(pixels.end(), u16(at), u16(at + 2));
    return pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

inline testing_support::Rgb expand565(std::uint16_t p) {
    const int r = (p >> 11) & 31;
    const int g = (p >> 5) & 63;
    const int b = p & 31;
    return {static_cast<std::uint8_t>(r << 3 | r >> 2), static_cast<std::uint8_t>(g << 2 | g >> 4),
            static_cast<std::uint8_t>(b << 3 | b >> 2)};
}

inline std::string frameAsBmp(int width, int height, const std::vector<std::uint16_t>& pixels) {
    return testing_support::makeBmp(width, height, 24, [&](int x, int y) {
        return expand565(pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]);
    });
}

inline ::testing::AssertionResult matchesGolden(const std::string& name, const Surface& s) {
    std::vector<std::uint16_t> actual;
    for (int y = 0; y < s.height(); ++y) actual.insert(actual.end(), s.row(y), s.row(y) + s.width());
    if (updatingGolden()) {
        std::ofstream out(goldenPath(name), std::ios::binary | std::ios::trunc);
        const std::string bytes = encodeGolden(s);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return ::testing::AssertionFailure() << "cannot write " << goldenPath(name);
        std::cout << "[ golden   ] rewrote " << goldenPath(name) << " (" << bytes.size() << " bytes)\n";
        return ::testing::AssertionSuccess();
    }
    std::ifstream in(goldenPath(name), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int width = 0;
    int height = 0;
    std::vector<std::uint16_t> expected;
    if (!decodeGolden(bytes, width, height, expected))
        return ::testing::AssertionFailure() << "no usable reference " << goldenPath(name)
                                             << "; make one with KALKULON_UPDATE_GOLDEN=1";
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
    testing_support::writeFile((folder / (name + ".actual.bmp")).string(), frameAsBmp(width, height, actual));
    testing_support::writeFile((folder / (name + ".expected.bmp")).string(), frameAsBmp(width, height, expected));
    return ::testing::AssertionFailure() << differing << " pixels differ from " << goldenPath(name) << ", first at ("
                                         << first % width << ", " << first / width << "): "
                                         << actual[first] << " instead of " << expected[first] << "; see " << folder;
}

}  // namespace display_test

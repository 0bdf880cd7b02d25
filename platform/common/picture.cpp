// BMP pictures: the file is read into memory (with a size cap), its header checked, then
// decoded by stb_image (bmp_library.cpp), scaled to the size asked for and turned into RGB565.
//
// A decoder believes the header: a file of a few dozen bytes can claim a picture of gigabytes.
// So the header is looked at first, and pictures larger than anything the game could use, or
// whose pixels cannot be in the file, are refused before the decoder sees them. Run-length
// coded pictures, which the decoder does not read, are made plain first, as the desktop's
// decoder read them.
#include "platform/common/bmp_runs.h"
#include "platform/platform.h"

#include <stb_image.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace plat {

namespace {

// The game draws nothing larger than its 640 x 480 frame; a picture may be up to twice that
// each way (it is scaled to its place). Whatever its compression, the largest one costs a few
// megabytes and milliseconds to decode.
constexpr std::int64_t kMaxWidth = 1280;
constexpr std::int64_t kMaxHeight = 960;
// The largest acceptable file: 5 MiB, the largest picture at 32 bits (4.7 MiB) with room for
// the headers and a palette.
constexpr std::size_t kMaxFileBytes = std::size_t{5} << 20;
static_assert(kMaxFileBytes > kMaxWidth * kMaxHeight * 4 + 14 + 124 + 1024);
constexpr std::size_t kFileHeaderBytes = 14;

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// True when the header describes a picture of sane size whose pixels fit in the file.
bool headerAcceptable(const std::vector<std::uint8_t>& file) {
    const std::size_t size = file.size();
    if (size < kFileHeaderBytes + 12) return false;
    const std::uint8_t* d = file.data();
    if (d[0] != 'B' || d[1] != 'M') return false;
    const std::uint64_t pixelOffset = le32(d + 10);
    const std::uint32_t infoSize = le32(d + 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {  // the old core header: 16-bit sizes
        width = le16(d + 18);
        height = le16(d + 20);
        bitsPerPixel = le16(d + 24);
    } else if (infoSize >= 40) {
        if (kFileHeaderBytes + infoSize > size) return false;
        const auto w = static_cast<std::int32_t>(le32(d + 18));
        const auto h = static_cast<std::int32_t>(le32(d + 22));
        if (h == INT32_MIN) return false;  // no positive counterpart
        width = w;
        height = h < 0 ? -static_cast<std::int64_t>(h) : h;  // negative: rows stored top down
        bitsPerPixel = le16(d + 28);
        compression = le32(d + 30);
    } else {
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxWidth || height > kMaxHeight) return false;
    if (pixelOffset >= size) return false;
    switch (compression) {
    case 0:  // plain rows
    case 3:  // plain rows with colour masks
    case 6: {
        const bool known = compression == 0 ? bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
                                                  bitsPerPixel == 24 || bitsPerPixel == 32
                                            : bitsPerPixel == 16 || bitsPerPixel == 32;
        const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32) * 4;
        return known && pixelOffset + rowBytes * static_cast<std::uint64_t>(height) <= size;
    }
    // Run-length coded, 8 or 4 bits a pixel only: made plain (bmp_runs.cpp), which stops at
    // the end of the data; the size limits above bound what it makes.
    case 1:
        return bitsPerPixel == 8;
    case 2:
        return bitsPerPixel == 4;
    default:
        return false;
    }
}

// What the decoder reads: run-length coded pictures made plain, and colour masks with alpha
// (compression 6) as colour masks (3), whose alpha the game never uses.
bool readable(std::vector<std::uint8_t>& file) {
    const std::uint32_t compression = le32(file.data() + 14) >= 40 ? le32(file.data() + 30) : 0;
    if (compression == 1 || compression == 2) return expandRuns(std::vector<std::uint8_t>(file), file);
    if (compression == 6) file[30] = 3;
    return true;
}

struct PixelsFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

bool decodePicture(const char* path, int width, int height, std::vector<std::uint16_t>& out) {
    if (path == nullptr || width <= 0 || height <= 0 || width > kMaxWidth || height > kMaxHeight) return false;
    std::vector<std::uint8_t> file;
    if (!readFile(path, kMaxFileBytes, file) || !headerAcceptable(file) || !readable(file)) return false;

    int fileWidth = 0;
    int fileHeight = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, PixelsFree> rgb(
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &fileWidth, &fileHeight, &channels, 3));
    if (!rgb || fileWidth <= 0 || fileHeight <= 0) return false;

    // Nearest pixel, sampled at the centre of each target pixel; 8-bit channels cut to 5-6-5,
    // so pure black is 0 and pure white 0xFFFF.
    std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<int>((2LL * x + 1) * fileWidth / (2LL * width));
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * fileHeight / (2LL * height));
        const stbi_uc* row = rgb.get() + static_cast<std::ptrdiff_t>(sy) * fileWidth * 3;
        std::uint16_t* dst = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const stbi_uc* p = row + columns[static_cast<std::size_t>(x)] * 3;
            dst[x] = static_cast<std::uint16_t>(((p[0] & 0xF8u) << 8) | ((p[1] & 0xFCu) << 3) | (p[2] >> 3));
        }
    }
    out = std::move(pixels);
    return true;
}

}  // namespace plat

// BMP pictures: the file is read into memory (with a size cap), its header checked, then
// decoded by SDL's BMP loader, scaled to the size asked for and turned into RGB565.
//
// SDL_LoadBMP believes the header: a file of a few dozen bytes can claim a picture of
// gigabytes. So the header is looked at first, and pictures larger than anything the game could
// use, or whose pixels cannot be in the file, are refused before SDL sees them.
#include "platform/platform.h"

#include <SDL.h>

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
    // Run-length coded, 8 or 4 bits a pixel only: the decoder stops at the end of the data,
    // and the size limits above bound what it makes.
    case 1:
        return bitsPerPixel == 8;
    case 2:
        return bitsPerPixel == 4;
    default:
        return false;
    }
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

bool decodePicture(const char* path, int width, int height, std::vector<std::uint16_t>& out) {
    if (path == nullptr || width <= 0 || height <= 0 || width > kMaxWidth || height > kMaxHeight) return false;
    std::vector<std::uint8_t> file;
    if (!readFile(path, kMaxFileBytes, file) || !headerAcceptable(file)) return false;

    SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (rw == nullptr) return false;
    SurfacePtr decoded(SDL_LoadBMP_RW(rw, 1));
    if (!decoded) return false;
    SurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb || argb->w <= 0 || argb->h <= 0) return false;
    decoded.reset();

    // Nearest pixel, sampled at the centre of each target pixel; 8-bit channels cut to 5-6-5,
    // so pure black is 0 and pure white 0xFFFF.
    std::vector<std::uint16_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<std::size_t>(x)] = static_cast<int>((2LL * x + 1) * argb->w / (2LL * width));
    if (SDL_LockSurface(argb.get()) != 0) return false;
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * argb->h / (2LL * height));
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                                 static_cast<std::ptrdiff_t>(sy) * argb->pitch);
        std::uint16_t* dst = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = row[columns[static_cast<std::size_t>(x)]];
            dst[x] = static_cast<std::uint16_t>(((p >> 8) & 0xF800u) | ((p >> 5) & 0x07E0u) | ((p >> 3) & 0x001Fu));
        }
    }
    SDL_UnlockSurface(argb.get());
    out = std::move(pixels);
    return true;
}

}  // namespace plat

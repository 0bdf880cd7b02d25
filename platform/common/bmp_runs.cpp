#include "platform/common/bmp_runs.h"

#include <cstddef>
#include <cstring>

namespace plat {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[3]) << 24;
}
void put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr std::size_t kHeaders = 14 + 40;

// The plain picture being written, as a desktop's decoder writes it: one block of rows, top row
// first, each `stride` bytes; a run past a row's end goes on into the padding and the row below,
// and only what falls outside the block is lost.
struct Canvas {
    std::int64_t height = 0;
    std::int64_t stride = 0;
    std::vector<std::uint8_t> block;
    std::int64_t x = 0;
    std::int64_t y = 0;  // from the bottom
    void put(std::uint8_t index) {
        const std::int64_t at = (height - 1 - y) * stride + x++;
        if (at >= 0 && at < stride * height) block[static_cast<std::size_t>(at)] = index;
    }
};

// The runs from `at` to the end code; false when the file ends first.
bool followRuns(const std::vector<std::uint8_t>& file, std::size_t at, bool fourBits, Canvas& c) {
    const std::size_t size = file.size();
    const auto pixel = [fourBits](std::uint8_t byte, std::int64_t i) {
        return fourBits ? static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
    };
    while (at + 1 < size) {
        const std::uint8_t count = file[at];
        const std::uint8_t value = file[at + 1];
        at += 2;
        if (count > 0) {
            for (std::int64_t i = 0; i < count; ++i) c.put(pixel(value, i));
        } else if (value == 0) {  // end of the line
            c.x = 0;
            ++c.y;
        } else if (value == 1) {  // end of the picture
            return true;
        } else if (value == 2) {  // a jump right and up
            if (at + 1 >= size) return false;
            c.x += file[at];
            c.y += file[at + 1];
            at += 2;
        } else {  // `value` pixels as they are, padded to a whole 16-bit word
            const std::size_t bytes = fourBits ? (value + 1u) / 2u : value;
            if (at + bytes > size) return false;
            for (std::int64_t i = 0; i < value; ++i) c.put(pixel(file[at + static_cast<std::size_t>(fourBits ? i / 2 : i)], i));
            at += bytes + (bytes % 2);
        }
    }
    return false;
}

}  // namespace

bool expandRuns(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& plain) {
    const std::uint8_t* d = file.data();
    const std::uint32_t infoSize = le32(d + 14);
    const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(le32(d + 18)));
    const auto height = static_cast<std::int64_t>(static_cast<std::int32_t>(le32(d + 22)));
    if (width <= 0 || height <= 0) return false;  // runs are stored bottom up only
    const bool fourBits = le32(d + 30) == 2;
    // The palette's colours said, or all a pixel can name; the rest of the 256 are white.
    const std::uint32_t said = le32(d + 46);
    const std::size_t colours = said == 0 || said > (fourBits ? 16u : 256u) ? (fourBits ? 16u : 256u) : said;
    const std::size_t paletteAt = 14 + infoSize;
    if (paletteAt + colours * 4 > file.size()) return false;

    Canvas c;
    c.height = height;
    c.stride = (width + 3) / 4 * 4;
    c.block.assign(static_cast<std::size_t>(c.stride * height), 0);
    if (!followRuns(file, le32(d + 10), fourBits, c)) return false;

    std::vector<std::uint8_t> out(kHeaders + 256 * 4 + c.block.size(), 0);
    std::uint8_t* o = out.data();
    o[0] = 'B';
    o[1] = 'M';
    put32(o + 2, static_cast<std::uint32_t>(out.size()));
    put32(o + 10, static_cast<std::uint32_t>(kHeaders + 256 * 4));
    put32(o + 14, 40);
    put32(o + 18, static_cast<std::uint32_t>(width));
    put32(o + 22, static_cast<std::uint32_t>(-height));  // top row first, as the block is
    o[26] = 1;                                           // planes
    o[28] = 8;                                           // bits a pixel; compression 0
    put32(o + 46, 256);
    std::memset(o + kHeaders, 0xFF, 256 * 4);
    std::memcpy(o + kHeaders, d + paletteAt, colours * 4);
    std::memcpy(o + kHeaders + 256 * 4, c.block.data(), c.block.size());
    plain = std::move(out);
    return true;
}

}  // namespace plat

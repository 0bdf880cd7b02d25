#include "png.h"

#include <array>
#include <cstdlib>

namespace gallery {

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t n, std::uint32_t crc = 0) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 255] ^ (crc >> 8);
    return ~crc;
}

class BitWriter {
public:
    void bits(std::uint32_t value, int count) {  // least significant bit first
        for (int i = 0; i < count; ++i) bit((value >> i) & 1);
    }
    void huffman(std::uint32_t code, int length) {  // most significant bit first
        for (int i = length - 1; i >= 0; --i) bit((code >> i) & 1);
    }
    std::vector<std::uint8_t> finish() {
        if (used_ > 0) out_.push_back(current_);
        return out_;
    }

private:
    void bit(std::uint32_t b) {
        current_ |= static_cast<std::uint8_t>(b << used_);
        if (++used_ == 8) {
            out_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }
    std::vector<std::uint8_t> out_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// Fixed Huffman code of a literal/length symbol.
void literal(BitWriter& w, int sym) {
    if (sym < 144) w.huffman(0x30 + sym, 8);
    else if (sym < 256) w.huffman(0x190 + sym - 144, 9);
    else if (sym < 280) w.huffman(sym - 256, 7);
    else w.huffman(0xC0 + sym - 280, 8);
}

void match(BitWriter& w, int length, int distance) {
    static constexpr int kLenBase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                         35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static constexpr int kDistBase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193,
                                          257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int l = 28;
    while (kLenBase[l] > length) --l;
    literal(w, 257 + l);
    w.bits(static_cast<std::uint32_t>(length - kLenBase[l]), kLenExtra[l]);
    int d = 29;
    while (kDistBase[d] > distance) --d;
    w.huffman(static_cast<std::uint32_t>(d), 5);
    w.bits(static_cast<std::uint32_t>(distance - kDistBase[d]), kDistExtra[d]);
}

std::vector<std::uint8_t> deflate(const std::vector<std::uint8_t>& in) {
    BitWriter w;
    w.bits(1, 1);  // the last block
    w.bits(1, 2);  // fixed Huffman codes
    constexpr int kWindow = 32768, kHashSize = 1 << 15, kMaxChain = 48;
    std::vector<int> head(kHashSize, -1), prev(in.size(), -1);
    auto hashAt = [&](std::size_t i) {
        return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & (kHashSize - 1);
    };
    std::size_t i = 0;
    while (i < in.size()) {
        int bestLen = 0, bestDist = 0;
        if (i + 2 < in.size()) {
            const int h = hashAt(i);
            int cand = head[static_cast<std::size_t>(h)];
            for (int chain = 0; cand >= 0 && chain < kMaxChain && static_cast<int>(i) - cand <= kWindow; ++chain) {
                int len = 0;
                while (len < 258 && i + static_cast<std::size_t>(len) < in.size() &&
                       in[static_cast<std::size_t>(cand + len)] == in[i + static_cast<std::size_t>(len)])
                    ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestDist = static_cast<int>(i) - cand;
                    if (len == 258) break;
                }
                cand = prev[static_cast<std::size_t>(cand)];
            }
        }
        const std::size_t step = bestLen >= 3 ? static_cast<std::size_t>(bestLen) : 1;
        if (bestLen >= 3) match(w, bestLen, bestDist);
        else literal(w, in[i]);
        for (std::size_t k = 0; k < step; ++k, ++i) {
            if (i + 2 < in.size()) {
                const int h = hashAt(i);
                prev[i] = head[static_cast<std::size_t>(h)];
                head[static_cast<std::size_t>(h)] = static_cast<int>(i);
            }
        }
    }
    literal(w, 256);
    return w.finish();
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>((v >> s) & 255));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(&out[start], out.size() - start));
}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& rgb, int width, int height) {
    // Rows with the "up" filter, which suits pictures of flat areas and gradients.
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(2);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = rgb[static_cast<std::size_t>(y) * width + x];
            const std::uint32_t above = y > 0 ? rgb[static_cast<std::size_t>(y - 1) * width + x] : 0;
            for (int s = 16; s >= 0; s -= 8)
                raw.push_back(static_cast<std::uint8_t>(((c >> s) & 255) - ((above >> s) & 255)));
        }
    }
    std::vector<std::uint8_t> z{0x78, 0x01};
    const std::vector<std::uint8_t> body = deflate(raw);
    z.insert(z.end(), body.begin(), body.end());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> ihdr;
    put32(ihdr, static_cast<std::uint32_t>(width));
    put32(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no interlace
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

}  // namespace gallery

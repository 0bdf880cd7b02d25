#include "png.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <string>

namespace gallery {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

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

// Lengths and distances of deflate matches: the base of each code and its extra bits.
constexpr int kLenBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                               193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void match(BitWriter& w, int length, int distance) {
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
    auto hashAt = [&](std::size_t i) { return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & (kHashSize - 1); };
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

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
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
            for (int s = 16; s >= 0; s -= 8) raw.push_back(static_cast<std::uint8_t>(((c >> s) & 255) - ((above >> s) & 255)));
        }
    }
    std::vector<std::uint8_t> z{0x78, 0x01};
    const std::vector<std::uint8_t> body = deflate(raw);
    z.insert(z.end(), body.begin(), body.end());
    put32(z, adler32(raw));

    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    std::vector<std::uint8_t> ihdr;
    put32(ihdr, static_cast<std::uint32_t>(width));
    put32(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no interlace
    chunk(out, "IHDR", ihdr);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return out;
}

// ---- reading our own files -----------------------------------------------------------------

namespace {

// Bits of a deflate stream, least significant first; reading past the end fails.
class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool bits(int count, std::uint32_t& value) {  // least significant bit first
        value = 0;
        for (int i = 0; i < count; ++i) {
            if (at_ >= size_) return false;
            value |= static_cast<std::uint32_t>((data_[at_] >> used_) & 1) << i;
            if (++used_ == 8) {
                used_ = 0;
                ++at_;
            }
        }
        return true;
    }
    bool huffman(int length, std::uint32_t& code) {  // most significant bit first
        code = 0;
        std::uint32_t b = 0;
        for (int i = 0; i < length; ++i) {
            if (!bits(1, b)) return false;
            code = (code << 1) | b;
        }
        return true;
    }
    void toByte() {
        if (used_ == 0) return;
        used_ = 0;
        ++at_;
    }
    std::size_t offset() const { return at_; }
    void skip(std::size_t bytes) { at_ += bytes; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    int used_ = 0;
};

// A literal/length symbol in the fixed Huffman code: 7 bits for 256..279, 8 bits for 0..143
// and 280..287, 9 bits for 144..255.
bool fixedSymbol(BitReader& r, int& symbol) {
    std::uint32_t code = 0;
    if (!r.huffman(7, code)) return false;
    if (code <= 0x17) {
        symbol = 256 + static_cast<int>(code);
        return true;
    }
    std::uint32_t b = 0;
    if (!r.bits(1, b)) return false;
    code = (code << 1) | b;
    if (code >= 0x30 && code <= 0xBF) symbol = static_cast<int>(code) - 0x30;
    else if (code >= 0xC0 && code <= 0xC7) symbol = 280 + static_cast<int>(code) - 0xC0;
    else {
        if (!r.bits(1, b)) return false;
        symbol = 144 + static_cast<int>(((code << 1) | b) - 0x190);
    }
    return true;
}

// Stored and fixed-Huffman blocks, as encodePng writes them; at most `limit` bytes out.
bool inflate(const std::uint8_t* data, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out) {
    BitReader r(data, size);
    std::uint32_t last = 0;
    do {
        std::uint32_t type = 0;
        if (!r.bits(1, last) || !r.bits(2, type)) return false;
        if (type == 0) {
            r.toByte();
            const std::size_t at = r.offset();
            if (at + 4 > size) return false;
            const std::size_t length = data[at] | (data[at + 1] << 8);
            if ((length ^ (data[at + 2] | (data[at + 3] << 8))) != 0xFFFF) return false;
            if (at + 4 + length > size || out.size() + length > limit) return false;
            out.insert(out.end(), data + at + 4, data + at + 4 + length);
            r.skip(4 + length);
            continue;
        }
        if (type != 1) return false;  // dynamic codes: not a file of ours
        for (;;) {
            int symbol = 0;
            if (!fixedSymbol(r, symbol)) return false;
            if (symbol < 256) {
                if (out.size() >= limit) return false;
                out.push_back(static_cast<std::uint8_t>(symbol));
                continue;
            }
            if (symbol == 256) break;
            if (symbol > 285) return false;
            std::uint32_t extra = 0;
            std::uint32_t code = 0;
            const int l = symbol - 257;
            if (!r.bits(kLenExtra[l], extra) || !r.huffman(5, code) || code >= 30) return false;
            const std::size_t length = static_cast<std::size_t>(kLenBase[l]) + extra;
            if (!r.bits(kDistExtra[code], extra)) return false;
            const std::size_t distance = static_cast<std::size_t>(kDistBase[code]) + extra;
            if (distance > out.size() || out.size() + length > limit) return false;
            for (std::size_t k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
        }
    } while (last == 0);
    return true;
}

std::uint32_t get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

}  // namespace

bool decodePng(const std::vector<std::uint8_t>& file, std::vector<std::uint32_t>& rgb, int& width, int& height) {
    if (file.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), file.begin())) return false;
    std::vector<std::uint8_t> z;
    bool header = false;
    bool ended = false;
    for (std::size_t at = 8; !ended;) {
        if (at + 12 > file.size()) return false;
        const std::size_t length = get32(&file[at]);
        if (length > file.size() - at - 12) return false;
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = type + 4;
        if (get32(data + length) != crc32(type, length + 4)) return false;
        const std::string name(type, type + 4);
        if (name == "IHDR") {
            if (length != 13) return false;
            width = static_cast<int>(get32(data));
            height = static_cast<int>(get32(data + 4));
            // 8 bits, RGB, deflate, no interlace; at most 4096 x 4096.
            if (width < 1 || height < 1 || width > 4096 || height > 4096) return false;
            if (data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 || data[12] != 0) return false;
            header = true;
        } else if (name == "IDAT") {
            z.insert(z.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!header || z.size() < 6 || z[0] != 0x78 || (z[0] * 256 + z[1]) % 31 != 0 || (z[1] & 0x20) != 0) return false;
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t h = static_cast<std::size_t>(height);
    const std::size_t stride = 1 + 3 * w;
    std::vector<std::uint8_t> raw;
    if (!inflate(z.data() + 2, z.size() - 6, h * stride, raw) || raw.size() != h * stride) return false;
    if (adler32(raw) != get32(&z[z.size() - 4])) return false;

    rgb.assign(w * h, 0);
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t filter = raw[y * stride];
        if (filter != 0 && filter != 2) return false;  // none and up are what encodePng writes
        for (std::size_t x = 0; x < w; ++x) {
            std::uint32_t c = 0;
            for (std::size_t k = 0; k < 3; ++k) {
                std::uint32_t v = raw[y * stride + 1 + 3 * x + k];
                if (filter == 2 && y > 0) v += (rgb[(y - 1) * w + x] >> (16 - 8 * k)) & 255;
                c = (c << 8) | (v & 255);
            }
            rgb[y * w + x] = c;
        }
    }
    return true;
}

namespace {

std::uint32_t expand565(std::uint16_t p) {
    const std::uint32_t r = (p >> 11) & 31;
    const std::uint32_t g = (p >> 5) & 63;
    const std::uint32_t b = p & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

std::uint16_t pack565(std::uint32_t c) {
    return static_cast<std::uint16_t>(((c >> 19) & 31) << 11 | ((c >> 10) & 63) << 5 | ((c >> 3) & 31));
}

}  // namespace

std::vector<std::uint8_t> encodeFrame565(const std::vector<std::uint16_t>& pixels, int width, int height) {
    std::vector<std::uint32_t> rgb(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) rgb[i] = expand565(pixels[i]);
    return encodePng(rgb, width, height);
}

bool decodeFrame565(const std::vector<std::uint8_t>& file, std::vector<std::uint16_t>& pixels, int& width, int& height) {
    std::vector<std::uint32_t> rgb;
    if (!decodePng(file, rgb, width, height)) return false;
    pixels.resize(rgb.size());
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        pixels[i] = pack565(rgb[i]);
        if (expand565(pixels[i]) != rgb[i]) return false;
    }
    return true;
}

}  // namespace gallery

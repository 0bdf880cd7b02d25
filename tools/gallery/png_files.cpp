#include "png_files.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace gallery {

namespace {

constexpr png_uint_32 kLargest = 4096;  // each way, for reading

// libpng reports an error by jumping back to the last setjmp; it prints nothing here.
[[noreturn]] void jumpBack(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

// Runs libpng's steps, true when they end without an error. An error jumps back into this
// frame, so neither it nor the steps keep anything with a destructor.
template <typename Steps>
bool guarded(png_structp png, const Steps& steps) {
    if (setjmp(png_jmpbuf(png))) return false;
    steps();
    return true;
}

struct Writer {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    ~Writer() { png_destroy_write_struct(&png, &info); }
};

struct Reader {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, ignoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct Source {
    const std::vector<std::uint8_t>& file;
    std::size_t at = 0;
};

void appendTo(png_structp png, png_bytep data, png_size_t length) {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out.insert(out.end(), data, data + length);
}

void readFrom(png_structp png, png_bytep data, png_size_t length) {
    auto& source = *static_cast<Source*>(png_get_io_ptr(png));
    if (length > source.file.size() - source.at) png_error(png, "cut short");
    std::memcpy(data, source.file.data() + source.at, length);
    source.at += length;
}

std::vector<png_bytep> rowsOf(std::vector<std::uint8_t>& bytes, std::size_t width, std::size_t height) {
    std::vector<png_bytep> rows(height);
    for (std::size_t y = 0; y < height; ++y) rows[y] = bytes.data() + y * 3 * width;
    return rows;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& rgb, int width, int height) {
    const auto w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
    std::vector<std::uint8_t> bytes(3 * w * h);
    for (std::size_t i = 0; i < w * h; ++i)
        for (std::size_t k = 0; k < 3; ++k) bytes[3 * i + k] = static_cast<std::uint8_t>(rgb[i] >> (16 - 8 * k));
    std::vector<png_bytep> rows = rowsOf(bytes, w, h);
    std::vector<std::uint8_t> out;
    Writer writer;
    if (writer.info == nullptr) return {};
    png_set_write_fn(writer.png, &out, appendTo, nullptr);
    const bool written = guarded(writer.png, [&] {
        png_set_IHDR(writer.png, writer.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(writer.png, 9);
        png_set_rows(writer.png, writer.info, rows.data());
        png_write_png(writer.png, writer.info, PNG_TRANSFORM_IDENTITY, nullptr);
    });
    return written ? out : std::vector<std::uint8_t>{};
}

bool decodePng(const std::vector<std::uint8_t>& file, std::vector<std::uint32_t>& rgb, int& width, int& height) {
    Reader reader;
    if (reader.info == nullptr) return false;
    Source source{file};
    png_set_read_fn(reader.png, &source, readFrom);
    // Every damaged chunk and check sum is an error, also in chunks a reader may skip.
    png_set_crc_action(reader.png, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
    png_set_benign_errors(reader.png, 0);
    png_set_user_limits(reader.png, kLargest, kLargest);
    if (!guarded(reader.png, [&] { png_read_info(reader.png, reader.info); })) return false;
    if (png_get_bit_depth(reader.png, reader.info) != 8 || png_get_color_type(reader.png, reader.info) != PNG_COLOR_TYPE_RGB ||
        png_get_interlace_type(reader.png, reader.info) != PNG_INTERLACE_NONE)
        return false;
    const std::size_t w = png_get_image_width(reader.png, reader.info), h = png_get_image_height(reader.png, reader.info);
    std::vector<std::uint8_t> bytes(3 * w * h);
    std::vector<png_bytep> rows = rowsOf(bytes, w, h);
    if (!guarded(reader.png, [&] {
            png_read_image(reader.png, rows.data());
            png_read_end(reader.png, nullptr);
        }))
        return false;
    rgb.assign(w * h, 0);
    for (std::size_t i = 0; i < w * h; ++i)
        rgb[i] = std::uint32_t{bytes[3 * i]} << 16 | std::uint32_t{bytes[3 * i + 1]} << 8 | bytes[3 * i + 2];
    width = static_cast<int>(w);
    height = static_cast<int>(h);
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

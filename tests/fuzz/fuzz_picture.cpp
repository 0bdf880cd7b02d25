// Picture files of any bytes: the header check, decoding, scaling and conversion.
#include "fuzz/fuzz_support.h"
#include "platform/platform.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::enterScratchFolder();
    fuzz_support::writeFile("picture.bmp", data, size);
    static const int sizes[][2] = {{640, 480}, {344, 264}, {128, 32}};
    const auto& wanted = sizes[size % 3];
    std::vector<std::uint16_t> pixels;
    if (plat::decodePicture("picture.bmp", wanted[0], wanted[1], pixels) &&
        pixels.size() != static_cast<std::size_t>(wanted[0]) * static_cast<std::size_t>(wanted[1]))
        __builtin_trap();
    return 0;
}

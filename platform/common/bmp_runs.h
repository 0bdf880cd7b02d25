// Run-length coded BMP pictures (8 bits a pixel, or 4) made plain, for a decoder that reads
// only plain rows (stb_image): the pictures a pack brings load as they always have.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

// The BMP file `file`, whose header says 8-bit runs (compression 1) or 4-bit runs
// (compression 2) and has been checked (picture.cpp), written again as a plain 8-bit BMP with
// the same palette: runs, absolute runs, line ends and jumps are followed, pixels the runs
// never reach are colour 0, and runs past the picture's edge are cut there. False when the
// runs run past the file's end before the picture's end code.
bool expandRuns(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& plain);

}  // namespace plat

// The binary level file the game reads: a header of seven little-endian 32-bit numbers, the
// unused block-file names, the background name, the grid and one 192-byte record per token.
// Written for the game by the generator and the lesson tools; read back, with the checks of
// the file's limits (at most 30 tokens, cells -1..3, terminated names), by the tools and tests.
#pragma once

#include "lessons/level.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lvl {

inline constexpr std::size_t kHeaderSize = 28;
inline constexpr std::size_t kGridSize = kRows * kColumns * 4;
inline constexpr std::size_t kTokenRecordSize = 192;

// Where each piece of a file lies. The header's seven numbers, in order, 4 bytes each:
enum HeaderField : std::size_t { kNameCount, kTokenCount, kTarget, kTargetX, kTargetY, kPlayerX, kPlayerY };
constexpr std::size_t headerAt(HeaderField field) { return 4 * field; }
// Behind the header, in a file of `names` block-file names: the names, the background name, the
// grid row by row, then the token records (x, y and type, then bytes that are not read).
constexpr std::size_t backgroundAt(std::int32_t names) { return kHeaderSize + kNameField * static_cast<std::size_t>(names); }
constexpr std::size_t gridAt(std::int32_t names) { return backgroundAt(names) + kNameField; }
constexpr std::size_t cellAt(std::int32_t names, int row, int column) {
    return gridAt(names) + 4 * static_cast<std::size_t>(row * kColumns + column);
}
constexpr std::size_t tokenAt(std::int32_t names, std::size_t index) {
    return gridAt(names) + kGridSize + kTokenRecordSize * index;
}
static_assert(gridAt(2) == 64 && tokenAt(2, 0) == 1184);

// `level.nameCount` block-file names of zeros, the background, the grid, the token records with
// zeros after x, y, type.
std::vector<std::uint8_t> encodeLevel(const Level& level);

// A 32-bit number put at `at` of a file's bytes (the bytes must hold it).
void putNumberAt(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value);

// Reads a level file's bytes; false with `error` saying what is wrong when it breaks a limit.
bool decodeLevel(const std::vector<std::uint8_t>& bytes, Level& level, std::string& error);
bool readLevelFile(const std::string& path, Level& level, std::string& error);

// Whole files, for the writers of level files and pictures.
bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace lvl

// The binary level file the game reads: a header of seven little-endian 32-bit numbers, the
// unused block-file names, the background name, the grid and one 192-byte record per token.
// Written for the game by the generator and the lesson tools; read back, with the checks of
// the file's limits (at most 30 tokens, cells -1..3, terminated names), by the tools and tests.
#pragma once

#include "level.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lvl {

inline constexpr std::size_t kHeaderSize = 28;
inline constexpr std::size_t kGridSize = kRows * kColumns * 4;
inline constexpr std::size_t kTokenRecordSize = 192;

// No block-file names, the background, the grid, the token records with zeros after x, y, type.
std::vector<std::uint8_t> encodeLevel(const Level& level);

// Reads a level file's bytes; false with `error` saying what is wrong when it breaks a limit.
bool decodeLevel(const std::vector<std::uint8_t>& bytes, Level& level, std::string& error);
bool readLevelFile(const std::string& path, Level& level, std::string& error);

// Whole files, for the writers of level files and pictures.
bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace lvl

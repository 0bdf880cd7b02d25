// A small reader of the binary level file, independent of the game's loader, with the checks
// of the file's limits: at most 30 bonuses, cells -1..3, a terminated background name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace solver {

struct LevelBonus {
    std::int32_t x = 0, y = 0, type = 0;
};

struct LevelData {
    std::int32_t nameCount = 0;
    std::int32_t bonusCount = 0;
    std::int32_t target = 0, targetX = 0, targetY = 0;
    std::int32_t playerX = 0, playerY = 0;
    std::string background;
    std::int32_t cells[14][20] = {};
    std::vector<LevelBonus> bonuses;
};

// Reads and checks a level file; on failure `error` says what is wrong.
inline bool readLevelFile(const std::string& path, LevelData& level, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    std::size_t pos = 0;
    auto i32 = [&](std::int32_t& v) {
        if (pos + 4 > bytes.size()) return false;
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[pos]) | (static_cast<std::uint32_t>(bytes[pos + 1]) << 8) |
                                      (static_cast<std::uint32_t>(bytes[pos + 2]) << 16) |
                                      (static_cast<std::uint32_t>(bytes[pos + 3]) << 24));
        pos += 4;
        return true;
    };
    level = LevelData{};
    if (!i32(level.nameCount) || !i32(level.bonusCount) || !i32(level.target) || !i32(level.targetX) ||
        !i32(level.targetY) || !i32(level.playerX) || !i32(level.playerY)) {
        error = "header cut short";
        return false;
    }
    if (level.nameCount < 0 || level.nameCount > 16) {
        error = "absurd count of block-file names";
        return false;
    }
    if (level.bonusCount < 0 || level.bonusCount > 30) {
        error = "bonus count outside 0..30";
        return false;
    }
    for (int k = 0; k <= level.nameCount; ++k) {  // the names, then the background name
        if (pos + 12 > bytes.size()) {
            error = "names cut short";
            return false;
        }
        const char* name = reinterpret_cast<const char*>(&bytes[pos]);
        const std::size_t len = strnlen(name, 12);
        if (len == 12) {
            error = "a name is not terminated inside its 12 bytes";
            return false;
        }
        if (k == level.nameCount) level.background.assign(name, len);
        pos += 12;
    }
    for (auto& row : level.cells)
        for (auto& cell : row) {
            if (!i32(cell)) {
                error = "grid cut short";
                return false;
            }
            if (cell < -1 || cell > 3) {
                error = "a cell outside -1..3";
                return false;
            }
        }
    for (int i = 0; i < level.bonusCount; ++i) {
        LevelBonus b;
        if (pos + 192 > bytes.size() || !i32(b.x) || !i32(b.y) || !i32(b.type)) {
            error = "bonus records cut short";
            return false;
        }
        if (b.type < 1 || b.type > 14) {
            error = "a bonus type outside 1..14";
            return false;
        }
        pos += 180;
        level.bonuses.push_back(b);
    }
    return true;
}

}  // namespace solver

// Fixed bytes: the trace line and the table's 120 bytes are fixed; keep them as they are.
// The ten best scores with their names, and their file "hiscore.tbl": 120 bytes, the ten
// scores as 32-bit little-endian integers, best first, then the ten names of 8 bytes each.
#include "world/game_world.h"

#include "platform/cp1250.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kTableFile = "hiscore.tbl";
constexpr std::size_t kScoreBytes = 4 * kHighScoreRows;
constexpr std::size_t kFileBytes = kScoreBytes + kNameLength * kHighScoreRows;

constexpr auto kSaveFailed = plat::cp1250("\nzapis tabeli wyników nieudany\n");

}  // namespace

bool GameWorld::loadHighScores() {
    std::FILE* f = plat::openFile(kTableFile, "rb");
    // Only a missing table is reported, so that the start-up makes a new one; a table that is
    // there but cannot be read (no permission, not a regular file) is not replaced by an empty
    // one before anyone has played: it counts as read, with nothing in it.
    if (f == nullptr) return errno != ENOENT;

    // A short file fills the table as far as it goes; bytes it does not reach keep their value.
    unsigned char raw[kScoreBytes];
    const std::size_t got = std::fread(raw, 1, sizeof raw, f);
    for (std::size_t k = 0; k < got; ++k) {
        const unsigned shift = 8 * (k % 4);
        auto v = static_cast<std::uint32_t>(hiScores[k / 4]);
        v = (v & ~(0xFFu << shift)) | (std::uint32_t{raw[k]} << shift);
        hiScores[k / 4] = static_cast<std::int32_t>(v);
    }
    for (auto& name : hiNames) {
        if (std::fread(name, 1, kNameLength, f) < kNameLength) break;
    }
    std::fclose(f);
    return true;
}

void GameWorld::finishNameEntry() {
    if (entryRow < 0) return;
    saveHighScores();
    entryRow = -1;
}

void GameWorld::saveHighScores() {
    unsigned char raw[kFileBytes];
    for (int row = 0; row < kHighScoreRows; ++row) {
        const auto v = static_cast<std::uint32_t>(hiScores[row]);
        for (int b = 0; b < 4; ++b) raw[4 * row + b] = static_cast<unsigned char>(v >> (8 * b));
    }
    std::memcpy(raw + kScoreBytes, hiNames, sizeof hiNames);

    // The table goes to a new file of its own, renamed over the old one once it is complete,
    // so the old table stays whole until then. When that fails, the game goes on with the
    // table in memory; the old file is left as it was.
    if (!plat::replaceFile(kTableFile, raw, sizeof raw)) error.debugLog(kSaveFailed);
}

void GameWorld::insertHighScore() {
    int row = 0;
    while (row < kHighScoreRows && !(score > hiScores[row])) ++row;
    if (row == kHighScoreRows) return;  // ties go below: an equal tenth score does not enter

    for (int k = kHighScoreRows - 1; k > row; --k) {
        hiScores[k] = hiScores[k - 1];
        std::memcpy(hiNames[k], hiNames[k - 1], kNameLength);
    }
    hiScores[row] = score;
    std::memset(hiNames[row], 0, kNameLength);
    entryRow = row;
}

// Fixed bytes: the trace line and the table's 120 bytes are fixed; keep them as they are.
// The ten best scores with their names, and their file "hiscore.tbl": 120 bytes, the ten
// scores as 32-bit little-endian integers, best first, then the ten names of 8 bytes each.
//
// Several games may share one table (two windows open in one folder, or one player's table).
// A save therefore takes the table's lock, reads the table on disk again, puts in the rows
// this game has not saved yet, and writes the result whole; the game then shows that table.
#include "world/game_world.h"

#include "platform/cp1250.h"
#include "platform/platform.h"
#include "platform/report.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kTableFile = "hiscore.tbl";
constexpr const char* kLockFile = "hiscore.tbl.lock";  // beside the table, for every game using it
// A save holds the lock for a read and a write, milliseconds; one held far longer belongs to a
// game that hangs, and the save fails (to be tried again) rather than the game waiting for ever.
constexpr int kLockWaitMs = 15000;
constexpr std::size_t kScoreBytes = 4 * kHighScoreRows;
constexpr std::size_t kFileBytes = kScoreBytes + kNameLength * kHighScoreRows;

constexpr auto kSaveFailed = plat::cp1250("\nzapis tabeli wyników nieudany\n");

}  // namespace

int GameWorld::readHighScores() {
    std::FILE* f = plat::openFile(kTableFile, "rb");
    if (f == nullptr) return errno != 0 ? errno : ENOENT;

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
    return 0;
}

bool GameWorld::loadHighScores() {
    // Only a missing table is reported, so that the start-up makes a new one; a table that is
    // there but cannot be read (no permission, not a regular file) is not replaced by an empty
    // one before anyone has played: it counts as read, with nothing in it.
    return readHighScores() != ENOENT;
}

bool GameWorld::writeHighScores() {
    unsigned char raw[kFileBytes];
    for (int row = 0; row < kHighScoreRows; ++row) {
        const auto v = static_cast<std::uint32_t>(hiScores[row]);
        for (int b = 0; b < 4; ++b) raw[4 * row + b] = static_cast<unsigned char>(v >> (8 * b));
    }
    std::memcpy(raw + kScoreBytes, hiNames, sizeof hiNames);
    // The table goes to a new file of its own, renamed over the old one once it is complete,
    // so the old table stays whole until then.
    return plat::replaceFile(kTableFile, raw, sizeof raw);
}

bool GameWorld::saveHighScores() {
    const int lock = plat::lockFile(kLockFile, kLockWaitMs);
    bool saved = false;
    if (lock >= 0) {
        std::int32_t shownScores[kHighScoreRows];
        char shownNames[kHighScoreRows][kNameLength];
        std::memcpy(shownScores, hiScores, sizeof hiScores);
        std::memcpy(shownNames, hiNames, sizeof hiNames);
        clearHighScores();
        if (const int read = readHighScores(); read == 0 || read == ENOENT) {
            for (int i = 0; i < unsavedCount; ++i) placeRow(unsaved[i].score, unsaved[i].name);
        } else {
            // A table that cannot be read is replaced by the one shown, which holds the rows
            // not saved yet.
            std::memcpy(hiScores, shownScores, sizeof hiScores);
            std::memcpy(hiNames, shownNames, sizeof hiNames);
        }
        saved = writeHighScores();
    }
    const int why = errno;
    plat::unlockFile(lock);
    if (saved) {
        unsavedCount = 0;
        return true;
    }
    // The game goes on with the table in memory, and the rows not saved are tried again at the
    // next save; the file on disk is left as it was.
    error.debugLog(kSaveFailed);
    plat::reportFailure("the high scores could not be saved in " + std::string(kTableFile) +
                            " (the game keeps them and tries again at the next save)",
                        std::strerror(why));
    return false;
}

bool GameWorld::finishNameEntry() {
    if (entryRow >= 0) {
        keepUnsaved(hiScores[entryRow], hiNames[entryRow]);
        entryRow = -1;
    } else if (unsavedCount == 0) {
        return true;
    }
    return saveHighScores();
}

void GameWorld::keepUnsaved(std::int32_t rowScore, const char* name) {
    // Only the ten best can enter the table, so ten are kept at most.
    UnsavedRow* slot = unsaved + unsavedCount;
    if (unsavedCount == kHighScoreRows) {
        slot = std::min_element(unsaved, unsaved + unsavedCount,
                                [](const UnsavedRow& a, const UnsavedRow& b) { return a.score < b.score; });
        if (!(rowScore > slot->score)) return;
    } else {
        ++unsavedCount;
    }
    slot->score = rowScore;
    std::memcpy(slot->name, name, kNameLength);
}

std::int32_t GameWorld::placeRow(std::int32_t rowScore, const char* name) {
    int row = 0;
    while (row < kHighScoreRows && !(rowScore > hiScores[row])) ++row;
    if (row == kHighScoreRows) return -1;  // ties go below: an equal tenth score does not enter

    for (int k = kHighScoreRows - 1; k > row; --k) {
        hiScores[k] = hiScores[k - 1];
        std::memcpy(hiNames[k], hiNames[k - 1], kNameLength);
    }
    hiScores[row] = rowScore;
    std::memcpy(hiNames[row], name, kNameLength);
    return row;
}

void GameWorld::insertHighScore() {
    constexpr char kNoName[kNameLength] = {};
    if (const std::int32_t row = placeRow(score, kNoName); row >= 0) entryRow = row;
}

// The high-score table read from any file, drawn as the high-score screen draws it, a score
// inserted, and the table written back: the file written is always the 120 bytes of the table
// in memory.
#include "display/display.h"
#include "fuzz/fuzz_support.h"
#include "platform/headless.h"
#include "world/game_world.h"

#include <cstdint>
#include <cstring>

namespace {

std::intptr_t plainWindowProc(void*, std::uint32_t id, std::uintptr_t value, std::intptr_t where) {
    return plat::defaultWindowProc(id, value, where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::enterScratchFolder();
    static Display* display = [] {
        plat::headless::reset();
        if (!plat::createWindow("Kalkulon", &plainWindowProc, nullptr, 640, 480)) std::abort();
        auto* d = new Display;
        if (d->init(640, 480, 16) != ErrorCode::Ok) std::abort();
        return d;
    }();
    static auto* world = new GameWorld;
    fuzz_support::writeFile("hiscore.tbl", data, size);
    world->clearHighScores();
    world->entryRow = -1;
    if (!world->loadHighScores()) __builtin_trap();
    display->drawHighScores(*world);
    std::int32_t score = 0;
    if (size >= 4) std::memcpy(&score, data + size - 4, 4);
    world->score = score;
    world->insertHighScore();
    if (world->entryRow < -1 || world->entryRow > 9) __builtin_trap();
    display->drawHighScores(*world);
    // Saving the entry reads the unchanged file again and puts the row where it already shows.
    std::int32_t shownScores[kHighScoreRows];
    char shownNames[kHighScoreRows][kNameLength];
    std::memcpy(shownScores, world->hiScores, sizeof shownScores);
    std::memcpy(shownNames, world->hiNames, sizeof shownNames);
    if (!world->finishNameEntry()) __builtin_trap();
    if (std::memcmp(shownScores, world->hiScores, sizeof shownScores) != 0 ||
        std::memcmp(shownNames, world->hiNames, sizeof shownNames) != 0)
        __builtin_trap();
    GameWorld reread;
    reread.clearHighScores();
    if (!reread.loadHighScores()) __builtin_trap();
    if (std::memcmp(reread.hiScores, world->hiScores, sizeof reread.hiScores) != 0 ||
        std::memcmp(reread.hiNames, world->hiNames, sizeof reread.hiNames) != 0)
        __builtin_trap();
    return 0;
}

// A level source of any bytes read as a lesson level and as a level of the game: nothing may
// crash, and a source read without mistakes is written back, read again to the same level,
// and compiled to a level file that reads back to the same grid and tokens.
#include "fuzz/fuzz_support.h"
#include "lessons/level_binary.h"
#include "lessons/level_text.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

void roundTrip(const lvl::LevelSource& first, const std::vector<lvl::Scenery>* installed) {
    lvl::LevelSource second;
    std::vector<lvl::Problem> problems;
    const std::string written = lvl::writeLevelText(first);
    if (!lvl::readLevelText(written, "w.txt", installed, second, problems)) std::abort();
    const lvl::Level& a = first.level;
    const lvl::Level& b = second.level;
    if (a.tokens != b.tokens || a.target != b.target || a.targetX != b.targetX || a.targetY != b.targetY ||
        a.playerX != b.playerX || a.playerY != b.playerY || a.background != b.background || a.blockSheet != b.blockSheet ||
        std::memcmp(a.cells, b.cells, sizeof a.cells) != 0 || first.title != second.title || first.notes != second.notes)
        std::abort();
    lvl::Level decoded;
    std::string error;
    if (!lvl::decodeLevel(lvl::encodeLevel(a), decoded, error) || decoded.tokens != a.tokens ||
        std::memcmp(decoded.cells, a.cells, sizeof a.cells) != 0 || decoded.background != a.background)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<lvl::Scenery> installed = {{"laka.bmp", 304, 58, 1}, {"piasek.bmp", 300, 58, 2}};
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::vector<lvl::Scenery>* scenery : {&installed, static_cast<const std::vector<lvl::Scenery>*>(nullptr)}) {
        lvl::LevelSource source;
        std::vector<lvl::Problem> problems;
        if (lvl::readLevelText(text, "f.txt", scenery, source, problems)) roundTrip(source, scenery);
        for (const lvl::Problem& p : problems)
            if (p.line < 1 || p.what.en.empty() || p.what.pl.empty()) std::abort();
    }
    return 0;
}

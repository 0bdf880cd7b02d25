// kalkulon_lesson_layouts [GAME_DIR]: how practice packs grow through their levels. Ten packs
// (ten families or mixes, seeds 1 to 10) are made as `kalkulon-levels practice` makes them;
// for each level the mean length of the winning route found by the proof, in 10 ms steps, and
// the mean climb, the cells above its start that the route stands at its highest.
#include "lessons/pack.h"
#include "lessons/pack_check.h"
#include "lessons/practice.h"

#include <cstdio>

int main(int argc, char** argv) {
    lvl::Installed installed;
    lvl::Text error;
    if (!lvl::findInstalled(argc > 1 ? argv[1] : KALKULON_GAME_DIR, installed, error)) {
        std::fprintf(stderr, "%s\n", error.en.c_str());
        return 1;
    }
    const lvl::ScratchFolder scratch;  // the proofs write the game's trace
    const char* families[] = {"add10", "add20", "sub20", "2,5,10", "3", "7", "9", "div", "order", "4,6"};
    double steps[lvl::kPackLevels] = {}, climb[lvl::kPackLevels] = {};
    int packs = 0;
    for (int i = 0; i < 10; ++i) {
        lessons::FactSpec spec;
        lessons::PracticePack pack;
        if (!lessons::parseFacts(families[i], spec, error) ||
            !lessons::makePracticePack(spec, static_cast<std::uint64_t>(i + 1), installed.scenery, pack, error)) {
            std::fprintf(stderr, "%s: %s\n", families[i], error.en.c_str());
            continue;
        }
        ++packs;
        for (std::size_t n = 0; n < pack.proofs.size(); ++n) {
            steps[n] += static_cast<double>(pack.proofs[n].steps);
            climb[n] += pack.proofs[n].climb;
        }
    }
    std::printf("%d packs\nlevel        ", packs);
    for (int n = 1; n <= lvl::kPackLevels; ++n) std::printf("%6d", n);
    std::printf("\nroute steps  ");
    for (double s : steps) std::printf("%6.0f", s / packs);
    std::printf("\nclimb, cells ");
    for (double c : climb) std::printf("%6.1f", c / packs);
    std::printf("\n");
    return packs == 10 ? 0 : 1;
}

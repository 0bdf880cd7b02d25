// kalkulon_gallery [--language CODE] GAME_DIR OUT_DIR [RECORDING]
// Plays back a recorded whole game headless (the game the tests keep as their golden record,
// unless another recording is named) and saves real frames of it as PNG pictures: the title,
// the story, every level in play, the pause menu, a won level's box, the ending and the
// high-score table with a name being typed. A first playing finds the moments, a second one
// takes their frames. With --language the game plays in that language (the same clicks fit).
#include "game_folder.h"
#include "headless_game.h"
#include "png_files.h"
#include "recording.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace hl = plat::headless;
namespace fs = std::filesystem;

namespace {

// The game as a poll found it (the last frame presented then shows it).
struct Moment {
    Screen screen = Screen::None;
    int level = 0;
    bool typing = false;  // a name is being typed
    bool fresh = false;   // a frame was presented since the poll before
};

// The polls of each run of one screen, in order.
struct Run {
    Screen screen;
    int level;
    std::vector<long> polls;  // those after a fresh frame
};

std::vector<Run> runsOf(const std::map<long, Moment>& moments) {
    std::vector<Run> runs;
    for (const auto& [poll, m] : moments) {
        if (runs.empty() || runs.back().screen != m.screen || runs.back().level != m.level)
            runs.push_back({m.screen, m.level, {}});
        if (m.fresh) runs.back().polls.push_back(poll);
    }
    return runs;
}

// Which poll's frame each picture is: the title, story and pause as last shown (the button under
// the mouse lit), each level half-way through its last run, the result boxes of levels 1 and 7,
// and the table just before the name is saved.
std::map<std::string, long> choose(const std::map<long, Moment>& moments) {
    std::map<std::string, long> at;
    const std::vector<Run> runs = runsOf(moments);
    bool titleSeen = false;
    for (const Run& run : runs) {
        if (run.polls.empty()) continue;
        switch (run.screen) {
        case Screen::Title:
            if (!titleSeen) at["title"] = run.polls.back();
            titleSeen = true;
            break;
        case Screen::Story:
            at["story"] = run.polls.back();
            break;
        case Screen::Pause:
            at["pause"] = run.polls.back();
            break;
        case Screen::Play:
            at["level" + std::to_string(run.level)] = run.polls[run.polls.size() / 2];
            break;
        case Screen::Result:
            if (run.level == 1) at["won"] = run.polls.back();
            if (run.level == kLastLevel) at["ending"] = run.polls.back();
            break;
        default:
            break;
        }
    }
    for (const auto& [poll, m] : moments)
        if (m.typing && m.fresh) at["hiscore"] = poll;
    return at;
}

void savePng(const hl::Frame& f, const fs::path& path) {
    const auto png = gallery::encodeFrame565(f.pixels, layout::kFrameWidth, layout::kFrameHeight);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(png.data(), 1, png.size(), out) != png.size()) {
        std::fprintf(stderr, "kalkulon_gallery: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(out);
    std::printf("%s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string language = "pl";
    if (argc >= 3 && std::string(argv[1]) == "--language") {
        language = argv[2];
        argc -= 2;
        argv += 2;
    }
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: kalkulon_gallery [--language CODE] GAME_DIR OUT_DIR [RECORDING]\n");
        return 2;
    }
    const fs::path gameDir = fs::absolute(argv[1]);
    const fs::path outDir = fs::absolute(argv[2]);
    const std::string path = argc == 4 ? argv[3] : KALKULON_SOURCE_DIR "/tests/golden/whole_game/recording.txt";
    replay::Inputs inputs;
    std::string error;
    if (!replay::readInputsFile(path, inputs, error)) {
        std::fprintf(stderr, "kalkulon_gallery: %s\n", error.c_str());
        return 2;
    }
    fs::create_directories(outDir);

    std::map<long, Moment> moments;
    {
        replay::GameFolder folder(gameDir);
        if (!folder.ok()) {
            std::fprintf(stderr, "kalkulon_gallery: no game data in %s\n", gameDir.c_str());
            return 1;
        }
        replay::HeadlessGame game({}, language);
        std::size_t presents = 0;
        game.replay(inputs, [&](Game& a, long poll) {
            const bool typing = a.world != nullptr && a.world->entryRow >= 0;
            moments[poll] = {a.screenShown(), a.levelNumber, a.screenShown() == Screen::HighScores && typing,
                             hl::presentCount() != presents};
            presents = hl::presentCount();
        });
    }
    const std::map<std::string, long> pictures = choose(moments);

    replay::GameFolder folder(gameDir);
    replay::HeadlessGame game({}, language);
    // Every picture the gallery shows; the recording must give each of them.
    std::set<std::string> missing = {"title", "story", "pause", "won", "ending", "hiscore"};
    for (int n = 1; n <= kLastLevel; ++n) missing.insert("level" + std::to_string(n));
    const std::size_t wanted = missing.size();
    const int code = game.replay(inputs, [&](Game&, long poll) {
        for (const auto& [name, at] : pictures) {
            if (at != poll) continue;
            savePng(hl::lastFrame(), outDir / (name + ".png"));
            missing.erase(name);
        }
    });
    std::printf("%zu of %zu pictures, game ended with %d\n", wanted - missing.size(), wanted, code);
    for (const std::string& name : missing) std::fprintf(stderr, "kalkulon_gallery: the recording shows no %s\n", name.c_str());
    return missing.empty() ? 0 : 1;
}

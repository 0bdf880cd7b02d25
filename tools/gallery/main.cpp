// kalkulon_gallery GAME_DIR OUT_DIR
// Plays one whole game headless with the routes the route finder finds, and saves the real
// frames of the game as PNG pictures: the title, the story, every level in play, the pause
// menu, a won level's box, the ending and the high-score table with a name being typed.
#include "platform/scan_codes.h"
#include "png.h"
#include "level_binary.h"
#include "solver.h"

#include "platform/headless.h"
#include "shell/application.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace hl = plat::headless;
namespace fs = std::filesystem;

namespace {

fs::path outDir;
int saved = 0;

void capture(const std::string& name) {
    const hl::Frame& f = hl::lastFrame();
    std::vector<std::uint32_t> rgb(f.pixels.size());
    for (std::size_t i = 0; i < f.pixels.size(); ++i) {
        const std::uint32_t p = f.pixels[i];
        const std::uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        rgb[i] = (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    }
    const auto png = gallery::encodePng(rgb, 640, 480);
    const std::string path = (outDir / (name + ".png")).string();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(png.data(), 1, png.size(), out) != png.size()) {
        std::fprintf(stderr, "kalkulon_gallery: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(out);
    std::printf("%s\n", path.c_str());
    ++saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalkulon_gallery GAME_DIR OUT_DIR\n");
        return 2;
    }
    const fs::path gameDir = fs::absolute(argv[1]);
    outDir = fs::absolute(argv[2]);
    fs::create_directories(outDir);

    // The game writes its trace and its table where it runs: a scratch folder that sees the
    // game's data through links.
    std::string scratch = (fs::temp_directory_path() / "kalkulon_gallery_XXXXXX").string();
    if (::mkdtemp(scratch.data()) == nullptr) return 1;
    for (const char* sub : {"gfx", "level", "music"}) fs::create_directory_symlink(gameDir / sub, fs::path(scratch) / sub);
    const fs::path caller = fs::current_path();
    fs::current_path(scratch);

    std::array<solver::Route, 8> routes{};
    for (int n = 1; n <= 7; ++n) {
        lvl::Level level;
        std::string error;
        if (!lvl::readLevelFile((gameDir / "level" / ("level" + std::to_string(n) + ".lvl")).string(), level, error)) {
            std::fprintf(stderr, "level %d: %s\n", n, error.c_str());
            return 1;
        }
        routes[static_cast<std::size_t>(n)] = solver::solve(level);
        if (!routes[static_cast<std::size_t>(n)].found) {
            std::fprintf(stderr, "level %d has no route\n", n);
            return 1;
        }
    }

    hl::reset();
    hl::setTimeStep(1);
    hl::setTime(1'000'000);
    auto app = std::make_unique<Application>();
    std::set<std::string> done;
    auto once = [&](const std::string& name) { return done.insert(name).second; };
    int level = 0;
    std::size_t step = 0;
    std::uint32_t lastStep = 0;
    int waitFrames = 0;
    int typed = 0;
    bool keyDown = false;
    std::uint32_t sampleTick = 0;
    long polls = 0;

    hl::setPollHook([&] {
        Application& a = *app;
        GameWorld* w = a.world;
        if (++polls > 4'000'000) hl::postSystemClose();
        if (w == nullptr) return;
        if (a.onTitle) {
            hl::setMouse(328, 168);
            // Both credit lines in place, the first button swinging under the mouse.
            if (a.creditLines[1].x <= 50 && a.creditLines[1].direction == 0 && ++waitFrames > 20 && once("title")) capture("title");
            if (done.count("title") != 0 && a.hoverButton == kHoverNewGame) hl::postClick(328, 168);
            return;
        }
        if (a.onNameEntry && !w->levelRunning) {
            if (w->entryRow < 0) {
                if (once("close")) hl::postSystemClose();
                return;
            }
            static constexpr std::uint8_t kScan[3] = {0x18, 0x26, 0x1E};  // O, L, A
            if (keyDown) {
                if (a.lastTick != sampleTick) {
                    hl::releaseAllKeys();
                    keyDown = false;
                    ++typed;
                }
                return;
            }
            if (typed < 3) {
                hl::setKey(kScan[typed], true);
            } else if (typed == 3) {
                if (once("hiscore")) capture("hiscore");
                hl::setKey(0x1C, true);  // Enter
            } else {
                return;
            }
            sampleTick = a.lastTick;
            keyDown = true;
            return;
        }
        if (!w->levelRunning) return;
        if (a.paused) {
            hl::setMouse(320, 210);
            if (a.hoverButton == kHoverResume) {
                if (once("pause")) capture("pause");
                hl::postClick(320, 210);
            }
            return;
        }
        if (a.showStory) {
            hl::setMouse(320, 278);
            if (a.hoverButton == kHoverStart) {
                if (once("story")) capture("story");
                hl::postClick(320, 278);
            }
            return;
        }
        if (w->levelOver) {
            hl::releaseAllKeys();
            hl::setMouse(320, 278);
            // A few frames for the box to show before it is photographed and clicked away.
            if (++waitFrames > 3 && a.hoverButton == kHoverNextWon) {
                waitFrames = 0;
                if (a.levelNumber == 1 && once("won")) capture("won");
                if (a.levelNumber == 7 && once("ending")) capture("ending");
                hl::postClick(320, 278);
            }
            return;
        }
        hl::setMouse(5, 470);
        waitFrames = 0;
        if (a.levelNumber != level) {
            level = a.levelNumber;
            step = 0;
            lastStep = w->lastStepTick;
        } else if (w->lastStepTick != lastStep) {
            lastStep = w->lastStepTick;
            ++step;
        }
        const auto& steps = routes[static_cast<std::size_t>(level)].steps;
        if (step == steps.size() * 11 / 20 && once("level" + std::to_string(level))) capture("level" + std::to_string(level));
        if (level == 3 && step == steps.size() / 3 && once("escape")) {
            hl::releaseAllKeys();
            hl::postEscape();
            return;
        }
        const std::uint8_t keys = step < steps.size() ? steps[step] : 0;
        hl::setKey(plat::kScanLeft, (keys & solver::kLeft) != 0);
        hl::setKey(plat::kScanRight, (keys & solver::kRight) != 0);
        hl::setKey(plat::kScanUp, (keys & solver::kUp) != 0);
        hl::advance(10);
    });
    const int code = app->run();
    hl::setPollHook(nullptr);
    app.reset();
    fs::current_path(caller);
    fs::remove_all(scratch);
    std::printf("%d pictures, game ended with %d\n", saved, code);
    return saved == 13 ? 0 : 1;
}

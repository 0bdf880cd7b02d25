// Every input with which a fuzzer found a fault, replayed through the path it took there, in
// the normal test suite (and so under the sanitizers in the sanitizer build): a level file
// loaded, drawn with its HUD, played for a few steps and drawn again. The files live in
// tests/hardening/findings/<target>/; each fault also has its own test with the behaviour
// that mends it.
#include "platform/headless.h"
#include "screens/game.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> findings(const char* target) {
    std::vector<fs::path> files;
    const fs::path folder = fs::path(KALKULON_SOURCE_DIR) / "tests/hardening/findings" / target;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

// An application with its window and display up and a world, in a fresh folder, as the play
// routine has it when a level starts.
class LevelReplay {
public:
    LevelReplay() {
        plat::headless::reset();
        plat::headless::setTimeStep(1);
        app = std::make_unique<Game>();
        app->window.setClassName("Kalkulon");
        app->window.create(&Game::windowProc, app.get(), 640, 480);
        app->display.init(640, 480, 16);
        app->display.applyPixelFormat(app->display.pixelFormat);
        app->world = std::make_unique<GameWorld>();
        world = app->world.get();
        world->initBlockFrames();
        fs::create_directories(dir.path() / "level");
    }
    ~LevelReplay() {
        app.reset();
        plat::headless::reset();
    }

    // The level as level 1: loaded, drawn, 40 steps with changing keys (taking what the figure
    // touches), drawn again. The back buffer after the first drawing is kept in `firstFrame`.
    void play(const std::string& bytes) {
        dir.write("level/level1.lvl", bytes);
        app->loadLevel(1);
        world->initPlayer();
        world->collectedCount = 0;
        world->levelOver = false;
        app->drawLevelAndHud(0);
        firstFrame.assign(app->display.backBuffer->pixels(), app->display.backBuffer->pixels() + 640 * 480);
        for (std::uint32_t t = 0; t < 40; ++t) {
            world->updatePlayer(t & 1, t & 2, t & 4, false, 100000 + 10 * t);
            world->animateTokens(100000 + 60 * t);
        }
        app->drawLevelAndHud(40);
    }

    testing_support::TempDir dir;
    GameWorld* world = nullptr;  // the game's own
    std::unique_ptr<Game> app;
    std::vector<std::uint16_t> firstFrame;
};

}  // namespace

TEST(FuzzFindings, EveryKeptLevelInputPlaysThrough) {
    const std::vector<fs::path> files = findings("level");
    EXPECT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        LevelReplay replay;
        replay.play(readBytes(file));
        EXPECT_GE(replay.world->collectedCount, 0);
        EXPECT_LE(replay.world->collectedCount, kCollectedSize - 1);
    }
}

// The figure's start comes straight from the file; at y = 2^31 - 1 the bottom edge of its
// picture overflowed while the frame was drawn. It is simply not drawn, like any figure off
// the screen, and the level plays on.
TEST(FuzzFindings, AFigureStartedAtTheEndOfTheCoordinateRangeIsNotDrawn) {
    const fs::path file = fs::path(KALKULON_SOURCE_DIR) / "tests/hardening/findings/level/player-y-at-int-max.lvl";
    std::string bytes = readBytes(file);
    ASSERT_GE(bytes.size(), 28u);

    LevelReplay far;
    far.play(bytes);
    EXPECT_GT(far.world->playerY, INT32_MAX - 200);  // it walked and jumped out there
    // The same level with the figure just off the bottom of the screen draws the same frame.
    bytes[24] = static_cast<char>(0xE0), bytes[25] = 1, bytes[26] = 0, bytes[27] = 0;  // y = 480
    LevelReplay off;
    off.play(bytes);
    EXPECT_EQ(far.firstFrame, off.firstFrame);
}

// Playing whole games headless: small level files written into the test's folder, and a
// script of player actions (move the mouse, click, Escape, hold and release keys, switch
// away) each taken once its moment has come. The script looks at the game only to know when
// to act, as a player looks at the screen; everything it does is what a player does.
#pragma once

#include "platform/scan_codes.h"
#include "platform/headless.h"
#include "shell/application.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace play_test {

namespace hl = plat::headless;

// ---- level files ---------------------------------------------------------------------------

struct LevelBonus {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t type = 0;
};

inline void putLe32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
}

// A level with a floor along row 13, the figure standing on it at x = 20, and the given
// bonuses; the board number is drawn at (400, 100).
inline std::string levelBytes(std::int32_t target, const std::vector<LevelBonus>& bonuses) {
    std::string out;
    putLe32(out, 0);  // no block-file names
    putLe32(out, static_cast<std::int32_t>(bonuses.size()));
    putLe32(out, target);
    putLe32(out, 400);
    putLe32(out, 100);
    putLe32(out, 20);   // player x
    putLe32(out, 384);  // top of the cell the feet stand in
    std::string background = "tlo.bmp";
    background.resize(12, '\0');
    out += background;
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 20; ++column) putLe32(out, row == 13 ? column % 4 : -1);
    for (const LevelBonus& b : bonuses) {
        putLe32(out, b.x);
        putLe32(out, b.y);
        putLe32(out, b.type);
        out.append(180, '\x5A');  // the unread part of the record
    }
    return out;
}

// Bonuses a, op, b and "=" in a row to the right of the figure, the first a few steps away:
// holding Right takes them in this order and evaluates a op b, which wins when it equals
// `target`.
inline std::string sumLevel(std::int32_t a, std::int32_t op, std::int32_t b, std::int32_t target) {
    return levelBytes(target, {{60, 370, a}, {120, 370, op}, {180, 370, b}, {240, 370, kBonusEquals}});
}

inline void writeLevel(const testing_support::TempDir& dir, int number, const std::string& bytes) {
    std::filesystem::create_directories(dir.path() / "level");
    dir.write("level/level" + std::to_string(number) + ".lvl", bytes);
}

// 3 + 4 on every level: `target` 7 wins, anything else loses with result 7.
inline void writeLevels(const testing_support::TempDir& dir, std::int32_t target, int count = 7) {
    for (int n = 1; n <= count; ++n) writeLevel(dir, n, sumLevel(3, kBonusPlus, 4, target));
}

// ---- where things are on the screen -------------------------------------------------------

struct Spot {
    int x;
    int y;
};
inline constexpr Spot kNewGameButton{328, 168};
inline constexpr Spot kHighScoreButton{328, 238};
inline constexpr Spot kExitButton{328, 308};
inline constexpr Spot kBoxButton{320, 278};  // START, DALEJ, KONIEC
inline constexpr Spot kResumeEntry{320, 210};
inline constexpr Spot kRestartEntry{320, 250};
inline constexpr Spot kQuitEntry{320, 290};
inline constexpr Spot kRestingMouse{5, 470};  // over no button of any screen
using plat::kScanBackspace;
using plat::kScanEnter;
using plat::kScanRight;
using plat::kScanUp;
// PC scan code of a capital letter.
inline std::uint8_t scanOf(char letter) { return plat::kScanLetters[letter - 'A']; }
// A key or a gamepad's button tapped: down and up between two frames.
inline void tapKey(std::uint8_t scan) {
    hl::setKey(scan, true);
    hl::setKey(scan, false);
}
inline void tapPad(int pad, plat::PadButton button) {
    hl::setPadButton(pad, button, true);
    hl::setPadButton(pad, button, false);
}

// ---- what is on the screen ----------------------------------------------------------------

inline bool storyShown(const Application& a) {
    return !a.onTitle && a.showStory && !a.paused && a.world->levelRunning;
}
inline bool playing(const Application& a) {
    return !a.onTitle && !a.showStory && !a.paused && a.world->levelRunning && !a.world->levelOver;
}
inline bool resultShown(const Application& a) {
    return !a.paused && a.world->levelRunning && a.world->levelOver;
}
inline bool pauseShown(const Application& a) { return a.paused && a.world->levelRunning; }

// Which of the two screen pictures was put on the background surface last, from the trace:
// "title", "hiscore" or "" for neither.
inline std::string lastBackground(const testing_support::TempDir& dir) {
    const std::string trace = dir.read("debug.txt");
    const auto title = trace.rfind("gfx\\title.bmp");
    const auto hiscore = trace.rfind("gfx\\hiscore.bmp");
    if (title == std::string::npos && hiscore == std::string::npos) return "";
    if (hiscore == std::string::npos || (title != std::string::npos && title > hiscore)) return "title";
    return "hiscore";
}

// ---- the script ----------------------------------------------------------------------------

class Script {
public:
    using When = std::function<bool(Application&)>;
    using Act = std::function<void(Application&)>;

    // One action, taken at the first poll at which `when` holds (after the earlier ones).
    Script& then(std::string what, When when, Act act) {
        steps_.push_back({std::move(what), std::move(when), std::move(act)});
        return *this;
    }
    Script& then(std::string what, Act act) {
        return then(std::move(what), [](Application&) { return true; }, std::move(act));
    }

    // Points at a button and clicks once the game shows it highlighted there.
    Script& click(const std::string& what, Spot spot, std::int32_t code, When when) {
        then("point at " + what, [spot](Application&) { hl::setMouse(spot.x, spot.y); });
        return then(
            "click " + what,
            [when, code](Application& a) { return a.hoverButton == code && when(a); },
            [spot](Application&) {
                hl::postClick(spot.x, spot.y);
                hl::setMouse(kRestingMouse.x, kRestingMouse.y);  // and away from the buttons
            });
    }

    // Lets one more frame run before the next step.
    Script& nextFrame() {
        return then("next frame", [](Application&) {});
    }

    Script& startGame() {
        return click("new game", kNewGameButton, kHoverNewGame, [](Application& a) { return a.onTitle; })
            .click("START", kBoxButton, kHoverStart, storyShown);
    }

    // Holds Right until the level's expression has been evaluated.
    Script& playLevel() {
        then("hold Right", playing, [](Application&) { hl::setKey(kScanRight, true); });
        return then("release Right", resultShown, [](Application&) { hl::setKey(kScanRight, false); });
    }

    // Holds keys until the high-score screen has taken one sample of them, then lets go.
    Script& keys(const std::string& what, std::vector<std::uint8_t> scans) {
        auto sampledAt = std::make_shared<std::uint32_t>(0);
        then("press " + what, [sampledAt, scans](Application& a) {
            *sampledAt = a.lastTick;
            for (std::uint8_t scan : scans) hl::setKey(scan, true);
        });
        return then(
            "release " + what, [sampledAt](Application& a) { return a.lastTick != *sampledAt; },
            [scans](Application&) {
                for (std::uint8_t scan : scans) hl::setKey(scan, false);
            });
    }

    // From the title: a game whose three lives are lost on levels of 3 + 4 that need 8 (write
    // them with writeLevels(dir, 8)), ended with KONIEC; 25 points reach the table.
    Script& loseGame() {
        startGame();
        for (int lives = 3; lives > 1; --lives) {
            playLevel();
            click("DALEJ of a lost level", kBoxButton, kHoverNextLost, resultShown);
        }
        playLevel();
        click("KONIEC", kBoxButton, kHoverGameOver, resultShown);
        return then("high-score screen", [](Application& a) { return a.onNameEntry && !a.world->levelRunning; },
                    [](Application&) {});
    }

    Script& closeWindow() {
        return then("close", [](Application&) { hl::postSystemClose(); });
    }

    void operator()(Application& app, long) {
        if (next_ < steps_.size() && steps_[next_].when(app)) {
            steps_[next_].act(app);
            ++next_;
        }
    }

    bool finished() const { return next_ == steps_.size(); }
    std::string waitingFor() const { return finished() ? "nothing" : steps_[next_].what; }

private:
    struct Step {
        std::string what;
        When when;
        Act act;
    };
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

// Runs the game with the script; every step must have been taken and the game must have ended
// by itself, not by the harness's safety net.
inline int play(testing_support::GameHarness& game, Script& script) {
    // The longest script (a whole game of seven levels) takes under 10 000 polls: the curtains
    // wait without polling. A script that is stuck gives up long before the default net.
    const int code = game.run([&script](Application& app, long poll) { script(app, poll); }, 100'000);
    EXPECT_TRUE(script.finished()) << "stuck waiting for: " << script.waitingFor();
    EXPECT_FALSE(game.timedOut);
    return code;
}

}  // namespace play_test

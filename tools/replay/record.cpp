// kalkulon_record GAME_DIR RECORDING
// Plays the whole game that the tests keep as their golden record, headless on the game's data,
// and writes down its inputs. The game passes every screen: the title with its credits, the
// story (paused over it and resumed with the keyboard), every level played with a route that
// the route finder found, level 2 lost once with a route to the wrong number, a pause with a
// gamepad, a level restarted from the pause menu, a switch to another window, results taken
// with the mouse, the keyboard and the gamepad, the ending, a name typed with letter keys and
// the gamepad, the high-score table from the title, and the exit button. The recording is
// played back once more to see that it gives the same game.
#include "game_folder.h"
#include "game_script.h"
#include "headless_game.h"
#include "recording.h"

#include "lessons/level_binary.h"
#include "lessons/solver.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace fs = std::filesystem;
using replay::Script;
using replay::showing;

namespace {

constexpr int kLostLevel = 2;

// A route on `level` that ends with a sum other than the board's number: the nearest number
// above or below it that the tokens make and a route reaches.
solver::Route losingRoute(lvl::Level level) {
    const std::int32_t target = level.target;
    for (std::int32_t away = 1; away <= 20; ++away) {
        for (const std::int32_t wrong : {target - away, target + away}) {
            level.target = wrong;
            if (!solver::boardCanBeMade(level)) continue;
            solver::Route route = solver::solve(level, 3'000'000);
            if (route.found) return route;
        }
    }
    return {};
}

// Holds a gamepad's button until the high-score screen has taken one sample of it.
void padKey(Script& script, const std::string& what, plat::PadButton button) {
    auto sampledAt = std::make_shared<std::uint32_t>(0);
    script.then("press " + what, [sampledAt, button](Game& a) {
        *sampledAt = a.lastTick;
        replay::hl::setPadButton(1, button, true);
    });
    script.then(
        "release " + what, [sampledAt](Game& a) { return a.lastTick != *sampledAt; },
        [button](Game&) { replay::hl::setPadButton(1, button, false); });
}

// Taps a key, then waits until the button of `code` is lit.
void keyToButton(Script& script, const std::string& what, std::uint8_t scan, std::int32_t code) {
    script.then(what, [scan](Game&) { replay::tapKey(scan); });
    const auto lit = [code](Game& a) { return a.hoverButton == code; };
    script.then(what + " lit", lit, [](Game&) {});
}

Script goldenGame(const std::array<solver::Route, 8>& routes, const solver::Route& losing) {
    namespace hl = replay::hl;
    using namespace replay;
    Script script;
    auto frames = std::make_shared<int>(0);
    // The title: both credit lines in place, the first button swinging under the mouse.
    script.then("point at new game", [](Game&) { hl::setMouse(kNewGameButton.x, kNewGameButton.y); });
    script.then(
        "credits in place", [](Game& a) { return a.creditLines[1].x <= 50 && a.creditLines[1].direction == 0; }, [](Game&) {});
    const auto aWhile = [frames](Game&) { return ++*frames == 20; };
    script.then("title a while", aWhile, [](Game&) {});
    script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
    // The story, paused and resumed with Enter (the first press lights Powrót do gry).
    script.then("Escape over the story", showing(Screen::Story), [](Game&) { hl::postEscape(); });
    keyToButton(script, "Enter", plat::kScanEnter, kHoverResume);
    script.then("Enter on Powrót do gry", [](Game&) { tapKey(plat::kScanEnter); });
    script.click("START", kBoxButton, kHoverStart, showing(Screen::Story));

    for (int n = 1; n <= kLastLevel; ++n) {
        if (n == kLostLevel) {
            script.followRoute(losing.steps);
            script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
        }
        if (n == 3) {
            // A gamepad plugged in pauses the level with Start and resumes it with B.
            script.then("plug a gamepad", showing(Screen::Play), [](Game&) { hl::plugPad(1); });
            script.then("Start", [](Game&) { tapPad(1, plat::PadButton::Start); });
            script.then("B", showing(Screen::Pause), [](Game&) { tapPad(1, plat::PadButton::East); });
        }
        if (n == 4) {
            // The level restarted from the pause menu, for a life.
            script.then("Escape", showing(Screen::Play), [](Game&) { hl::postEscape(); });
            script.click("Zacznij poziom od nowa", kRestartEntry, kHoverRestart, showing(Screen::Pause));
        }
        if (n == 5) {
            // Another window in front for a while.
            auto away = std::make_shared<int>(0);
            script.then("switch away", showing(Screen::Play), [](Game&) { hl::setForeground(false); });
            const auto awayLongEnough = [away](Game&) { return ++*away == 100; };
            script.then("come back", awayLongEnough, [](Game&) { hl::setForeground(true); });
        }
        script.followRoute(routes[static_cast<std::size_t>(n)].steps);
        if (n == 3) {
            // DALEJ with the gamepad's A: the first press lights it.
            script.then("A", [](Game&) { tapPad(1, plat::PadButton::South); });
            script.then(
                "DALEJ lit", [](Game& a) { return a.hoverButton == kHoverNextWon; },
                [](Game&) { tapPad(1, plat::PadButton::South); });
        } else if (n == 6) {
            keyToButton(script, "Tab", plat::kScanTab, kHoverNextWon);
            script.then("Space on DALEJ", [](Game&) { tapKey(plat::kScanSpace); });
        } else {
            script.click(n == kLastLevel ? "DALEJ of the ending" : "DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
        }
    }

    // The name: O and L typed, the third letter turned up to A on the gamepad's D-pad and passed
    // with right, Start saves it.
    script.then(
        "name entry", [](Game& a) { return a.screenShown() == Screen::HighScores && a.world->entryRow >= 0; }, [](Game&) {});
    script.keys("O", {scanOf('O')}).keys("L", {scanOf('L')});
    padKey(script, "D-pad up", plat::PadButton::DpadUp);
    padKey(script, "D-pad right", plat::PadButton::DpadRight);
    padKey(script, "Start", plat::PadButton::Start);
    const auto saved = [](Game& a) { return a.world->entryRow < 0; };
    script.then("saved", saved, [](Game&) { hl::postEscape(); });
    script.click("high scores", kHighScoreButton, kHoverHighScores, showing(Screen::Title));
    script.then("leave the table", showing(Screen::HighScores), [](Game&) { hl::postEscape(); });
    script.click("exit", kExitButton, kHoverExit, showing(Screen::Title));
    return script;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kalkulon_record GAME_DIR RECORDING\n");
        return 2;
    }
    const fs::path gameDir = fs::absolute(argv[1]);
    const fs::path out = fs::absolute(argv[2]);

    replay::Inputs inputs;
    std::string trace;
    {
        replay::GameFolder folder(gameDir);
        if (!folder.ok()) {
            std::fprintf(stderr, "kalkulon_record: no game data in %s\n", gameDir.c_str());
            return 1;
        }
        std::array<solver::Route, 8> routes{};
        solver::Route losing;
        for (int n = 1; n <= kLastLevel; ++n) {
            lvl::Level level;
            std::string error;
            if (!lvl::readLevelFile((gameDir / "level" / ("level" + std::to_string(n) + ".lvl")).string(), level, error)) {
                std::fprintf(stderr, "kalkulon_record: level %d: %s\n", n, error.c_str());
                return 1;
            }
            routes[static_cast<std::size_t>(n)] = solver::solve(level);
            if (!routes[static_cast<std::size_t>(n)].found) {
                std::fprintf(stderr, "kalkulon_record: level %d has no route\n", n);
                return 1;
            }
            if (n == kLostLevel) losing = losingRoute(level);
        }
        if (!losing.found) {
            std::fprintf(stderr, "kalkulon_record: level %d has no route to a wrong sum\n", kLostLevel);
            return 1;
        }

        replay::HeadlessGame game{ErrorReporter(kTraceFile)};  // its trace is the golden one
        Script script = goldenGame(routes, losing);
        const int code = game.run([&script](Game& a, long poll) { script(a, poll); }, 1'000'000);
        if (!script.finished() || game.timedOut || code != 0) {
            std::fprintf(stderr, "kalkulon_record: the game went wrong (exit code %d), stuck waiting for: %s\n", code,
                         script.waitingFor().c_str());
            return 1;
        }
        inputs = replay::hl::inputs();
        trace = readText(kTraceFile);
    }
    {
        replay::GameFolder folder(gameDir);
        replay::HeadlessGame game{ErrorReporter(kTraceFile)};
        const int code = game.replay(inputs);
        if (code != 0 || game.timedOut || readText(kTraceFile) != trace) {
            std::fprintf(stderr, "kalkulon_record: played back, the recording gives another game\n");
            return 1;
        }
    }
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << replay::writeInputs(inputs);
    if (!file.flush()) {
        std::fprintf(stderr, "kalkulon_record: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s: %zu inputs\n", out.c_str(), inputs.size());
    return 0;
}

// Playing a game by script: a list of player actions (move the mouse, click, Escape, hold and
// release keys, follow a route, switch away), each taken once its moment has come. The script
// looks at the game only to know when to act, as a player looks at the screen; everything it
// does goes through the headless back end's controls, so the game it plays can be written
// down (hl::inputs) and played again.
#pragma once

#include "platform/headless.h"
#include "platform/scan_codes.h"
#include "screens/game.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace replay {

namespace hl = plat::headless;

// ---- where things are on the screen ----------------------------------------------------------

// Where a player points at a button: the middle of where it is drawn.
using Spot = plat::Point;
constexpr Spot spotOf(std::int32_t code) { return places::middle(places::of(code).drawn); }
inline constexpr Spot kNewGameButton = spotOf(kHoverNewGame);
inline constexpr Spot kHighScoreButton = spotOf(kHoverHighScores);
inline constexpr Spot kExitButton = spotOf(kHoverExit);
inline constexpr Spot kBoxButton = spotOf(kHoverStart);  // START, DALEJ, KONIEC
inline constexpr Spot kResumeEntry = spotOf(kHoverResume);
inline constexpr Spot kRestartEntry = spotOf(kHoverRestart);
inline constexpr Spot kQuitEntry = spotOf(kHoverQuit);
inline constexpr Spot kRestingMouse{5, 470};  // over no button of any screen

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

// ---- the script ------------------------------------------------------------------------------

// A script's moment: while `screen` shows.
inline std::function<bool(Game&)> showing(Screen screen) {
    return [screen](Game& a) { return a.screenShown() == screen; };
}

class Script {
public:
    using When = std::function<bool(Game&)>;
    using Act = std::function<void(Game&)>;

    // One action, taken at the first poll at which `when` holds (after the earlier ones).
    Script& then(std::string what, When when, Act act);
    Script& then(std::string what, Act act);
    // An action taken at every poll until `until` holds; then the script goes on.
    Script& each(std::string what, When until, Act act);

    // Points at a button and clicks once the game shows it highlighted there (and `when`
    // holds); the mouse then moves away from the buttons.
    Script& click(const std::string& what, Spot spot, std::int32_t code, When when);
    // Lets one more frame run before the next step.
    Script& nextFrame();
    // From the title: NOWA GRA, then START under the story.
    Script& startGame();
    // Holds Right until the level's expression has been evaluated.
    Script& playLevel();
    // Plays the level on screen with a route, one step of it a frame (keys of solver::Key
    // bits, one step each 10 ms of the clock), until the result shows.
    Script& followRoute(std::vector<std::uint8_t> steps);
    // Holds keys until the high-score screen has taken one sample of them, then lets go.
    Script& keys(const std::string& what, std::vector<std::uint8_t> scans);
    // From the title: a game whose three lives are lost on levels of 3 + 4 that need 8, ended
    // with KONIEC; 25 points reach the table.
    Script& loseGame();
    Script& closeWindow();

    // Takes the next action if its moment has come.
    void operator()(Game& app, long poll);
    bool finished() const { return next_ == steps_.size(); }
    std::string waitingFor() const { return finished() ? "nothing" : steps_[next_].what; }

private:
    struct Step {
        std::string what;
        When when;
        Act act;
        bool repeats = false;  // `act` at every poll until `when`
    };
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

}  // namespace replay

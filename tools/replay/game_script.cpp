#include "game_script.h"

#include "lessons/solver.h"

#include <memory>
#include <utility>

namespace replay {

Script& Script::then(std::string what, When when, Act act) {
    steps_.push_back({std::move(what), std::move(when), std::move(act)});
    return *this;
}

Script& Script::then(std::string what, Act act) {
    const auto now = [](Game&) { return true; };
    return then(std::move(what), now, std::move(act));
}

Script& Script::each(std::string what, When until, Act act) {
    steps_.push_back({std::move(what), std::move(until), std::move(act), true});
    return *this;
}

Script& Script::click(const std::string& what, Spot spot, std::int32_t code, When when) {
    then("point at " + what, [spot](Game&) { hl::setMouse(spot.x, spot.y); });
    return then(
        "click " + what, [when, code](Game& a) { return a.hoverButton == code && when(a); },
        [spot](Game&) {
            hl::postClick(spot.x, spot.y);
            hl::setMouse(kRestingMouse.x, kRestingMouse.y);
        });
}

Script& Script::nextFrame() {
    return then("next frame", [](Game&) {});
}

Script& Script::startGame() {
    return click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title))
        .click("START", kBoxButton, kHoverStart, showing(Screen::Story));
}

Script& Script::playLevel() {
    then("hold Right", showing(Screen::Play), [](Game&) { hl::setKey(plat::kScanRight, true); });
    return then("release Right", showing(Screen::Result), [](Game&) { hl::setKey(plat::kScanRight, false); });
}

Script& Script::followRoute(std::vector<std::uint8_t> steps) {
    struct Progress {
        bool started = false;
        std::size_t step = 0;
        std::uint32_t lastStepTick = 0;
        std::uint8_t held = 0;
    };
    auto progress = std::make_shared<Progress>();
    const auto hold = [progress](std::uint8_t keys) {
        const std::pair<std::uint8_t, std::uint8_t> keyOf[] = {
            {solver::kLeft, plat::kScanLeft}, {solver::kRight, plat::kScanRight}, {solver::kUp, plat::kScanUp}};
        for (const auto& [bit, scan] : keyOf)
            if ((progress->held & bit) != (keys & bit)) hl::setKey(scan, (keys & bit) != 0);
        progress->held = keys;
    };
    then("route: a movement step each frame", showing(Screen::Play), [](Game&) { hl::setTimeStep(10); });
    each("follow the route", showing(Screen::Result), [progress, steps = std::move(steps), hold](Game& a) {
        if (a.screenShown() != Screen::Play) return;
        const GameWorld& w = *a.world;
        if (!progress->started) {
            progress->started = true;
            progress->lastStepTick = w.lastStepTick;
        } else if (w.lastStepTick != progress->lastStepTick) {
            progress->lastStepTick = w.lastStepTick;
            ++progress->step;
        }
        hold(progress->step < steps.size() ? steps[progress->step] : 0);
    });
    return then("route: keys let go", [hold](Game&) {
        hold(0);
        hl::setTimeStep(1);
    });
}

Script& Script::keys(const std::string& what, std::vector<std::uint8_t> scans) {
    auto sampledAt = std::make_shared<std::uint32_t>(0);
    then("press " + what, [sampledAt, scans](Game& a) {
        *sampledAt = a.lastTick;
        for (std::uint8_t scan : scans) hl::setKey(scan, true);
    });
    return then(
        "release " + what, [sampledAt](Game& a) { return a.lastTick != *sampledAt; },
        [scans](Game&) {
            for (std::uint8_t scan : scans) hl::setKey(scan, false);
        });
}

Script& Script::loseGame() {
    startGame();
    for (int lives = 3; lives > 1; --lives) {
        playLevel();
        click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
    }
    playLevel();
    click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
    return then("high-score screen", showing(Screen::HighScores), [](Game&) {});
}

Script& Script::closeWindow() {
    return then("close", [](Game&) { hl::postSystemClose(); });
}

void Script::operator()(Game& app, long) {
    if (next_ >= steps_.size()) return;
    Step& step = steps_[next_];
    if (step.repeats) {
        if (step.when(app)) ++next_;
        else step.act(app);
    } else if (step.when(app)) {
        step.act(app);
        ++next_;
    }
}

}  // namespace replay

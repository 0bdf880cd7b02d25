// Playing without a mouse: whole games with a gamepad alone and with the keyboard alone, the
// highlight through every menu and box with each button pressed, the mouse taking the
// highlight back, and pads plugged in and out in the middle of a level.
#include "support/test_game.h"
#include "support/test_levels.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace replay;
using namespace testing_support;
using plat::PadAxis;
using plat::PadButton;
using testing_support::TestGame;

namespace {

constexpr int kPad = 1;

// The player's hands: a gamepad or the keyboard.
struct Hands {
    bool pad;
    void next() const { pad ? tapPad(kPad, PadButton::DpadDown) : tapKey(plat::kScanDown); }
    void press() const { pad ? tapPad(kPad, PadButton::South) : tapKey(kScanEnter); }
    void walk(bool on) const {
        if (pad) hl::setPadAxis(kPad, PadAxis::LeftX, on ? 30000 : 0);
        else hl::setKey(kScanRight, on);
    }
};

// Buttons on screen, every key message taken and the frame after it drawn.
bool buttonsUp(const Game& a) { return a.buttonsShown > 0 && hl::pendingMessages() == 0; }
bool onTitle(Game& a) { return a.screenShown() == Screen::Title && a.firstButtonShown == kHoverNewGame && buttonsUp(a); }

// A box comes up with nothing lit; a first press lights its button, a second presses it.
void pressBoxButton(Script& s, Hands hands, std::int32_t code, Script::When shown) {
    s.then(
        "light the box's button", [shown](Game& a) { return shown(a) && buttonsUp(a) && a.hoverButton == kHoverNone; },
        [hands](Game&) { hands.press(); });
    const auto highlighted = [shown, code](Game& a) { return shown(a) && a.hoverButton == code; };
    s.then("press it", highlighted, [hands](Game&) { hands.press(); });
}

// Taps `moves` once `shown` holds with its buttons drawn, waits for the highlight on `code`,
// then taps `press`.
void choose(Script& s, const std::string& what, Script::When shown, std::vector<std::uint8_t> moves, std::int32_t code,
            std::uint8_t press = kScanEnter) {
    s.then(
        "move to " + what, [shown](Game& a) { return shown(a) && buttonsUp(a); },
        [moves](Game&) {
            for (std::uint8_t key : moves) tapKey(key);
        });
    s.then(
        "press " + what, [shown, code](Game& a) { return shown(a) && buttonsUp(a) && a.hoverButton == code; },
        [press](Game&) { tapKey(press); });
}

// The pause box as the last frame showed it.
std::vector<std::uint16_t> pauseBox() {
    std::vector<std::uint16_t> box;
    const auto& pixels = hl::lastFrame().pixels;
    for (int y = 165; y < 315; ++y) box.insert(box.end(), &pixels[y * 640 + 220], &pixels[y * 640 + 420]);
    return box;
}

}  // namespace

TEST(WithoutMouse, AWholeGameWonAndANameSavedWithAGamepadAloneOrTheKeyboardAlone) {
    const auto dpad = [](PadButton b) { return [b] { tapPad(kPad, b); }; };
    const auto key = [](char c) { return [c] { tapKey(scanOf(c)); }; };
    struct Row {
        Hands hands;
        std::vector<std::function<void()>> name;
        std::string saved;
    };
    const Row rows[] = {
        {{true},
         {dpad(PadButton::DpadUp), dpad(PadButton::DpadRight), dpad(PadButton::DpadDown), dpad(PadButton::DpadDown),
          dpad(PadButton::DpadRight), dpad(PadButton::DpadLeft), dpad(PadButton::DpadUp), dpad(PadButton::DpadRight),
          dpad(PadButton::DpadRight), dpad(PadButton::DpadUp), dpad(PadButton::Start)},
         std::string("AZ A\0\0\0\0", 8)},
        {{false}, {key('K'), key('O'), key('T'), [] { tapKey(kScanEnter); }}, std::string("KOT\0\0\0\0\0", 8)},
    };
    for (const Row& row : rows) {
        TestGame game;
        writeLevels(game.dir, 7);
        const Hands hands = row.hands;
        Script s;
        if (hands.pad) s.then("plug in the pad", [](Game&) { hl::plugPad(kPad); });
        s.then("light NOWA GRA", onTitle, [hands](Game&) { hands.next(); });
        s.then(
            "press NOWA GRA", [](Game& a) { return a.screenShown() == Screen::Title && a.hoverButton == kHoverNewGame; },
            [hands](Game&) { hands.press(); });
        pressBoxButton(s, hands, kHoverStart, showing(Screen::Story));
        for (int level = 1; level <= 7; ++level) {
            s.then("walk", showing(Screen::Play), [hands](Game&) { hands.walk(true); });
            s.then("stop", showing(Screen::Result), [hands](Game&) { hands.walk(false); });
            pressBoxButton(s, hands, kHoverNextWon, showing(Screen::Result));
        }
        s.then(
            "type the name", [](Game& a) { return a.screenShown() == Screen::HighScores && a.world->entryRow == 0; },
            [&row](Game&) {
                for (const auto& tap : row.name) tap();
            });
        s.then(
            "saved", [](Game& a) { return a.world->entryRow < 0; },
            [](Game& a) {
                EXPECT_EQ(a.screenShown(), Screen::HighScores);  // the table stays on screen
                hl::postSystemClose();
            });
        EXPECT_EQ(play(game, s), 0);
        const std::string table = game.dir.read("hiscore.tbl");
        ASSERT_EQ(table.size(), 120u);
        EXPECT_EQ(table.substr(0, 4), std::string("\x0D\x02\0\0", 4)) << hands.pad;  // 7 x (25 + 50) = 525
        EXPECT_EQ(table.substr(40, 8), row.saved) << hands.pad;
    }
}

TEST(WithoutMouse, TheKeysLightAndPressEveryButtonOfEveryMenuAndBox) {
    TestGame game;
    writeLevels(game.dir, 8);  // every level is lost
    const auto lives = [](std::int32_t n) {
        return [n](Game& a) { return a.screenShown() == Screen::Play && a.world->lives == n; };
    };
    Script s;
    choose(s, "WYNIKI", onTitle, {plat::kScanDown, plat::kScanDown}, kHoverHighScores);
    s.then("high scores", showing(Screen::HighScores), [](Game&) { hl::postEscape(); });
    choose(s, "NOWA GRA", onTitle, {plat::kScanTab}, kHoverNewGame, plat::kScanSpace);
    choose(s, "START", showing(Screen::Story), {kScanRight}, kHoverStart);
    s.then("pause", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    choose(s, "Powrót do gry", showing(Screen::Pause), {plat::kScanDown}, kHoverResume);
    s.then("pause again", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    // Backwards from nothing lit starts at the last entry.
    choose(s, "Zacznij poziom od nowa", showing(Screen::Pause), {kScanUp, kScanUp}, kHoverRestart);
    s.then("walk with two lives", lives(2), [](Game&) { hl::setKey(kScanRight, true); });
    s.then("lost", showing(Screen::Result), [](Game&) { hl::setKey(kScanRight, false); });
    choose(s, "DALEJ of a lost level", showing(Screen::Result), {plat::kScanTab}, kHoverNextLost, plat::kScanSpace);
    s.then("walk with one life", lives(1), [](Game&) { hl::setKey(kScanRight, true); });
    s.then("game over", showing(Screen::Result), [](Game&) { hl::setKey(kScanRight, false); });
    choose(s, "KONIEC", showing(Screen::Result), {plat::kScanLeft}, kHoverGameOver);
    s.then(
        "name entry", [](Game& a) { return a.screenShown() == Screen::HighScores && a.world->entryRow == 0; },
        [](Game&) { hl::postEscape(); });
    choose(s, "NOWA GRA", onTitle, {plat::kScanDown}, kHoverNewGame);
    choose(s, "START", showing(Screen::Story), {plat::kScanDown}, kHoverStart, plat::kScanSpace);
    s.then("pause", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    choose(s, "Wyjście", showing(Screen::Pause), {kScanUp}, kHoverQuit);
    choose(s, "WYJŚCIE", onTitle, {kScanUp}, kHoverExit);
    EXPECT_EQ(play(game, s), 0);
    EXPECT_FALSE(plat::windowExists());
    EXPECT_EQ(game.dir.read("hiscore.tbl").substr(0, 4), std::string("\x19\0\0\0", 4));  // 25 points
}

TEST(WithoutMouse, TheMouseTakesTheHighlightBackAndItsClickStillActsOnTheButtonUnderIt) {
    TestGame game;
    writeLevels(game.dir, 7);
    std::vector<std::uint16_t> litByKeys;
    Script s;
    // The pointer rests on WYNIKI; Down lights WYJŚCIE, which swings as under the mouse, and a
    // click where the pointer rests still opens the high scores.
    s.then("point at WYNIKI", onTitle, [](Game&) { hl::setMouse(kHighScoreButton.x, kHighScoreButton.y); });
    const auto onHighScores = [](Game& a) { return a.hoverButton == kHoverHighScores; };
    s.then("Down", onHighScores, [](Game&) { tapKey(plat::kScanDown); });
    s.then(
        "click", [](Game& a) { return a.hoverButton == kHoverExit && a.world->buttons[2].frame != 5; },
        [](Game&) { hl::postClick(kHighScoreButton.x, kHighScoreButton.y); });
    s.then("high scores", showing(Screen::HighScores), [](Game&) { hl::postEscape(); });
    // Tab goes on from the button under the pointer; moving the mouse hands the highlight back.
    s.then("Tab", onTitle, [](Game&) { tapKey(plat::kScanTab); });
    s.then(
        "move the mouse", [](Game& a) { return a.hoverButton == kHoverExit; },
        [](Game&) { hl::setMouse(kRestingMouse.x, kRestingMouse.y); });
    const auto nothingLit = [](Game& a) { return a.hoverButton == kHoverNone; };
    s.then("nothing lit", nothingLit, [](Game&) {});
    s.startGame();
    // A pause entry lit by the keys looks exactly as under the mouse.
    s.then("pause", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    s.then(
        "Down Down", [](Game& a) { return a.screenShown() == Screen::Pause && buttonsUp(a); },
        [](Game&) {
            tapKey(plat::kScanDown);
            tapKey(plat::kScanDown);
        });
    s.then(
        "lit by the keys", [](Game& a) { return a.hoverButton == kHoverRestart && buttonsUp(a); },
        [&](Game&) {
            litByKeys = pauseBox();
            hl::setMouse(kRestartEntry.x, kRestartEntry.y);
        });
    s.then(
        "lit by the mouse", [](Game& a) { return a.keyButton == kHoverNone && a.hoverButton == kHoverRestart; },
        [&](Game&) {
            EXPECT_EQ(pauseBox(), litByKeys);
            hl::setMouse(kRestingMouse.x, kRestingMouse.y);
        });
    s.then(
        "nothing lit", [](Game& a) { return a.screenShown() == Screen::Pause && a.hoverButton == kHoverNone; },
        [&](Game&) { EXPECT_NE(pauseBox(), litByKeys); });
    s.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
    s.then("title", onTitle, [](Game&) {}).closeWindow();
    EXPECT_EQ(play(game, s), 0);
}

TEST(WithoutMouse, PadsPluggedInAndOutMidLevelEachSteerAndTheButtonThatClosedABoxDoesNotJump) {
    TestGame game;
    writeLevels(game.dir, 7);
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t since = 0;
    const auto waited = [&since](std::uint32_t ms) { return [&since, ms](Game&) { return hl::peekTime() - since >= ms; }; };
    Script s;
    s.then("plug in pad 1", [](Game&) { hl::plugPad(1); });
    s.click("NOWA GRA", kNewGameButton, kHoverNewGame, onTitle);
    s.then(
        "light START", [](Game& a) { return a.screenShown() == Screen::Story && buttonsUp(a); },
        [](Game&) { tapPad(1, PadButton::DpadUp); });
    s.then(
        "press START and hold it", [](Game& a) { return a.hoverButton == kHoverStart; },
        [](Game&) { hl::setPadButton(1, PadButton::South, true); });
    s.then("playing", showing(Screen::Play), [&](Game& a) {
        y = a.world->playerY;
        since = hl::peekTime();
    });
    s.then("held: no jump", waited(300), [&](Game& a) {
        EXPECT_EQ(a.world->playerY, y);
        hl::setPadButton(1, PadButton::South, false);
    });
    s.then("press again", [](Game&) { hl::setPadButton(1, PadButton::South, true); });
    s.then(
        "jumps", [&](Game& a) { return a.world->playerY < y - 20; }, [](Game&) { hl::setPadButton(1, PadButton::South, false); });
    // Pad 2 plugged in mid-level walks; pulled out while pushed, the figure stops; pad 1 goes on.
    s.then(
        "landed", [](Game& a) { return a.world->result == 0; },
        [&](Game& a) {
            x = a.world->playerX;
            hl::plugPad(2);
            hl::setPadAxis(2, PadAxis::LeftX, 25000);
        });
    s.then(
        "pull out pad 2", [&](Game& a) { return a.world->playerX > x + 20; },
        [&](Game& a) {
            hl::unplugPad(2);
            x = a.world->playerX;
            since = hl::peekTime();
        });
    s.then("stopped", waited(300), [&](Game& a) {
        EXPECT_EQ(a.world->playerX, x);
        x = a.world->playerX;
        hl::setPadButton(1, PadButton::DpadLeft, true);
    });
    // Start opens the pause menu and the east button closes it.
    const auto walkedBack = [&](Game& a) { return a.world->playerX < x - 20; };
    s.then("pad 1 walks back", walkedBack, [](Game&) { tapPad(1, PadButton::Start); });
    s.then("paused", showing(Screen::Pause), [](Game&) { tapPad(1, PadButton::East); });
    s.then("playing again", showing(Screen::Play), [](Game&) {}).closeWindow();
    EXPECT_EQ(play(game, s), 0);
}

// A button pressed with a key holds Up back only until the next level's first look at the keys;
// a game begun later with mouse clicks jumps at once with Up held through its START click.
TEST(WithoutMouse, AKeyPressOnTheTitleDoesNotHoldBackTheJumpOfAGameStartedWithTheMouse) {
    TestGame game;
    writeLevels(game.dir, 7);
    std::int32_t y = 0;
    std::int32_t highest = 0;
    std::uint32_t since = 0;
    Script s;
    choose(s, "WYNIKI", onTitle, {plat::kScanDown, plat::kScanDown}, kHoverHighScores);
    s.then("back to the title", showing(Screen::HighScores), [](Game&) { hl::postEscape(); });
    s.click("NOWA GRA", kNewGameButton, kHoverNewGame, onTitle);
    s.then(
        "hold Up and click START", [](Game& a) { return a.screenShown() == Screen::Story && buttonsUp(a); },
        [](Game&) {
            hl::setKey(kScanUp, true);
            hl::setMouse(kBoxButton.x, kBoxButton.y);
        });
    s.then(
        "click", [](Game& a) { return a.hoverButton == kHoverStart; }, [](Game&) { hl::postClick(kBoxButton.x, kBoxButton.y); });
    s.then("playing", showing(Screen::Play), [&](Game& a) {
        y = highest = a.world->playerY;
        since = hl::peekTime();
    });
    s.then(
        "half a second of play",
        [&](Game& a) {
            highest = std::min(highest, a.world->playerY);
            return hl::peekTime() - since >= 500;
        },
        [&](Game&) {
            EXPECT_LT(highest, y - 20) << "Up held through the click did not jump";
            hl::setKey(kScanUp, false);
        });
    s.closeWindow();
    EXPECT_EQ(play(game, s), 0);
}

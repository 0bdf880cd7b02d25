// Who plays, with a class folder: the class's names in pages, chosen with the keys or the mouse,
// Escape back to the title, the chosen name typed into the high-score entry; a class folder
// that cannot be written said once in a box; without a class nothing of it shows.
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

#include <optional>

using namespace replay;
using namespace testing_support;

namespace {

class FakeClass : public ClassRoom {
public:
    FakeClass(std::vector<std::string> names, bool unwritable) : names_(std::move(names)), unwritable_(unwritable) {}
    const std::vector<std::string>& names() const override { return names_; }
    void choose(std::size_t index) override { chosen = index; }
    std::string tableFolder() const override { return {}; }
    bool unwritable() const override { return unwritable_; }
    std::optional<std::size_t> chosen;

private:
    std::vector<std::string> names_;
    bool unwritable_;
};

// Three lives lost on levels of 3 + 4 that need 8, from the story on; 25 points reach the table.
void loseFromTheStory(Script& script) {
    script.click("START", kBoxButton, kHoverStart, showing(Screen::Story));
    for (int lives = 3; lives > 1; --lives) {
        script.playLevel();
        script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
    }
    script.playLevel();
    script.click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
}

}  // namespace

// 31 names: a full first page and a second of one. The keys turn the page and choose its one
// name; the entry then starts with that name as the table holds it, and the cursor after it.
TEST(WhoPlays, PagesKeysAndEscapeThenTheChosenNameStartsTheGameAndItsEntry) {
    TestGame game;
    writeLevels(game.dir, 8);
    std::vector<std::string> names;
    for (int i = 0; i < 30; ++i) names.push_back("Dziecko " + std::to_string(i));
    names.push_back("  Żaneta Łukasiewicz-Óść");
    FakeClass klass(names, false);
    game.app->classRoom = &klass;
    Script script;
    script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
    script.then("who plays", showing(Screen::WhoPlays), [](Game& a) {
        EXPECT_EQ(a.buttonsShown, 31);  // the next page's button and a full page
        hl::postEscape();
    });
    script.click("new game again", kNewGameButton, kHoverNewGame, showing(Screen::Title));
    script.then("Down", showing(Screen::WhoPlays), [](Game&) { tapKey(plat::kScanDown); });
    script.then(
        "Enter on the next page's button", [](Game& a) { return a.hoverButton == kHoverMorePlayers; },
        [](Game&) { tapKey(kScanEnter); });
    script.then(
        "Down twice on the second page", [](Game& a) { return a.playerPage == 1 && a.buttonsShown == 2; },
        [](Game&) {
            tapKey(plat::kScanDown);
            tapKey(plat::kScanDown);
        });
    script.then(
        "Enter on the one name", [](Game& a) { return a.hoverButton == kHoverFirstPlayer; }, [](Game&) { tapKey(kScanEnter); });
    loseFromTheStory(script);
    script.then("the entry", showing(Screen::HighScores), [&klass](Game& a) {
        EXPECT_EQ(klass.chosen, std::optional<std::size_t>(30));
        ASSERT_EQ(a.world->entryRow, 0);
        EXPECT_EQ(std::string(a.world->hiNames[0], 8), "ZANETA L");
        EXPECT_EQ(a.world->nameCursor, 7);
    });
    script.keys("Enter", {kScanEnter}).closeWindow();
    EXPECT_EQ(play(game, script), 0);
    EXPECT_EQ(game.dir.read("hiscore.tbl").substr(40, 8), "ZANETA L");
}

// Outside Polish the Cyrillic letters stay, a byte each as typing keeps them.
TEST(WhoPlays, ANameKeepsOnlyTheLettersTheTableHolds) {
    const struct {
        const char* name;
        const char* entry;
        bool extraLetters;
    } cases[] = {
        {"Ola", "OLA", false},
        {"ŁUCJA ŹDZIEBŁO", "LUCJA ZD", false},
        {"Jan  Maria", "JAN MARI", false},
        {"3. Kuba!", "KUBA", false},
        {"Zoë", "ZO", false},
        {"", "", false},
        {"Оля", "", false},
        {"Оля Ґава-Łoś", "\xCE\xCB\xDF \xA5\xC0\xC2\xC0", true},
        {"Їжак", "\xAF\xC6\xC0\xCA", true},
    };
    for (const auto& c : cases) EXPECT_EQ(Game::entryNameOf(c.name, c.extraLetters), c.entry) << c.name;
}

// A class folder that cannot be written and has no names: a box says so before the first game
// only; with names, the box's lines show under them once and the mouse chooses.
TEST(WhoPlays, AFolderThatCannotBeWrittenIsSaidOnce) {
    for (const bool withNames : {false, true}) {
        TestGame game;
        writeLevels(game.dir, 8);
        FakeClass klass(withNames ? std::vector<std::string>{"Ala", "Ola"} : std::vector<std::string>{}, true);
        game.app->classRoom = &klass;
        Script script;
        script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
        if (withNames) script.click("Ola", spotOf(kHoverFirstPlayer + 1), kHoverFirstPlayer + 1, showing(Screen::WhoPlays));
        else script.click("DALEJ", kBoxButton, kHoverPlayOn, showing(Screen::WhoPlays));
        script.then("the story, then Escape", showing(Screen::Story), [](Game&) { hl::postEscape(); });
        script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
        script.click("new game again", kNewGameButton, kHoverNewGame, showing(Screen::Title));
        script.then(
            "straight to the story, or the names without the box",
            [withNames](Game& a) { return a.screenShown() == (withNames ? Screen::WhoPlays : Screen::Story); },
            [withNames](Game& a) { EXPECT_EQ(a.unwritableSaid, true) << withNames; });
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0);
        EXPECT_EQ(klass.chosen, withNames ? std::optional<std::size_t>(1) : std::nullopt);
    }
}

// A scripted game through the headless back end leaves its records: a level won, a wrong sum, a
// restart from the pause menu and a game over, in the order played, with the game's own trace
// untouched by them.
#include "records/play_recorder.h"
#include "records/record_reader.h"
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

using namespace replay;
using namespace testing_support;

namespace {

std::string shown(const records::Record& r) {
    switch (r.kind) {
    case records::Kind::Start:
        return "start " + std::to_string(r.level) + " lives " + std::to_string(r.lives);
    case records::Kind::Sum:
        return "sum " + std::to_string(r.level) + " " + r.sum + "=" + std::to_string(r.value) + " board " +
               std::to_string(r.board) + (r.right ? " right" : " wrong") + " lives " + std::to_string(r.lives);
    case records::Kind::Restart:
        return "restart " + std::to_string(r.level) + " lives " + std::to_string(r.lives);
    case records::Kind::End:
        return "end " + r.how + " score " + std::to_string(r.score) + " lives " + std::to_string(r.lives);
    }
    return "?";
}

}  // namespace

TEST(RecordedGame, EveryLevelSumRestartAndTheEndInTheOrderPlayed) {
    TestGame game;
    writeLevel(game.dir, 1, sumLevel(3, kTokenPlus, 4, 7));
    writeLevel(game.dir, 2, sumLevel(3, kTokenTimes, 4, 7));  // 3 * 4 is not 7
    std::filesystem::create_directory(game.dir.path() / "records");
    std::string trace;
    {
        records::RecordWriter writer(game.dir.path() / "records", lvl::Language::English);
        records::PlayRecorder recorder(writer, "Ania", "");
        game.app->playObserver = &recorder;
        Script script;
        script.startGame().playLevel();
        script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
        script.playLevel();
        script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
        script.then("pause", showing(Screen::Play), [](Game&) { hl::postEscape(); });
        script.click("restart", kRestartEntry, kHoverRestart, showing(Screen::Pause));
        script.playLevel();
        script.click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
        script.then("name entry", showing(Screen::HighScores), [](Game&) {}).closeWindow();
        EXPECT_EQ(play(game, script), 0);
    }
    records::RecordSet set;
    lvl::Text error;
    ASSERT_TRUE(records::readRecords(game.dir.path(), set, error));
    std::vector<std::string> played;
    for (const records::Record& r : set.records) {
        played.push_back(shown(r));
        EXPECT_EQ(r.child, "Ania");
        EXPECT_GE(r.seconds, 0);
    }
    EXPECT_EQ(played, (std::vector<std::string>{
                          "start 1 lives 3",
                          "sum 1 3+4=7 board 7 right lives 3",
                          "start 2 lives 3",
                          "sum 2 3*4=12 board 7 wrong lives 3",
                          "start 2 lives 2",
                          "restart 2 lives 1",
                          "start 2 lives 1",
                          "sum 2 3*4=12 board 7 wrong lives 1",
                          "end lost score 100 lives 0",
                      }));
    EXPECT_EQ(set.files, 1);
    EXPECT_TRUE(set.notes.empty());
    EXPECT_EQ(game.dir.read("debug.txt").find("Ania"), std::string::npos);
}

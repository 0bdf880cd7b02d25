// What a game tells whoever keeps a record of what a child practised: a level shown, a sum
// judged, a level started again from the pause menu, the game's end. The rules and the screens
// call it at those moments and never read anything back, so a game without an observer (the
// classic game, the tests) goes exactly as it always did.
#pragma once

#include <cstdint>
#include <string>

// How a game ended.
enum class GameEnd : std::uint8_t {
    Completed,  // the seventh level was won
    Lost,       // the last life went (KONIEC)
    Left,       // the pause menu's Wyjście
    Closed,     // the window closed in the middle of it
};

// How a game ended, from where the play routine stands as it returns: past the last level, at
// the name entry (the lives gone), or neither (left through the pause menu).
inline GameEnd gameEndOf(bool pastLastLevel, bool onNameEntry) {
    if (pastLastLevel) return GameEnd::Completed;
    return onNameEntry ? GameEnd::Lost : GameEnd::Left;
}

class PlayObserver {
public:
    PlayObserver() = default;
    virtual ~PlayObserver() = default;
    PlayObserver(const PlayObserver&) = delete;
    PlayObserver& operator=(const PlayObserver&) = delete;

    // Level `level` (1 to 7) shows, ready to play, with `lives` lives and `score` points; the
    // first of a game begins it.
    virtual void levelStarted(std::int32_t level, std::int32_t lives, std::int32_t score) = 0;
    // The sum `text` (digits and + - * /) was judged: its value, the board's number, and the
    // lives held as it was judged (a wrong sum costs one of them afterwards).
    virtual void sumJudged(const char* text, std::int32_t value, std::int32_t board, std::int32_t lives) = 0;
    // The pause menu's "Zacznij poziom od nowa": the level begins again, `livesLeft` remaining.
    virtual void levelRestarted(std::int32_t livesLeft) = 0;
    virtual void gameEnded(GameEnd how, std::int32_t score) = 0;
    // A lesson chosen on the title: the games from the next on are of the pack titled `title`
    // (UTF-8), or of the game's own levels for "".
    virtual void lessonChosen(const std::string& title) = 0;
};

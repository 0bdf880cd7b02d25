// Where every on-screen button lies: the rectangle it is drawn in and the one in which it
// answers the mouse (strictly inside: the edges themselves are outside). Drawing, hit testing,
// the replay scripts and the tests all read them here. Where the two rectangles differ, the
// game has always had them so (docs/behaviour.md).
#pragma once

#include "platform/platform.h"
#include "world/frame_rect.h"
#include "world/layout.h"

#include <cstdint>

// The buttons by their codes: which one shows highlighted, and what a click or key presses.
enum HoverCode : std::int32_t {
    kHoverNone = 0,
    kHoverNewGame = 1,  // the title menu: NOWA GRA, WYNIKI, WYJŚCIE
    kHoverHighScores = 2,
    kHoverExit = 3,
    kHoverStart = 4,     // the story box's START
    kHoverNextWon = 5,   // the result box's DALEJ after a won level or the ending
    kHoverNextLost = 6,  // DALEJ after a lost level
    kHoverGameOver = 7,  // KONIEC
    kHoverResume = 8,    // the pause menu: Powrót do gry, Zacznij poziom od nowa, Wyjście
    kHoverRestart = 9,
    kHoverQuit = 10,
    kHoverMorePlayers = 11,  // who plays: the next page of names, then the names on the page
    kHoverFirstPlayer = 12,
    kHoverPlayOn = 42,     // DALEJ under the box that says the class folder cannot be written
    kHoverLessonRow = 43,  // the lesson chooser's rows, top down: lessons, perhaps "more", then back
    kHoverLessonOk = 52,   // DALEJ of the box that says why a lesson cannot be played
};

namespace places {

struct ButtonPlace {
    FrameRect drawn;
    FrameRect answers;  // the mouse counts only strictly inside
};

// The title menu: three buttons of the sheet's size, 70 pixels apart.
inline constexpr std::int32_t kTitleButtons = 3;
constexpr FrameRect titleButton(std::int32_t index) {
    const std::int32_t left = 278;
    const std::int32_t top = 150 + 70 * index;
    return {left, top, left + layout::kButtonWidth, top + layout::kButtonHeight};
}

// The one button of the story and result boxes (START, DALEJ, KONIEC) answers 3 pixels higher
// than it is drawn.
inline constexpr ButtonPlace kBoxButton{{285, 263, 355, 293}, {285, 260, 355, 290}};

// The pause menu's entries, 40 pixels apart, answer narrower than they are drawn.
constexpr ButtonPlace pauseEntry(std::int32_t index) {
    const std::int32_t top = 195 + 40 * index;
    return {{238, top, 403, top + 30}, {250, top, 400, top + 30}};
}

// Who plays: the class's names in three columns of ten, a page at a time, in a box over the
// title picture; under them the button to the next page, when there is one.
inline constexpr FrameRect kWhoPlaysBox{30, 30, 610, 470};
inline constexpr std::int32_t kPlayerRows = 10;
inline constexpr std::int32_t kPlayersOnPage = 3 * kPlayerRows;
constexpr FrameRect playerName(std::int32_t index) {
    const std::int32_t left = 50 + 185 * (index / kPlayerRows);
    const std::int32_t top = 75 + 30 * (index % kPlayerRows);
    return {left, top, left + 170, top + 26};
}
inline constexpr FrameRect kMorePlayers{250, 380, 390, 406};

// The lesson chooser: a box over the title picture with a row a button, 38 pixels apart: at most
// seven lessons a page, "more" when there are further pages, and back.
inline constexpr std::int32_t kLessonsAPage = 7;
inline constexpr std::int32_t kLessonRows = kLessonsAPage + 2;
constexpr ButtonPlace lessonRow(std::int32_t index) {
    const std::int32_t top = 85 + 38 * index;
    return {{150, top, 490, top + 30}, {150, top, 490, top + 30}};
}
// The box around the heading and `rows` rows.
constexpr FrameRect lessonBox(std::int32_t rows) { return {120, 40, 520, lessonRow(rows - 1).drawn.bottom + 20}; }
// Where a lesson's title is drawn: in play, on the frame counter's line ending here; above its
// high-score table and under the level's caption, centred at these heights.
inline constexpr std::int32_t kLessonTitleRight = 630;
inline constexpr std::int32_t kLessonTitleOverTable = 100;
inline constexpr std::int32_t kLessonTitleUnderCaption = 255;
// Why a lesson cannot be played: the story box's place, its DALEJ the boxes' button.
inline constexpr FrameRect kRefusalBox{120, 149, 520, 299};

// The place of the button of `code`; an empty one for kHoverNone and unknown codes.
constexpr ButtonPlace of(std::int32_t code) {
    switch (code) {
    case kHoverNewGame:
    case kHoverHighScores:
    case kHoverExit:
        return {titleButton(code - kHoverNewGame), titleButton(code - kHoverNewGame)};
    case kHoverStart:
    case kHoverNextWon:
    case kHoverNextLost:
    case kHoverGameOver:
        return kBoxButton;
    case kHoverResume:
    case kHoverRestart:
    case kHoverQuit:
        return pauseEntry(code - kHoverResume);
    case kHoverMorePlayers:
        return {kMorePlayers, kMorePlayers};
    case kHoverPlayOn:
    case kHoverLessonOk:
        return kBoxButton;
    default:
        if (code >= kHoverFirstPlayer && code < kHoverFirstPlayer + kPlayersOnPage)
            return {playerName(code - kHoverFirstPlayer), playerName(code - kHoverFirstPlayer)};
        if (code >= kHoverLessonRow && code < kHoverLessonRow + kLessonRows) return lessonRow(code - kHoverLessonRow);
        return {};
    }
}

// True when `at` lies strictly inside `r`.
constexpr bool inside(const FrameRect& r, plat::Point at) {
    return at.x > r.left && at.x < r.right && at.y > r.top && at.y < r.bottom;
}

// The middle of a rectangle: where a player points at a button drawn there.
constexpr plat::Point middle(const FrameRect& r) { return {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2}; }

}  // namespace places

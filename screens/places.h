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
    default:
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

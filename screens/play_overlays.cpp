// The boxes drawn over a running level: the pause menu, the story, and the result of a
// finished level (won, the ending, lost, game over). Each writes into hoverButton which of its
// buttons shows highlighted; the window procedure acts on the click or key.
#include "screens/game.h"

#include <span>

namespace {

constexpr std::int32_t kBoxX = 120;
constexpr std::int32_t kBoxY = 149;
constexpr std::int32_t kBoxWidth = 400;
constexpr std::int32_t kBoxHeight = 150;

using texts::TextId;

// The lines of each box, from the table of texts (texts/text_table.cpp), which has the words.
constexpr TextId kStoryLines[] = {
    TextId::StoryWelcome, TextId::Story1, TextId::Story2, TextId::Story3, TextId::Story4, TextId::Story5, TextId::Story6,
};
constexpr TextId kEndingLines[] = {TextId::Congratulations, TextId::Ending1, TextId::Ending2, TextId::Ending3, TextId::Ending4};
constexpr TextId kWonLines[] = {TextId::Congratulations, TextId::Won1, TextId::Won2};
constexpr TextId kLostLines[] = {TextId::Failed, TextId::Needed, TextId::YourResult, TextId::TryAgain};
constexpr TextId kGameOverLines[] = {TextId::Failed, TextId::Trapped, TextId::NextTime};

}  // namespace

void Game::pauseMenu() {
    showCursor();
    const plat::Point mouse = plat::cursorPos();
    display.drawBox(10, 10, 110, 220, 165, 200, 150);

    const std::int32_t selected = showButtons(mouse, kHoverResume, 3);
    for (std::int32_t i = 0; i < 3; ++i) drawButtonBox(kHoverResume + i == selected, places::pauseEntry(i).drawn);

    display.drawFontText(texts.place(TextId::PauseTitle).x, texts.place(TextId::PauseTitle).y, texts.text(TextId::PauseTitle));
    for (TextId id : {TextId::PauseResume, TextId::PauseRestart, TextId::PauseQuit})
        display.drawText(texts.place(id).x, texts.place(id).y, texts.text(id));
}

void Game::storyBox() {
    const plat::Point mouse = plat::cursorPos();
    display.drawBox(10, 10, 110, kBoxX, kBoxY, kBoxWidth, kBoxHeight);
    for (TextId id : kStoryLines) display.drawText(texts.place(id).x, texts.place(id).y, texts.text(id));
    boxButton(mouse, kHoverStart, TextId::ButtonStart);
}

void Game::resultBox() {
    // A DALEJ or KONIEC clicked in this frame has already left the level: the box is gone, and
    // the cursor that DALEJ hid stays hidden for the next level.
    if (!world->levelRunning) return;
    showCursor();
    const plat::Point mouse = plat::cursorPos();
    const GameWorld& w = *world;

    std::span<const TextId> lines;
    std::int32_t code = kHoverNone;
    // A level ended from the pause menu with no life to spare was never judged: it is lost
    // whatever `result` holds (0 from the level's start, which a board of 0 would take for a
    // win).
    const bool endedFromPause = w.lives < 1;
    if (!endedFromPause && w.result == w.target && levelNumber == kLastLevel) {
        lines = kEndingLines;
        code = kHoverNextWon;
    } else if (!endedFromPause && w.result == w.target) {
        lines = kWonLines;
        code = kHoverNextWon;
    } else if (w.lives > 1) {
        lines = kLostLines;
        code = kHoverNextLost;
    } else {
        lines = kGameOverLines;
        code = kHoverGameOver;
    }

    display.drawBox(10, 10, 110, kBoxX, kBoxY, kBoxWidth, kBoxHeight);
    for (TextId id : lines) display.drawText(texts.place(id).x, texts.place(id).y, texts.text(id));
    if (code == kHoverNextLost) {
        display.drawNumber(260, 170, w.target);
        display.drawNumber(260, 200, w.result);
    }
    boxButton(mouse, code, code == kHoverGameOver ? TextId::ButtonEnd : TextId::ButtonNext);
}

void Game::drawButtonBox(bool highlighted, const FrameRect& place) {
    const std::int32_t shade = highlighted ? 90 : 20;
    display.drawBox(shade, shade, shade, place.left, place.top, place.right - place.left, place.bottom - place.top);
}

// The one button shape of the story and result boxes.
void Game::boxButton(plat::Point mouse, std::int32_t code, texts::TextId label) {
    const bool over = showButtons(mouse, code, 1) == code;
    drawButtonBox(over, places::kBoxButton.drawn);
    display.drawText(texts.place(label).x, texts.place(label).y, texts.text(label));
}

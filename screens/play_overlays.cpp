// Fixed bytes: the box texts are the game's own, to the letter; keep them as they are.
// The boxes drawn over a running level: the pause menu, the story, and the result of a
// finished level (won, the ending, lost, game over). Each writes into hoverButton which of its
// buttons shows highlighted; the window procedure acts on the click or key.
#include "platform/cp1250.h"
#include "screens/game.h"

#include <span>

namespace {

constexpr std::int32_t kBoxX = 120;
constexpr std::int32_t kBoxY = 149;
constexpr std::int32_t kBoxWidth = 400;
constexpr std::int32_t kBoxHeight = 150;

struct Line {
    std::int32_t x;
    std::int32_t y;
    const char* text;
};

constexpr auto kWelcome = plat::cp1250("Witaj!");
constexpr auto kStory1 = plat::cp1250("Zły matematyk Minusor porwał Wielką Księgę Działań");
constexpr auto kStory2 = plat::cp1250("aby już nikt w Numerii nie wiedział jak ich używać.");
constexpr auto kStory3 = plat::cp1250("Tylko Ty możesz pomóc.");
constexpr auto kStory4 = plat::cp1250("Aby przedostać się do księgi musisz, na każdym");
constexpr auto kStory5 = plat::cp1250("poziomie ułożyć działania tak,");
constexpr auto kStory6 = plat::cp1250("aby wynik był równy z wyświetlonym na tablicy.");
constexpr Line kStoryLines[] = {
    {300, 155, kWelcome}, {150, 170, kStory1}, {150, 185, kStory2}, {230, 200, kStory3},
    {170, 215, kStory4},  {210, 230, kStory5}, {170, 245, kStory6},
};

constexpr auto kCongratulations = plat::cp1250("Gratulacje!");
constexpr auto kEnding1 = plat::cp1250("Udało Ci się pokonać przeszkody zastawione przez");
constexpr auto kEnding2 = plat::cp1250("złego Minusora i odzyskać Księgę Działań.");
constexpr auto kEnding3 = plat::cp1250("Dzięki Twojej odwadze w Numerii znów zapanuje spokój.");
constexpr auto kEnding4 = plat::cp1250("Aby sprawdzić swój wynik naciśnij DALEJ.");
constexpr Line kEndingLines[] = {
    {290, 155, kCongratulations}, {150, 185, kEnding1}, {170, 200, kEnding2}, {125, 215, kEnding3}, {190, 230, kEnding4},
};

constexpr auto kWon1 = plat::cp1250("Udało Ci się, przechodzisz na następny poziom");
constexpr auto kWon2 = plat::cp1250("Aby kontynuować naciśnij DALEJ");
constexpr Line kWonLines[] = {{290, 155, kCongratulations}, {150, 185, kWon1}, {220, 215, kWon2}};

constexpr auto kFailed = plat::cp1250("Niestety nie udało się!");
constexpr auto kNeeded = plat::cp1250("Potrzebne było:");
constexpr auto kYourResult = plat::cp1250("Twój wynik:");
constexpr auto kTryAgain = plat::cp1250("Naciśnij DALEJ aby rozpocząć od nowa");
constexpr Line kLostLines[] = {{250, 155, kFailed}, {150, 170, kNeeded}, {150, 200, kYourResult}, {200, 230, kTryAgain}};

constexpr auto kTrapped = plat::cp1250("Wpadłeś w sidła złego Minusora!");
constexpr auto kNextTime = plat::cp1250("Może następnym razem pójdzie Ci lepiej");
constexpr Line kGameOverLines[] = {{250, 155, kFailed}, {220, 190, kTrapped}, {190, 220, kNextTime}};

constexpr auto kPause = plat::cp1250("PAUZA");
constexpr auto kResume = plat::cp1250("Powrót do gry");
constexpr auto kRestart = plat::cp1250("Zacznij poziom od nowa");
constexpr auto kQuit = plat::cp1250("Wyjście");

// A button's box, lighter when highlighted.
void drawButtonBox(Display& display, bool highlighted, const FrameRect& place) {
    const std::int32_t shade = highlighted ? 90 : 20;
    display.drawBox(shade, shade, shade, place.left, place.top, place.right - place.left, place.bottom - place.top);
}

}  // namespace

void Game::pauseMenu() {
    showCursor();
    const plat::Point mouse = plat::cursorPos();
    display.drawBox(10, 10, 110, 220, 165, 200, 150);

    const std::int32_t selected = showButtons(mouse, kHoverResume, 3);
    for (std::int32_t i = 0; i < 3; ++i) drawButtonBox(display, kHoverResume + i == selected, places::pauseEntry(i).drawn);

    display.drawFontText(293, 175, kPause);
    display.drawText(275, 203, kResume);
    display.drawText(242, 243, kRestart);
    display.drawText(293, 283, kQuit);
}

void Game::storyBox() {
    const plat::Point mouse = plat::cursorPos();
    display.drawBox(10, 10, 110, kBoxX, kBoxY, kBoxWidth, kBoxHeight);
    for (const Line& line : kStoryLines) display.drawText(line.x, line.y, line.text);
    boxButton(mouse, kHoverStart, 301, "START");
}

void Game::resultBox() {
    // A DALEJ or KONIEC clicked in this frame has already left the level: the box is gone, and
    // the cursor that DALEJ hid stays hidden for the next level.
    if (!world->levelRunning) return;
    showCursor();
    const plat::Point mouse = plat::cursorPos();
    const GameWorld& w = *world;

    std::span<const Line> lines;
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
    for (const Line& line : lines) display.drawText(line.x, line.y, line.text);
    if (code == kHoverNextLost) {
        display.drawNumber(260, 170, w.target);
        display.drawNumber(260, 200, w.result);
    }
    if (code == kHoverGameOver) boxButton(mouse, code, 295, "KONIEC");
    else boxButton(mouse, code, 301, "DALEJ");
}

// The one button shape of the story and result boxes.
void Game::boxButton(plat::Point mouse, std::int32_t code, std::int32_t labelX, const char* label) {
    const bool over = showButtons(mouse, code, 1) == code;
    drawButtonBox(display, over, places::kBoxButton.drawn);
    display.drawText(labelX, 271, label);
}

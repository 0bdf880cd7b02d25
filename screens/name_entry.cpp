// The high-score screen: the table over its picture and, after a game whose score reached the
// table, the name typed into the new row. Every key press types once, in the order pressed,
// at most one key per 80 ms; a key held down repeats as the desktop repeats it. Without
// letter keys (a gamepad's D-pad) Up and Down turn the letter under the cursor through A to Z
// and a space, Right moves on and Left goes back.
#include "platform/scan_codes.h"
#include "screens/game.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kSampleMs = 80;  // the entry's pace: at most one key per 80 ms
constexpr std::int32_t kLastPosition = kNameLength - 1;

// The letter of a scan code (0 for A), or -1.
int letterOf(std::uint8_t scan) {
    for (int letter = 0; letter < 26; ++letter)
        if (plat::kScanLetters[letter] == scan) return letter;
    return -1;
}

bool entryKey(std::uint8_t scan) {
    switch (scan) {
    case plat::kScanEnter:
    case plat::kScanBackspace:
    case plat::kScanUp:
    case plat::kScanDown:
    case plat::kScanLeft:
    case plat::kScanRight:
        return true;
    default:
        return letterOf(scan) >= 0;
    }
}

// Outside the Polish game, the letter a key types on the desktop's layout when it is one of the
// extra letters (a Ukrainian layout's Cyrillic): its byte, as the table keeps it; else 0.
std::uint8_t extraLetter(const texts::Texts& words, const plat::KeyPress& press) {
    return words.polish() ? 0 : texts::nameLetter(press.letter);
}

// The character `step` places on from `c` in the round A to Z, space; an empty place counts
// as the space.
char turned(char c, int step) {
    constexpr int kPlaces = 27;
    const int at = c >= 'A' && c <= 'Z' ? c - 'A' : kPlaces - 1;
    const int next = (at + step + kPlaces) % kPlaces;
    return next == kPlaces - 1 ? ' ' : static_cast<char>('A' + next);
}

}  // namespace

void Game::startNameEntry() {
    GameWorld& w = *world;
    w.lives = 0;
    w.levelRunning = false;
    onNameEntry = true;
    w.insertHighScore();
    w.nameCursor = 0;
    if (w.entryRow >= 0 && !entryName.empty()) {
        // The child chosen before the game: the name stands typed, the cursor after it.
        const auto length = static_cast<std::int32_t>(std::min(entryName.size(), std::size_t{kNameLength}));
        std::memcpy(w.hiNames[w.entryRow], entryName.data(), static_cast<std::size_t>(length));
        w.nameCursor = std::min(length, kLastPosition);
    }
    lastTick = plat::timeMs();
    // Keys pressed during the game type nothing.
    plat::keyboardDropPresses();
}

plat::KeyPress Game::nextEntryKey() {
    // A held key repeats only as the desktop repeats it (its delay and rate, which a teacher may
    // lengthen for a child), never by looking whether it still seems down.
    plat::KeyPress press;
    while (plat::keyboardTakePress(press))
        if (entryKey(press.scanCode) || extraLetter(texts, press) != 0) return press;  // other keys type nothing
    return {};
}

void Game::nameEntryFrame(std::int32_t row) {
    display.drawBackground();
    display.drawHighScores(*world);
    if (!lessonTitle.empty())
        display.drawText(layout::kFrameWidth / 2 - display.textWidth(lessonTitle.c_str()) / 2, places::kLessonTitleOverTable,
                         lessonTitle.c_str());
    showNoButtons();
    if (world->unsavedCount > 0) {
        // Under the table and its hints: the names shown are not on disk yet.
        display.drawBox(10, 10, 110, 150, 395, 340, 48);
        for (texts::TextId id : {texts::TextId::SaveFailed, texts::TextId::SaveLater})
            display.drawText(texts.place(id).x, texts.place(id).y, texts.text(id));
    }
    if (row < 0 || row >= kHighScoreRows || !keyboard) return;  // the table is only shown

    GameWorld& w = *world;
    // The keys come as presses; the snapshot is read for lost input, taken back first.
    std::uint8_t keys[256] = {};
    if (plat::keyboardRead(keys) == plat::KeyRead::InputLost && plat::keyboardAcquire()) return;  // no key this frame

    display.drawBox(80, 20, 80, 250 + 12 * w.nameCursor, 141 + 20 * row, 10, 10);

    elapsed = now - lastTick;
    if (elapsed >= kSampleMs) {
        const plat::KeyPress press = nextEntryKey();
        const std::uint8_t key = press.scanCode;
        char* name = w.hiNames[row];
        if (key == plat::kScanEnter) {
            w.finishNameEntry();
        } else if (key == plat::kScanBackspace) {
            if (w.nameCursor > 0) w.nameCursor -= 1;
            name[w.nameCursor] = ' ';
        } else if (key == plat::kScanUp || key == plat::kScanDown) {
            name[w.nameCursor] = turned(name[w.nameCursor], key == plat::kScanUp ? 1 : -1);
        } else if (key == plat::kScanRight) {
            // An empty place passed over becomes a space, so the letters after it still show.
            if (w.nameCursor < kLastPosition) {
                if (name[w.nameCursor] == '\0') name[w.nameCursor] = ' ';
                w.nameCursor += 1;
            }
        } else if (key == plat::kScanLeft) {
            if (w.nameCursor > 0) w.nameCursor -= 1;
        } else if (key != 0) {
            const std::uint8_t extra = extraLetter(texts, press);
            name[w.nameCursor] = static_cast<char>(extra != 0 ? extra : 'A' + letterOf(key));
            w.nameCursor += 1;
        }
        if (key != 0) lastTick = now;  // the pace counts from the last key taken
    }
    if (w.nameCursor > kLastPosition) w.nameCursor = kLastPosition;
}

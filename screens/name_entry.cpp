// The high-score screen: the table over its picture and, after a game whose score reached the
// table, the name typed into the new row. Every key press types once, in the order pressed,
// at most one key per 80 ms; a key held down repeats at that pace after a first delay. Without
// letter keys (a gamepad's D-pad) Up and Down turn the letter under the cursor through A to Z
// and a space, Right moves on and Left goes back.
#include "platform/scan_codes.h"
#include "screens/game.h"

#include <cstring>

namespace {

constexpr std::uint32_t kSampleMs = 80;        // the entry's pace: at most one key per 80 ms
constexpr std::uint32_t kFirstRepeatMs = 500;  // a held key starts repeating after this
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
    lastTick = plat::timeMs();
    // Keys pressed during the game type nothing.
    plat::keyboardDropPresses();
    repeatKey = 0;
}

std::uint8_t Game::nextEntryKey(const std::uint8_t keys[256]) {
    std::uint8_t scan = 0;
    while (plat::keyboardTakePress(scan)) {
        if (!entryKey(scan)) continue;  // keys the entry does not use
        repeatKey = scan;
        repeatDue = now + kFirstRepeatMs;
        return scan;
    }
    if (repeatKey == 0) return 0;
    if ((keys[repeatKey] & plat::kKeyDown) == 0) {
        repeatKey = 0;  // let go: it repeats no more
        return 0;
    }
    return static_cast<std::int32_t>(now - repeatDue) >= 0 ? repeatKey : 0;
}

void Game::nameEntryFrame(std::int32_t row) {
    display.drawBackground();
    display.drawHighScores(*world);
    showNoButtons();
    if (row < 0 || row >= kHighScoreRows || !keyboard) return;  // the table is only shown

    GameWorld& w = *world;
    std::uint8_t keys[256] = {};
    switch (plat::keyboardRead(keys)) {
    case plat::KeyRead::Ok:
        break;
    case plat::KeyRead::InputLost:
        if (plat::keyboardAcquire()) return;  // back in the foreground: this frame takes no key
        std::memset(keys, 0, sizeof keys);
        break;
    case plat::KeyRead::Failed:
        std::memset(keys, 0, sizeof keys);
        break;
    }

    display.drawBox(80, 20, 80, 250 + 12 * w.nameCursor, 141 + 20 * row, 10, 10);

    elapsed = now - lastTick;
    if (elapsed >= kSampleMs) {
        const std::uint8_t key = nextEntryKey(keys);
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
            name[w.nameCursor] = static_cast<char>('A' + letterOf(key));
            w.nameCursor += 1;
        }
        if (key != 0) lastTick = now;  // the pace counts from the last key taken
    }
    if (w.nameCursor > kLastPosition) w.nameCursor = kLastPosition;
}

// The high-score screen: the table over its picture and, after a game whose score reached the
// table, the name typed into the new row straight from the keyboard snapshot.
#include "shell/application.h"

#include <cstring>

namespace {

constexpr std::uint8_t kScanEnter = 0x1C;
constexpr std::uint8_t kScanBackspace = 0x0E;
constexpr std::uint8_t kDown = 0x80;
constexpr std::uint32_t kSampleMs = 80;  // a held key repeats at this pace
constexpr std::int32_t kLastPosition = kNameLength - 1;

// Scan codes of the letters A to Z; tested in this order, so of two letters held together the
// one earlier in the alphabet is taken.
constexpr std::uint8_t kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                          0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                          0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

}  // namespace

void Application::nameEntryFrame(std::int32_t row) {
    display.drawBackground();
    display.drawHighScores();
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
        char* name = w.hiNames[row];
        if (keys[kScanEnter] & kDown) {
            w.saveHighScores();
            w.entryRow = -1;
        } else if (keys[kScanBackspace] & kDown) {
            if (w.nameCursor > 0) w.nameCursor -= 1;
            name[w.nameCursor] = ' ';
        } else {
            for (int letter = 0; letter < 26; ++letter) {
                if (keys[kLetterScan[letter]] & kDown) {
                    name[w.nameCursor] = static_cast<char>('A' + letter);
                    w.nameCursor += 1;
                    break;
                }
            }
        }
        lastTick = now;
    }
    if (w.nameCursor > kLastPosition) w.nameCursor = kLastPosition;
}

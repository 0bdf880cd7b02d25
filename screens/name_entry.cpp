// The high-score screen: the table over its picture and, after a game whose score reached the
// table, the name typed into the new row straight from the keyboard snapshot.
#include "platform/scan_codes.h"
#include "shell/application.h"

#include <cstring>

namespace {

constexpr std::uint32_t kSampleMs = 80;  // a held key repeats at this pace
constexpr std::int32_t kLastPosition = kNameLength - 1;



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
        if (keys[plat::kScanEnter] & plat::kKeyDown) {
            w.saveHighScores();
            w.entryRow = -1;
        } else if (keys[plat::kScanBackspace] & plat::kKeyDown) {
            if (w.nameCursor > 0) w.nameCursor -= 1;
            name[w.nameCursor] = ' ';
        } else {
            for (int letter = 0; letter < 26; ++letter) {
                if (keys[plat::kScanLetters[letter]] & plat::kKeyDown) {
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

// The title screen: the picture with its three menu buttons, the button under the mouse
// swinging through its frames, and the credits scroller at the bottom.
#include "screens/game.h"

namespace {

constexpr std::int32_t kCaptionY = 410;
constexpr std::int32_t kNameY = 440;
constexpr std::int32_t kCreditSpeed = 2;                    // pixels per frame
constexpr std::int32_t kCreditStop = 50;                    // where the lines come to rest
constexpr std::int32_t kCreditRight = layout::kFrameWidth;  // where a caption has left the screen
constexpr std::int32_t kNameParked = 630;                   // a name line this far right has not come in yet
constexpr std::uint32_t kCreditPauseMs = 3000;
constexpr std::int32_t kRestingFrame = layout::kButtonRestingFrame;

using texts::TextId;

struct Credit {
    TextId caption;
    TextId name;
};

// The third entry repeats the first name line under the second caption.
constexpr Credit kCredits[3] = {
    {TextId::CreditProgramming, TextId::CreditTeam},
    {TextId::CreditGraphics, TextId::CreditChildren},
    {TextId::CreditGraphics, TextId::CreditTeam},
};

}  // namespace

void Game::titleFrame() {
    if (choosingLesson) {
        lessonFrame();
        return;
    }
    const plat::Point mouse = plat::cursorPos();
    display.drawTitle(*world);
    scrollCredits();

    GameWorld& w = *world;
    const std::int32_t over = showButtons(mouse, kHoverNewGame, w.buttonCount);
    if (over != kHoverNone) {
        // The other buttons keep whatever frame they had reached.
        w.animateButton(over - kHoverNewGame, now);
        return;
    }
    for (std::int32_t i = 0; i < w.buttonCount; ++i) w.buttons[i].frame = kRestingFrame;
}

// The caption slides in from the right; once it rests, the name line follows; both stand for
// three seconds from the frame the name arrived, then leave to the right together, and the
// next entry comes in. Speeds are per frame.
void Game::scrollCredits() {
    CreditLine& caption = creditLines[0];
    CreditLine& name = creditLines[1];

    display.drawText(caption.x, kCaptionY, texts.text(kCredits[creditIndex].caption));
    caption.x += kCreditSpeed * caption.direction;
    if (caption.x <= kCreditStop && name.x >= kNameParked) {
        caption.direction = 0;
        name.direction = -1;
    } else if (caption.x >= kCreditRight) {
        caption.direction = -1;
        name.direction = 0;
        creditIndex += 1;
        if (creditIndex > 2) creditIndex = 0;
    }

    if (caption.direction == -1) return;  // the name line waits, hidden, while the caption comes in
    display.drawText(name.x, kNameY, texts.text(kCredits[creditIndex].name));
    name.x += kCreditSpeed * name.direction;
    if (name.x <= kCreditStop) {
        if (name.direction != 0) lastTick = now;  // just arrived: the pause starts now
        elapsed = now - lastTick;
        const std::int32_t leave = elapsed >= kCreditPauseMs ? 1 : 0;
        caption.direction = leave;
        name.direction = leave;
    }
}

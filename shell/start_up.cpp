// Fixed bytes: the window's name is the game's own.
#include "shell/host.h"

bool startUp(Game& game) {
    game.window.setClassName("Kalkulon");
    game.onTitle = true;
    if (game.window.create(&Game::windowProc, &game, layout::kFrameWidth, layout::kFrameHeight) == 0) return false;

    Display& display = game.display;
    const ErrorCode code = display.init(layout::kFrameWidth, layout::kFrameHeight, layout::kFrameBits);
    const bool displayUp = code == ErrorCode::Ok;
    if (!displayUp) {
        // The game's own window in Polish, a translation's otherwise.
        const texts::Texts& words = game.texts;
        if (words.polish()) game.error.showMessage(code);
        else
            plat::messageBoxUtf8(words.text(texts::dialogOf(static_cast<std::int32_t>(code))),
                                 words.text(texts::TextId::DialogCaption));
        game.close();
    }
    display.applyPixelFormat(display.pixelFormat);
    game.startMusic();

    // Nothing draws to, flips or loads pictures onto a display that did not start.
    if (displayUp) {
        const texts::Point loading = game.texts.place(texts::TextId::Loading);
        display.drawText(loading.x, loading.y, game.texts.text(texts::TextId::Loading));
        if (display.flip() != 0) game.close();
        display.loadSpriteBitmaps();
        display.loadTitleBitmap();
    }

    game.useKeyboard = 1;
    // A failed step has reported itself already; start-up reports it once more.
    if (game.initInput() < 0) game.reportFailure();
    else if (game.createKeyboard() < 0) game.reportFailure();
    if (game.keyboard) plat::keyboardAcquire();
    game.begin();
    return true;
}

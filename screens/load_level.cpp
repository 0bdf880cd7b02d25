// Fixed bytes: the trace lines are the game's own; keep them as they are.
// The start of a level's loading as the player sees it: the caption "Poziom N" over the curtain,
// the level file read into the world (a failure shows "Błąd!" and closes the game), then the
// level's block sheet and background put onto their surfaces. Every step goes to the trace.
#include "screens/game.h"

#include <cstdio>
#include <string_view>

void Game::loadLevel(std::int32_t number) {
    if (world == nullptr) return;

    char levelFile[32] = {};
    char blocksFile[32] = {};
    char caption[64] = {};
    std::snprintf(levelFile, sizeof levelFile, "level\\level%d.lvl", static_cast<int>(number));
    std::snprintf(blocksFile, sizeof blocksFile, "gfx\\klocki%d.bmp", static_cast<int>(number));
    // The caption's words are a format with the level's number (texts/text_table.cpp).
    const char* format = texts.text(texts::TextId::LevelCaption);
    const std::string_view words(format);
    const std::size_t at = words.find("%d");
    if (at == std::string_view::npos) std::snprintf(caption, sizeof caption, "%s", format);
    else
        std::snprintf(caption, sizeof caption, "%.*s%d%s", static_cast<int>(at), format, static_cast<int>(number),
                      format + at + 2);

    error.debugLog("Wczytanie levela \n");
    error.debugLog(levelFile);
    display.drawFrontText(texts.place(texts::TextId::LevelCaption).x, texts.place(texts::TextId::LevelCaption).y, caption);
    if (!lessonTitle.empty())
        display.drawFrontText(layout::kFrameWidth / 2 - display.textWidth(lessonTitle.c_str()) / 2,
                              places::kLessonTitleUnderCaption, lessonTitle.c_str());

    char backgroundName[kLevelNameBytes + 1] = {};
    const bool opened = world->readLevel(levelFile, backgroundName, [this](const char* traceLine) { reportFailure(traceLine); });

    error.debugLog("wrzucenie na powierzchnie \n");
    display.loadBlocksBitmap(blocksFile);
    // Without a level file there is no background name: the background stays as it is (the
    // game is closing anyway).
    if (opened) {
        char backgroundFile[4 + kLevelNameBytes + 1] = {};
        std::snprintf(backgroundFile, sizeof backgroundFile, "gfx\\%s", backgroundName);
        display.loadBackgroundBitmap(backgroundFile);
    }
}
